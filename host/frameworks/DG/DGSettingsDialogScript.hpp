// Host-side: the scripted user's answers to the Zelto add-on's export settings dialog (resource
// 32505), given as NAME=VALUE settings the way the CLI's --set options name them:
//   material-type 1..3       textures, original-textures, lights, cameras, current-camera,
//   unit 1..6 (or m, cm, mm, in, ft, custom)        use-offset: on|off (true|false, yes|no, 1|0)
//   texture-quality N        scale X (typed into the scale field: takes effect with unit 6)
// The settings are played in an order of their own, whatever order they come in: the texture
// choices that enable the quality field (material type 2 or 3, textures on, original-textures off,
// which chooses JPEG) before the quality, those that disable it after; the unit before the scale.
// A setting whose item is disabled when its turn comes (a scale without the custom unit, a
// quality with original textures kept) is refused by the dialog and noted in its record.
#ifndef DG_DGSETTINGSDIALOGSCRIPT_HPP
#define DG_DGSETTINGSDIALOGSCRIPT_HPP

#include <string>
#include <utility>
#include <vector>

#include "DGScriptedUser.hpp"

namespace DGSettingsDialog {

constexpr short ResourceId = 32505;

// The items of dialog 32505 that the settings name.
constexpr short MaterialTypeItem = 6;
constexpr short TexturesItem = 7;
constexpr short OriginalTexturesItem = 8;
constexpr short JpegTexturesItem = 9;
constexpr short QualitySliderItem = 10;
constexpr short QualityEditItem = 11;
constexpr short LightsItem = 13;
constexpr short CamerasItem = 14;
constexpr short CurrentCameraItem = 15;
constexpr short ScaleItem = 18;
constexpr short UnitItem = 19;
constexpr short UseOffsetItem = 21;

// The script for the settings; false, naming the setting in *error, for an unknown name or a
// value the setting cannot take.
GSROOT_DLL_EXPORT bool MakeSettingsScript(const std::vector<std::pair<std::string, std::string>>& settings,
                                          bool confirm, DGUserScript* script, std::string* error);

}  // namespace DGSettingsDialog

// Plans that script for the next settings dialog. Without settings the user just confirms
// (confirm true) or cancels.
GSROOT_DLL_EXPORT bool ScriptSettingsDialog(const std::vector<std::pair<std::string, std::string>>& settings,
                                            bool confirm, std::string* error = nullptr);

#endif
