#include "ZELTO_export_Parameters.hpp"

#include <cmath>
#include <limits>

#include "HostNames.hpp"
#include "LogHelpers.hpp"
#include "ZELTO_export_PreferenceRoot.hpp"

namespace WRL {

namespace {

constexpr Int32 FormatNumber = 20500;

constexpr bool DefaultExportLights = false;
constexpr bool DefaultExportCameras = false;
constexpr double DefaultScale = 100.0;
constexpr Int32 DefaultMaterialType = 2;
constexpr bool DefaultExportTextures = true;
constexpr bool DefaultExportOriginalTextures = true;
constexpr Int32 DefaultTextureQuality = 90;
constexpr bool DefaultExportCurrent3DCamera = false;
constexpr Int32 DefaultUnit = 2;
constexpr bool DefaultUseOffset = false;

constexpr double MillionthsPerUnit = 1000000.0;
constexpr Int32 DefaultScaleMillionths = 100000000;

constexpr Int32 MinMaterialType = 1;
constexpr Int32 MaxMaterialType = 3;
constexpr Int32 MinUnit = 1;
constexpr Int32 MaxUnit = 6;
constexpr Int32 MinTextureQuality = 1;
constexpr Int32 MaxTextureQuality = 100;

// Reads that fail leave the default, whatever the host put at the destination.
Int32 ReadInt32(const PreferenceRoot& root, const char* key, Int32 defaultValue)
{
    Int32 value = defaultValue;
    if (root->ReadInt32(REG_Folder, key, &value, defaultValue, PreferenceRoot::ReadModeDefaultWhenAbsent) != NoError)
        return defaultValue;
    return value;
}

bool ReadBool(const PreferenceRoot& root, const char* key, bool defaultValue)
{
    bool value = defaultValue;
    if (root->ReadBool(REG_Folder, key, &value, defaultValue, PreferenceRoot::ReadModeDefaultWhenAbsent) != NoError)
        return defaultValue;
    return value;
}

bool Stored(GSErrCode written, const char* key)
{
    if (written == NoError)
        return true;
    LogMessageError("Zelto_export:: Cannot store the export setting \"%s\" #%s\n", key, ErrID_To_Name(written));
    return false;
}

bool WriteInt32(const PreferenceRoot& root, const char* key, Int32 value)
{
    return Stored(root->WriteInt32(REG_Folder, key, value), key);
}

bool WriteBool(const PreferenceRoot& root, const char* key, bool value)
{
    return Stored(root->WriteBool(REG_Folder, key, value), key);
}

// The scale's stored form: millionths truncated toward zero. Scales beyond the Int32 range are
// stored as its nearest limit; a scale that is not a number has no stored form and is stored as
// the default scale.
Int32 ScaleToMillionths(double scale)
{
    if (std::isnan(scale))
        return DefaultScaleMillionths;
    const double millionths = std::trunc(scale * MillionthsPerUnit);
    if (millionths >= static_cast<double>(std::numeric_limits<Int32>::max()))
        return std::numeric_limits<Int32>::max();
    if (millionths <= static_cast<double>(std::numeric_limits<Int32>::min()))
        return std::numeric_limits<Int32>::min();
    return static_cast<Int32>(millionths);
}

// A stored scale of 0 or below would collapse or mirror the building: it loads as the default.
double MillionthsToScale(Int32 millionths)
{
    return millionths > 0 ? millionths / MillionthsPerUnit : DefaultScale;
}

Int32 ClampMaterialType(Int32 materialType)
{
    if (materialType < MinMaterialType)
        return MinMaterialType;
    if (materialType > MaxMaterialType)
        return MaxMaterialType;
    return materialType;
}

Int32 InRangeOr(Int32 value, Int32 min, Int32 max, Int32 fallback)
{
    return (value >= min && value <= max) ? value : fallback;
}

}  // namespace

bool IsValidScale(double scale)
{
    return std::isfinite(scale) && ScaleToMillionths(scale) > 0;
}

MAParameters::MAParameters(bool direct, const IO::Name& projectName)
    : formatNumber(FormatNumber), direct(direct), projectName(projectName)
{
    DefaultParams();
    LoadParameters();
}

MAParameters::~MAParameters() = default;

void MAParameters::DefaultParams()
{
    exportLights = DefaultExportLights;
    exportCameras = DefaultExportCameras;
    scale = DefaultScale;
    materialType = DefaultMaterialType;
    exportTextures = DefaultExportTextures;
    exportOriginalTextures = DefaultExportOriginalTextures;
    textureQuality = DefaultTextureQuality;
    exportCurrent3DCamera = DefaultExportCurrent3DCamera;
    unit = DefaultUnit;
    useOffset = DefaultUseOffset;
}

bool MAParameters::LoadParameters()
{
    const PreferenceRoot root;
    if (!root.IsOpen()) {
        DefaultParams();
        return true;
    }
    materialType = ReadInt32(root, REG_MaterialType, DefaultMaterialType);
    exportTextures = ReadBool(root, REG_Textures, DefaultExportTextures);
    exportOriginalTextures = ReadBool(root, REG_TexCompress, DefaultExportOriginalTextures);
    textureQuality = ReadInt32(root, REG_TexQuality, DefaultTextureQuality);
    exportLights = ReadBool(root, REG_Lights, DefaultExportLights);
    exportCameras = ReadBool(root, REG_Cameras, DefaultExportCameras);
    exportCurrent3DCamera = ReadBool(root, REG_3Dcameras, DefaultExportCurrent3DCamera);
    unit = ReadInt32(root, REG_Unit, DefaultUnit);
    scale = MillionthsToScale(ReadInt32(root, REG_Scale, DefaultScaleMillionths));
    useOffset = ReadBool(root, REG_Offset, DefaultUseOffset);

    materialType = ClampMaterialType(materialType);
    // Values the settings dialog cannot offer fall back to their defaults.
    unit = InRangeOr(unit, MinUnit, MaxUnit, DefaultUnit);
    textureQuality = InRangeOr(textureQuality, MinTextureQuality, MaxTextureQuality, DefaultTextureQuality);
    return true;
}

bool MAParameters::SaveParameters() const
{
    const PreferenceRoot root;
    if (!root.IsOpen()) {
        LogMessageError("Zelto_export:: Cannot open the preferences to store the export settings\n");
        return false;
    }
    // In key order; && stops at the first write that fails, so the later keys keep their values.
    return WriteInt32(root, REG_MaterialType, materialType) && WriteBool(root, REG_Textures, exportTextures) &&
           WriteBool(root, REG_TexCompress, exportOriginalTextures) &&
           WriteInt32(root, REG_TexQuality, textureQuality) && WriteBool(root, REG_Lights, exportLights) &&
           WriteBool(root, REG_Cameras, exportCameras) && WriteBool(root, REG_3Dcameras, exportCurrent3DCamera) &&
           WriteInt32(root, REG_Unit, unit) && WriteInt32(root, REG_Scale, ScaleToMillionths(scale)) &&
           WriteBool(root, REG_Offset, useOffset);
}

}  // namespace WRL
