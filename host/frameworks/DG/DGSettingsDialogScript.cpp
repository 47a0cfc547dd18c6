#include "DGSettingsDialogScript.hpp"

#include <map>

#include "DGOpenDialog.hpp"

namespace DGSettingsDialog {

namespace {

enum class ValueKind { Choice, Switch, TextureFormat, Whole, Real };

// Settings are played by rank. The texture settings that enable the items after them (material
// types 2 and 3, textures on, JPEG textures) come before the quality, those that disable them after.
struct Setting {
    const char* name;
    short item;
    ValueKind kind;
    int choices;      // entries of a Choice
    int enablingRank;
    int disablingRank;
};

constexpr Setting Settings[] = {
    {"material-type", MaterialTypeItem, ValueKind::Choice, 3, 0, 6},
    {"textures", TexturesItem, ValueKind::Switch, 0, 1, 5},
    {"original-textures", OriginalTexturesItem, ValueKind::TextureFormat, 0, 2, 4},
    {"texture-quality", QualityEditItem, ValueKind::Whole, 0, 3, 3},
    {"lights", LightsItem, ValueKind::Switch, 0, 7, 7},
    {"cameras", CamerasItem, ValueKind::Switch, 0, 8, 8},
    {"current-camera", CurrentCameraItem, ValueKind::Switch, 0, 9, 9},
    {"unit", UnitItem, ValueKind::Choice, 6, 10, 10},
    {"scale", ScaleItem, ValueKind::Real, 0, 11, 11},
    {"use-offset", UseOffsetItem, ValueKind::Switch, 0, 12, 12},
};

struct PlannedAction {
    int rank = 0;
    DGUserAction action;
};

const std::map<std::string, int> UnitNames = {{"m", 1}, {"cm", 2}, {"mm", 3}, {"in", 4}, {"ft", 5}, {"custom", 6}};

bool ReadSwitch(const std::string& text, bool* on)
{
    for (const char* word : {"on", "true", "yes", "1"}) {
        if (text == word) {
            *on = true;
            return true;
        }
    }
    for (const char* word : {"off", "false", "no", "0"}) {
        if (text == word) {
            *on = false;
            return true;
        }
    }
    return false;
}

bool ReadChoice(const Setting& setting, const std::string& text, int* choice)
{
    if (setting.item == UnitItem && UnitNames.count(text) != 0) {
        *choice = UnitNames.at(text);
        return true;
    }
    double number = 0.0;
    if (!ReadNumberFieldText(DGItemKind::IntEdit, text, &number) || number < 1 || number > setting.choices)
        return false;
    *choice = static_cast<int>(number);
    return true;
}

// The action for one setting with its rank; false when the value does not suit the setting.
bool MakeAction(const Setting& setting, const std::string& text, PlannedAction* planned)
{
    bool on = false;
    double number = 0.0;
    int choice = 0;
    bool enables = true;
    switch (setting.kind) {
        case ValueKind::Choice:
            if (!ReadChoice(setting, text, &choice))
                return false;
            planned->action = DGUserAction::SetValue(setting.item, choice);
            enables = choice >= 2;
            break;
        case ValueKind::Switch:
            if (!ReadSwitch(text, &on))
                return false;
            planned->action = DGUserAction::SetValue(setting.item, on ? 1 : 0);
            enables = on;
            break;
        case ValueKind::TextureFormat:
            if (!ReadSwitch(text, &on))
                return false;
            planned->action = DGUserAction::Click(on ? OriginalTexturesItem : JpegTexturesItem);
            enables = !on;
            break;
        case ValueKind::Whole:
        case ValueKind::Real:
            if (!ReadNumberFieldText(setting.kind == ValueKind::Whole ? DGItemKind::IntEdit : DGItemKind::RealEdit,
                                     text, &number))
                return false;
            planned->action = DGUserAction::Type(setting.item, text);
            break;
    }
    planned->rank = enables ? setting.enablingRank : setting.disablingRank;
    return true;
}

const Setting* FindSetting(const std::string& name)
{
    for (const Setting& setting : Settings) {
        if (name == setting.name)
            return &setting;
    }
    return nullptr;
}

}  // namespace

bool MakeSettingsScript(const std::vector<std::pair<std::string, std::string>>& settings, bool confirm,
                        DGUserScript* script, std::string* error)
{
    std::map<const Setting*, PlannedAction> actions;  // a setting given twice: the last one counts
    for (const auto& [name, value] : settings) {
        const Setting* setting = FindSetting(name);
        if (setting == nullptr) {
            if (error != nullptr)
                *error = "unknown setting '" + name + "'";
            return false;
        }
        PlannedAction planned;
        if (!MakeAction(*setting, value, &planned)) {
            if (error != nullptr)
                *error = "setting '" + name + "' cannot take the value '" + value + "'";
            return false;
        }
        actions[setting] = planned;
    }
    std::multimap<int, DGUserAction> byRank;
    for (const auto& entry : actions)
        byRank.emplace(entry.second.rank, entry.second.action);
    script->actions.clear();
    for (const auto& entry : byRank)
        script->actions.push_back(entry.second);
    script->confirm = confirm;
    return true;
}

}  // namespace DGSettingsDialog

bool ScriptSettingsDialog(const std::vector<std::pair<std::string, std::string>>& settings, bool confirm,
                          std::string* error)
{
    DGUserScript script;
    if (!DGSettingsDialog::MakeSettingsScript(settings, confirm, &script, error))
        return false;
    DGScriptedUser::Plan(DGSettingsDialog::ResourceId, std::move(script));
    return true;
}
