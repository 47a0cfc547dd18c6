// Scene files: the fixture house.json as the host's project and 3D model, and the errors the
// loader gives for bad scene files (with the JSON pointer of the bad value).
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <gtest/gtest.h>

#include "GSException.hpp"
#include "HostModel.hpp"
#include "HostProject.hpp"
#include "HostRecordTexts.hpp"
#include "ModelerAPI.hpp"
#include "SceneLoader.hpp"
#include "common/ModelReadingTest.hpp"
#include "common/TemporaryFolder.hpp"
#include "common/TestPictures.hpp"

namespace {

using ModelerAPI::AttributeIndex;
using ModelerAPI::CoordinateSystem;

const std::string fixtureFolder = std::string(ZELTO_TEST_FIXTURES) + "/scene";

API_Guid FixtureGuid(UInt8 last)
{
    API_Guid guid = APINULLGuid;
    guid.time_low = 0x11111111;
    guid.node[5] = last;
    return guid;
}

class SceneLoaderTest : public ModelReadingTest {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(ZeltoHost::LoadScene(fixtureFolder + "/house.json", project, host, &error)) << error;
        GS::SharedPtr<Modeler::Sight> sight = host.Sight();
        ASSERT_EQ(EXPGetModel(sight, &model, nullptr), NoError);
    }

    std::vector<ModelerAPI::Texture::ARGBPixel> PixelsOf(const ModelerAPI::Texture& texture) const
    {
        std::vector<ModelerAPI::Texture::ARGBPixel> pixels(static_cast<std::size_t>(texture.GetPixelMapSize()));
        texture.GetPixelMap(pixels.data());
        return pixels;
    }

    ZeltoHost::HostProject project;
    ZeltoHost::HostModel host;
};

TEST_F(SceneLoaderTest, ModelElementsCarryTheirBodiesPolygonsAndLights)
{
    ASSERT_EQ(model.GetElementCount(), 4);
    EXPECT_TRUE(ElementAt(1).GetElemGuid() == FixtureGuid(1));
    EXPECT_TRUE(ElementAt(3).GetElemGuid() == FixtureGuid(3));  // written in braces
    EXPECT_TRUE(ElementAt(4).IsInvalid());
    EXPECT_FALSE(ElementAt(1).IsInvalid());

    const ModelerAPI::MeshBody wall = BodyAt(1, 1);
    EXPECT_EQ(wall.GetVertexCount(), 5);
    ASSERT_EQ(wall.GetPolygonCount(), 2);
    ModelerAPI::Polygon square;
    wall.GetPolygon(1, &square);
    ASSERT_EQ(square.GetConvexPolygonCount(), 2);
    ModelerAPI::ConvexPolygon second;
    square.GetConvexPolygon(2, &second);
    ASSERT_EQ(second.GetVertexCount(), 3);
    EXPECT_EQ(second.GetVertexIndex(1), 1);
    EXPECT_EQ(second.GetVertexIndex(3), 4);
    AttributeIndex material;
    square.GetMaterialIndex(material);
    EXPECT_EQ(material.GetIndex(), 1);

    ModelerAPI::Vertex corner;
    wall.GetVertex(3, &corner, CoordinateSystem::World);
    ModelerAPI::TextureCoordinate uv;
    square.GetTextureCoordinate(&corner, &uv);
    EXPECT_DOUBLE_EQ(uv.u, 1.0);
    EXPECT_DOUBLE_EQ(uv.v, 0.75);

    // The planned fault: texture coordinates of the wall's second polygon.
    ModelerAPI::Polygon sliver;
    wall.GetPolygon(2, &sliver);
    EXPECT_EQ(sliver.GetConvexPolygonCount(), 1);
    wall.GetVertex(1, &corner, CoordinateSystem::World);
    try {
        sliver.GetTextureCoordinate(&corner, &uv);
        ADD_FAILURE() << "the planned fault did not happen";
    } catch (const GS::GSException& exception) {
        EXPECT_EQ(exception.GetErrorCode(), -5);
    }

    ModelerAPI::Vertex local;
    BodyAt(2, 1).GetVertex(2, &local, CoordinateSystem::ElemLocal);
    EXPECT_DOUBLE_EQ(local.x, 0.5);
    EXPECT_DOUBLE_EQ(local.z, 0.0);

    const ModelerAPI::Element lamp = ElementAt(3);
    ASSERT_EQ(lamp.GetLightCount(), 2);
    ModelerAPI::Light spot;
    lamp.GetLight(1, &spot);
    EXPECT_EQ(spot.GetType(), ModelerAPI::Light::SpotLight);
    EXPECT_DOUBLE_EQ(spot.GetColor().blue, 0.8);
    EXPECT_DOUBLE_EQ(spot.GetPosition(CoordinateSystem::World).z, 2.5);
    EXPECT_DOUBLE_EQ(spot.GetDirection(CoordinateSystem::World).z, -1.0);
    EXPECT_DOUBLE_EQ(spot.GetMaxDistance(), 8.0);
    EXPECT_TRUE(spot.CastsShadow());
    EXPECT_DOUBLE_EQ(spot.GetFalloffAngle2(), 0.6);
    ModelerAPI::ParameterList parameters;
    spot.GetExtraParameters(&parameters);
    ASSERT_EQ(parameters.GetParameterCount(), 2);
    ModelerAPI::Parameter visible;
    parameters.GetParameter(2, &visible);
    EXPECT_EQ(static_cast<Int32>(visible.GetType()), 5);
    EXPECT_FALSE(visible.IsArray());
    ModelerAPI::Light other;
    lamp.GetLight(2, &other);
    EXPECT_EQ(static_cast<Int32>(other.GetType()), 9999);
}

TEST_F(SceneLoaderTest, MaterialsAndTexturesComeWithTheirPictures)
{
    ASSERT_EQ(model.GetMaterialCount(), 2);
    ModelerAPI::Material oak;
    model.GetMaterial(AttributeIndex(AttributeIndex::MaterialIndex, 2, -2), &oak);
    EXPECT_EQ(oak.GetName(), GS::UniString("GDLM12_Oak"));
    EXPECT_DOUBLE_EQ(oak.GetShining(), 25.0);
    EXPECT_DOUBLE_EQ(oak.GetSpecularColor().green, 1.0);
    AttributeIndex texture;
    oak.GetTextureIndex(texture);
    EXPECT_TRUE(texture.IsValid());
    EXPECT_EQ(texture.GetIndex(), 1);
    ModelerAPI::ParameterList parameters;
    oak.GetExtraParameters(&parameters);
    ModelerAPI::Parameter layers;
    parameters.GetParameter(1, &layers);
    EXPECT_EQ(layers.GetType(), ModelerAPI::Parameter::StringArrayType);
    Int32 d1 = 0;
    Int32 d2 = 0;
    layers.GetArrayDimensions(d1, d2);
    EXPECT_EQ(d1, 2);
    EXPECT_EQ(d2, 0);

    ASSERT_EQ(model.GetTextureCount(), 2);
    const ModelerAPI::Texture checker = TextureAt(1);
    EXPECT_EQ(checker.GetName(), GS::UniString("Checker"));
    EXPECT_DOUBLE_EQ(checker.GetXSize(), 2.0);
    EXPECT_DOUBLE_EQ(checker.GetYSize(), 1.5);
    EXPECT_TRUE(checker.IsMirroredInX());
    ASSERT_EQ(checker.GetPixelMapXSize(), 2);
    ASSERT_EQ(checker.GetPixelMapYSize(), 2);
    const auto pixels = PixelsOf(checker);
    const auto* bytes = reinterpret_cast<const UInt8*>(pixels.data());
    // Top row: opaque red, half-transparent green; bottom row: opaque blue, transparent white.
    EXPECT_EQ(std::vector<UInt8>(bytes, bytes + 16),
              (std::vector<UInt8>{255, 255, 0, 0, 128, 0, 255, 0, 255, 0, 0, 255, 0, 255, 255, 255}));

    const ModelerAPI::Texture grey = TextureAt(2);
    EXPECT_EQ(grey.GetName(), GS::UniString("grey"));  // from the picture's file name
    ASSERT_EQ(grey.GetPixelMapXSize(), 3);
    ASSERT_EQ(grey.GetPixelMapYSize(), 2);
    for (const ModelerAPI::Texture::ARGBPixel& pixel : PixelsOf(grey)) {
        EXPECT_EQ(pixel.alpha, 255);
        EXPECT_NEAR(pixel.red, 128, 2);
        EXPECT_NEAR(pixel.blue, 128, 2);
    }
}

TEST_F(SceneLoaderTest, ProjectHoldsInfoStoriesAttributesAndLibraryParts)
{
    IO::Name projectFile;
    ASSERT_EQ(project.info.location.GetLastLocalName(&projectFile), NoError);
    EXPECT_EQ(projectFile.ToUtf8(), "House.pln");
    EXPECT_TRUE(project.info.teamLocation.IsEmpty());
    EXPECT_DOUBLE_EQ(project.offset.x, 100.0);
    EXPECT_DOUBLE_EQ(project.offset.y, 200.0);
    EXPECT_EQ(project.currentWindow, APIWind_FloorPlanID);
    ASSERT_EQ(project.specialFolders.count(6), 1u);
    EXPECT_EQ(project.specialFolders.at(6).ToUtf8Path(), fixtureFolder + "/out/direct");
    EXPECT_EQ(project.specialFolders.at(7).ToUtf8Path(), "/tmp/zelto-update");

    ASSERT_EQ(project.stories.size(), 3u);
    EXPECT_EQ(project.stories[0].index, -1);
    EXPECT_DOUBLE_EQ(project.stories[0].level, -3.0);
    EXPECT_EQ(project.stories[1].name, GS::UniString("Ground floor"));
    EXPECT_TRUE(project.stories[2].name.IsEmpty());

    const ZeltoHost::HostAttribute* walls = project.FindAttribute(1, 4);
    ASSERT_NE(walls, nullptr);
    EXPECT_EQ(walls->name, GS::UniString("Walls"));
    EXPECT_TRUE(walls->record.layer.hidden);
    const ZeltoHost::HostAttribute* brick = project.FindAttribute(5, 3);
    ASSERT_NE(brick, nullptr);
    EXPECT_DOUBLE_EQ(brick->record.material.surfaceRed, 0.8);

    ASSERT_EQ(project.libParts.size(), 3u);
    const ZeltoHost::HostLibPart& chair = project.libParts[0];
    EXPECT_EQ(chair.documentName, GS::UniString("Chair"));
    EXPECT_EQ(chair.fileName, GS::UniString("Chair.gsm"));
    EXPECT_DOUBLE_EQ(chair.a, 0.5);
    ASSERT_EQ(chair.parameters.size(), 2u);
    EXPECT_STREQ(chair.parameters[0].record.name, "ZZYZX");
    EXPECT_DOUBLE_EQ(chair.parameters[0].record.value.real, 0.9);
    EXPECT_EQ(chair.parameters[1].record.typeID, 5);
    EXPECT_EQ(chair.parameters[1].record.flags, 64);
    const ZeltoHost::HostParameter& grid = project.libParts[1].parameters[1];
    EXPECT_NE(grid.record.typeMod, 0);
    EXPECT_EQ(grid.record.dim1, 2);
    EXPECT_EQ(grid.record.dim2, 2);
    EXPECT_EQ(grid.arrayItems.size(), 4 * sizeof(double));
    const ZeltoHost::HostLibPart& picture = project.libParts[2];
    EXPECT_EQ(picture.typeID, 11);
    EXPECT_EQ(picture.location.ToUtf8Path(), fixtureFolder + "/checker.png");
    EXPECT_EQ(picture.fileName, GS::UniString("checker.png"));

    EXPECT_EQ(project.elementTypeNames.at(7), GS::UniString("Lamp"));
    EXPECT_TRUE(host.projection.isPersp);
    EXPECT_DOUBLE_EQ(host.projection.u_persp.viewCone, 1.2);
    EXPECT_DOUBLE_EQ(host.projection.u_persp.target.y, 2.0);
    EXPECT_TRUE(host.hasSight);
}

TEST_F(SceneLoaderTest, ProjectElementsMatchTheModelByGuid)
{
    ASSERT_EQ(project.elements.size(), 5u);
    for (Int32 i = 1; i <= 3; ++i)
        EXPECT_NE(project.FindElement(ElementAt(i).GetElemGuid()), nullptr) << i;
    EXPECT_EQ(project.FindElement(ElementAt(4).GetElemGuid()), nullptr);

    const ZeltoHost::HostElement* chair = project.FindElement(FixtureGuid(2));
    ASSERT_NE(chair, nullptr);
    const API_ObjectType& object = chair->record.object;
    EXPECT_EQ(object.head.typeID, 6);
    EXPECT_EQ(object.head.floorInd, 1);
    EXPECT_EQ(object.head.layer, 1);
    EXPECT_EQ(object.libInd, 1);
    EXPECT_DOUBLE_EQ(object.pos.x, 2.0);
    EXPECT_DOUBLE_EQ(object.level, 0.5);
    EXPECT_DOUBLE_EQ(object.angle, 1.5707963267948966);
    EXPECT_DOUBLE_EQ(object.xRatio, 0.5);
    EXPECT_DOUBLE_EQ(object.yRatio, 0.7);
    EXPECT_TRUE(object.reflected);
    EXPECT_FALSE(object.useObjSectAttrs);
    ASSERT_EQ(chair->parameters.size(), 1u);
    EXPECT_DOUBLE_EQ(chair->parameters[0].record.value.real, 1.1);

    const ZeltoHost::HostElement* lamp = project.FindElement(FixtureGuid(3));
    ASSERT_NE(lamp, nullptr);
    EXPECT_EQ(ZeltoHost::ReadUnits(lamp->parameters[0].record.value.uStr), GS::UniString("12-A"));

    const ZeltoHost::HostElement* set = project.FindElement(FixtureGuid(0x10));
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(ZeltoHost::ReadUnits(set->record.camset.name), GS::UniString("Walk through"));
    EXPECT_TRUE(set->record.camset.activeCameraGuid == FixtureGuid(0x11));
    const ZeltoHost::HostElement* camera = project.FindElement(FixtureGuid(0x11));
    ASSERT_NE(camera, nullptr);
    EXPECT_TRUE(camera->record.camera.camSetGuid == FixtureGuid(0x10));
    EXPECT_DOUBLE_EQ(camera->record.camera.persp.rollAngle, 0.25);
    EXPECT_DOUBLE_EQ(camera->record.camera.persp.pos.y, -10.0);
}

TEST(SceneLoaderErrorTest, BadValuesAreNamedByTheirJsonPointer)
{
    const std::string guid = "\"11111111-0000-0000-0000-000000000001\"";
    struct Case {
        const char* what;
        std::string text;
        std::string message;  // what the error must contain after "inline.json: "
    };
    const std::vector<Case> cases = {
        {"syntax", "{\"model\": [", "not valid JSON at line 1, column 11: syntax error"},
        {"empty text", "", "not valid JSON at line 1, column 1: syntax error"},
        {"end of input after a newline", "[1,\n", "not valid JSON at line 1, column 4: syntax error"},
        {"syntax on a later line", "{\n  \"model\": {\n    \"elements\": [1,, 2]\n}}",
         "not valid JSON at line 3, column 20: syntax error"},
        {"number beyond a double", "{\"model\": {\"materials\": [{\"surfaceColor\": [1e999, 0, 0]}]}}",
         "not valid JSON at line 1, column 48: number overflow parsing '1e999'"},
        {"negative number beyond a double", "{\"project\": {\"offset\": [0, -1e400]}}",
         "not valid JSON at line 1, column 33: number overflow parsing '-1e400'"},
        {"root", "[]", "/: expected an object"},
        {"unknown member", "{\"modle\": {}}", "/modle: unknown member"},
        {"format", "{\"format\": {\"name\": \"zelto-scene\", \"version\": 2}}", "/format/version: this host reads"},
        {"guid", "{\"model\": {\"elements\": [{\"guid\": \"1234\"}]}}", "/model/elements/0/guid: expected a GUID"},
        {"missing guid", "{\"model\": {\"elements\": [{}]}}", "/model/elements/0: missing member \"guid\""},
        {"vertex", "{\"model\": {\"elements\": [{\"guid\": " + guid +
                       ", \"bodies\": [{\"vertices\": [[0, 0, 0], [1, \"x\", 0]]}]}]}}",
         "/model/elements/0/bodies/0/vertices/1/1: expected a number"},
        {"corner", "{\"model\": {\"elements\": [{\"guid\": " + guid +
                       ", \"bodies\": [{\"vertices\": [[0, 0, 0]], \"polygons\": [{\"corners\": [1, 2]}]}]}]}}",
         "/model/elements/0/bodies/0/polygons/0/corners/1: a corner names a vertex of the body, 1 to 1"},
        {"polygon without corners", "{\"model\": {\"elements\": [{\"guid\": " + guid +
                       ", \"bodies\": [{\"vertices\": [], \"polygons\": [{\"material\": 1}]}]}]}}",
         "/model/elements/0/bodies/0/polygons/0: a polygon needs either"},
        {"texture coordinates", "{\"model\": {\"elements\": [{\"guid\": " + guid +
                       ", \"bodies\": [{\"vertices\": [[0, 0, 0]], \"textureCoordinates\": []}]}]}}",
         "/model/elements/0/bodies/0/textureCoordinates: texture coordinates come one per vertex"},
        {"light type", "{\"model\": {\"elements\": [{\"guid\": " + guid + ", \"lights\": [{\"type\": \"laser\"}]}]}}",
         "/model/elements/0/lights/0/type: expected a light type"},
        {"parameter", "{\"model\": {\"materials\": [{\"parameters\": [{\"name\": \"x\", \"number\": 1, \"text\": \"y\"}]}]}}",
         "/model/materials/0/parameters/0: a parameter holds one of"},
        {"ragged array", "{\"model\": {\"materials\": [{\"parameters\": [{\"name\": \"x\", \"numbers\": [[1, 2], [3]]}]}]}}",
         "/model/materials/0/parameters/0/numbers/1: every row of an array needs the same number of items"},
        {"picture", "{\"model\": {\"textures\": [{\"image\": \"missing.png\"}]}}",
         "/model/textures/0/image: cannot open the picture file"},
        {"not a picture", "{\"model\": {\"textures\": [{\"image\": \"house.json\"}]}}",
         "/model/textures/0/image: the picture file"},
        {"fault", "{\"model\": {\"faults\": [{\"read\": \"polygons\"}]}}", "/model/faults/0/read: not a model read"},
        {"whole number", "{\"project\": {\"layers\": [{\"index\": 1.5, \"name\": \"x\"}]}}",
         "/project/layers/0/index: expected a whole number"},
        {"stories", "{\"project\": {\"stories\": [{\"index\": 0}, {\"index\": 2}]}}",
         "/project/stories/1/index: stories come lowest first, with consecutive indices"},
        {"library part index", "{\"project\": {\"libraryParts\": [{\"index\": 2}]}}",
         "/project/libraryParts/0/index: library parts are numbered from 1"},
        {"same guid", "{\"project\": {\"elements\": [{\"guid\": " + guid + ", \"type\": 1}, {\"guid\": " + guid +
                          ", \"type\": 2}]}}",
         "/project/elements/1/guid: two elements of the project have this GUID"},
        {"special folder", "{\"project\": {\"specialFolders\": {\"direct\": \"/tmp\"}}}",
         "/project/specialFolders/direct: the member name must be a whole number"},
        {"pointer escaping", "{\"project\": {\"elementTypeNames\": {\"6\": 7}}}",
         "/project/elementTypeNames/6: expected a string"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ZeltoHost::HostProject project;
        ZeltoHost::HostModel model;
        std::string error;
        EXPECT_FALSE(ZeltoHost::LoadSceneText(c.text, fixtureFolder, "inline.json", project, model, &error));
        EXPECT_EQ(error.rfind("inline.json: ", 0), 0u) << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
}

namespace {

void PutBigEndian32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
}

// A real PNG whose header claims another size (the header's checksum made to match).
std::string PngClaiming(std::uint32_t width, std::uint32_t height)
{
    std::string bytes = TestPictures::EncodePng(TestPictures::MakeGradient(2, 2, false));
    PutBigEndian32(bytes, 16, width);  // IHDR: length, "IHDR", width, height, ...
    PutBigEndian32(bytes, 20, height);
    const auto* chunk = reinterpret_cast<const Bytef*>(bytes.data() + 12);
    PutBigEndian32(bytes, 29, static_cast<std::uint32_t>(crc32(0, chunk, 17)));
    return bytes;
}

// A real JPEG whose frame header claims another size.
std::string JpegClaiming(std::uint16_t width, std::uint16_t height)
{
    std::string bytes = TestPictures::EncodeJpeg(TestPictures::MakeGradient(8, 8, false), 90);
    const std::size_t frame = bytes.find("\xFF\xC0");
    bytes[frame + 5] = static_cast<char>(height >> 8);
    bytes[frame + 6] = static_cast<char>(height & 0xFF);
    bytes[frame + 7] = static_cast<char>(width >> 8);
    bytes[frame + 8] = static_cast<char>(width & 0xFF);
    return bytes;
}

}  // namespace

TEST(SceneLoaderErrorTest, APictureClaimingTooManyPixelsIsRefusedBeforeItsPixelsAreRead)
{
    struct Case {
        const char* what;
        std::string bytes;
        bool refused;
    };
    const Case cases[] = {
        {"PNG of 60000 x 60000", PngClaiming(60000, 60000), true},
        {"PNG one pixel too wide", PngClaiming(16385, 1), true},
        {"PNG of 16384 x 4097", PngClaiming(16384, 4097), true},
        {"JPEG of 60000 x 60000", JpegClaiming(60000, 60000), true},
        {"JPEG one side too long", JpegClaiming(20000, 2), true},
        {"PNG within the limits", PngClaiming(2, 2), false},
    };
    TemporaryFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        folder.WriteFile("claims.img", c.bytes);
        ZeltoHost::HostProject project;
        ZeltoHost::HostModel model;
        std::string error;
        const bool loaded = ZeltoHost::LoadSceneText("{\"model\": {\"textures\": [{\"image\": \"claims.img\"}]}}",
                                                     folder.Path(), "inline.json", project, model, &error);
        EXPECT_EQ(loaded, !c.refused) << error;
        if (c.refused) {
            EXPECT_NE(error.find("/model/textures/0/image: the picture claims"), std::string::npos) << error;
        }
    }
}

namespace {

struct GuardedLoad {
    bool loaded = false;
    std::string error;
    bool blocked = false;  // the load waited for a writer of the pipe and had to be released
};

// Runs the load on a thread of its own. Should it wait for a writer of the pipe at oddFile, the
// writer's end is opened and closed after a while, so that the fault fails the test instead of
// hanging it.
GuardedLoad LoadReleasingPipe(const std::string& oddFile, const std::function<bool(std::string*)>& load)
{
    GuardedLoad result;
    std::future<bool> done = std::async(std::launch::async, [&load, &result] { return load(&result.error); });
    if (done.wait_for(std::chrono::seconds(20)) == std::future_status::timeout) {
        result.blocked = true;
        const int writer = open(oddFile.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            close(writer);
    }
    result.loaded = done.get();
    return result;
}

// What a scene or a picture may be instead of a readable file: made in the folder, it gives its path.
struct OddFile {
    const char* what;
    std::function<std::string(const TemporaryFolder&)> make;
    std::string before;  // what the error says before the file's description ("the scene file")
    std::string after;   // and after it
};

std::string ErrorAbout(const OddFile& odd, const std::string& description)
{
    return odd.before + description + odd.after;
}

std::vector<OddFile> OddFiles()
{
    return {
        {"a pipe nobody writes",
         [](const TemporaryFolder& folder) {
             EXPECT_EQ(mkfifo(folder.PathOf("pipe").c_str(), 0600), 0);
             return folder.PathOf("pipe");
         },
         "", " is a pipe, not a regular file"},
        {"a device that never ends", [](const TemporaryFolder&) { return std::string("/dev/zero"); },
         "", " is a device, not a regular file"},
        {"a folder",
         [](const TemporaryFolder& folder) {
             std::filesystem::create_directory(folder.PathOf("folder"));
             return folder.PathOf("folder");
         },
         "", " is a folder, not a regular file"},
        {"a file beyond 256 MiB",  // sparse: it takes no room on the disk
         [](const TemporaryFolder& folder) {
             folder.WriteFile("huge", "");
             std::filesystem::resize_file(folder.PathOf("huge"), (std::uintmax_t(256) << 20) + 1);
             return folder.PathOf("huge");
         },
         "", " holds more than 256 MiB"},
        {"a missing file", [](const TemporaryFolder& folder) { return folder.PathOf("absent"); },
         "cannot open ", ": No such file or directory"},
    };
}

}  // namespace

// Neither a scene nor a picture that is not a regular file, or is too large, blocks the loader or
// exhausts its memory; the error names the file at fault.
TEST(SceneLoaderErrorTest, OddScenesAreRefusedNamingTheScene)
{
    for (const OddFile& odd : OddFiles()) {
        SCOPED_TRACE(odd.what);
        TemporaryFolder folder;
        const std::string path = odd.make(folder);
        ZeltoHost::HostProject project;
        ZeltoHost::HostModel model;
        const GuardedLoad load = LoadReleasingPipe(
            path, [&](std::string* error) { return ZeltoHost::LoadScene(path, project, model, error); });
        EXPECT_FALSE(load.blocked) << "the loader waited for a writer of the pipe";
        EXPECT_FALSE(load.loaded);
        EXPECT_EQ(load.error, path + ": " + ErrorAbout(odd, "the scene file"));
    }
}

TEST(SceneLoaderErrorTest, OddPicturesAreRefusedNamingThePicture)
{
    for (const OddFile& odd : OddFiles()) {
        SCOPED_TRACE(odd.what);
        TemporaryFolder folder;
        const std::string path = odd.make(folder);
        const std::string scene = "{\"model\": {\"textures\": [{\"image\": \"" + path + "\"}]}}";
        ZeltoHost::HostProject project;
        ZeltoHost::HostModel model;
        const GuardedLoad load = LoadReleasingPipe(path, [&](std::string* error) {
            return ZeltoHost::LoadSceneText(scene, folder.Path(), "inline.json", project, model, error);
        });
        EXPECT_FALSE(load.blocked) << "the loader waited for a writer of the pipe";
        EXPECT_FALSE(load.loaded);
        EXPECT_EQ(load.error, "inline.json: /model/textures/0/image: " + ErrorAbout(odd, "the picture file " + path));
    }
}

// The size a file claims is not what is read: a file of /proc claims none, yet has a text.
TEST(SceneLoaderErrorTest, AFileIsReadToItsEndWhateverSizeItClaims)
{
    ZeltoHost::HostProject project;
    ZeltoHost::HostModel model;
    std::string error;
    EXPECT_FALSE(ZeltoHost::LoadScene("/proc/self/status", project, model, &error));
    EXPECT_EQ(error.rfind("/proc/self/status: not valid JSON at line 1, column 1: ", 0), 0u) << error;
    EXPECT_NE(error.find("last read: 'N'"), std::string::npos) << "the text \"Name: ...\" was read: " << error;
}

TEST(SceneLoaderErrorTest, AMissingFileIsNamed)
{
    ZeltoHost::HostProject project;
    ZeltoHost::HostModel model;
    std::string error;
    EXPECT_FALSE(ZeltoHost::LoadScene(fixtureFolder + "/absent.json", project, model, &error));
    EXPECT_NE(error.find("absent.json: cannot open the scene file"), std::string::npos) << error;
}

TEST(SceneLoaderErrorTest, AnEmptySceneIsAnEmptyProjectAndModel)
{
    ZeltoHost::HostProject project;
    ZeltoHost::HostModel model;
    std::string error;
    ASSERT_TRUE(ZeltoHost::LoadSceneText("{}", "", "empty.json", project, model, &error)) << error;
    EXPECT_TRUE(model.Data().elements.empty());
    EXPECT_TRUE(project.elements.empty());
    EXPECT_TRUE(project.info.location.IsEmpty());
    EXPECT_FALSE(model.projection.isPersp);
}

}  // namespace
