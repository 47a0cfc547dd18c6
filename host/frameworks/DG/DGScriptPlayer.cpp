#include "DGScriptPlayer.hpp"

#include <string>

namespace {

std::string ItemText(short item)
{
    return "item " + std::to_string(item);
}

// The item when the user can act on it; null, with a note, when it is missing or disabled.
const DGItemState* Reachable(DGOpenDialog& dialog, short item)
{
    const DGItemState* state = dialog.Item(item);
    if (state == nullptr)
        dialog.Note("refused: there is no " + ItemText(item));
    else if (!state->enabled)
        dialog.Note("refused: " + ItemText(item) + " is disabled");
    else
        return state;
    return nullptr;
}

void NoteUnsuited(DGOpenDialog& dialog, short item, const DGItemState& state, const char* action)
{
    dialog.Note(std::string("refused: a ") + DGItemKindName(state.kind) + " (" + ItemText(item) + ") cannot be " +
                action);
}

bool IsEditField(DGItemKind kind)
{
    return kind == DGItemKind::IntEdit || kind == DGItemKind::RealEdit || kind == DGItemKind::TextEdit;
}

short PlayClick(DGOpenDialog& dialog, short item)
{
    const DGItemState* state = Reachable(dialog, item);
    if (state == nullptr)
        return 0;
    if (dialog.IsClickable(item))
        return dialog.Send(DG_MSG_CLICK, item);
    if (state->kind == DGItemKind::CheckBox) {
        dialog.SetValue(item, state->value != 0 ? 0 : 1);
        return dialog.Send(DG_MSG_CHANGE, item);
    }
    if (state->kind == DGItemKind::Radio) {
        if (state->value != 0)
            return 0;
        dialog.SetValue(item, 1);
        return dialog.Send(DG_MSG_CHANGE, item);
    }
    NoteUnsuited(dialog, item, *state, "clicked");
    return 0;
}

short PlayType(DGOpenDialog& dialog, short item, const std::string& text)
{
    const DGItemState* state = Reachable(dialog, item);
    if (state == nullptr)
        return 0;
    if (!IsEditField(state->kind)) {
        NoteUnsuited(dialog, item, *state, "typed into");
        return 0;
    }
    if (!dialog.SetText(item, text))
        return 0;
    return dialog.Send(DG_MSG_CHANGE, item);
}

short PlaySetValue(DGOpenDialog& dialog, short item, double value)
{
    const DGItemState* state = Reachable(dialog, item);
    if (state == nullptr)
        return 0;
    switch (state->kind) {
        case DGItemKind::IntEdit:
        case DGItemKind::RealEdit:
            return PlayType(dialog, item, NumberFieldText(DGItemKind::RealEdit, value));
        case DGItemKind::CheckBox:
        case DGItemKind::Popup:
        case DGItemKind::Slider:
            break;
        case DGItemKind::Radio:
            if (value != 0)
                return PlayClick(dialog, item);
            dialog.Note("refused: a radio button (" + ItemText(item) + ") is turned off by choosing another");
            return 0;
        default:
            NoteUnsuited(dialog, item, *state, "given a value");
            return 0;
    }
    const double before = state->value;
    if (!dialog.SetValue(item, value) || dialog.Item(item)->value == before)
        return 0;
    return dialog.Send(DG_MSG_CHANGE, item);
}

short PlayDrag(DGOpenDialog& dialog, const DGUserAction& action)
{
    const DGItemState* state = Reachable(dialog, action.item);
    if (state == nullptr)
        return 0;
    if (state->kind != DGItemKind::Slider) {
        NoteUnsuited(dialog, action.item, *state, "dragged");
        return 0;
    }
    for (const double value : action.values) {
        dialog.SetValue(action.item, value);
        if (const short result = dialog.Send(action.trackMessage, action.item))
            return result;
    }
    return dialog.Send(DG_MSG_CHANGE, action.item);
}

short PlayAction(DGOpenDialog& dialog, const DGUserAction& action)
{
    switch (action.kind) {
        case DGUserAction::Kind::Click:
            return PlayClick(dialog, action.item);
        case DGUserAction::Kind::SetValue:
            return PlaySetValue(dialog, action.item, action.value);
        case DGUserAction::Kind::Type:
            return PlayType(dialog, action.item, action.text);
        case DGUserAction::Kind::Drag:
            return PlayDrag(dialog, action);
        case DGUserAction::Kind::Look:
            dialog.Record().looks.push_back(dialog.Snapshot());
            return 0;
        case DGUserAction::Kind::Close:
            break;
    }
    return 0;
}

// The items the user clicks to close the dialog, in the order tried.
std::vector<short> ClosingItems(const DGUserScript& script, const DGUserAction* closeAction)
{
    std::vector<short> items;
    if (closeAction != nullptr)
        items.push_back(closeAction->item);
    else if (script.confirm)
        items.push_back(1);
    for (const short fallback : {short(2), DG_CLOSEBOX}) {
        if (items.empty() || items.front() != fallback)
            items.push_back(fallback);
    }
    return items;
}

short PlayClosing(DGOpenDialog& dialog, const std::vector<short>& items)
{
    for (const short item : items) {
        const DGItemState* state = dialog.Item(item);
        const bool clickable = item == DG_CLOSEBOX || (state != nullptr && state->enabled && dialog.IsClickable(item));
        if (!clickable)
            continue;
        if (const short result = dialog.Send(DG_MSG_CLICK, item))
            return result;
        dialog.Note("the dialog stayed open after a click on " + ItemText(item));
    }
    dialog.Note("the scripted user gave up: the dialog closed without an item");
    return 0;
}

}  // namespace

short PlayScript(DGOpenDialog& dialog, const DGUserScript& script)
{
    const DGUserAction* closeAction = nullptr;
    for (std::size_t i = 0; i < script.actions.size(); ++i) {
        const DGUserAction& action = script.actions[i];
        const std::size_t rest = script.actions.size() - i - 1;
        if (action.kind == DGUserAction::Kind::Close) {
            closeAction = &action;
            if (rest > 0)
                dialog.Note(std::to_string(rest) + " action(s) after the closing were not played");
            break;
        }
        if (const short result = PlayAction(dialog, action)) {
            if (rest > 0)
                dialog.Note(std::to_string(rest) + " action(s) were not played: the dialog closed");
            return result;
        }
    }
    return PlayClosing(dialog, ClosingItems(script, closeAction));
}
