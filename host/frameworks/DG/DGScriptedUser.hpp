// Host-side control of the dialogs: the scripted user who answers every modal dialog, and the
// transcript of what happened in each. The add-on never sees this header.
//
// Before a dialog opens, a test (or the CLI) plans a script for it: a list of actions that the user
// plays once the dialog has handled DG_MSG_INIT, then the closing. Without a plan the user
// confirms at once (clicks item 1). Actions the user could not do (on a disabled or missing item,
// a number field given text, a popup entry that does not exist) send nothing and leave a note.
//
//     DGScriptedUser::Plan(32505, DGUserScript{{DGUserAction::SetValue(19, 6),
//                                               DGUserAction::Type(18, "2.5"),
//                                               DGUserAction::Look()}, true});
//     ... run the add-on's command ...
//     const DGDialogRecord* shown = DGScriptedUser::LastRecordOf(32505);
#ifndef DG_DGSCRIPTEDUSER_HPP
#define DG_DGSCRIPTEDUSER_HPP

#include <map>
#include <string>
#include <vector>

#include "DGDialog.hpp"
#include "DGDialogLayout.hpp"

struct DGUserAction {
    enum class Kind { Click, SetValue, Type, Drag, Look, Close };
    Kind kind = Kind::Look;
    short item = 0;
    double value = 0.0;
    std::string text;
    std::vector<double> values;
    short trackMessage = DG_MSG_TRACK;

    // A button or clickable item: DG_MSG_CLICK. A check box: toggles it; a radio button: chooses
    // it (both DG_MSG_CHANGE, nothing when the radio button is already on).
    static DGUserAction Click(short item);
    // A check box (0 or 1), a radio button (1), a popup entry (1..n) or a slider position; a number
    // field takes the number as if typed. DG_MSG_CHANGE when the value changes.
    static DGUserAction SetValue(short item, double value);
    // Types into an edit field, replacing its text: DG_MSG_CHANGE when the field accepts the text.
    static DGUserAction Type(short item, std::string text);
    // Drags a slider through the values: trackMessage (DG_MSG_TRACK or DG_MSG_SPINTRACK) at each,
    // DG_MSG_CHANGE on release.
    static DGUserAction Drag(short item, std::vector<double> values, short trackMessage = DG_MSG_TRACK);
    // Takes a snapshot of every item into the record's looks.
    static DGUserAction Look();
    // Ends the script by clicking this item instead of the confirming or cancelling one.
    static DGUserAction Close(short item);
};

struct DGUserScript {
    std::vector<DGUserAction> actions;
    // The closing after the actions: item 1 (confirm) or item 2 (cancel). When the dialog stays
    // open, the user tries item 2, then the close box, and then gives up (the dialog closes with 0).
    bool confirm = true;
};

struct DGItemState {
    DGItemKind kind = DGItemKind::StaticText;
    std::string text;  // an edit field's text follows its value
    double value = 0.0;
    bool enabled = true;
    bool modified = false;
};
using DGItemStates = std::map<short, DGItemState>;

struct DGMessageRecord {
    short message = 0;
    short item = 0;
    short result = 0;
};

// One modal dialog as it was shown, in the order of opening.
struct DGDialogRecord {
    short resourceId = 0;
    std::string title;
    short result = 0;
    std::vector<DGMessageRecord> messages;  // every message the callback got, with its answer
    std::vector<std::string> notes;         // refused actions, calls on missing items, failures
    std::vector<DGItemStates> looks;        // the snapshots of Look actions
    DGItemStates itemsAtClose;              // the items when DG_MSG_CLOSE was sent
};

// One file dialog as it was shown (DGFileDialog.hpp), in the order of opening.
struct DGFileDialogRecord {
    int type = 0;
    std::string title;
    std::vector<std::string> filters;  // as the type menu shows them
    bool packagesShown = false;
    bool picked = false;
    std::string path;                // the pick, when there was one
    std::vector<std::string> notes;  // picks the dialog did not offer, filters it did not know
};

namespace DGScriptedUser {

constexpr short AnyDialog = 0;

// The script for the next dialog of this resource id (AnyDialog: whichever opens first). Plans
// are used up in the order they were made.
GSROOT_DLL_EXPORT void Plan(short resourceId, DGUserScript script);
// The user's answer to the next file dialog: pick the entry at this absolute path, or cancel. Plans
// are used up in order; without one the user cancels.
GSROOT_DLL_EXPORT void PlanFilePick(std::string path);
GSROOT_DLL_EXPORT void PlanFileCancel();
GSROOT_DLL_EXPORT const std::vector<DGFileDialogRecord>& FileDialogTranscript();

// Forgets the plans and the transcripts.
GSROOT_DLL_EXPORT void Reset();
GSROOT_DLL_EXPORT const std::vector<DGDialogRecord>& Transcript();
// The last dialog shown with this resource id; null when there was none.
GSROOT_DLL_EXPORT const DGDialogRecord* LastRecordOf(short resourceId);

}  // namespace DGScriptedUser

#endif
