// Round trip of one small scene that holds every kind of record, over every combination of the
// settings that decide which sections there are: material type 1, 2, 3; textures; original
// textures; lights; cameras; the current 3D camera. Each file is read back with the independent
// reader, and every record is compared with what the test computes from the loaded scene itself, at
// a scale of 2.5 with the project offset: positions offset and scaled (Z never offset), lengths
// scaled, the light radius, the distances behind the attenuation and the internal shaders' texture
// sizes unscaled, angles in degrees where the record holds degrees. Every name of an embedded file
// in a shader or parameter record must lead to a texture record.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "HostModel.hpp"
#include "MAExporterTest.hpp"
#include "SceneLoader.hpp"

using engine_test::EngineTest;
using engine_test::Settings;

namespace {

constexpr double Scale = 2.5;
constexpr double DegreesPerRadian = 57.29577951308232;
const std::string FixtureFolder = std::string(ZELTO_TEST_FIXTURES) + "/roundtrip/";

struct Combination {
    Int32 materialType = 1;
    bool textures = false;
    bool originalTextures = false;
    bool lights = false;
    bool cameras = false;
    bool current3DCamera = false;
};

std::string Describe(const Combination& c)
{
    std::ostringstream text;
    text << "material type " << c.materialType << ", textures " << c.textures << ", original textures "
         << c.originalTextures << ", lights " << c.lights << ", cameras " << c.cameras << ", current 3D camera "
         << c.current3DCamera;
    return text.str();
}

std::vector<Combination> AllCombinations()
{
    std::vector<Combination> all;
    for (Int32 materialType = 1; materialType <= 3; ++materialType)
        for (int bits = 0; bits < 32; ++bits)
            all.push_back({materialType, (bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0,
                           (bits & 16) != 0});
    return all;
}

std::vector<uint8_t> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string Text(const GS::UniString& text)
{
    return text.ToCStr(CC_UTF8).Get();
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string GuidText(const API_Guid& guid)
{
    char text[64];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.time_low, guid.time_mid,
                  guid.time_hi_and_version, guid.clock_seq_hi_and_reserved, guid.clock_seq_low, guid.node[0],
                  guid.node[1], guid.node[2], guid.node[3], guid.node[4], guid.node[5]);
    return text;
}

bool SameText(const std::string& left, const std::string& right)
{
    return Upper(left) == Upper(right);
}

// Where the export puts a model position and how it sizes a length.
struct Coordinates {
    API_Coord offset{};
    double X(double x) const { return (x + offset.x) * Scale; }
    double Y(double y) const { return (y + offset.y) * Scale; }
    static double Z(double z) { return z * Scale; }
    static double Length(double length) { return length * Scale; }
};

// A texture record the settings should produce: its MIME text, its embedded name (which is also the
// name it was asked for: no two files of the fixture share a base name), for a library file kept as
// stored the file whose bytes it carries, and for a file found by a parameter's value that value.
struct ExpectedTexture {
    std::string mime;
    std::string name;
    std::string storedFile;
    std::string searchedFor;
};

bool HasBaseName(const std::vector<ExpectedTexture>& textures, const std::string& baseName)
{
    for (const ExpectedTexture& texture : textures)
        if (SameText(texture.name.substr(0, texture.name.rfind('.')), baseName))
            return true;
    return false;
}

// The value without its extension, as the attachment search compares it.
std::string BaseOf(const std::string& value)
{
    const std::size_t dot = value.rfind('.');
    return dot != std::string::npos && value.size() - dot - 1 <= 4 ? value.substr(0, dot) : value;
}

// A library picture that a material parameter names (by file or document name): kept as stored, or
// made a JPEG of the file's own name.
void AddLibraryPicture(std::vector<ExpectedTexture>& textures, const Combination& c, const std::string& value,
                       const std::string& file, const std::string& mime)
{
    if (HasBaseName(textures, BaseOf(value)))
        return;  // a file of that base name is embedded already
    if (c.originalTextures)
        textures.push_back({mime, file, file, value});
    else
        textures.push_back({"image/jpeg", BaseOf(file) + ".jpg", "", value});
}

// What a Cinema 4D shader record carries for a value under the texture key: the first file whose
// base name is the value, else the first whose file name is, else the file that the value's own
// library search embedded; a value none of these names stays as it is.
std::string ExpectedFileValue(const std::vector<ExpectedTexture>& textures, const std::string& value)
{
    for (const ExpectedTexture& texture : textures)
        if (SameText(texture.name.substr(0, texture.name.rfind('.')), value))
            return texture.name;
    for (const ExpectedTexture& texture : textures)
        if (SameText(texture.name, value))
            return texture.name;
    for (const ExpectedTexture& texture : textures)
        if (!texture.searchedFor.empty() && SameText(texture.searchedFor, value))
            return texture.name;
    return value;
}

// The fixture's textures section for a combination, from the rules of the three texture runs.
std::vector<ExpectedTexture> ExpectedTextures(const Combination& c)
{
    std::vector<ExpectedTexture> textures;
    if (c.materialType >= 2 && c.textures) {
        // "Oak" has a library picture of its size; "Tiles" has none.
        if (c.originalTextures)
            textures.push_back({"image/png", "oak.png", "oak.png", ""});
        else
            textures.push_back({"image/jpeg", "Oak.jpg", "", ""});
        textures.push_back({"image/jpeg", "Tiles.jpg", "", ""});
    }
    if (c.materialType == 3) {
        AddLibraryPicture(textures, c, "stone.png", "stone.png", "image/png");
        AddLibraryPicture(textures, c, "oak.png", "oak.png", "image/png");
        AddLibraryPicture(textures, c, "Evening sky", "sky.jpg", "image/jpeg");  // its document name
    }
    if (c.lights) {
        // The invalid element's light and the sun light name files that must stay out.
        textures.push_back({"image/hdri", "dusk.hdr", "dusk.hdr", "dusk.hdr"});
        textures.push_back({"image/ies", "spot.ies", "spot.ies", "spot.ies"});
    }
    return textures;
}

int32_t ExpectedCameraCount(const ZeltoHost::HostProject& project, const Combination& c)
{
    int32_t count = c.current3DCamera ? 1 : 0;
    if (c.cameras)
        for (const ZeltoHost::HostElement& element : project.elements)
            if (element.record.header.typeID == 26)
                ++count;
    return count;
}

bool IsExportedLight(Int32 type)
{
    return type == 9200 || type == 9300 || type == 9400;
}

int32_t LightCode(Int32 type)
{
    return type == 9200 ? 0 : type == 9400 ? 1 : 2;
}

// The class position of a type id: classes are written for 0..10, 37..45 and 47..72.
int32_t ClassPosition(Int32 typeId)
{
    if (typeId >= 0 && typeId <= 10)
        return typeId;
    if (typeId >= 37 && typeId <= 45)
        return typeId - 26;
    if (typeId >= 47 && typeId <= 72)
        return typeId - 27;
    return 0;
}

double ParameterNumber(const ZeltoHost::HostParameterList& parameters, const char* name, double missing)
{
    for (const ZeltoHost::HostParameter& parameter : parameters)
        if (std::strcmp(parameter.record.name, name) == 0)
            return parameter.record.value.real;
    return missing;
}

std::string ParameterText(const ZeltoHost::HostParameterList& parameters, const char* name, const std::string& missing)
{
    for (const ZeltoHost::HostParameter& parameter : parameters)
        if (std::strcmp(parameter.record.name, name) == 0) {
            return Text(GS::UniString(parameter.record.value.uStr));
        }
    return missing;
}

class ExportRoundTripTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        ZeltoHost::HostProject loaded;
        ZeltoHost::HostModel loadedModel;
        std::string error;
        ASSERT_TRUE(ZeltoHost::LoadScene(FixtureFolder + "roundtrip.json", loaded, loadedModel, &error)) << error;
        project = loaded;
        model = loadedModel.Data();
        const API_3DProjectionInfo projection = loadedModel.projection;
        Host().ACAPI_View_Get3DProjectionSets = [projection](API_3DProjectionInfo* into) {
            *into = projection;
            return NoError;
        };
        view = projection;
        at.offset = project.offset;
    }

    void StoreCombination(const Combination& c)
    {
        Settings settings;
        settings.materialType = c.materialType;
        settings.exportTextures = c.textures;
        settings.exportLights = c.lights;
        settings.exportCameras = c.cameras;
        settings.exportCurrent3DCamera = c.current3DCamera;
        settings.scale = Scale;
        settings.useOffset = true;
        Store(settings);
        GSPref::IRoot* root = nullptr;
        ASSERT_EQ(GSPref::OpenRootKey(0, &root), NoError);
        root->WriteBool(WRL::REG_Folder, WRL::REG_TexCompress, c.originalTextures);
        GSPref::CloseRootKey(root);
    }

    // The valid model elements (in the project, not invalid), as 0-based model positions.
    std::vector<std::size_t> ValidElements() const
    {
        std::vector<std::size_t> valid;
        for (std::size_t i = 0; i < model.elements.size(); ++i)
            if (!model.elements[i].invalid && project.FindElement(model.elements[i].guid) != nullptr)
                valid.push_back(i);
        return valid;
    }

    void CheckFrame(const zelto_reader::File& file, const Combination& c) const;
    void CheckStructure(const zelto_reader::File& file) const;
    void CheckElements(const zelto_reader::File& file) const;
    void CheckMesh(const zelto_reader::File& file) const;
    void CheckRgbShaders(const zelto_reader::File& file, const Combination& c) const;
    void CheckTextures(const zelto_reader::File& file, const Combination& c) const;
    void CheckInternalShaders(const zelto_reader::File& file, const Combination& c) const;
    void CheckCinemaShaders(const zelto_reader::File& file, const Combination& c) const;
    void CheckLights(const zelto_reader::File& file, const Combination& c) const;
    void CheckCameras(const zelto_reader::File& file, const Combination& c) const;
    void CheckParameters(const std::vector<zelto_reader::ExtraParameter>& written,
                         const ZeltoHost::ParameterListData& given, const char* textureKey,
                         const std::vector<ExpectedTexture>* replacedFrom) const;

    API_3DProjectionInfo view{};
    Coordinates at;
};

void ExportRoundTripTest::CheckFrame(const zelto_reader::File& file, const Combination& c) const
{
    EXPECT_EQ(file.header.fileName, "House");
    EXPECT_EQ(file.header.projectName, "Villa Project");
    EXPECT_DOUBLE_EQ(file.header.scale, Scale);
    EXPECT_FALSE(file.header.direct);

    // Only vertices that a convex polygon of a valid element names count, whatever its number of
    // corners (the fixture has a two-corner ring that reaches the top of the box).
    zelto_reader::Point3 low{1e11, 1e11, 1e11};
    zelto_reader::Point3 high{-1e11, -1e11, -1e11};
    for (std::size_t e : ValidElements())
        for (const ZeltoHost::BodyData& body : model.elements[e].bodies)
            for (const ZeltoHost::ConvexPolygonData& convex : body.convexPolygons)
                for (UInt32 k = 0; k < convex.cornerCount; ++k) {
                    const ModelerAPI::Vertex& v = body.vertices[body.corners[convex.firstCorner + k] - 1];
                    low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
                    high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
                }
    EXPECT_DOUBLE_EQ(file.bounds.min.x, at.X(low.x));
    EXPECT_DOUBLE_EQ(file.bounds.min.y, at.Y(low.y));
    EXPECT_DOUBLE_EQ(file.bounds.min.z, at.Z(low.z));
    EXPECT_DOUBLE_EQ(file.bounds.max.x, at.X(high.x));
    EXPECT_DOUBLE_EQ(file.bounds.max.y, at.Y(high.y));
    EXPECT_DOUBLE_EQ(file.bounds.max.z, at.Z(high.z));

    // Sections present or absent by the settings.
    const int32_t materials = static_cast<int32_t>(model.materials.size());
    EXPECT_EQ(file.counts.rgbShaders, materials);
    EXPECT_EQ(file.counts.internalShaders, c.materialType >= 2 ? materials : 0);
    EXPECT_EQ(file.counts.cinemaShaders, c.materialType == 3 ? materials : 0);
    EXPECT_EQ(file.counts.textures, static_cast<int32_t>(ExpectedTextures(c).size()));
    EXPECT_EQ(file.counts.normals, 0);
    EXPECT_EQ(file.counts.lights, c.lights ? 3 : 0);
    EXPECT_EQ(file.counts.cameraSets, c.cameras ? 1 : 0);
    EXPECT_EQ(file.counts.cameras, ExpectedCameraCount(project, c));
    // The reader ends on the trailer by itself; the trailer is the file's last 60 bytes.
    EXPECT_EQ(file.fileSize, FileBytes(TargetPath()).size());
}

void ExportRoundTripTest::CheckStructure(const zelto_reader::File& file) const
{
    ASSERT_EQ(file.classes.size(), 46u);
    for (const zelto_reader::ElementClass& elementClass : file.classes)
        EXPECT_EQ(ClassPosition(elementClass.typeId), &elementClass - file.classes.data());

    ASSERT_EQ(file.stories.size(), project.stories.size());
    for (std::size_t i = 0; i < project.stories.size(); ++i) {
        const ZeltoHost::HostStory& story = project.stories[i];
        SCOPED_TRACE("story " + std::to_string(i));
        EXPECT_EQ(file.stories[i].index, story.index);
        EXPECT_EQ(file.stories[i].name, std::to_string(story.index) + ". " + Text(story.name));
        EXPECT_DOUBLE_EQ(file.stories[i].elevation, Coordinates::Z(story.level));
        const double height = i + 1 < project.stories.size() ? project.stories[i + 1].level - story.level : 0.0;
        EXPECT_DOUBLE_EQ(file.stories[i].height, Coordinates::Length(height));
    }

    std::vector<std::string> layers;
    for (const ZeltoHost::HostAttribute& attribute : project.attributes)
        if (attribute.record.header.typeID == 1)
            layers.push_back(attribute.record.header.index == 1 ? "ArchiCAD Layer" : Text(attribute.name));
    ASSERT_EQ(file.layers.size(), layers.size());
    for (std::size_t i = 0; i < layers.size(); ++i)
        EXPECT_EQ(file.layers[i].name, layers[i]);
}

void ExportRoundTripTest::CheckElements(const zelto_reader::File& file) const
{
    const std::vector<std::size_t> valid = ValidElements();
    ASSERT_EQ(file.elements.size(), valid.size());
    for (std::size_t objectNumber = 0; objectNumber < valid.size(); ++objectNumber) {
        const ZeltoHost::ElementData& modelElement = model.elements[valid[objectNumber]];
        const ZeltoHost::HostElement& host = *project.FindElement(modelElement.guid);
        const API_Element& record = host.record;
        const zelto_reader::Element& written = file.elements[objectNumber];
        SCOPED_TRACE("element record " + std::to_string(objectNumber));

        EXPECT_EQ(written.guid, GuidText(modelElement.guid));
        EXPECT_EQ(written.classPosition, ClassPosition(record.header.typeID));
        std::size_t storyPosition = 0;
        for (std::size_t s = 0; s < project.stories.size(); ++s)
            if (project.stories[s].index == record.header.floorInd)
                storyPosition = s;
        EXPECT_EQ(written.storyPosition, static_cast<int32_t>(storyPosition));
        int32_t layerPosition = 0;
        int32_t layerCount = 0;
        for (const ZeltoHost::HostAttribute& attribute : project.attributes)
            if (attribute.record.header.typeID == 1) {
                if (attribute.record.header.index == record.header.layer)
                    layerPosition = layerCount;
                ++layerCount;
            }
        EXPECT_EQ(written.layerPosition, layerPosition);

        const bool libraryPart = record.header.typeID == 6 || record.header.typeID == 7;
        ASSERT_EQ(written.libraryPart.has_value(), libraryPart);
        if (!libraryPart)
            continue;
        const API_ObjectType& object = record.object;
        const ZeltoHost::HostLibPart& part = *project.FindLibPart(object.libInd);
        const zelto_reader::LibraryPartData& data = *written.libraryPart;
        const bool lamp = record.header.typeID == 7;
        EXPECT_EQ(data.name, lamp ? ParameterText(host.parameters, "TAVO_item_no", Text(part.documentName))
                                  : Text(part.documentName));
        EXPECT_DOUBLE_EQ(data.x, at.X(object.pos.x));
        EXPECT_DOUBLE_EQ(data.y, at.Y(object.pos.y));
        EXPECT_DOUBLE_EQ(data.z, Coordinates::Z(object.level) + Coordinates::Z(project.stories[storyPosition].level));
        EXPECT_DOUBLE_EQ(data.angleDegrees, object.angle * DegreesPerRadian);
        EXPECT_DOUBLE_EQ(data.sizeA, Coordinates::Length(object.xRatio));
        EXPECT_DOUBLE_EQ(data.sizeB, Coordinates::Length(object.yRatio));
        EXPECT_EQ(data.flag, object.reflected);
        EXPECT_DOUBLE_EQ(data.defaultA, Coordinates::Length(part.a));
        EXPECT_DOUBLE_EQ(data.defaultB, Coordinates::Length(part.b));
        EXPECT_DOUBLE_EQ(data.height, Coordinates::Length(ParameterNumber(host.parameters, "ZZYZX", 1.0)));
        EXPECT_DOUBLE_EQ(data.defaultHeight, Coordinates::Length(ParameterNumber(part.parameters, "ZZYZX", 1.0)));
        bool hasPolygons = false;
        bool hasVertices = false;
        for (const ZeltoHost::BodyData& body : modelElement.bodies) {
            hasPolygons = hasPolygons || !body.polygons.empty();
            hasVertices = hasVertices || !body.vertices.empty();
        }
        EXPECT_EQ(data.hasGeometry, !lamp || (hasPolygons && hasVertices));
    }
}

void ExportRoundTripTest::CheckMesh(const zelto_reader::File& file) const
{
    std::size_t point = 0;
    std::size_t polygon = 0;
    const std::vector<std::size_t> valid = ValidElements();
    for (std::size_t objectNumber = 0; objectNumber < valid.size(); ++objectNumber) {
        for (const ZeltoHost::BodyData& body : model.elements[valid[objectNumber]].bodies) {
            if (body.polygons.empty() || body.vertices.empty())
                continue;
            const std::size_t base = point;
            for (const ModelerAPI::Vertex& v : body.vertices) {
                ASSERT_LT(point, file.points.size());
                SCOPED_TRACE("point " + std::to_string(point));
                EXPECT_DOUBLE_EQ(file.points[point].x, at.X(v.x));
                EXPECT_DOUBLE_EQ(file.points[point].y, at.Y(v.y));
                EXPECT_DOUBLE_EQ(file.points[point].z, Coordinates::Z(v.z));
                ++point;
            }
            for (const ZeltoHost::PolygonData& p : body.polygons)
                for (UInt32 k = 0; k < p.convexCount; ++k) {
                    const ZeltoHost::ConvexPolygonData& convex = body.convexPolygons[p.firstConvex + k];
                    if (convex.cornerCount < 3)
                        continue;
                    ASSERT_LT(polygon, file.polygons.size());
                    SCOPED_TRACE("polygon " + std::to_string(polygon));
                    const zelto_reader::Polygon& written = file.polygons[polygon];
                    EXPECT_EQ(written.objectNumber, static_cast<int32_t>(objectNumber));
                    EXPECT_EQ(written.materialPosition, p.materialIndex - 1);  // no two materials merge
                    ASSERT_EQ(written.pointNumbers.size(), convex.cornerCount);
                    ASSERT_EQ(file.uvws[polygon].coords.size(), convex.cornerCount);
                    for (UInt32 corner = 0; corner < convex.cornerCount; ++corner) {
                        const Int32 vertex = body.corners[convex.firstCorner + corner];
                        EXPECT_EQ(written.pointNumbers[corner], static_cast<int32_t>(base) + vertex - 1);
                        ModelerAPI::TextureCoordinate uv;
                        if (!body.textureCoordinates.empty())
                            uv = body.textureCoordinates[static_cast<std::size_t>(vertex - 1)];
                        EXPECT_DOUBLE_EQ(file.uvws[polygon].coords[corner].u, std::abs(uv.u) < 1e-10 ? 0.0 : uv.u);
                        EXPECT_DOUBLE_EQ(file.uvws[polygon].coords[corner].v, std::abs(uv.v) < 1e-10 ? 0.0 : uv.v);
                    }
                    ++polygon;
                }
        }
    }
    EXPECT_EQ(file.points.size(), point);
    EXPECT_EQ(file.polygons.size(), polygon);
    EXPECT_EQ(file.uvws.size(), polygon);
}

void ExportRoundTripTest::CheckRgbShaders(const zelto_reader::File& file, const Combination& c) const
{
    ASSERT_TRUE(file.materialOpener.has_value());
    EXPECT_EQ(file.materialOpener->maxAttributeIndex, 9);
    EXPECT_EQ(file.materialOpener->materialMode, c.materialType);
    // An attribute's material takes its name, a GDL material loses the text before its first "_", a
    // pen material names its pen.
    const struct {
        const char* name;
        int32_t reference;
        int32_t type;
    } expected[] = {{"Oak - Natural", 7, 1}, {"GDLM_Metal", 0, 2}, {"PEN_MATERIAL5", -5, 3}};
    ASSERT_EQ(file.rgbShaders.size(), model.materials.size());
    for (std::size_t i = 0; i < model.materials.size(); ++i) {
        SCOPED_TRACE("RGB shader " + std::to_string(i));
        const zelto_reader::RgbShader& written = file.rgbShaders[i];
        EXPECT_EQ(written.name, expected[i].name);
        EXPECT_EQ(written.attributeReference, expected[i].reference);
        EXPECT_EQ(written.materialType, expected[i].type);
        EXPECT_DOUBLE_EQ(written.color.red, model.materials[i].surfaceColor.red);
        EXPECT_DOUBLE_EQ(written.color.green, model.materials[i].surfaceColor.green);
        EXPECT_DOUBLE_EQ(written.color.blue, model.materials[i].surfaceColor.blue);
    }
}

void ExportRoundTripTest::CheckTextures(const zelto_reader::File& file, const Combination& c) const
{
    const std::vector<ExpectedTexture> expected = ExpectedTextures(c);
    ASSERT_EQ(file.textures.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("texture " + std::to_string(i) + " " + expected[i].name);
        const zelto_reader::Texture& written = file.textures[i];
        EXPECT_EQ(written.mime, expected[i].mime);
        EXPECT_EQ(written.name, expected[i].name);
        if (!expected[i].storedFile.empty()) {
            EXPECT_EQ(written.data, FileBytes(FixtureFolder + expected[i].storedFile));
        } else {
            ASSERT_GE(written.data.size(), 2u);
            EXPECT_EQ(written.data[0], 0xFF);  // a JPEG made by the add-on
            EXPECT_EQ(written.data[1], 0xD8);
        }
    }
}

void ExportRoundTripTest::CheckInternalShaders(const zelto_reader::File& file, const Combination& c) const
{
    if (c.materialType < 2) {
        EXPECT_TRUE(file.internalShaders.empty());
        return;
    }
    ASSERT_EQ(file.internalShaders.size(), model.materials.size());
    for (std::size_t i = 0; i < model.materials.size(); ++i) {
        SCOPED_TRACE("internal shader " + std::to_string(i));
        const ZeltoHost::MaterialData& material = model.materials[i];
        const zelto_reader::InternalShader& written = file.internalShaders[i];
        const bool textured = c.textures && material.textureIndex > 0 &&
                              static_cast<std::size_t>(material.textureIndex) <= model.textures.size();
        ASSERT_EQ(written.hasTexture, textured);
        if (textured) {
            const ZeltoHost::TextureData& texture = model.textures[static_cast<std::size_t>(material.textureIndex - 1)];
            EXPECT_GE(written.textureIndex, 0) << written.textureName << " names no texture record";
            EXPECT_EQ(written.textureName, ExpectedTextures(c)[static_cast<std::size_t>(material.textureIndex - 1)].name);
            EXPECT_DOUBLE_EQ(written.rotationDegrees, material.textureRotationAngle * DegreesPerRadian);
            EXPECT_DOUBLE_EQ(written.textureSizeX, texture.xSize);  // unscaled
            EXPECT_DOUBLE_EQ(written.textureSizeY, texture.ySize);
            EXPECT_EQ(written.bumpMap, texture.bumpMapPattern);
            EXPECT_EQ(written.transparentPattern, texture.transparentPattern);
            EXPECT_EQ(written.mirroredX, texture.mirroredInX);
            EXPECT_EQ(written.mirroredY, texture.mirroredInY);
        }
        EXPECT_DOUBLE_EQ(written.transparency, material.transparency);
        EXPECT_DOUBLE_EQ(written.transparencyAttenuation, material.transparencyAttenuation);
        EXPECT_DOUBLE_EQ(written.emissionAttenuation, material.emissionAttenuation);
        EXPECT_DOUBLE_EQ(written.emissionColor.red, material.emissionColor.red);
        EXPECT_DOUBLE_EQ(written.emissionColor.green, material.emissionColor.green);
        EXPECT_DOUBLE_EQ(written.emissionColor.blue, material.emissionColor.blue);
        EXPECT_DOUBLE_EQ(written.ambientReflection, material.ambientReflection);
        EXPECT_DOUBLE_EQ(written.diffuseReflection, material.diffuseReflection);
        EXPECT_DOUBLE_EQ(written.shining, material.shining);
        EXPECT_DOUBLE_EQ(written.specularReflection, material.specularReflection);
        EXPECT_DOUBLE_EQ(written.specularColor.red, material.specularColor.red);
        EXPECT_DOUBLE_EQ(written.specularColor.green, material.specularColor.green);
        EXPECT_DOUBLE_EQ(written.specularColor.blue, material.specularColor.blue);
    }
}

// Names upper-cased, type codes and payloads as given. A text under the key is replaced from the
// embedded files when replacedFrom is given (materials); otherwise (lights, whose records replace
// nothing) it stays as it is and must itself name a texture record.
void ExportRoundTripTest::CheckParameters(const std::vector<zelto_reader::ExtraParameter>& written,
                                          const ZeltoHost::ParameterListData& given, const char* textureKey,
                                          const std::vector<ExpectedTexture>* replacedFrom) const
{
    ASSERT_EQ(written.size(), given.size());
    for (std::size_t i = 0; i < given.size(); ++i) {
        const ZeltoHost::ParameterData& parameter = given[i];
        const zelto_reader::ExtraParameter& record = written[i];
        SCOPED_TRACE("parameter " + Text(parameter.name));
        EXPECT_EQ(record.name, Upper(Text(parameter.name)));
        int32_t code = 0;
        if (!parameter.isArray && (parameter.type == 1 || parameter.type == 2))
            code = parameter.type;
        if (parameter.isArray && (parameter.type == 3 || parameter.type == 4))
            code = parameter.type;
        ASSERT_EQ(static_cast<int32_t>(record.type), code);
        switch (code) {
            case 1:
                EXPECT_DOUBLE_EQ(record.number, parameter.number);
                break;
            case 2:
                if (Upper(Text(parameter.name)).find(textureKey) == std::string::npos) {
                    EXPECT_EQ(record.text, Text(parameter.text));
                } else if (replacedFrom != nullptr) {
                    EXPECT_EQ(record.text, ExpectedFileValue(*replacedFrom, Text(parameter.text)));
                } else {
                    EXPECT_EQ(record.text, Text(parameter.text));
                    EXPECT_GE(record.textureIndex, 0) << "\"" << record.text << "\" names no texture record";
                }
                break;
            case 3:
                EXPECT_EQ(record.rows, parameter.dimension1);
                EXPECT_EQ(record.columns, parameter.dimension2);
                EXPECT_EQ(record.numbers, parameter.numbers);
                break;
            case 4: {
                std::vector<std::string> texts;  // never replaced
                for (const GS::UniString& text : parameter.texts)
                    texts.push_back(Text(text));
                EXPECT_EQ(record.texts, texts);
                break;
            }
            default:
                break;
        }
    }
}

void ExportRoundTripTest::CheckCinemaShaders(const zelto_reader::File& file, const Combination& c) const
{
    if (c.materialType != 3) {
        EXPECT_TRUE(file.cinemaShaders.empty());
        return;
    }
    ASSERT_EQ(file.cinemaShaders.size(), model.materials.size());
    const std::vector<ExpectedTexture> textures = ExpectedTextures(c);
    for (std::size_t i = 0; i < model.materials.size(); ++i) {
        SCOPED_TRACE("Cinema 4D shader " + std::to_string(i));
        CheckParameters(file.cinemaShaders[i].parameters, model.materials[i].extraParameters, "C4D_SHIMAGE_FILE",
                        &textures);
    }
}

void ExportRoundTripTest::CheckLights(const zelto_reader::File& file, const Combination& c) const
{
    if (!c.lights) {
        EXPECT_TRUE(file.lights.empty());
        return;
    }
    std::size_t next = 0;
    const std::vector<std::size_t> valid = ValidElements();
    for (std::size_t objectNumber = 0; objectNumber < valid.size(); ++objectNumber) {
        const std::vector<ZeltoHost::LightData>& lights = model.elements[valid[objectNumber]].lights;
        for (std::size_t j = 0; j < lights.size(); ++j) {
            const ZeltoHost::LightData& light = lights[j];
            if (!IsExportedLight(light.type))
                continue;
            ASSERT_LT(next, file.lights.size());
            SCOPED_TRACE("light record " + std::to_string(next));
            const zelto_reader::Light& written = file.lights[next++];
            EXPECT_EQ(written.objectNumber, static_cast<int32_t>(objectNumber));
            EXPECT_EQ(written.typeCode, LightCode(light.type));
            EXPECT_EQ(written.name, "Light");
            EXPECT_EQ(written.lightNumber, static_cast<int32_t>(j + 1));
            EXPECT_DOUBLE_EQ(written.color.red, light.color.red);
            EXPECT_DOUBLE_EQ(written.color.green, light.color.green);
            EXPECT_DOUBLE_EQ(written.color.blue, light.color.blue);
            const ModelerAPI::Vertex& p = light.position;
            const ModelerAPI::Vector& d = light.direction;
            EXPECT_DOUBLE_EQ(written.position.x, at.X(p.x));
            EXPECT_DOUBLE_EQ(written.position.y, at.Y(p.y));
            EXPECT_DOUBLE_EQ(written.position.z, Coordinates::Z(p.z));
            EXPECT_DOUBLE_EQ(written.target.x, at.X(p.x + d.x * light.maxDistance));
            EXPECT_DOUBLE_EQ(written.target.y, at.Y(p.y + d.y * light.maxDistance));
            EXPECT_DOUBLE_EQ(written.target.z, Coordinates::Z(p.z + d.z * light.maxDistance));
            EXPECT_EQ(written.castsShadow, light.castsShadow);
            const double attenuation =
                1.0 / (((light.maxDistance - light.minDistance) * 0.5 - light.minDistance) * light.distanceFalloff + 1.0);
            EXPECT_DOUBLE_EQ(written.attenuation, attenuation);
            EXPECT_DOUBLE_EQ(written.radius, light.radius);  // unscaled
            EXPECT_DOUBLE_EQ(written.coneAngle1, 2.0 * light.falloffAngle1 * DegreesPerRadian);
            EXPECT_DOUBLE_EQ(written.coneAngle2, 2.0 * light.falloffAngle2 * DegreesPerRadian);
            EXPECT_DOUBLE_EQ(written.angleFalloff, light.angleFalloff);
            EXPECT_DOUBLE_EQ(written.minDistance, Coordinates::Length(light.minDistance));
            EXPECT_DOUBLE_EQ(written.maxDistance, Coordinates::Length(light.maxDistance));
            EXPECT_DOUBLE_EQ(written.distanceFalloff, light.distanceFalloff);
            CheckParameters(written.parameters, light.extraParameters, "C4D_PHO_FILE", nullptr);
        }
    }
    EXPECT_EQ(file.lights.size(), next);
}

void ExportRoundTripTest::CheckCameras(const zelto_reader::File& file, const Combination& c) const
{
    std::vector<API_Guid> sets;
    for (const ZeltoHost::HostElement& element : project.elements)
        if (c.cameras && element.record.header.typeID == 27)
            sets.push_back(element.record.header.guid);
    ASSERT_EQ(file.cameraSets.size(), sets.size());
    for (std::size_t i = 0; i < sets.size(); ++i)
        EXPECT_EQ(file.cameraSets[i].name, Text(GS::UniString(project.FindElement(sets[i])->record.camset.name)));

    ASSERT_EQ(file.cameras.size(), static_cast<std::size_t>(ExpectedCameraCount(project, c)));
    std::size_t next = 0;
    // The current view's angles go out as the host holds them, the camera elements' in degrees.
    const auto checkCamera = [&](const API_PerspPars& persp, double angleFactor) {
        const zelto_reader::Camera& written = file.cameras[next];
        EXPECT_DOUBLE_EQ(written.position.x, at.X(persp.pos.x));
        EXPECT_DOUBLE_EQ(written.position.y, at.Y(persp.pos.y));
        EXPECT_DOUBLE_EQ(written.position.z, Coordinates::Z(persp.cameraZ));
        EXPECT_DOUBLE_EQ(written.target.x, at.X(persp.target.x));
        EXPECT_DOUBLE_EQ(written.target.y, at.Y(persp.target.y));
        EXPECT_DOUBLE_EQ(written.target.z, Coordinates::Z(persp.targetZ));
        EXPECT_DOUBLE_EQ(written.angle1, persp.viewCone * angleFactor);
        EXPECT_DOUBLE_EQ(written.angle2, persp.rollAngle * angleFactor);
    };
    if (c.current3DCamera) {
        SCOPED_TRACE("current-view camera");
        checkCamera(view.u_persp, 1.0);
        EXPECT_EQ(file.cameras[next].name, "3D View Camera");
        EXPECT_EQ(file.cameras[next].id, 0);
        EXPECT_EQ(file.cameras[next].guid, "");
        EXPECT_EQ(file.cameras[next].cameraSet, -1);
        ++next;
    }
    if (!c.cameras)
        return;
    int32_t id = 0;
    for (const ZeltoHost::HostElement& element : project.elements) {
        if (element.record.header.typeID != 26)
            continue;
        SCOPED_TRACE("camera " + std::to_string(next));
        checkCamera(element.record.camera.persp, DegreesPerRadian);
        EXPECT_EQ(file.cameras[next].name, "Camera");
        EXPECT_EQ(file.cameras[next].id, ++id);
        EXPECT_EQ(file.cameras[next].guid, GuidText(element.record.header.guid));
        const auto set = std::find(sets.begin(), sets.end(), element.record.camera.camSetGuid);
        EXPECT_EQ(file.cameras[next].cameraSet, set == sets.end() ? -1 : static_cast<int32_t>(set - sets.begin()));
        ++next;
    }
}

}  // namespace

TEST_F(ExportRoundTripTest, EveryRecordOfEverySettingReadsBackAsTheSceneHoldsIt)
{
    for (const Combination& c : AllCombinations()) {
        SCOPED_TRACE(Describe(c));
        StoreCombination(c);
        zelto_reader::File file;
        try {
            file = Export();
        } catch (const std::exception& failure) {
            ADD_FAILURE() << failure.what();
            continue;
        }
        CheckFrame(file, c);
        CheckStructure(file);
        CheckElements(file);
        CheckMesh(file);
        CheckRgbShaders(file, c);
        CheckTextures(file, c);
        CheckInternalShaders(file, c);
        CheckCinemaShaders(file, c);
        CheckLights(file, c);
        CheckCameras(file, c);
    }
}
