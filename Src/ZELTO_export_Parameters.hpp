// The export settings record: the export file's format number, the run's identity (direct export
// or save-as, project name) and the settings block that the settings dialog edits and the export
// passes read. The settings block lives in the host's preferences, folder REG_Folder.
#ifndef ZELTO_EXPORT_PARAMETERS_HPP
#define ZELTO_EXPORT_PARAMETERS_HPP

#include "Definitions.hpp"
#include "Location.hpp"

namespace WRL {

// The preference folder of the add-on, and the keys of the settings block in load and save order.
inline constexpr char REG_Folder[] = "Zelto";
inline constexpr char REG_MaterialType[] = "Export Materials Type";
inline constexpr char REG_Textures[] = "Export Textures";
inline constexpr char REG_TexCompress[] = "Export Original Textures";
inline constexpr char REG_TexQuality[] = "Texture Quality";
inline constexpr char REG_Lights[] = "Export Lights";
inline constexpr char REG_Cameras[] = "Export Cameras";
inline constexpr char REG_3Dcameras[] = "Export Current 3D Camera";
inline constexpr char REG_Unit[] = "Export Unit";
inline constexpr char REG_Scale[] = "Export Scale";  // the scale in millionths, as an Int32
inline constexpr char REG_Offset[] = "Use AC offset coords";

// Whether a scale can be exported and stored: a finite number whose stored form (millionths,
// truncated toward zero) is above 0. A smaller one would collapse or mirror the building; one too
// large for the stored form is valid, and only its stored form saturates.
bool IsValidScale(double scale);

class MAParameters {
public:
    // Sets the identity and the defaults, then loads the settings block from the preferences.
    MAParameters(bool direct, const IO::Name& projectName);
    ~MAParameters();

    // Reads the settings block; keys that are absent or unreadable give their defaults, values out
    // of range are brought back into it (a stored scale of 0 or below loads as the default). Always
    // true.
    bool LoadParameters();
    // Writes the settings block, stopping at the first write that fails (which is logged); true only
    // when every value was stored.
    bool SaveParameters() const;
    // The settings block's defaults; the identity fields stay.
    void DefaultParams();

    Int32 formatNumber;
    bool direct;
    IO::Name projectName;

    // The settings block.
    bool exportLights;
    bool exportCameras;
    double scale;
    Int32 materialType;
    bool exportTextures;
    bool exportOriginalTextures;
    Int32 textureQuality;
    bool exportCurrent3DCamera;
    Int32 unit;
    bool useOffset;
};

}  // namespace WRL

#endif
