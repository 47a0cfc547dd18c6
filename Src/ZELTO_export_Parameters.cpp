#include "ZELTO_export_Parameters.hpp"

#include <cmath>
#include <limits>

#include "GSPref.hpp"

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

constexpr Int32 PreferenceDomain = 0;
constexpr Int32 ReadModeDefaultWhenAbsent = 1;

// The preference root for the length of one load or save; closed on every path.
class PreferenceRoot {
public:
    PreferenceRoot()
    {
        if (GSPref::OpenRootKey(PreferenceDomain, &root) != NoError)
            root = nullptr;
    }
    ~PreferenceRoot() { GSPref::CloseRootKey(root); }
    PreferenceRoot(const PreferenceRoot&) = delete;
    PreferenceRoot& operator=(const PreferenceRoot&) = delete;

    bool IsOpen() const { return root != nullptr; }

    // A read that fails leaves the default, whatever the host put at the destination.
    Int32 ReadInt32(const char* key, Int32 defaultValue) const
    {
        Int32 value = defaultValue;
        if (root->ReadInt32(REG_Folder, key, &value, defaultValue, ReadModeDefaultWhenAbsent) != NoError)
            return defaultValue;
        return value;
    }
    bool ReadBool(const char* key, bool defaultValue) const
    {
        bool value = defaultValue;
        if (root->ReadBool(REG_Folder, key, &value, defaultValue, ReadModeDefaultWhenAbsent) != NoError)
            return defaultValue;
        return value;
    }

    bool WriteInt32(const char* key, Int32 value) const { return root->WriteInt32(REG_Folder, key, value) == NoError; }
    bool WriteBool(const char* key, bool value) const { return root->WriteBool(REG_Folder, key, value) == NoError; }

private:
    GSPref::IRoot* root = nullptr;
};

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

double MillionthsToScale(Int32 millionths)
{
    return millionths / MillionthsPerUnit;
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
    materialType = root.ReadInt32(REG_MaterialType, DefaultMaterialType);
    exportTextures = root.ReadBool(REG_Textures, DefaultExportTextures);
    exportOriginalTextures = root.ReadBool(REG_TexCompress, DefaultExportOriginalTextures);
    textureQuality = root.ReadInt32(REG_TexQuality, DefaultTextureQuality);
    exportLights = root.ReadBool(REG_Lights, DefaultExportLights);
    exportCameras = root.ReadBool(REG_Cameras, DefaultExportCameras);
    exportCurrent3DCamera = root.ReadBool(REG_3Dcameras, DefaultExportCurrent3DCamera);
    unit = root.ReadInt32(REG_Unit, DefaultUnit);
    scale = MillionthsToScale(root.ReadInt32(REG_Scale, DefaultScaleMillionths));
    useOffset = root.ReadBool(REG_Offset, DefaultUseOffset);

    materialType = ClampMaterialType(materialType);
    // Values the settings dialog cannot offer fall back to their defaults.
    unit = InRangeOr(unit, MinUnit, MaxUnit, DefaultUnit);
    textureQuality = InRangeOr(textureQuality, MinTextureQuality, MaxTextureQuality, DefaultTextureQuality);
    return true;
}

bool MAParameters::SaveParameters() const
{
    const PreferenceRoot root;
    if (!root.IsOpen())
        return false;
    // In key order; && stops at the first write that fails, so the later keys keep their values.
    return root.WriteInt32(REG_MaterialType, materialType) && root.WriteBool(REG_Textures, exportTextures) &&
           root.WriteBool(REG_TexCompress, exportOriginalTextures) &&
           root.WriteInt32(REG_TexQuality, textureQuality) && root.WriteBool(REG_Lights, exportLights) &&
           root.WriteBool(REG_Cameras, exportCameras) && root.WriteBool(REG_3Dcameras, exportCurrent3DCamera) &&
           root.WriteInt32(REG_Unit, unit) && root.WriteInt32(REG_Scale, ScaleToMillionths(scale)) &&
           root.WriteBool(REG_Offset, useOffset);
}

}  // namespace WRL
