#include "DGScriptedUser.hpp"

#include <deque>
#include <utility>

#include "DGScriptPlayer.hpp"

namespace {

struct PlannedScript {
    short resourceId = DGScriptedUser::AnyDialog;
    DGUserScript script;
};

std::deque<PlannedScript>& Plans()
{
    static std::deque<PlannedScript> plans;
    return plans;
}

std::vector<DGDialogRecord>& TheTranscript()
{
    static std::vector<DGDialogRecord> transcript;
    return transcript;
}

// A planned answer to a file dialog; an empty path cancels.
std::deque<std::string>& FilePlans()
{
    static std::deque<std::string> plans;
    return plans;
}

std::vector<DGFileDialogRecord>& TheFileDialogTranscript()
{
    static std::vector<DGFileDialogRecord> transcript;
    return transcript;
}

}  // namespace

DGUserAction DGUserAction::Click(short item)
{
    DGUserAction action;
    action.kind = Kind::Click;
    action.item = item;
    return action;
}

DGUserAction DGUserAction::SetValue(short item, double value)
{
    DGUserAction action;
    action.kind = Kind::SetValue;
    action.item = item;
    action.value = value;
    return action;
}

DGUserAction DGUserAction::Type(short item, std::string text)
{
    DGUserAction action;
    action.kind = Kind::Type;
    action.item = item;
    action.text = std::move(text);
    return action;
}

DGUserAction DGUserAction::Drag(short item, std::vector<double> values, short trackMessage)
{
    DGUserAction action;
    action.kind = Kind::Drag;
    action.item = item;
    action.values = std::move(values);
    action.trackMessage = trackMessage;
    return action;
}

DGUserAction DGUserAction::Look()
{
    return DGUserAction();
}

DGUserAction DGUserAction::Close(short item)
{
    DGUserAction action;
    action.kind = Kind::Close;
    action.item = item;
    return action;
}

namespace DGScriptedUser {

void Plan(short resourceId, DGUserScript script)
{
    Plans().push_back(PlannedScript{resourceId, std::move(script)});
}

void PlanFilePick(std::string path)
{
    FilePlans().push_back(std::move(path));
}

void PlanFileCancel()
{
    FilePlans().push_back(std::string());
}

const std::vector<DGFileDialogRecord>& FileDialogTranscript()
{
    return TheFileDialogTranscript();
}

void Reset()
{
    Plans().clear();
    TheTranscript().clear();
    FilePlans().clear();
    TheFileDialogTranscript().clear();
}

const std::vector<DGDialogRecord>& Transcript()
{
    return TheTranscript();
}

const DGDialogRecord* LastRecordOf(short resourceId)
{
    const std::vector<DGDialogRecord>& transcript = TheTranscript();
    for (auto record = transcript.rbegin(); record != transcript.rend(); ++record) {
        if (record->resourceId == resourceId)
            return &*record;
    }
    return nullptr;
}

}  // namespace DGScriptedUser

DGUserScript TakePlannedScript(short resourceId)
{
    std::deque<PlannedScript>& plans = Plans();
    for (auto plan = plans.begin(); plan != plans.end(); ++plan) {
        if (plan->resourceId == resourceId || plan->resourceId == DGScriptedUser::AnyDialog) {
            DGUserScript script = std::move(plan->script);
            plans.erase(plan);
            return script;
        }
    }
    return DGUserScript();
}

std::size_t BeginDialogRecord()
{
    TheTranscript().emplace_back();
    return TheTranscript().size() - 1;
}

void StoreDialogRecord(std::size_t slot, DGDialogRecord record)
{
    if (slot < TheTranscript().size())
        TheTranscript()[slot] = std::move(record);
}

std::string TakePlannedFilePick()
{
    if (FilePlans().empty())
        return std::string();
    std::string path = std::move(FilePlans().front());
    FilePlans().pop_front();
    return path;
}

void StoreFileDialogRecord(DGFileDialogRecord record)
{
    TheFileDialogTranscript().push_back(std::move(record));
}
