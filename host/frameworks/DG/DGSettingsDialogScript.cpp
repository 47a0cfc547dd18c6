#include "DGSettingsDialogScript.hpp"

#include <map>

#include "DGOpenDialog.hpp"

namespace DGSettingsDialog {

namespace {

enum class ValueKind { Choice, Switch, TextureFormat, Whole, Real };

struct Setting {
    const char* name;
    short item;
    ValueKind kind;
    int choices;  // entries of a Choice
};

// In playing order.
constexpr Setting Settings[] = {
    {"material-type", MaterialTypeItem, ValueKind::Choice, 3},
    {"textures", TexturesItem, ValueKind::Switch, 0},
    {"original-textures", OriginalTexturesItem, ValueKind::TextureFormat, 0},
    {"texture-quality", QualityEditItem, ValueKind::Whole, 0},
    {"lights", LightsItem, ValueKind::Switch, 0},
    {"cameras", CamerasItem, ValueKind::Switch, 0},
    {"current-camera", CurrentCameraItem, ValueKind::Switch, 0},
    {"unit", UnitItem, ValueKind::Choice, 6},
    {"scale", ScaleItem, ValueKind::Real, 0},
    {"use-offset", UseOffsetItem, ValueKind::Switch, 0},
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

// The action for one setting; false when the value does not suit it.
bool MakeAction(const Setting& setting, const std::string& text, DGUserAction* action)
{
    bool on = false;
    double number = 0.0;
    int choice = 0;
    switch (setting.kind) {
        case ValueKind::Choice:
            if (!ReadChoice(setting, text, &choice))
                return false;
            *action = DGUserAction::SetValue(setting.item, choice);
            return true;
        case ValueKind::Switch:
            if (!ReadSwitch(text, &on))
                return false;
            *action = DGUserAction::SetValue(setting.item, on ? 1 : 0);
            return true;
        case ValueKind::TextureFormat:
            if (!ReadSwitch(text, &on))
                return false;
            *action = DGUserAction::Click(on ? OriginalTexturesItem : JpegTexturesItem);
            return true;
        case ValueKind::Whole:
        case ValueKind::Real:
            if (!ReadNumberFieldText(setting.kind == ValueKind::Whole ? DGItemKind::IntEdit : DGItemKind::RealEdit,
                                     text, &number))
                return false;
            *action = DGUserAction::Type(setting.item, text);
            return true;
    }
    return false;
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
    std::map<const Setting*, DGUserAction> actions;  // a setting given twice: the last one counts
    for (const auto& [name, value] : settings) {
        const Setting* setting = FindSetting(name);
        if (setting == nullptr) {
            if (error != nullptr)
                *error = "unknown setting '" + name + "'";
            return false;
        }
        DGUserAction action;
        if (!MakeAction(*setting, value, &action)) {
            if (error != nullptr)
                *error = "setting '" + name + "' cannot take the value '" + value + "'";
            return false;
        }
        actions[setting] = action;
    }
    script->actions.clear();
    for (const Setting& setting : Settings) {
        const auto action = actions.find(&setting);
        if (action != actions.end())
            script->actions.push_back(action->second);
    }
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
