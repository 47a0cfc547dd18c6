// The reader is the yardstick of every end-to-end test, so it is checked here
// against files assembled byte by byte from the record layouts, with no help
// from the add-on's writer.
#include "ZeltoReader.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using zelto_reader::FormatError;
using zelto_reader::ParameterType;
using Bytes = std::vector<uint8_t>;

// Little-endian primitives of the export file.
class ByteBuilder {
public:
    ByteBuilder& Byte(uint8_t b)
    {
        out_.push_back(b);
        return *this;
    }
    ByteBuilder& U32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            out_.push_back(static_cast<uint8_t>(v >> (8 * i)));
        return *this;
    }
    ByteBuilder& I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }
    ByteBuilder& Real(double d)
    {
        uint64_t u;
        std::memcpy(&u, &d, sizeof u);
        for (int i = 0; i < 8; ++i)
            out_.push_back(static_cast<uint8_t>(u >> (8 * i)));
        return *this;
    }
    ByteBuilder& Bool(bool b) { return Byte(b ? 1 : 0); }
    ByteBuilder& Raw(const std::string& s)
    {
        out_.insert(out_.end(), s.begin(), s.end());
        return *this;
    }
    ByteBuilder& Padded(const std::string& s, std::size_t width)
    {
        Raw(s);
        out_.resize(out_.size() + width - s.size(), 0);
        return *this;
    }
    ByteBuilder& Str(const std::string& s) { return I32(static_cast<int32_t>(s.size())).Raw(s); }
    ByteBuilder& Ascii(const std::string& s)
    {
        return I32(static_cast<int32_t>(s.size() + 1)).Raw(s).Byte(0);
    }
    // Points go out as x, z, y.
    ByteBuilder& Point(double x, double y, double z) { return Real(x).Real(z).Real(y); }
    ByteBuilder& Append(const Bytes& b)
    {
        out_.insert(out_.end(), b.begin(), b.end());
        return *this;
    }
    Bytes Done() const { return out_; }

private:
    Bytes out_;
};

// Trailer slots in file order.
enum Slot { kSh, kTex, kShInt, kShC4D, kClass, kStory, kLayer, kObject, kPoint, kUvw, kNormals,
            kPoly, kLights, kCameraSet, kCamera, kSlots };

const std::string kGuid1 = "{0A1B2C3D-0000-4000-8000-00000000000A}";
const std::string kGuid2 = "{0A1B2C3D-0000-4000-8000-00000000000B}";
const std::string kGuid3 = "{0A1B2C3D-0000-4000-8000-00000000000C}";

Bytes HeaderRecord(const std::string& file, const std::string& project)
{
    return ByteBuilder()
        .Padded(std::string("ZLTOBIN"), 8)
        .Padded("Macintosh", 256)
        .I32(20500)
        .Str(file)
        .Str(project)
        .Padded("2.62", 8)
        .Bool(true).Bool(true).Bool(true)
        .I32(2)        // unit
        .Real(100.0)   // scale
        .Bool(false)   // direct
        .I32(28)       // host API
        .Done();
}

Bytes RgbShader(const std::string& name, int32_t ref, int32_t type, double r, double g, double b)
{
    return ByteBuilder().Str(name).I32(ref).I32(type).Real(r).Real(g).Real(b).Done();
}

Bytes TextureRecord(const std::string& mime, const std::string& name, const Bytes& data)
{
    return ByteBuilder()
        .Padded(mime, 32)
        .Str(name)
        .U32(static_cast<uint32_t>(data.size()))
        .Append(data)
        .Done();
}

// Fields 10 to 23 of an internal shader: the constant 1 and thirteen Reals
// counting up from `first`, so a shifted read shows in the values.
ByteBuilder& Surface(ByteBuilder& b, double first)
{
    b.Bool(true);
    for (int i = 0; i < 13; ++i)
        b.Real(first + i);
    return b;
}

Bytes InternalPlain(double first)
{
    ByteBuilder b;
    b.Bool(false);
    return Surface(b, first).Done();
}

Bytes InternalTextured(const std::string& texture, double first)
{
    ByteBuilder b;
    b.Bool(true).Str(texture).Real(90.0).Real(2.0).Real(3.0);
    b.Bool(true).Bool(false).Bool(false).Bool(true);
    return Surface(b, first).Done();
}

Bytes NumericParam(const std::string& name, double v)
{
    return ByteBuilder().Ascii(name).I32(1).Real(v).Done();
}

Bytes TextParam(const std::string& name, const std::string& v)
{
    return ByteBuilder().Ascii(name).I32(2).Str(v).Done();
}

Bytes NumericArrayParam(const std::string& name, int32_t rows, int32_t cols,
                        const std::vector<double>& items)
{
    ByteBuilder b;
    b.Ascii(name).I32(3).I32(rows).I32(cols);
    for (double v : items)
        b.Real(v);
    return b.Done();
}

Bytes TextArrayParam(const std::string& name, int32_t rows, int32_t cols,
                     const std::vector<std::string>& items)
{
    ByteBuilder b;
    b.Ascii(name).I32(4).I32(rows).I32(cols);
    for (const std::string& v : items)
        b.Str(v);
    return b.Done();
}

Bytes UnknownParam(const std::string& name)
{
    return ByteBuilder().Ascii(name).I32(0).Done();
}

Bytes ParamList(const std::vector<Bytes>& params)
{
    ByteBuilder b;
    b.I32(static_cast<int32_t>(params.size()));
    for (const Bytes& p : params)
        b.Append(p);
    return b.Done();
}

Bytes ClassRecord(int32_t id, const std::string& name)
{
    return ByteBuilder().I32(id).Str(name).Done();
}

Bytes StoryRecord(int32_t index, const std::string& name, double elevation, double height)
{
    return ByteBuilder().I32(index).Str(name).Real(elevation).Real(height).Done();
}

Bytes LayerRecord(const std::string& name) { return ByteBuilder().Str(name).Done(); }

Bytes PlainElement(int32_t layer, int32_t cls, int32_t story, const std::string& guid)
{
    return ByteBuilder().I32(layer).I32(cls).I32(story).Ascii(guid).Bool(false).Done();
}

Bytes PartElement(int32_t layer, int32_t cls, int32_t story, const std::string& guid)
{
    return ByteBuilder()
        .I32(layer).I32(cls).I32(story).Ascii(guid).Bool(true)
        .Str("Chair")
        .Real(1.0).Real(2.0).Real(350.0)  // x, y, z in model order
        .Real(90.0)                       // angle
        .Real(50.0).Real(60.0)            // sizes
        .Bool(true)                       // flag
        .Real(45.0).Real(55.0)            // defaults
        .Real(100.0).Real(90.0)           // height, default height
        .Bool(true)                       // has geometry
        .Done();
}

Bytes PointRecord(double x, double y, double z) { return ByteBuilder().Point(x, y, z).Done(); }

Bytes UvwRecord(const std::vector<std::pair<double, double>>& uv)
{
    ByteBuilder b;
    b.I32(static_cast<int32_t>(uv.size()));
    for (const auto& p : uv)
        b.Real(p.first).Real(p.second);
    return b.Done();
}

Bytes PolygonRecord(int32_t material, int32_t object, const std::vector<int32_t>& points)
{
    ByteBuilder b;
    b.I32(material).I32(object).I32(static_cast<int32_t>(points.size()));
    for (int32_t p : points)
        b.I32(p);
    return b.Done();
}

Bytes LightRecord(int32_t object, const std::vector<Bytes>& params)
{
    return ByteBuilder()
        .I32(object).I32(2).Str("Light").I32(3)
        .Real(1.0).Real(0.5).Real(0.25)
        .Point(1.0, 2.0, 3.0)
        .Point(4.0, 5.0, 6.0)
        .I32(1)
        .Real(0.5).Real(0.1).Real(90.0).Real(45.0).Real(0.3).Real(10.0).Real(500.0).Real(2.0)
        .Append(ParamList(params))
        .Done();
}

Bytes CameraSetRecord(const std::string& name) { return ByteBuilder().Str(name).Done(); }

Bytes CameraRecord(const std::string& name, int32_t id, const std::string& guid, int32_t set)
{
    return ByteBuilder()
        .Str(name).I32(id).Ascii(guid)
        .Point(0.0, 10.0, 170.0)
        .Point(100.0, 110.0, 160.0)
        .Real(0.8).Real(1.2)
        .I32(set)
        .Done();
}

struct Opener {
    int32_t maxAttributeIndex;
    int32_t mode;
};

// A file as a list of records per section; the trailer counts follow the
// lists unless `adjust` moves them.
struct Scene {
    Bytes header = HeaderRecord("House", "Demo");
    Bytes bounds = ByteBuilder().Point(-1.0, -2.0, 0.0).Point(10.0, 20.0, 3.0).Done();
    std::optional<Opener> opener = Opener{0, 1};
    std::vector<Bytes> rgb, textures, internal, cinema, classes, stories, layers, elements, points,
        uvws, polygons, lights, cameraSets, cameras;
    std::array<int32_t, kSlots> adjust{};
    Bytes beforeTrailer;

    Bytes Assemble() const
    {
        ByteBuilder b;
        b.Append(header).Append(bounds);
        if (opener)
            b.I32(opener->maxAttributeIndex).I32(opener->mode);
        const std::vector<Bytes>* order[] = {&rgb,    &textures, &internal, &cinema,
                                             &classes, &stories, &layers,   &elements,
                                             &points, &uvws,     &polygons, &lights,
                                             &cameraSets, &cameras};
        for (const std::vector<Bytes>* section : order)
            for (const Bytes& r : *section)
                b.Append(r);
        b.Append(beforeTrailer);
        auto n = [](const std::vector<Bytes>& v) { return static_cast<int32_t>(v.size()); };
        const std::array<int32_t, kSlots> counts = {
            n(rgb),    n(textures), n(internal), n(cinema), n(classes),
            n(stories), n(layers),  n(elements), n(points), n(uvws),
            0,         n(polygons), n(lights),   n(cameraSets), n(cameras)};
        for (int i = 0; i < kSlots; ++i)
            b.I32(counts[static_cast<std::size_t>(i)] + adjust[static_cast<std::size_t>(i)]);
        return b.Done();
    }
};

// Smallest sensible export: RGB mode without materials, one element with one
// triangle, and no lights or cameras.
Scene MinimalScene()
{
    Scene s;
    s.classes = {ClassRecord(1, "Wall")};
    s.layers = {LayerRecord("Walls")};
    s.elements = {PlainElement(0, 0, 0, kGuid1)};
    s.points = {PointRecord(0, 0, 0), PointRecord(1, 0, 0), PointRecord(0, 1, 0)};
    s.uvws = {UvwRecord({{0, 0}, {1, 0}, {0, 1}})};
    s.polygons = {PolygonRecord(-1, 0, {0, 1, 2})};
    return s;
}

const Bytes kTextureData = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46};

// Every section present, each with its own record count, so that a reader
// mapping the trailer slots wrongly misreads the file.
Scene FullScene()
{
    Scene s;
    s.opener = Opener{7, 3};
    s.rgb = {RgbShader("Brick", 3, 1, 0.5, 0.25, 0.125), RgbShader("GDLM_Oak", 0, 2, 0.1, 0.2, 0.3)};
    s.textures = {TextureRecord("image/jpeg", "wood_1.jpg", kTextureData)};
    s.internal = {InternalTextured("wood_1.jpg", 100.0), InternalPlain(200.0)};
    s.cinema = {ParamList({TextParam("C4D_SHIMAGE_FILE", "wood_1.jpg"),
                           NumericParam("INTENSITY", 0.75)}),
                ParamList({})};
    s.classes = {ClassRecord(0, "Wall"), ClassRecord(1, "Column"), ClassRecord(6, "Object")};
    s.stories = {StoryRecord(-1, "-1. Cellar", -300.0, 300.0),
                 StoryRecord(0, "0. Ground", 0.0, 280.0)};
    s.layers = {LayerRecord("Walls")};
    s.elements = {PlainElement(0, 0, 1, kGuid1), PartElement(0, 2, 0, kGuid2)};
    s.points = {PointRecord(1, 2, 3), PointRecord(4, 5, 6), PointRecord(7, 8, 9),
                PointRecord(10, 11, 12)};
    s.uvws = {UvwRecord({{0, 0}, {1, 0}, {0, 1}}), UvwRecord({{0.5, 0.5}, {1, 1}, {0, 1}})};
    s.polygons = {PolygonRecord(0, 0, {0, 1, 2}), PolygonRecord(1, 1, {1, 2, 3})};
    s.lights = {LightRecord(1, {NumericArrayParam("CURVE", 2, 3, {1, 2, 3, 4, 5, 6})})};
    s.cameraSets = {CameraSetRecord("Set A")};
    s.cameras = {CameraRecord("3D View", 0, "", -1), CameraRecord("Camera", 1, kGuid3, 0)};
    return s;
}

// ---------------------------------------------------------------------------
// A well-formed file comes back field by field.

class FullFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { file_ = zelto_reader::ReadBytes(FullScene().Assemble()); }
    static zelto_reader::File file_;
};
zelto_reader::File FullFileTest::file_;

TEST_F(FullFileTest, HeaderBoundsAndTrailer)
{
    const auto& h = file_.header;
    EXPECT_EQ(h.marker, "ZLTOBIN");
    EXPECT_EQ(h.systemName, "Macintosh");
    EXPECT_EQ(h.formatNumber, 20500);
    EXPECT_EQ(h.fileName, "House");
    EXPECT_EQ(h.projectName, "Demo");
    EXPECT_EQ(h.addonVersion, "2.62");
    EXPECT_TRUE(h.constantFlags[0] && h.constantFlags[1] && h.constantFlags[2]);
    EXPECT_EQ(h.unit, 2);
    EXPECT_EQ(h.scale, 100.0);
    EXPECT_FALSE(h.direct);
    EXPECT_EQ(h.apiVersion, 28);

    // Points are stored x, z, y and come back in model order.
    EXPECT_EQ(file_.bounds.min.x, -1.0);
    EXPECT_EQ(file_.bounds.min.y, -2.0);
    EXPECT_EQ(file_.bounds.min.z, 0.0);
    EXPECT_EQ(file_.bounds.max.y, 20.0);
    EXPECT_EQ(file_.bounds.max.z, 3.0);

    const auto& n = file_.counts;
    EXPECT_EQ(std::vector<int32_t>({n.rgbShaders, n.textures, n.internalShaders, n.cinemaShaders,
                                    n.classes, n.stories, n.layers, n.objects, n.points, n.uvws,
                                    n.normals, n.polygons, n.lights, n.cameraSets, n.cameras}),
              std::vector<int32_t>({2, 1, 2, 2, 3, 2, 1, 2, 4, 2, 0, 2, 1, 1, 2}));
}

TEST_F(FullFileTest, ShadersAndTextures)
{
    ASSERT_TRUE(file_.materialOpener.has_value());
    EXPECT_EQ(file_.materialOpener->maxAttributeIndex, 7);
    EXPECT_EQ(file_.materialOpener->materialMode, 3);

    ASSERT_EQ(file_.rgbShaders.size(), 2u);
    EXPECT_EQ(file_.rgbShaders[1].name, "GDLM_Oak");
    EXPECT_EQ(file_.rgbShaders[0].attributeReference, 3);
    EXPECT_EQ(file_.rgbShaders[1].materialType, 2);
    EXPECT_EQ(file_.rgbShaders[0].color.blue, 0.125);

    ASSERT_EQ(file_.textures.size(), 1u);
    const auto& t = file_.textures[0];
    EXPECT_EQ(t.mime, "image/jpeg");
    EXPECT_EQ(t.name, "wood_1.jpg");
    EXPECT_EQ(t.data, kTextureData);
    EXPECT_EQ(t.dataSize, kTextureData.size());
    const Bytes bytes = FullScene().Assemble();
    EXPECT_EQ(Bytes(bytes.begin() + static_cast<long>(t.dataOffset),
                    bytes.begin() + static_cast<long>(t.dataOffset + t.dataSize)),
              kTextureData);

    const auto& textured = file_.internalShaders[0];
    EXPECT_TRUE(textured.hasTexture);
    EXPECT_EQ(textured.textureIndex, 0);
    EXPECT_EQ(textured.rotationDegrees, 90.0);
    EXPECT_EQ(textured.textureSizeY, 3.0);
    EXPECT_TRUE(textured.bumpMap);
    EXPECT_FALSE(textured.mirroredX);
    EXPECT_TRUE(textured.mirroredY);
    EXPECT_EQ(textured.transparency, 100.0);
    EXPECT_EQ(textured.specularColor.blue, 112.0);
    const auto& plain = file_.internalShaders[1];
    EXPECT_FALSE(plain.hasTexture);
    EXPECT_EQ(plain.textureIndex, -1);
    EXPECT_EQ(plain.transparency, 200.0);
    EXPECT_EQ(plain.emissionColor.red, 203.0);
    EXPECT_EQ(plain.specularColor.blue, 212.0);

    ASSERT_EQ(file_.cinemaShaders[0].parameters.size(), 2u);
    const auto& image = file_.cinemaShaders[0].parameters[0];
    EXPECT_EQ(image.name, "C4D_SHIMAGE_FILE");
    EXPECT_EQ(image.type, ParameterType::Text);
    EXPECT_EQ(image.textureIndex, 0);
    EXPECT_EQ(file_.cinemaShaders[0].parameters[1].number, 0.75);
    EXPECT_TRUE(file_.cinemaShaders[1].parameters.empty());
}

TEST_F(FullFileTest, ElementsResolveTheirLayerClassAndStory)
{
    ASSERT_EQ(file_.stories.size(), 2u);
    EXPECT_EQ(file_.stories[0].index, -1);
    EXPECT_EQ(file_.stories[0].name, "-1. Cellar");
    EXPECT_EQ(file_.stories[1].height, 280.0);
    EXPECT_EQ(file_.classes[2].typeId, 6);
    EXPECT_EQ(file_.layers[0].name, "Walls");

    ASSERT_EQ(file_.elements.size(), 2u);
    const auto& wall = file_.elements[0];
    EXPECT_EQ(wall.guid, kGuid1);
    EXPECT_EQ(wall.layer, 0);
    EXPECT_EQ(wall.elementClass, 0);
    EXPECT_EQ(wall.story, 1);
    EXPECT_FALSE(wall.libraryPart.has_value());

    const auto& chair = file_.elements[1];
    EXPECT_EQ(chair.elementClass, 2);
    EXPECT_EQ(chair.story, 0);
    ASSERT_TRUE(chair.libraryPart.has_value());
    const auto& d = *chair.libraryPart;
    EXPECT_EQ(d.name, "Chair");
    // The placement keeps model axis order, unlike points.
    EXPECT_EQ(d.y, 2.0);
    EXPECT_EQ(d.z, 350.0);
    EXPECT_EQ(d.sizeB, 60.0);
    EXPECT_TRUE(d.flag);
    EXPECT_EQ(d.defaultA, 45.0);
    EXPECT_EQ(d.defaultHeight, 90.0);
    EXPECT_TRUE(d.hasGeometry);
}

TEST_F(FullFileTest, GeometryLightsAndCameras)
{
    ASSERT_EQ(file_.points.size(), 4u);
    EXPECT_EQ(file_.points[3].x, 10.0);
    EXPECT_EQ(file_.points[3].y, 11.0);
    EXPECT_EQ(file_.points[3].z, 12.0);

    ASSERT_EQ(file_.polygons.size(), 2u);
    EXPECT_EQ(file_.polygons[1].objectNumber, 1);
    EXPECT_EQ(file_.polygons[1].shader, 1);
    EXPECT_EQ(file_.polygons[1].pointNumbers, std::vector<int32_t>({1, 2, 3}));
    EXPECT_EQ(file_.uvws[1].coords[0].u, 0.5);
    EXPECT_EQ(file_.uvws[1].coords[2].v, 1.0);

    ASSERT_EQ(file_.lights.size(), 1u);
    const auto& l = file_.lights[0];
    EXPECT_EQ(l.objectNumber, 1);
    EXPECT_EQ(l.typeCode, 2);
    EXPECT_EQ(l.lightNumber, 3);
    EXPECT_EQ(l.position.y, 2.0);
    EXPECT_EQ(l.position.z, 3.0);
    EXPECT_EQ(l.target.y, 5.0);
    EXPECT_TRUE(l.castsShadow);
    EXPECT_EQ(l.coneAngle2, 45.0);
    EXPECT_EQ(l.maxDistance, 500.0);
    EXPECT_EQ(l.distanceFalloff, 2.0);
    ASSERT_EQ(l.parameters.size(), 1u);
    EXPECT_EQ(l.parameters[0].numbers, std::vector<double>({1, 2, 3, 4, 5, 6}));

    EXPECT_EQ(file_.cameraSets[0].name, "Set A");
    ASSERT_EQ(file_.cameras.size(), 2u);
    const auto& view = file_.cameras[0];
    EXPECT_EQ(view.id, 0);
    EXPECT_EQ(view.guid, "");
    EXPECT_EQ(view.cameraSet, -1);
    EXPECT_EQ(view.position.z, 170.0);
    EXPECT_EQ(view.target.y, 110.0);
    EXPECT_EQ(view.angle2, 1.2);
    const auto& cam = file_.cameras[1];
    EXPECT_EQ(cam.guid, kGuid3);
    EXPECT_EQ(cam.cameraSet, 0);
}

TEST_F(FullFileTest, DumpNamesEverySection)
{
    const std::string text = zelto_reader::Dump(file_);
    for (const char* line :
         {"file \"House\", project \"Demo\"", "material mode 3", "RGB shaders (2)",
          "[0] \"wood_1.jpg\" image/jpeg, 8 bytes", "-> texture 0", "stories (2)",
          "part \"Chair\"", "[1] object 1 shader 1 (written 1) points 1 2 3",
          "[2 x 3] 1 2 3 4 5 6", "\"Set A\"", "guid \"\" ", "set -1", "Normals 0"})
        EXPECT_NE(text.find(line), std::string::npos) << "missing: " << line << "\n" << text;
}

// ---------------------------------------------------------------------------
// The minimal file, and the RGB opener that a failed material listing drops.

TEST(ZeltoReader, MinimalFileHasOnlyTheAlwaysWrittenSections)
{
    const auto f = zelto_reader::ReadBytes(MinimalScene().Assemble());
    ASSERT_TRUE(f.materialOpener.has_value());
    EXPECT_EQ(f.materialOpener->materialMode, 1);
    EXPECT_TRUE(f.rgbShaders.empty());
    EXPECT_TRUE(f.textures.empty());
    EXPECT_TRUE(f.stories.empty());
    EXPECT_TRUE(f.lights.empty());
    EXPECT_TRUE(f.cameras.empty());
    ASSERT_EQ(f.elements.size(), 1u);
    // Nothing to find in an empty story section: the writer falls back to 0.
    EXPECT_EQ(f.elements[0].story, -1);
    EXPECT_EQ(f.elements[0].layer, 0);
    EXPECT_EQ(f.polygons[0].shader, -1);
}

TEST(ZeltoReader, RgbOpenerIsOptionalOnlyWithoutRgbShaders)
{
    Scene withOpener = MinimalScene();
    EXPECT_TRUE(zelto_reader::ReadBytes(withOpener.Assemble()).materialOpener.has_value());

    Scene without = MinimalScene();
    without.opener.reset();
    EXPECT_FALSE(zelto_reader::ReadBytes(without.Assemble()).materialOpener.has_value());

    // Mode 2 after a failed listing: internal shaders without RGB shaders, and
    // polygons carry raw material numbers - 1 that have no shader to name.
    Scene internalOnly = without;
    internalOnly.internal = {InternalPlain(1.0), InternalPlain(2.0)};
    internalOnly.polygons = {PolygonRecord(1, 0, {0, 1, 2})};
    const auto f = zelto_reader::ReadBytes(internalOnly.Assemble());
    EXPECT_EQ(f.internalShaders.size(), 2u);
    EXPECT_EQ(f.polygons[0].materialPosition, 1);
    EXPECT_EQ(f.polygons[0].shader, -1);

    Scene shadersWithoutOpener = FullScene();
    shadersWithoutOpener.opener.reset();
    EXPECT_THROW(zelto_reader::ReadBytes(shadersWithoutOpener.Assemble()), FormatError);
}

// The item count of an array follows its dimensions; a wrong count would stop
// the walk from landing on the trailer.
TEST(ZeltoReader, ExtraParameterPayloads)
{
    struct Case {
        const char* label;
        Bytes record;
        ParameterType type;
        std::size_t items;
    };
    const std::vector<Case> cases = {
        {"unknown type has no payload", UnknownParam("ON"), ParameterType::Unknown, 0},
        {"numeric", NumericParam("INTENSITY", 2.5), ParameterType::Numeric, 0},
        {"text", TextParam("LABEL", "caf\xc3\xa9"), ParameterType::Text, 0},
        {"2 x 3 reals", NumericArrayParam("A", 2, 3, {1, 2, 3, 4, 5, 6}),
         ParameterType::NumericArray, 6},
        {"3 x 0 is one item per row", NumericArrayParam("A", 3, 0, {1, 2, 3}),
         ParameterType::NumericArray, 3},
        {"0 rows", NumericArrayParam("A", 0, 5, {}), ParameterType::NumericArray, 0},
        {"negative columns", NumericArrayParam("A", 2, -1, {}), ParameterType::NumericArray, 0},
        {"2 x 2 texts", TextArrayParam("T", 2, 2, {"a", "", "ccc", "d"}), ParameterType::TextArray,
         4},
        {"2 x 0 texts", TextArrayParam("T", 2, 0, {"x", "y"}), ParameterType::TextArray, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Scene s = MinimalScene();
        s.opener = Opener{1, 3};
        s.rgb = {RgbShader("M", 1, 1, 0, 0, 0)};
        s.internal = {InternalPlain(0.0)};
        // The probe sits between two numeric parameters so both of its ends are checked.
        s.cinema = {ParamList({NumericParam("BEFORE", 1.0), c.record, NumericParam("AFTER", 9.0)})};
        s.polygons = {PolygonRecord(0, 0, {0, 1, 2})};
        zelto_reader::File f;
        ASSERT_NO_THROW(f = zelto_reader::ReadBytes(s.Assemble()));
        const auto& params = f.cinemaShaders.at(0).parameters;
        ASSERT_EQ(params.size(), 3u);
        EXPECT_EQ(params[1].type, c.type);
        EXPECT_EQ(params[1].numbers.size() + params[1].texts.size(), c.items);
        EXPECT_EQ(params[2].number, 9.0);
    }
    Scene s = MinimalScene();
    s.opener = Opener{1, 3};
    s.rgb = {RgbShader("M", 1, 1, 0, 0, 0)};
    s.internal = {InternalPlain(0.0)};
    s.cinema = {ParamList({TextParam("LABEL", "caf\xc3\xa9"), TextArrayParam("T", 1, 2, {"a", "bc"})})};
    s.polygons = {PolygonRecord(0, 0, {0, 1, 2})};
    const auto f = zelto_reader::ReadBytes(s.Assemble());
    EXPECT_EQ(f.cinemaShaders[0].parameters[0].text, "caf\xc3\xa9");
    EXPECT_EQ(f.cinemaShaders[0].parameters[1].texts, std::vector<std::string>({"a", "bc"}));
}

// ---------------------------------------------------------------------------
// Malformed files: each is the full file with one fault.

struct BadCase {
    const char* label;
    std::function<void(Scene&)> spoil;
    const char* section;  // the section the error must name
};

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.label; }

class RejectsTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(RejectsTest, NamesSectionAndOffset)
{
    Scene s = FullScene();
    GetParam().spoil(s);
    try {
        zelto_reader::ReadBytes(s.Assemble());
        FAIL() << "accepted";
    } catch (const FormatError& e) {
        EXPECT_EQ(e.section(), GetParam().section) << e.what();
        EXPECT_NE(std::string(e.what()).find("offset " + std::to_string(e.offset())),
                  std::string::npos)
            << e.what();
    }
}

const BadCase kBadCases[] = {
    {"wrong marker", [](Scene& s) { s.header[4] = 'X'; }, "header"},
    {"marker without its NUL", [](Scene& s) { s.header[7] = 'N'; }, "header"},
    {"system name not NUL-padded", [](Scene& s) { s.header[8 + 200] = 'x'; }, "header"},
    {"bool byte 2", [](Scene& s) { s.elements[0].back() = 2; }, "elements"},
    {"one byte left over before the trailer", [](Scene& s) { s.beforeTrailer = {0}; },
     "trailer counts"},
    {"last count one short", [](Scene& s) { s.adjust[kCamera] = -1; }, "trailer counts"},
    {"last count one over", [](Scene& s) { s.adjust[kCamera] = 1; }, "cameras"},
    {"negative count", [](Scene& s) { s.adjust[kLayer] = -2; }, "trailer"},
    {"normals counted", [](Scene& s) { s.adjust[kNormals] = 1; }, "trailer"},
    {"Uvw and Poly differ",
     [](Scene& s) { s.uvws.push_back(UvwRecord({{0, 0}, {0, 0}, {0, 0}})); }, "trailer"},
    {"mode 1 with internal shaders", [](Scene& s) { s.opener = Opener{7, 1}; },
     "RGB shader opener"},
    {"mode 4", [](Scene& s) { s.opener = Opener{7, 4}; }, "RGB shader opener"},
    {"MIME field not NUL-padded",
     [](Scene& s) { s.textures[0][20] = 'x'; }, "textures"},
    {"texture size past the end",
     [](Scene& s) {
         s.textures = {ByteBuilder().Padded("image/jpeg", 32).Str("a.jpg").U32(0x7fffffff).Done()};
     },
     "textures"},
    {"internal shader without its constant 1",
     [](Scene& s) {
         ByteBuilder b;
         b.Bool(false).Bool(false);
         for (int i = 0; i < 13; ++i)
             b.Real(0);
         s.internal[1] = b.Done();
     },
     "internal shaders"},
    {"parameter type 7",
     [](Scene& s) { s.cinema[1] = ParamList({ByteBuilder().Ascii("X").I32(7).Done()}); },
     "Cinema 4D shaders"},
    {"array too large for the file",
     [](Scene& s) {
         s.cinema[1] = ParamList({ByteBuilder().Ascii("X").I32(3).I32(0x7fffffff).I32(0x7fffffff).Done()});
     },
     "Cinema 4D shaders"},
    {"negative String length", [](Scene& s) { s.layers[0] = ByteBuilder().I32(-1).Done(); },
     "layers"},
    {"AsciiString without NUL",
     [](Scene& s) { s.elements[0] = ByteBuilder().I32(0).I32(0).I32(0).I32(2).Raw("{}").Bool(false).Done(); },
     "elements"},
    {"element GUID without braces",
     [](Scene& s) { s.elements[0] = PlainElement(0, 0, 0, kGuid1.substr(1, 36)); }, "elements"},
    {"camera GUID in lower case",
     [](Scene& s) { s.cameras[1] = CameraRecord("C", 1, "{0a1b2c3d-0000-4000-8000-00000000000c}", 0); },
     "cameras"},
    {"layer position past the layers", [](Scene& s) { s.elements[0] = PlainElement(1, 0, 0, kGuid1); },
     "elements"},
    {"class position negative", [](Scene& s) { s.elements[0] = PlainElement(0, -1, 0, kGuid1); },
     "elements"},
    {"story position past the stories", [](Scene& s) { s.elements[1] = PartElement(0, 2, 2, kGuid2); },
     "elements"},
    {"polygon with two corners",
     [](Scene& s) {
         s.uvws[0] = UvwRecord({{0, 0}, {1, 0}});
         s.polygons[0] = PolygonRecord(0, 0, {0, 1});
     },
     "texture coordinates"},
    {"polygon and its coordinates differ in corners",
     [](Scene& s) { s.polygons[0] = PolygonRecord(0, 0, {0, 1, 2, 3}); }, "polygons"},
    {"point number past the points", [](Scene& s) { s.polygons[1] = PolygonRecord(1, 1, {1, 2, 4}); },
     "polygons"},
    {"object number past the elements", [](Scene& s) { s.polygons[1] = PolygonRecord(1, 2, {1, 2, 3}); },
     "polygons"},
    {"material position past the shaders",
     [](Scene& s) { s.polygons[1] = PolygonRecord(2, 1, {1, 2, 3}); }, "polygons"},
    {"material position below -1", [](Scene& s) { s.polygons[1] = PolygonRecord(-2, 1, {1, 2, 3}); },
     "polygons"},
    {"light on a missing object", [](Scene& s) { s.lights[0] = LightRecord(2, {}); }, "lights"},
    {"camera set past the sets", [](Scene& s) { s.cameras[1] = CameraRecord("C", 1, kGuid3, 1); },
     "cameras"},
    {"camera set below -1", [](Scene& s) { s.cameras[1] = CameraRecord("C", 1, kGuid3, -2); },
     "cameras"},
};

std::string CaseName(const ::testing::TestParamInfo<BadCase>& info)
{
    std::string name;
    bool upper = true;
    for (const char ch : std::string(info.param.label)) {
        if (std::isalnum(static_cast<unsigned char>(ch))) {
            name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(ch))) : ch;
            upper = false;
        } else {
            upper = true;
        }
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Malformed, RejectsTest, ::testing::ValuesIn(kBadCases), CaseName);

// Every counter drives the walk: moving any of them by one breaks the file.
TEST(ZeltoReader, EveryCountMustLandOnTheTrailer)
{
    for (int slot = 0; slot < kSlots; ++slot)
        for (int delta : {-1, 1}) {
            Scene s = FullScene();
            s.adjust[static_cast<std::size_t>(slot)] = delta;
            EXPECT_THROW(zelto_reader::ReadBytes(s.Assemble()), FormatError)
                << "slot " << slot << " moved by " << delta;
        }
}

// Cutting the file anywhere leaves an error, never a crash or a wrong read.
TEST(ZeltoReader, EveryTruncationIsRejected)
{
    const Bytes whole = FullScene().Assemble();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(size));
        EXPECT_THROW(zelto_reader::ReadBytes(cut), FormatError) << "size " << size;
    }
    try {
        zelto_reader::ReadBytes(Bytes(59, 0));
        FAIL() << "accepted";
    } catch (const FormatError& e) {
        EXPECT_EQ(e.section(), "trailer");
    }
}

TEST(ZeltoReader, ReadFileReadsTheBytesOfAFile)
{
    const Bytes bytes = FullScene().Assemble();
    const std::string path = ::testing::TempDir() + "zelto_reader_test.Zelto";
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    }
    const auto f = zelto_reader::ReadFile(path);
    std::remove(path.c_str());
    EXPECT_EQ(f.fileSize, bytes.size());
    EXPECT_EQ(f.cameras.size(), 2u);
    EXPECT_THROW(zelto_reader::ReadFile(path), std::runtime_error);
}

}  // namespace
