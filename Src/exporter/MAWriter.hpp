// The writer of one export file ("ZLTOBIN").
//
// It makes the file, writes every value through the little-endian primitives of ExportPrimitives.hpp,
// keeps the record lists that later records refer to, and writes the header and, last, the totals
// trailer. Only the binary form with 8-byte reals, embedded textures and converted strings exists.
//
// The file is written to a temporary file of its own beside the target (see TemporaryLocation and
// PartialExportFile) through one large buffer. After the trailer, CloseFile writes out the buffer and
// closes the file, and Publish renames it over the target, the export's very last step. A writer
// destroyed without a successful Publish removes its temporary file, so a cancel or a failure leaves
// the target as it was.
//
// Errors: construction throws GS::NullPointerException (-50) without a model or settings record and
// GS::OutOfMemoryException (-108) when the file cannot be made. Any write error, a count that does not
// fit the file's Int32 fields, a Real that is not finite and a failed close or rename throw
// GS::GeneralException (-7003) from the call that finds them; the export has then failed.
#ifndef EXPORTER_MAWRITER_HPP
#define EXPORTER_MAWRITER_HPP

#include <memory>
#include <unordered_map>

#include "ACAPinc.h"
#include "AddonVersion.hpp"
#include "CameraSetList.hpp"
#include "Definitions.hpp"
#include "Location.hpp"
#include "MaterialList.hpp"
#include "ModelerAPITypes.hpp"
#include "SceneRecordLists.hpp"
#include "TextureList.hpp"
#include "TotalIndex.hpp"

namespace IO {
class File;
}

namespace ModelerAPI {
class Model;
class ParameterList;
class Parameter;
}

namespace WRL {

class MAParameters;
class ExportOutput;
class PartialExportFile;

class MAWriter {
public:
    // The four mode flags of the format; nothing changes them.
    static constexpr bool binaryMode = true;       // binary form, never the text form
    static constexpr bool doublePrecision = true;  // Real is an 8-byte double
    static constexpr bool embedTextures = true;    // texture bytes go into the export file
    static constexpr bool unicodeText = true;      // String values are converted texts

    // The header's marker, system name and add-on version.
    static constexpr const char* FileMarker = "ZLTOBIN";
    static constexpr const char* SystemName = "Macintosh";
    static constexpr const char* AddonVersion = apiVersion;

    // A String carries at most this many bytes; longer texts are cut at a character boundary.
    static constexpr USize MaxStringBytes = 1023;

    // Makes and opens the temporary export file beside io.fileLoc.
    MAWriter(const API_IOParams& io, MAParameters* parameters, ModelerAPI::Model* model);
    ~MAWriter();
    MAWriter(const MAWriter&) = delete;
    MAWriter& operator=(const MAWriter&) = delete;

    // ---- Frame -------------------------------------------------------------------------------------
    // The header; fileName is the export file's name without its extension.
    void WriteHeader(const char* fileName, const char* projectName);
    // The trailer: fifteen Int32 in the file's order. Throws -7003 when a count exceeds Int32.
    void ExportTotal(const TotalIndex& totals);
    // Writes out what is buffered. On a write error it throws -7003.
    void FlushFile();
    // Writes out what is buffered, hands it to the disk and closes the file. Call once, after the
    // trailer. On any failure it throws -7003; the target keeps what it held before.
    void CloseFile();
    // Puts the closed file at the target. On failure it throws -7003 and the target keeps what it held.
    void Publish();
    // CloseFile, then Publish.
    void Finish();
    bool IsFinished() const { return finished; }

    // The export file's location and the temporary file that is written until Publish.
    const IO::Location& TargetLocation() const { return targetLocation; }
    const IO::Location& TemporaryLocation() const;

    // ---- Primitives --------------------------------------------------------------------------------
    void WriteBool(const bool& value);  // one byte, 0 or 1 whatever the byte behind value holds
    void WriteInt32(Int32 value);
    void WriteUInt32(UInt32 value);
    // A Real that is not finite fails the export (-7003) with a message naming the kind of record it
    // belongs to (record) and the value: nothing but finite Reals ever reaches the file.
    void WriteReal(double value, const char* record);
    // A fixed-width field: count bytes as they are.
    void WriteBytes(const char* bytes, USize count);
    // A fixed-width text field: the text's bytes, cut to width, padded with NUL bytes to width.
    void WriteFixedText(const char* text, USize width);
    // AsciiString: Int32 (strlen + 1), then the bytes and the NUL. A null text counts as empty.
    void WriteBinAscii(const char* s);
    // String: Int32 n, then n bytes of the text in the file's character code (UTF-8), no NUL. A text
    // longer than MaxStringBytes is cut at a character boundary. A null or empty text gives Int32 0.
    void WriteBinUnicode(const char* s);
    // Point: Real x, Real z, Real y (the height axis comes second). Finite values only, as WriteReal.
    void WritePoint(double x, double y, double z, const char* record);

    // ---- Classes, stories and layers -------------------------------------------------------------
    void WriteClass(Int32 typeId, const char* name);
    // height of the highest story: pass 0.0 (the same value goes into StoryData).
    void WriteStory(Int32 index, const char* name, double elevation, double height);
    void WriteLayer(Int32 index, const char* name);

    // Positions among the records written: the first entry with the index, 0 when there is none.
    Int32 LayerPosition(Int32 layerIndex) const { return layers.PositionOf(layerIndex); }
    Int32 ClassPosition(Int32 typeId) const { return classes.PositionOf(typeId); }
    Int32 StoryPosition(Int32 storyIndex) const { return stories.PositionOf(storyIndex); }
    // Elevation of the story record at a position; 0.0 when no story was written.
    double StoryElevation(Int32 storyPosition) const;

    const LayerList& Layers() const { return layers; }
    const ClassList& Classes() const { return classes; }
    const StoryList& Stories() const { return stories; }

    // ---- Element records ---------------------------------------------------------------------------
    // One element record. layer, typeId and story are the element's host values; the record carries
    // their positions. With hasData false the record ends after the has-data byte (fields 6 on are
    // ignored); z is the element's level x scale, the story's elevation is added here.
    void WriteObjects(Int32 layer, Int32 typeId, Int32 story, const API_Guid& guid, const bool& hasData,
                      const char* name, double x, double y, double z, double angle, double sizeA, double sizeB,
                      const bool& flag, double defaultA, double defaultB, double height, double defaultHeight,
                      const bool& hasGeometry);

    // ---- Mesh geometry -----------------------------------------------------------------------------
    // Head of a texture-coordinate record: Int32 vertex count.
    void WriteUvwBegin(Int32 vertexCount);
    // One (u, v) pair; values below 1e-10 in magnitude become 0, in the caller's value too. A null
    // pointer writes (0, 0). last has no effect on the binary record.
    void WriteUvw(bool last, ModelerAPI::TextureCoordinate* uv);
    // Head of a polygon record; material is the host material index - 1, in a type that holds it for
    // every host index. Throws -7003 when the material position the record carries exceeds Int32.
    void WriteCoordIndexParam(Int64 material, Int32 objectIndex, Int32 vertexCount);
    // One file-wide point number of a polygon record. Throws -7003 when it exceeds Int32.
    void WriteCoordIndexPointNumber(Int64 pointNumber);

    // The material pass tells which shader record (its position, sameAs) a model material (1-based
    // index) is written as; the first note for an index counts. The material list holds material
    // numbers in 16 bits, so a material above 32767 is never found by its number: its polygons, like
    // those of a material without a note, carry the host material index - 1.
    void NoteMaterialShaderPosition(Int32 materialIndex, Int32 shaderPosition);

    // ---- Shaders (MAWriter_Materials.cpp) ----------------------------------------------------------
    // One Int32 of the two that open the RGB section.
    void WriteMaterialNum(int value);
    // One RGB shader record for model material materialNumber (1-based); name holds at most 255 bytes.
    // Appends its MatData entry to materials and tells the polygon records its shader position.
    void WriteMaterialRgb(const int& materialNumber, const char* name, const int& attributeReference,
                          const MaterialType& type);
    // One internal shader record. It has a texture block only when textures are exported,
    // textureFileName is not empty and the material's texture was embedded (it has a texture record).
    void WriteMaterialInternal(const int& materialNumber, const char* textureFileName);
    // One Cinema 4D shader record: the material's extra parameters.
    void WriteMaterialCinema4D(const int& materialNumber);
    const MaterialList& Materials() const { return materials; }

    // ---- Extra parameters (ExtraParameterRecord.cpp) -----------------------------------------------
    // One parameter record (see ExtraParameterRecord.hpp); NoTextureKey replaces no value.
    void WriteExtraParameter(const ModelerAPI::Parameter& parameter, const char* textureKey);

    // ---- Textures (MAWriter_Textures.cpp) ----------------------------------------------------------
    // Gives the file its unique name (TextureList::Add), appends its entry and writes its texture
    // record with the handle's bytes. id: the model texture index, or LibraryFileTextureIndex.
    void WriteTexture(const char* mime, const int& id, const char* fileName, char** data);
    // The same with the size bytes of source, a file open for reading at its start, copied into the
    // export in blocks. A read that fails or ends early throws -7003: the record would be incomplete.
    void WriteTextureFile(const char* mime, const int& id, const char* fileName, IO::File& source, UInt32 size);
    // The four fields of one texture record: MIME text in 32 bytes, name, UInt32 size, the bytes.
    void WriteTextureBin(const char* mime, const char* name, char** data);
    // Whether a file of this base name is embedded already (letter case does not count).
    bool CheckTextureName(const char* baseName) const { return textures.HasBaseName(baseName); }
    // The library was searched with this name for the file embedded last (TextureList::NoteSearchedName).
    void NoteSearchedName(const char* searchedName) { textures.NoteSearchedName(searchedName); }
    const TextureList& Textures() const { return textures; }

    // ---- Lights and cameras (MAWriter_Lights.cpp, MAWriter_Cameras.cpp) ---------------------------
    // One light record. Points arrive as X, Y, Z and go out as X, Z, Y; name is cut to 255 bytes.
    // The extra parameters follow as parameter records that replace no value.
    void WriteLight(Int32 objectIndex, Int32 typeCode, const char* name, Int32 lightNumber, double red, double green,
                    double blue, double x, double y, double z, double targetX, double targetY, double targetZ,
                    const bool& castsShadow, double attenuation, double radius, double coneAngle1,
                    double coneAngle2, double angleFalloff, double minDistance, double maxDistance,
                    double distanceFalloff, const ModelerAPI::ParameterList& parameters);
    // One camera-set record; the set's position in CameraSets() is its number in camera records.
    void WriteCameraSets(const API_Guid& guid, const GS::UniString& name);
    // One camera record; its set is named by the position of setGuid among the camera sets written
    // (-1 when absent), its own GUID as "{...}" (the empty text for the null GUID).
    void WriteCamera(const char* name, Int32 id, double x, double y, double z, double targetX, double targetY,
                     double targetZ, double angle1, double angle2, const API_Guid& setGuid, const API_Guid& ownGuid);
    const CameraSetList& CameraSets() const { return cameraSets; }


private:
    void OpenTemporaryFile();
    Int64 MaterialPosition(Int64 material) const;

    API_IOParams ioParams;
    MAParameters* parameters;  // not owned
    ModelerAPI::Model* model;  // not owned
    IO::Location targetLocation;
    // Declared before the output so that the file is closed before the temporary file is removed.
    std::unique_ptr<PartialExportFile> partialFile;
    std::unique_ptr<ExportOutput> output;
    bool finished = false;

    LayerList layers;
    ClassList classes;
    StoryList stories;
    std::unordered_map<Int32, Int32> materialShaderPositions;
    TextureList textures;
    CameraSetList cameraSets;
    MaterialList materials;
};

}  // namespace WRL

#endif
