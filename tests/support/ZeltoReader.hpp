// Independent reader of Zelto export files ("ZLTOBIN"), used by the tests to
// check what the add-on wrote. It shares no code with the add-on on purpose:
// a fault in the writer must not be mirrored by the reader.
//
// Every value is little-endian; bool is one byte 0/1; Real is an IEEE-754
// double; String is an Int32 byte count and that many UTF-8 bytes; AsciiString
// is an Int32 (length + 1) and the bytes with their NUL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zelto_reader {

// Raised for every file that does not follow the format. section() names the
// part of the file being read, offset() the byte where the fault was seen.
class FormatError : public std::runtime_error {
public:
    FormatError(std::string section, std::size_t offset, const std::string& detail);

    const std::string& section() const { return section_; }
    std::size_t offset() const { return offset_; }
    const std::string& detail() const { return detail_; }

private:
    std::string section_;
    std::size_t offset_;
    std::string detail_;
};

// A position in model axis order: x and y horizontal, z the height. The file
// stores points as x, z, y; the reader swaps them back.
struct Point3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct Color {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
};

struct Header {
    std::string marker;        // "ZLTOBIN"
    std::string systemName;    // "Macintosh"
    int32_t formatNumber = 0;  // 20500
    std::string fileName;      // export file name without extension
    std::string projectName;
    std::string addonVersion;  // "2.62"
    bool constantFlags[3] = {false, false, false};  // always 1 1 1
    int32_t unit = 0;
    double scale = 0.0;
    bool direct = false;       // direct export to Cinema 4D
    int32_t apiVersion = 0;    // host API major version the module was built for
};

struct Bounds {
    Point3 min;
    Point3 max;
};

// The two Int32 that open the RGB shader section.
struct MaterialOpener {
    int32_t maxAttributeIndex = 0;
    int32_t materialMode = 0;  // 1 RGB only, 2 + internal shaders, 3 + Cinema 4D shaders
};

struct RgbShader {
    std::size_t offset = 0;
    std::string name;
    int32_t attributeReference = 0;
    int32_t materialType = 0;  // 0 other, 1 attribute, 2 GDL, 3 pen
    Color color;
};

struct Texture {
    std::size_t offset = 0;
    std::string mime;
    std::string name;  // the embedded name other records refer to
    std::size_t dataOffset = 0;  // where the embedded bytes start in the file
    uint32_t dataSize = 0;
    std::vector<uint8_t> data;
};

enum class ParameterType : int32_t {
    Unknown = 0,
    Numeric = 1,
    Text = 2,
    NumericArray = 3,
    TextArray = 4,
};

struct ExtraParameter {
    std::size_t offset = 0;
    std::string name;  // upper-cased by the writer
    ParameterType type = ParameterType::Unknown;
    double number = 0.0;           // Numeric
    std::string text;              // Text
    int32_t rows = 0;              // arrays: dimensions as written
    int32_t columns = 0;
    std::vector<double> numbers;   // NumericArray items, row by row
    std::vector<std::string> texts;  // TextArray items, row by row
    int textureIndex = -1;         // Text naming an embedded texture; -1 otherwise
};

struct InternalShader {
    std::size_t offset = 0;
    bool hasTexture = false;
    // The texture block, meaningful only when hasTexture.
    std::string textureName;
    int textureIndex = -1;  // texture record named by textureName, -1 if none
    double rotationDegrees = 0.0;
    double textureSizeX = 0.0;
    double textureSizeY = 0.0;
    bool bumpMap = false;
    bool transparentPattern = false;
    bool mirroredX = false;
    bool mirroredY = false;
    // Always present.
    double transparency = 0.0;
    double transparencyAttenuation = 0.0;
    double emissionAttenuation = 0.0;
    Color emissionColor;
    double ambientReflection = 0.0;
    double diffuseReflection = 0.0;
    double shining = 0.0;
    double specularReflection = 0.0;
    Color specularColor;
};

struct CinemaShader {
    std::size_t offset = 0;
    std::vector<ExtraParameter> parameters;
};

struct ElementClass {
    std::size_t offset = 0;
    int32_t typeId = 0;
    std::string name;
};

struct Story {
    std::size_t offset = 0;
    int32_t index = 0;
    std::string name;  // numbered form "index. name"
    double elevation = 0.0;
    double height = 0.0;
};

struct Layer {
    std::size_t offset = 0;
    std::string name;
};

// Placement block of objects and lamps. Unlike points, it keeps the model's
// axis order as written: x, y horizontal, z the height.
struct LibraryPartData {
    std::string name;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double angleDegrees = 0.0;
    double sizeA = 0.0;
    double sizeB = 0.0;
    bool flag = false;
    double defaultA = 0.0;
    double defaultB = 0.0;
    double height = 0.0;
    double defaultHeight = 0.0;
    bool hasGeometry = false;
};

struct Element {
    std::size_t offset = 0;
    int32_t layerPosition = 0;  // as written
    int32_t classPosition = 0;
    int32_t storyPosition = 0;
    std::string guid;
    std::optional<LibraryPartData> libraryPart;  // present when "has data" is 1
    // Resolved indices into File::layers / classes / stories; -1 when the
    // section is empty (the writer then writes position 0).
    int layer = -1;
    int elementClass = -1;
    int story = -1;
};

struct TexCoord {
    double u = 0.0;
    double v = 0.0;
};

struct UvwRecord {
    std::size_t offset = 0;
    std::vector<TexCoord> coords;
};

struct Polygon {
    std::size_t offset = 0;
    int32_t materialPosition = 0;  // as written
    int32_t objectNumber = 0;      // index into File::elements
    std::vector<int32_t> pointNumbers;  // indices into File::points
    // Index into File::rgbShaders; -1 for no material, or when the RGB section
    // is absent and the written value is only a model material number - 1.
    int shader = -1;
};

struct Light {
    std::size_t offset = 0;
    int32_t objectNumber = 0;  // index into File::elements
    int32_t typeCode = 0;      // 0, 1 or 2
    std::string name;
    int32_t lightNumber = 0;   // 1-based among the element's lights
    Color color;
    Point3 position;
    Point3 target;
    bool castsShadow = false;
    double attenuation = 0.0;
    double radius = 0.0;
    double coneAngle1 = 0.0;
    double coneAngle2 = 0.0;
    double angleFalloff = 0.0;
    double minDistance = 0.0;
    double maxDistance = 0.0;
    double distanceFalloff = 0.0;
    std::vector<ExtraParameter> parameters;
};

struct CameraSet {
    std::size_t offset = 0;
    std::string name;
};

struct Camera {
    std::size_t offset = 0;
    std::string name;
    int32_t id = 0;     // 0 for the current 3D view, 1.. for camera elements
    std::string guid;   // "{...}" or empty
    Point3 position;
    Point3 target;
    double angle1 = 0.0;
    double angle2 = 0.0;
    int32_t cameraSet = -1;  // index into File::cameraSets, -1 for none
};

// The trailer's fifteen counters, in the order they stand in the file.
struct Counts {
    int32_t rgbShaders = 0;
    int32_t textures = 0;
    int32_t internalShaders = 0;
    int32_t cinemaShaders = 0;
    int32_t classes = 0;
    int32_t stories = 0;
    int32_t layers = 0;
    int32_t objects = 0;
    int32_t points = 0;
    int32_t uvws = 0;
    int32_t normals = 0;
    int32_t polygons = 0;
    int32_t lights = 0;
    int32_t cameraSets = 0;
    int32_t cameras = 0;
};

struct File {
    std::size_t fileSize = 0;
    Header header;
    Bounds bounds;
    std::optional<MaterialOpener> materialOpener;  // absent when the host could not list materials
    std::vector<RgbShader> rgbShaders;
    std::vector<Texture> textures;
    std::vector<InternalShader> internalShaders;
    std::vector<CinemaShader> cinemaShaders;
    std::vector<ElementClass> classes;
    std::vector<Story> stories;
    std::vector<Layer> layers;
    std::vector<Element> elements;
    std::vector<Point3> points;
    std::vector<UvwRecord> uvws;
    std::vector<Polygon> polygons;
    std::vector<Light> lights;
    std::vector<CameraSet> cameraSets;
    std::vector<Camera> cameras;
    Counts counts;
};

constexpr std::size_t kTrailerSize = 60;

File ReadBytes(const std::vector<uint8_t>& bytes);
File ReadFile(const std::string& path);

// Readable multi-line text of a whole file, one record per line.
std::string Dump(const File& file);

}  // namespace zelto_reader
