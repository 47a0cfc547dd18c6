// The modal dialog run and the item calls on open dialogs.
#include <optional>
#include <stdexcept>
#include <vector>

#include "DGDialog.hpp"
#include "DGDialogLayout.hpp"
#include "DGOpenDialog.hpp"
#include "DGScriptPlayer.hpp"
#include "HostControl.hpp"
#include "RSModuleData.hpp"

namespace {

// The dialogs open now, innermost last (a callback may open another modal dialog).
std::vector<DGOpenDialog*>& OpenDialogs()
{
    static std::vector<DGOpenDialog*> dialogs;
    return dialogs;
}

class OpenDialogEntry {
public:
    explicit OpenDialogEntry(DGOpenDialog& dialog) { OpenDialogs().push_back(&dialog); }
    ~OpenDialogEntry() { OpenDialogs().pop_back(); }
    OpenDialogEntry(const OpenDialogEntry&) = delete;
    OpenDialogEntry& operator=(const OpenDialogEntry&) = delete;
};

short NextDialogId()
{
    static short lastId = 0;
    lastId = static_cast<short>(lastId % 32000 + 1);
    return lastId;
}

// The open dialog of an id; a call on any other id leaves a note in the innermost open dialog.
DGOpenDialog* FindDialog(short dialId, const char* call)
{
    for (DGOpenDialog* dialog : OpenDialogs()) {
        if (dialog->Id() == dialId)
            return dialog;
    }
    if (!OpenDialogs().empty())
        OpenDialogs().back()->Note(std::string(call) + ": no open dialog has the id " + std::to_string(dialId));
    return nullptr;
}

const DGItemState* FindItem(short dialId, short item, const char* call)
{
    DGOpenDialog* dialog = FindDialog(dialId, call);
    if (dialog == nullptr)
        return nullptr;
    const DGItemState* state = dialog->Item(item);
    if (state == nullptr)
        dialog->Note(std::string(call) + ": there is no item " + std::to_string(item));
    return state;
}

void RecordCall(const char* function, std::vector<HostControl::HostArg> args)
{
    HostControl::HostCall call;
    call.function = function;
    call.args = std::move(args);
    HostControl::TheRecorder().calls.push_back(std::move(call));
}

std::optional<DGDialogLayout> LoadLayout(GSResModule module, short resId, std::string* problem)
{
    if (module == nullptr) {
        *problem = "no resource module";
        return std::nullopt;
    }
    const auto block = module->dialogs.find(resId);
    if (block == module->dialogs.end()) {
        *problem = "the resource module has no dialog " + std::to_string(resId);
        return std::nullopt;
    }
    try {
        return ParseDialogLayout(block->second);
    } catch (const std::runtime_error& error) {
        *problem = std::string("the layout of dialog ") + std::to_string(resId) + " cannot be read: " + error.what();
        return std::nullopt;
    }
}

// Every item value within Int32 when read as a whole number.
Int32 WholeNumber(double value)
{
    if (!(value == value))
        return 0;
    if (value >= 2147483647.0)
        return 2147483647;
    if (value <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<Int32>(value);
}

}  // namespace

short DGModalDialog(GSResModule dialResModule, short resId, GSResModule /*dialIconResModule*/,
                    DGDialCallBack* callback, DGUserData userData)
{
    RecordCall("DGModalDialog", {HostControl::HostArg::Int(resId)});
    const std::size_t slot = BeginDialogRecord();
    std::string problem;
    const std::optional<DGDialogLayout> layout = LoadLayout(dialResModule, resId, &problem);
    if (!layout.has_value() || callback == nullptr) {
        DGDialogRecord record;
        record.resourceId = resId;
        record.notes.push_back(layout.has_value() ? "no callback" : problem);
        StoreDialogRecord(slot, std::move(record));
        return 0;
    }
    const DGUserScript script = TakePlannedScript(resId);
    DGOpenDialog dialog(NextDialogId(), resId, *layout, callback, userData);
    short result = 0;
    {
        const OpenDialogEntry entry(dialog);
        result = dialog.Send(DG_MSG_INIT, 0);
        dialog.StartCountingModifications();
        if (result == 0)
            result = PlayScript(dialog, script);
        dialog.Record().itemsAtClose = dialog.Snapshot();
        dialog.Send(DG_MSG_CLOSE, result);
    }
    dialog.Record().result = result;
    StoreDialogRecord(slot, std::move(dialog.Record()));
    return result;
}

void DGResetDialogRectangles()
{
    RecordCall("DGResetDialogRectangles", {});
}

void DGEnableMessage(short dialId, short item, short message, bool enable)
{
    if (DGOpenDialog* dialog = FindDialog(dialId, "DGEnableMessage"))
        dialog->EnableMessage(item, message, enable);
}

void DGSetItemText(short dialId, short item, const GS::UniString& text)
{
    if (DGOpenDialog* dialog = FindDialog(dialId, "DGSetItemText"))
        dialog->SetText(item, text.ToUtf8());
}

GS::UniString DGGetItemText(short dialId, short item)
{
    const DGItemState* state = FindItem(dialId, item, "DGGetItemText");
    return state == nullptr ? GS::UniString() : GS::UniString(state->text.c_str(), CC_UTF8);
}

void DGSetItemValLong(short dialId, short item, Int32 value)
{
    if (DGOpenDialog* dialog = FindDialog(dialId, "DGSetItemValLong"))
        dialog->SetValue(item, value);
}

Int32 DGGetItemValLong(short dialId, short item)
{
    const DGItemState* state = FindItem(dialId, item, "DGGetItemValLong");
    return state == nullptr ? 0 : WholeNumber(state->value);
}

void DGSetItemValDouble(short dialId, short item, double value)
{
    if (DGOpenDialog* dialog = FindDialog(dialId, "DGSetItemValDouble"))
        dialog->SetValue(item, value);
}

double DGGetItemValDouble(short dialId, short item)
{
    const DGItemState* state = FindItem(dialId, item, "DGGetItemValDouble");
    return state == nullptr ? 0.0 : state->value;
}

void DGSetItemEnable(short dialId, short item, bool enable)
{
    if (DGOpenDialog* dialog = FindDialog(dialId, "DGSetItemEnable"))
        dialog->SetEnabled(item, enable);
}

bool DGIsItemEnabled(short dialId, short item)
{
    const DGItemState* state = FindItem(dialId, item, "DGIsItemEnabled");
    return state != nullptr && state->enabled;
}

bool DGModified(short dialId, short item)
{
    const DGItemState* state = FindItem(dialId, item, "DGModified");
    return state != nullptr && state->modified;
}
