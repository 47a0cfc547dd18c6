#include "ZELTO_export_Dialog.hpp"

#include <cstdio>

#include "ACAPinc.h"
#include "AddonVersion.hpp"
#include "BrowserHelpers.hpp"
#include "EnvironmentWrappers.hpp"
#include "LogHelpers.hpp"
#include "RS.hpp"
#include "ZELTO_export_Resources.hpp"

namespace {

namespace Item {
constexpr short OK = 1;
constexpr short Cancel = 2;
constexpr short Reset = 3;
constexpr short MaterialType = 6;
constexpr short Textures = 7;
constexpr short OriginalTextures = 8;
constexpr short JpegTextures = 9;
constexpr short QualitySlider = 10;
constexpr short QualityEdit = 11;
constexpr short Lights = 13;
constexpr short Cameras = 14;
constexpr short Current3DCamera = 15;
constexpr short Scale = 18;
constexpr short Unit = 19;
constexpr short UseOffset = 21;
constexpr short FirstWebLink = 22;  // 22 to 25, the version text (23) among them
constexpr short VersionText = 23;
constexpr short LastWebLink = 25;
}  // namespace Item

constexpr Int32 MinMaterialType = 1;
constexpr Int32 MaxMaterialType = 3;
constexpr Int32 MinTextureQuality = 1;
constexpr Int32 MaxTextureQuality = 100;
constexpr Int32 CustomUnit = 6;

constexpr Int32 ResetMaterialType = 2;
constexpr Int32 ResetTextureQuality = 90;
constexpr Int32 ResetUnit = 2;
constexpr double ResetScale = 100.0;

// Scales below 9.9999, taken in single precision, are worth a warning; 9.9999 itself is not.
constexpr double UnitWarningThreshold = static_cast<double>(9.9999f);

constexpr char VersionFormat[] = "'Zelto Export Add-on v.%s'";
constexpr int VersionTextSize = 256;
constexpr char MakerWebSite[] = "https://zelto.example";

// Units 1 to 5: export units per metre, and whether choosing the unit deserves the warning.
struct FixedUnit {
    double factor;
    bool warns;
};
constexpr FixedUnit FixedUnits[] = {
    {1.0, true},                 // metre
    {100.0, false},              // centimetre
    {1000.0, false},             // millimetre
    {39.37007874015748, false},  // inch: 1 / 0.0254
    {3.280839895013123, true},   // foot: 1 / 0.3048
};

bool IsFixedUnit(Int32 unit)
{
    return unit >= 1 && unit <= 5;
}

const FixedUnit& FixedUnitOf(Int32 unit)
{
    return FixedUnits[unit - 1];
}

Int32 Clamped(Int32 value, Int32 min, Int32 max)
{
    return value < min ? min : value > max ? max : value;
}

// A unit that the dialog does not offer is shown as the custom one, so that its scale is kept.
Int32 OfferedUnit(Int32 unit)
{
    return unit >= 1 && unit <= CustomUnit ? unit : CustomUnit;
}

bool IsOn(short dialog, short item)
{
    return DGGetItemValLong(dialog, item) != 0;
}

void SetSwitch(short dialog, short item, bool on)
{
    DGSetItemValLong(dialog, item, on ? 1 : 0);
}

bool IsPerspective3DView()
{
    // A failed read leaves the zeroed record, which reads as a parallel view.
    API_3DProjectionInfo projection{};
    Environment::Get3DProjectionSets(&projection);
    return projection.isPersp;
}

// ---- Enabling rules, always from the items' current values -------------------------------------

bool TexturesAreExported(short dialog)
{
    return DGGetItemValLong(dialog, Item::MaterialType) >= 2 && IsOn(dialog, Item::Textures);
}

void EnableQualityItems(short dialog)
{
    const bool enabled = TexturesAreExported(dialog) && IsOn(dialog, Item::JpegTextures);
    DGSetItemEnable(dialog, Item::QualityEdit, enabled);
    DGSetItemEnable(dialog, Item::QualitySlider, enabled);
}

void EnableTextureFormatItems(short dialog)
{
    const bool enabled = TexturesAreExported(dialog);
    DGSetItemEnable(dialog, Item::OriginalTextures, enabled);
    DGSetItemEnable(dialog, Item::JpegTextures, enabled);
}

void EnableTextureItems(short dialog)
{
    EnableQualityItems(dialog);
    EnableTextureFormatItems(dialog);
    DGSetItemEnable(dialog, Item::Textures, DGGetItemValLong(dialog, Item::MaterialType) > 1);
}

void EnableCurrentCameraItem(short dialog)
{
    DGSetItemEnable(dialog, Item::Current3DCamera, IsPerspective3DView());
}

void EnableScaleItem(short dialog)
{
    DGSetItemEnable(dialog, Item::Scale, DGGetItemValLong(dialog, Item::Unit) == CustomUnit);
}

// ---- Items and settings -------------------------------------------------------------------------

void ShowVersionText(short dialog)
{
    char text[VersionTextSize];
    std::snprintf(text, sizeof text, VersionFormat, WRL::apiVersion);
    DGSetItemText(dialog, Item::VersionText, GS::UniString(text, CC_Default));
}

void ShowTextureQuality(short dialog, Int32 quality)
{
    const Int32 shown = Clamped(quality, MinTextureQuality, MaxTextureQuality);
    DGSetItemValLong(dialog, Item::QualitySlider, shown);
    DGSetItemValLong(dialog, Item::QualityEdit, shown);
}

void ShowSettings(short dialog, const WRL::MAParameters& settings)
{
    DGSetItemValLong(dialog, Item::MaterialType, Clamped(settings.materialType, MinMaterialType, MaxMaterialType));
    SetSwitch(dialog, Item::Textures, settings.exportTextures);
    SetSwitch(dialog, Item::OriginalTextures, settings.exportOriginalTextures);
    SetSwitch(dialog, Item::JpegTextures, !settings.exportOriginalTextures);
    ShowTextureQuality(dialog, settings.textureQuality);
    SetSwitch(dialog, Item::Lights, settings.exportLights);
    SetSwitch(dialog, Item::Cameras, settings.exportCameras);
    SetSwitch(dialog, Item::Current3DCamera, settings.exportCurrent3DCamera);
    SetSwitch(dialog, Item::UseOffset, settings.useOffset);
    DGSetItemValLong(dialog, Item::Unit, OfferedUnit(settings.unit));
}

// For units 1 to 5 the scale is the unit's factor; the custom unit takes the scale typed in.
double ScaleOfItems(short dialog)
{
    const Int32 unit = DGGetItemValLong(dialog, Item::Unit);
    return IsFixedUnit(unit) ? FixedUnitOf(unit).factor : DGGetItemValDouble(dialog, Item::Scale);
}

// Every item goes back, so that what the dialog showed is what is exported and stored.
void CopyItemsToSettings(short dialog, WRL::MAParameters& settings)
{
    settings.materialType = Clamped(DGGetItemValLong(dialog, Item::MaterialType), MinMaterialType, MaxMaterialType);
    settings.exportTextures = IsOn(dialog, Item::Textures);
    settings.exportOriginalTextures = IsOn(dialog, Item::OriginalTextures);
    settings.textureQuality =
        Clamped(DGGetItemValLong(dialog, Item::QualityEdit), MinTextureQuality, MaxTextureQuality);
    settings.exportLights = IsOn(dialog, Item::Lights);
    settings.exportCameras = IsOn(dialog, Item::Cameras);
    settings.exportCurrent3DCamera = IsOn(dialog, Item::Current3DCamera);
    settings.unit = OfferedUnit(DGGetItemValLong(dialog, Item::Unit));
    settings.scale = ScaleOfItems(dialog);
    settings.useOffset = IsOn(dialog, Item::UseOffset);
}

void ResetItems(short dialog)
{
    DGSetItemValLong(dialog, Item::MaterialType, ResetMaterialType);
    SetSwitch(dialog, Item::Textures, true);
    SetSwitch(dialog, Item::OriginalTextures, true);
    SetSwitch(dialog, Item::JpegTextures, false);
    ShowTextureQuality(dialog, ResetTextureQuality);
    SetSwitch(dialog, Item::Lights, false);
    SetSwitch(dialog, Item::Cameras, false);
    SetSwitch(dialog, Item::Current3DCamera, false);
    DGSetItemValDouble(dialog, Item::Scale, ResetScale);
    DGSetItemValLong(dialog, Item::Unit, ResetUnit);
    SetSwitch(dialog, Item::UseOffset, false);
    EnableTextureItems(dialog);
    EnableCurrentCameraItem(dialog);
    DGSetItemEnable(dialog, Item::Scale, false);
}

// Tells the user why OK did not close the dialog.
void AlertScaleNotPositive()
{
    DGAlertWarning(WRL::ReadResourceString(WRL::LocalizedCommentStringTable, WRL::DialogTitle),
                   WRL::ReadResourceString(WRL::LocalizedCommentStringTable, WRL::ScaleNotPositive));
}

void ChangeUnit(short dialog)
{
    const Int32 unit = DGGetItemValLong(dialog, Item::Unit);
    DGSetItemEnable(dialog, Item::Scale, unit == CustomUnit);
    if (!IsFixedUnit(unit))
        return;
    if (FixedUnitOf(unit).warns)
        UnitWarningDialog();
    DGSetItemValDouble(dialog, Item::Scale, FixedUnitOf(unit).factor);
}

// ---- Messages -----------------------------------------------------------------------------------

short HandleOpen(short dialog, const WRL::MAParameters* settings)
{
    DGEnableMessage(dialog, 0, 0, false);
    ShowVersionText(dialog);
    if (settings != nullptr)
        ShowSettings(dialog, *settings);
    EnableTextureItems(dialog);
    EnableCurrentCameraItem(dialog);
    EnableScaleItem(dialog);
    if (settings != nullptr) {
        const Int32 unit = OfferedUnit(settings->unit);
        DGSetItemValDouble(dialog, Item::Scale, IsFixedUnit(unit) ? FixedUnitOf(unit).factor : settings->scale);
    }
    return 0;
}

void HandleChange(short dialog, short item)
{
    switch (item) {
        case Item::MaterialType:
            EnableTextureItems(dialog);
            break;
        case Item::Textures:
            EnableQualityItems(dialog);
            EnableTextureFormatItems(dialog);
            break;
        case Item::OriginalTextures:
        case Item::JpegTextures:
            EnableQualityItems(dialog);
            break;
        case Item::QualitySlider:
            DGSetItemValLong(dialog, Item::QualityEdit, DGGetItemValLong(dialog, Item::QualitySlider));
            break;
        case Item::QualityEdit:
            DGSetItemValLong(dialog, Item::QualitySlider, DGGetItemValLong(dialog, Item::QualityEdit));
            break;
        case Item::Scale:
            if (DGGetItemValDouble(dialog, Item::Scale) < UnitWarningThreshold)
                UnitWarningDialog();
            break;
        case Item::Unit:
            ChangeUnit(dialog);
            break;
        default:
            break;
    }
}

short HandleClick(short dialog, short item)
{
    if (item == Item::Reset) {
        ResetItems(dialog);
        return 0;
    }
    if (item >= Item::FirstWebLink && item <= Item::LastWebLink) {
        RunBrowser(GS::UniString(MakerWebSite));
        return 0;
    }
    if (item == Item::OK) {
        // A scale of 0 or below (or one whose stored form is 0) would collapse or mirror the
        // building: the user is told so, and the dialog stays open for a correction.
        if (!WRL::IsValidScale(ScaleOfItems(dialog))) {
            AlertScaleNotPositive();
            return 0;
        }
        return Item::OK;
    }
    return item == Item::Cancel ? Item::Cancel : 0;
}

short HandleClose(short dialog, short item, WRL::MAParameters* settings)
{
    if (item == Item::OK && settings != nullptr)
        CopyItemsToSettings(dialog, *settings);
    return item;
}

}  // namespace

namespace WRL {

MADialog::MADialog(MAParameters* parameters) : parameters(parameters) {}

MADialog::~MADialog() = default;

bool MADialog::Savepanel()
{
    return Confirm() && parameters->SaveParameters();
}

bool MADialog::Confirm()
{
    if (parameters == nullptr)
        return false;
    DGResetDialogRectangles();
    const GSResModule resources = ACAPI_GetOwnResModule();
    const short result = DGModalDialog(resources, static_cast<short>(SettingsDialogId), resources, SaveWindow_Handler,
                                       reinterpret_cast<DGUserData>(parameters));
    return result == Item::OK;
}

}  // namespace WRL

short SaveWindow_Handler(short message, short dialog, short item, DGUserData userData, DGMessageData /*msgData*/)
{
    WRL::MAParameters* settings = reinterpret_cast<WRL::MAParameters*>(userData);
    try {
        switch (message) {
            case DG_MSG_INIT:
                return HandleOpen(dialog, settings);
            case DG_MSG_CHANGE:
                HandleChange(dialog, item);
                return HandleClick(dialog, item);
            case DG_MSG_CLICK:
                return HandleClick(dialog, item);
            case DG_MSG_TRACK:
            case DG_MSG_SPINTRACK:
                DGSetItemValLong(dialog, Item::QualityEdit, DGGetItemValLong(dialog, Item::QualitySlider));
                return 0;
            case DG_MSG_CLOSE:
                return HandleClose(dialog, item, settings);
            default:
                return 0;
        }
    } catch (...) {
        // Nothing may reach the host's dialog manager; a failed step leaves the dialog as it is.
        return message == DG_MSG_CLOSE ? item : 0;
    }
}

void UnitWarningDialog()
{
    const GSResModule resources = ACAPI_GetOwnResModule();
    GS::UniString message;
    GS::UniString title;
    RSGetIndString(&message, static_cast<GSResID>(WRL::LocalizedCommentStringTable), WRL::UnitWarning, resources, 0);
    RSGetIndString(&title, static_cast<GSResID>(WRL::LocalizedCommentStringTable), WRL::DialogTitle, resources, 0);
    DGAlertInfo(title.ToCStr(CC_Default).Get(), message.ToCStr(CC_Default).Get());
}
