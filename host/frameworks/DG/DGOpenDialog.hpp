// A modal dialog while it runs: its items' values, texts, enabled and modified states, the
// messages turned off, the callback, and the record of what happens in it.
#ifndef DG_DGOPENDIALOG_HPP
#define DG_DGOPENDIALOG_HPP

#include <set>
#include <string>
#include <utility>

#include "DGDialogLayout.hpp"
#include "DGScriptedUser.hpp"

class DGOpenDialog {
public:
    DGOpenDialog(short id, short resourceId, const DGDialogLayout& layout, DGDialCallBack* callback,
                 DGUserData userData);

    short Id() const { return id; }
    DGDialogRecord& Record() { return record; }

    // Null when the dialog has no such item.
    const DGItemState* Item(short item) const;
    const std::vector<std::string>& PopupEntries(short item) const;
    bool IsClickable(short item) const;

    // Value and text changes, from the callback's item calls and from the user alike. False (with
    // a note) when the item cannot take the value or text.
    bool SetValue(short item, double value);
    bool SetText(short item, const std::string& text);
    void SetEnabled(short item, bool enabled);

    void EnableMessage(short item, short message, bool enable);
    // From now on changes count as modifications.
    void StartCountingModifications() { countModifications = true; }

    // Sends a message to the callback and records it; 0 for a message turned off.
    short Send(short message, short item);

    DGItemStates Snapshot() const { return items; }
    void Note(std::string note) { record.notes.push_back(std::move(note)); }

private:
    DGItemState* MutableItem(short item);
    void Change(DGItemState& state, double value, const std::string& text);
    void TurnOffRadioGroup(int group, short except);
    bool IsMessageOn(short item, short message) const;

    short id;
    DGDialogLayout layout;
    DGDialCallBack* callback;
    DGUserData userData;
    DGItemStates items;
    std::set<std::pair<short, short>> messagesOff;  // (item, message); item 0 for every item
    bool countModifications = false;
    DGDialogRecord record;
};

// The text a number field shows for a value: the shortest form that reads back as the value.
std::string NumberFieldText(DGItemKind kind, double value);
// The number in a text typed into a number field; false when the text is not a number the field
// accepts (an integer field takes whole numbers only).
bool ReadNumberFieldText(DGItemKind kind, const std::string& text, double* value);

#endif
