// The stand-in host's 3D model as the add-on reads it: 1-based reads through ModelerAPI, the two
// coordinate systems, texture coordinates, materials, textures, lights, extra parameters, the
// failures a model read can be made to raise, and the host functions over the 3D window.
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ACAPinc.h"
#include "common/AddonTestEnvironment.hpp"
#include "common/ModelReadingTest.hpp"
#include "GSException.hpp"
#include "HostModel.hpp"
#include "ModelData.hpp"
#include "ModelerAPI.hpp"

namespace {

using ModelerAPI::AttributeIndex;
using ModelerAPI::CoordinateSystem;
using ZeltoHost::ModelData;
using ZeltoHost::ModelFault;
using ZeltoHost::ModelRead;
using ZeltoHost::NumberParameter;
using ZeltoHost::TextParameter;

API_Guid GuidNumber(UInt32 number)
{
    API_Guid guid = APINULLGuid;
    guid.time_low = number;
    guid.node[5] = 0xAB;
    return guid;
}

ZeltoHost::ParameterData NumberArray(const char* name, Int32 dimension1, Int32 dimension2, std::vector<double> items)
{
    ZeltoHost::ParameterData parameter;
    parameter.name = name;
    parameter.type = 3;
    parameter.isArray = true;
    parameter.dimension1 = dimension1;
    parameter.dimension2 = dimension2;
    parameter.numbers = std::move(items);
    return parameter;
}

// Element 1: a square of two convex polygons and a two-corner sliver, one unused vertex, texture
// coordinates; a second body without them. Element 2: invalid, one light. Element 3: lights only.
ModelData SampleModel()
{
    ModelData model;

    ZeltoHost::ElementData first;
    first.guid = GuidNumber(1);
    first.origin = {10.0, 20.0, 0.0};
    ZeltoHost::BodyData square;
    square.vertices = {{10, 20, 0}, {11, 20, 0}, {11, 21, 0}, {10, 21, 0}, {50, 50, 50}};
    square.textureCoordinates = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {9, 9}};
    ZeltoHost::AddPolygon(square, {{1, 2, 3}, {1, 3, 4}}, 2);
    ZeltoHost::AddPolygon(square, {{2, 3}}, 1);
    first.bodies.push_back(square);
    ZeltoHost::BodyData triangle;
    triangle.vertices = {{0, 0, 1}, {1, 0, 1}, {0, 1, 1}};
    ZeltoHost::AddPolygon(triangle, {{1, 2, 3}}, 1);
    first.bodies.push_back(triangle);
    model.elements.push_back(first);

    ZeltoHost::ElementData second;
    second.guid = GuidNumber(2);
    second.invalid = true;
    second.lights.emplace_back();
    model.elements.push_back(second);

    ZeltoHost::ElementData third;
    third.guid = GuidNumber(3);
    third.origin = {1.0, 2.0, 3.0};
    ZeltoHost::LightData spot;
    spot.type = ModelerAPI::Light::SpotLight;
    spot.color = {1.0, 0.5, 0.25};
    spot.position = {4.0, 5.0, 6.0};
    spot.direction = {0.0, 1.0, 0.0};
    spot.minDistance = 1.0;
    spot.maxDistance = 10.0;
    spot.distanceFalloff = 0.5;
    spot.castsShadow = true;
    spot.radius = 0.2;
    spot.falloffAngle1 = 0.7;
    spot.falloffAngle2 = 0.8;
    spot.angleFalloff = 2.0;
    spot.extraParameters.push_back(TextParameter("c4d_pho_file", "sky.ies"));
    third.lights.push_back(spot);
    third.lights.emplace_back();
    model.elements.push_back(third);

    ZeltoHost::MaterialData brick;
    brick.name = "Brick";
    brick.externalReference = 7;
    brick.surfaceColor = {0.8, 0.2, 0.1};
    brick.extraParameters.push_back(NumberParameter("Intensity", 2.5));
    model.materials.push_back(brick);

    ZeltoHost::MaterialData oak;
    oak.name = "GDLM12_Oak";
    oak.textureIndex = 1;
    oak.textureRotationAngle = 0.5;
    oak.transparency = 0.1;
    oak.transparencyAttenuation = 0.2;
    oak.emissionAttenuation = 0.3;
    oak.emissionColor = {0.4, 0.5, 0.6};
    oak.ambientReflection = 0.7;
    oak.diffuseReflection = 0.8;
    oak.shining = 0.9;
    oak.specularReflection = 1.0;
    oak.specularColor = {1.1, 1.2, 1.3};
    model.materials.push_back(oak);

    ZeltoHost::TextureData oakTexture;
    oakTexture.name = "Oak.png";
    oakTexture.xSize = 2.0;
    oakTexture.ySize = 3.0;
    oakTexture.mirroredInY = true;
    oakTexture.pixelWidth = 2;
    oakTexture.pixelHeight = 1;
    oakTexture.pixels = {{255, 10, 20, 30}, {128, 40, 50, 60}};
    model.textures.push_back(oakTexture);
    return model;
}

// A model filled the way the add-on fills it: EXPGetModel over a sight.
class ModelerTest : public ModelReadingTest {
protected:
    void SetUp() override
    {
        HostControl::ResetAll();
        Fill(SampleModel());
    }
    void TearDown() override { HostControl::ResetAll(); }

    void Fill(ModelData data)
    {
        source = std::make_shared<ModelData>(std::move(data));
        GS::SharedPtr<Modeler::Sight> sight(std::make_shared<Modeler::Sight>(source));
        ASSERT_EQ(EXPGetModel(sight, &model, nullptr), NoError);
    }

    // The texture coordinate that a polygon gives at the world position of a body vertex.
    ModelerAPI::TextureCoordinate CornerCoordinate(Int32 body, Int32 polygon, Int32 vertex) const
    {
        ModelerAPI::Vertex position;
        BodyAt(1, body).GetVertex(vertex, &position, CoordinateSystem::World);
        ModelerAPI::TextureCoordinate coordinate;
        PolygonAt(1, body, polygon).GetTextureCoordinate(&position, &coordinate);
        return coordinate;
    }

    void Plan(ModelRead read, Int32 element, Int32 body, Int32 item,
              ModelFault::Kind kind = ModelFault::Kind::HostException)
    {
        ModelFault fault;
        fault.read = read;
        fault.element = element;
        fault.body = body;
        fault.item = item;
        fault.kind = kind;
        fault.code = -1234;
        source->faults.push_back(fault);
    }

    std::shared_ptr<ModelData> source;
};

TEST(ModelerModelTest, AModelNotFilledIsEmpty)
{
    ModelerAPI::Model model;
    EXPECT_EQ(model.GetElementCount(), 0);
    EXPECT_EQ(model.GetMaterialCount(), 0);
    EXPECT_EQ(model.GetTextureCount(), 0);
    ModelerAPI::Element element;
    EXPECT_THROW(model.GetElement(1, &element), GS::IllegalArgumentException);
    EXPECT_TRUE(element.IsInvalid());
    EXPECT_EQ(element.GetTessellatedBodyCount(), 0);
}

TEST_F(ModelerTest, ElementsAreReadFromOneWithTheirGuidsBodiesAndLights)
{
    ASSERT_EQ(model.GetElementCount(), 3);
    EXPECT_EQ(model.GetMaterialCount(), 2);
    EXPECT_EQ(model.GetTextureCount(), 1);

    const ModelerAPI::Element first = ElementAt(1);
    EXPECT_TRUE(first.GetElemGuid() == GuidNumber(1));
    EXPECT_FALSE(first.IsInvalid());
    EXPECT_EQ(first.GetTessellatedBodyCount(), 2);
    EXPECT_EQ(first.GetMeshBodyCount(), 2);
    EXPECT_EQ(first.GetLightCount(), 0);

    const ModelerAPI::Element second = ElementAt(2);
    EXPECT_TRUE(second.GetElemGuid() == GuidNumber(2));
    EXPECT_TRUE(second.IsInvalid());
    EXPECT_EQ(second.GetLightCount(), 1);

    EXPECT_EQ(ElementAt(3).GetTessellatedBodyCount(), 0);
    EXPECT_EQ(ElementAt(3).GetLightCount(), 2);
}

TEST_F(ModelerTest, EveryIndexedReadRefusesIndicesOutsideOneToCount)
{
    const ModelerAPI::Element first = ElementAt(1);
    const ModelerAPI::MeshBody square = BodyAt(1, 1);
    const ModelerAPI::Polygon polygon = PolygonAt(1, 1, 1);
    ModelerAPI::ConvexPolygon convex;
    polygon.GetConvexPolygon(1, &convex);
    ModelerAPI::ParameterList parameters;
    MaterialAt(1).GetExtraParameters(&parameters);

    struct Read {
        const char* name;
        Int32 count;
        std::function<void(Int32)> read;
    };
    const std::vector<Read> reads = {
        {"element", 3, [&](Int32 i) { ModelerAPI::Element e; model.GetElement(i, &e); }},
        {"body", 2, [&](Int32 i) { ModelerAPI::MeshBody b; first.GetTessellatedBody(i, &b); }},
        {"light", 2, [&](Int32 i) { ModelerAPI::Light l; ElementAt(3).GetLight(i, &l); }},
        {"vertex", 5, [&](Int32 i) { ModelerAPI::Vertex v; square.GetVertex(i, &v, CoordinateSystem::World); }},
        {"polygon", 2, [&](Int32 i) { ModelerAPI::Polygon p; square.GetPolygon(i, &p); }},
        {"texture coordinate", 5,
         [&](Int32 i) { ModelerAPI::TextureCoordinate t; square.GetTextureCoordinate(i, &t); }},
        {"convex polygon", 2, [&](Int32 i) { ModelerAPI::ConvexPolygon c; polygon.GetConvexPolygon(i, &c); }},
        {"corner", 3, [&](Int32 i) { convex.GetVertexIndex(i); }},
        {"material", 2, [&](Int32 i) { MaterialAt(i); }},
        {"texture", 1, [&](Int32 i) { TextureAt(i); }},
        {"parameter", 1, [&](Int32 i) { ModelerAPI::Parameter p; parameters.GetParameter(i, &p); }},
    };
    for (const Read& read : reads) {
        SCOPED_TRACE(read.name);
        EXPECT_NO_THROW(read.read(1));
        EXPECT_NO_THROW(read.read(read.count));
        EXPECT_THROW(read.read(0), GS::IllegalArgumentException);
        EXPECT_THROW(read.read(read.count + 1), GS::IllegalArgumentException);
    }
}

TEST_F(ModelerTest, MaterialsAndTexturesAreFetchedOnlyByAnIndexOfTheirKind)
{
    ModelerAPI::Material material;
    ModelerAPI::Texture texture;
    EXPECT_THROW(model.GetMaterial(AttributeIndex(AttributeIndex::TextureIndex, 1, -2), &material),
                 GS::IllegalArgumentException);
    EXPECT_THROW(model.GetTexture(AttributeIndex(AttributeIndex::MaterialIndex, 1, -2), &texture),
                 GS::IllegalArgumentException);
    EXPECT_THROW(model.GetMaterial(AttributeIndex(), &material), GS::IllegalArgumentException);
    EXPECT_THROW(model.GetMaterial(AttributeIndex(AttributeIndex::MaterialIndex, 1, -2), nullptr),
                 GS::NullPointerException);
}

TEST_F(ModelerTest, ConvexPolygonsNameBodyVerticesFromOne)
{
    const ModelerAPI::MeshBody square = BodyAt(1, 1);
    ASSERT_EQ(square.GetVertexCount(), 5);
    ASSERT_EQ(square.GetPolygonCount(), 2);

    std::vector<std::vector<Int32>> rings;
    for (Int32 p = 1; p <= square.GetPolygonCount(); ++p) {
        ModelerAPI::Polygon polygon;
        square.GetPolygon(p, &polygon);
        for (Int32 c = 1; c <= polygon.GetConvexPolygonCount(); ++c) {
            ModelerAPI::ConvexPolygon convex;
            polygon.GetConvexPolygon(c, &convex);
            std::vector<Int32> ring;
            for (Int32 k = 1; k <= convex.GetVertexCount(); ++k)
                ring.push_back(convex.GetVertexIndex(k));
            rings.push_back(ring);
        }
    }
    EXPECT_EQ(rings, (std::vector<std::vector<Int32>>{{1, 2, 3}, {1, 3, 4}, {2, 3}}));

    AttributeIndex first;
    AttributeIndex second;
    PolygonAt(1, 1, 1).GetMaterialIndex(first);
    PolygonAt(1, 1, 2).GetMaterialIndex(second);
    EXPECT_TRUE(first.IsValid());
    EXPECT_EQ(first.GetType(), AttributeIndex::MaterialIndex);
    EXPECT_EQ(first.GetIndex(), 2);
    EXPECT_EQ(second.GetIndex(), 1);
}

TEST_F(ModelerTest, VerticesReadInWorldOrElementCoordinates)
{
    const ModelerAPI::MeshBody square = BodyAt(1, 1);
    ModelerAPI::Vertex world;
    ModelerAPI::Vertex local;
    square.GetVertex(3, &world, CoordinateSystem::World);
    square.GetVertex(3, &local, CoordinateSystem::ElemLocal);
    EXPECT_DOUBLE_EQ(world.x, 11.0);
    EXPECT_DOUBLE_EQ(world.y, 21.0);
    EXPECT_DOUBLE_EQ(local.x, 1.0);
    EXPECT_DOUBLE_EQ(local.y, 1.0);
    square.GetVertex(3, &world, static_cast<CoordinateSystem>(1));
    EXPECT_DOUBLE_EQ(world.x, 11.0);
    EXPECT_THROW(square.GetVertex(3, &world, static_cast<CoordinateSystem>(7)), GS::IllegalArgumentException);
}

TEST_F(ModelerTest, TextureCoordinatesAreFoundAtTheCornersOfThePolygon)
{
    const ModelerAPI::MeshBody square = BodyAt(1, 1);
    const ModelerAPI::Polygon polygon = PolygonAt(1, 1, 1);
    ModelerAPI::TextureCoordinate uv;
    for (Int32 index = 1; index <= 4; ++index) {
        ModelerAPI::Vertex corner;
        square.GetVertex(index, &corner, CoordinateSystem::World);
        polygon.GetTextureCoordinate(&corner, &uv);
        ModelerAPI::TextureCoordinate expected;
        square.GetTextureCoordinate(index, &expected);
        EXPECT_EQ(uv.u, expected.u) << index;
        EXPECT_EQ(uv.v, expected.v) << index;
    }

    // The unused vertex, and a corner given in element coordinates, lie on no corner.
    ModelerAPI::Vertex unused;
    square.GetVertex(5, &unused, CoordinateSystem::World);
    EXPECT_THROW(polygon.GetTextureCoordinate(&unused, &uv), GS::IllegalArgumentException);
    ModelerAPI::Vertex local;
    square.GetVertex(2, &local, CoordinateSystem::ElemLocal);
    EXPECT_THROW(polygon.GetTextureCoordinate(&local, &uv), GS::IllegalArgumentException);

    // A body without texture coordinates gives (0, 0).
    const ModelerAPI::MeshBody triangle = BodyAt(1, 2);
    ModelerAPI::Vertex corner;
    triangle.GetVertex(2, &corner, CoordinateSystem::World);
    uv = {5.0, 5.0};
    PolygonAt(1, 2, 1).GetTextureCoordinate(&corner, &uv);
    EXPECT_EQ(uv.u, 0.0);
    EXPECT_EQ(uv.v, 0.0);
    EXPECT_EQ(triangle.GetTextureCoordinateCount(), 0);
}

TEST_F(ModelerTest, ConvexPolygonNormalIsTheUnitNormalOfItsPlane)
{
    ModelerAPI::ConvexPolygon convex;
    PolygonAt(1, 1, 1).GetConvexPolygon(1, &convex);
    const ModelerAPI::Vector normal = convex.GetNormalVectorByVertex(2, CoordinateSystem::World);
    EXPECT_DOUBLE_EQ(normal.x, 0.0);
    EXPECT_DOUBLE_EQ(normal.y, 0.0);
    EXPECT_DOUBLE_EQ(normal.z, 1.0);
}

TEST_F(ModelerTest, MaterialsGiveTheirPropertiesAndTextureIndex)
{
    const ModelerAPI::Material brick = MaterialAt(1);
    EXPECT_EQ(brick.GetName(), GS::UniString("Brick"));
    EXPECT_EQ(brick.GetExternalReference(), 7);
    EXPECT_DOUBLE_EQ(brick.GetSurfaceColor().red, 0.8);
    EXPECT_DOUBLE_EQ(brick.GetSurfaceColor().blue, 0.1);
    AttributeIndex brickTexture(AttributeIndex::TextureIndex, 99, -2);
    brick.GetTextureIndex(brickTexture);
    EXPECT_FALSE(brickTexture.IsValid());

    const ModelerAPI::Material oak = MaterialAt(2);
    AttributeIndex oakTexture;
    oak.GetTextureIndex(oakTexture);
    EXPECT_TRUE(oakTexture.IsValid());
    EXPECT_EQ(oakTexture.GetType(), AttributeIndex::TextureIndex);
    EXPECT_EQ(oakTexture.GetIndex(), 1);
    EXPECT_DOUBLE_EQ(oak.GetTextureRotationAngle(), 0.5);
    const std::vector<double> internalValues = {
        oak.GetTransparency(),        oak.GetTransparencyAttenuation(), oak.GetEmissionAttenuation(),
        oak.GetEmissionColor().red,   oak.GetEmissionColor().green,     oak.GetEmissionColor().blue,
        oak.GetAmbientReflection(),   oak.GetDiffuseReflection(),       oak.GetShining(),
        oak.GetSpecularReflection(),  oak.GetSpecularColor().red,       oak.GetSpecularColor().green,
        oak.GetSpecularColor().blue};
    EXPECT_EQ(internalValues, (std::vector<double>{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 1.1, 1.2, 1.3}));
}

TEST_F(ModelerTest, MaterialsCompareByContent)
{
    ModelData data = SampleModel();
    data.materials.push_back(data.materials[1]);     // 3: the same as 2
    data.materials.push_back(data.materials[1]);     // 4: differs in shining only
    data.materials.back().shining = 0.25;
    data.materials.push_back(data.materials[0]);     // 5: differs in an extra parameter only
    data.materials.back().extraParameters[0].number = 3.0;
    Fill(data);

    EXPECT_TRUE(MaterialAt(2) == MaterialAt(3));
    EXPECT_FALSE(MaterialAt(2) == MaterialAt(4));
    EXPECT_FALSE(MaterialAt(1) == MaterialAt(5));
    EXPECT_FALSE(MaterialAt(1) == MaterialAt(2));
    EXPECT_TRUE(MaterialAt(1) == MaterialAt(1));
}

TEST_F(ModelerTest, TexturesGiveTheirSizesFlagsAndPixels)
{
    const ModelerAPI::Texture texture = TextureAt(1);
    EXPECT_EQ(texture.GetName(), GS::UniString("Oak.png"));
    EXPECT_DOUBLE_EQ(texture.GetXSize(), 2.0);
    EXPECT_DOUBLE_EQ(texture.GetYSize(), 3.0);
    EXPECT_FALSE(texture.IsBumpMapPattern());
    EXPECT_FALSE(texture.IsTransparentPattern());
    EXPECT_FALSE(texture.IsMirroredInX());
    EXPECT_TRUE(texture.IsMirroredInY());
    EXPECT_EQ(texture.GetPixelMapXSize(), 2);
    EXPECT_EQ(texture.GetPixelMapYSize(), 1);
    ASSERT_EQ(texture.GetPixelMapSize(), 2);
    std::vector<ModelerAPI::Texture::ARGBPixel> pixels(3);
    texture.GetPixelMap(pixels.data());
    // Byte for byte in memory: alpha, red, green, blue.
    const auto* bytes = reinterpret_cast<const UInt8*>(pixels.data());
    EXPECT_EQ(std::vector<UInt8>(bytes, bytes + 8), (std::vector<UInt8>{255, 10, 20, 30, 128, 40, 50, 60}));
    EXPECT_EQ(pixels[2].alpha, 0);  // nothing written beyond the map
}

TEST_F(ModelerTest, LightsGiveTheirPropertiesInBothCoordinateSystems)
{
    ModelerAPI::Light light;
    ElementAt(3).GetLight(1, &light);
    EXPECT_EQ(light.GetType(), ModelerAPI::Light::SpotLight);
    EXPECT_EQ(static_cast<Int32>(light.GetType()), 9300);
    EXPECT_DOUBLE_EQ(light.GetColor().green, 0.5);
    const ModelerAPI::Vertex world = light.GetPosition(CoordinateSystem::World);
    const ModelerAPI::Vertex local = light.GetPosition(CoordinateSystem::ElemLocal);
    EXPECT_DOUBLE_EQ(world.x, 4.0);
    EXPECT_DOUBLE_EQ(world.z, 6.0);
    EXPECT_DOUBLE_EQ(local.x, 3.0);
    EXPECT_DOUBLE_EQ(local.z, 3.0);
    EXPECT_DOUBLE_EQ(light.GetDirection(CoordinateSystem::World).y, 1.0);
    EXPECT_DOUBLE_EQ(light.GetMinDistance(), 1.0);
    EXPECT_DOUBLE_EQ(light.GetMaxDistance(), 10.0);
    EXPECT_DOUBLE_EQ(light.GetDistanceFalloff(), 0.5);
    EXPECT_TRUE(light.CastsShadow());
    EXPECT_DOUBLE_EQ(light.GetRadius(), 0.2);
    EXPECT_DOUBLE_EQ(light.GetFalloffAngle1(), 0.7);
    EXPECT_DOUBLE_EQ(light.GetFalloffAngle2(), 0.8);
    EXPECT_DOUBLE_EQ(light.GetAngleFalloff(), 2.0);

    ModelerAPI::ParameterList parameters;
    light.GetExtraParameters(&parameters);
    ASSERT_EQ(parameters.GetParameterCount(), 1);
    ModelerAPI::Parameter parameter;
    parameters.GetParameter(1, &parameter);
    EXPECT_EQ(parameter.GetType(), ModelerAPI::Parameter::StringType);
    EXPECT_FALSE(parameter.IsArray());
    EXPECT_EQ(parameter.GetName(), GS::UniString("c4d_pho_file"));
    GS::UniString value;
    parameter.GetStringValue(value);
    EXPECT_EQ(value, GS::UniString("sky.ies"));
}

TEST_F(ModelerTest, ArrayParametersAreAddressedByRowAndColumn)
{
    ZeltoHost::ParameterData texts;
    texts.name = "Names";
    texts.type = 4;
    texts.isArray = true;
    texts.dimension1 = 2;
    texts.dimension2 = 0;
    texts.texts = {"a", "b"};
    ZeltoHost::ParameterData flag = NumberParameter("Visible", 1.0);
    flag.type = 5;
    ModelData data = SampleModel();
    data.materials[0].extraParameters = {NumberArray("Grid", 2, 3, {1, 2, 3, 4, 5, 6}), texts, flag,
                                         NumberArray("Empty", 3, -1, {})};
    Fill(data);

    ModelerAPI::ParameterList list;
    MaterialAt(1).GetExtraParameters(&list);
    ASSERT_EQ(list.GetParameterCount(), 4);
    ModelerAPI::Parameter grid;
    list.GetParameter(1, &grid);
    EXPECT_EQ(grid.GetType(), ModelerAPI::Parameter::NumericArrayType);
    EXPECT_TRUE(grid.IsArray());
    Int32 d1 = 0;
    Int32 d2 = 0;
    grid.GetArrayDimensions(d1, d2);
    EXPECT_EQ(d1, 2);
    EXPECT_EQ(d2, 3);
    ModelerAPI::ArrayParameter item;
    grid.GetArrayItem(2, 1, &item);
    EXPECT_DOUBLE_EQ(static_cast<double>(item), 4.0);
    grid.GetArrayItem(1, 3, &item);
    EXPECT_DOUBLE_EQ(static_cast<double>(item), 3.0);
    EXPECT_THROW(grid.GetArrayItem(1, 0, &item), GS::IllegalArgumentException);
    EXPECT_THROW(grid.GetArrayItem(3, 1, &item), GS::IllegalArgumentException);

    ModelerAPI::Parameter column;
    list.GetParameter(2, &column);
    column.GetArrayDimensions(d1, d2);
    EXPECT_EQ(d2, 0);
    column.GetArrayItem(2, 0, &item);
    GS::UniString text;
    item.GetStringValue(text);
    EXPECT_EQ(text, GS::UniString("b"));
    EXPECT_THROW(column.GetArrayItem(1, 1, &item), GS::IllegalArgumentException);

    ModelerAPI::Parameter other;
    list.GetParameter(3, &other);
    EXPECT_EQ(static_cast<Int32>(other.GetType()), 5);
    EXPECT_DOUBLE_EQ(static_cast<double>(other), 1.0);

    ModelerAPI::Parameter empty;
    list.GetParameter(4, &empty);
    empty.GetArrayDimensions(d1, d2);
    EXPECT_EQ(d1, 3);
    EXPECT_EQ(d2, -1);
    EXPECT_THROW(empty.GetArrayItem(1, 1, &item), GS::IllegalArgumentException);
}

TEST_F(ModelerTest, PlannedFaultsHitOnlyTheChosenRead)
{
    struct Case {
        const char* name;
        ModelRead read;
        Int32 element, body, item;
        std::function<void()> target;  // the read the fault is meant for
        std::function<void()> other;   // a neighbouring read that must still work
    };
    ModelerAPI::Vertex vertex;
    ModelerAPI::ConvexPolygon convex;
    AttributeIndex index;
    const std::vector<Case> cases = {
        {"element 3", ModelRead::Element, 3, 0, 0, [&] { ElementAt(3); }, [&] { ElementAt(2); }},
        {"body 2 of element 1", ModelRead::Body, 1, 2, 0, [&] { BodyAt(1, 2); }, [&] { BodyAt(1, 1); }},
        {"body count", ModelRead::BodyCount, 1, 0, 0, [&] { ElementAt(1).GetTessellatedBodyCount(); },
         [&] { ElementAt(3).GetTessellatedBodyCount(); }},
        {"light 2", ModelRead::Light, 3, 0, 2, [&] { ModelerAPI::Light l; ElementAt(3).GetLight(2, &l); },
         [&] { ModelerAPI::Light l; ElementAt(3).GetLight(1, &l); }},
        {"vertex 4", ModelRead::Vertex, 1, 1, 4, [&] { BodyAt(1, 1).GetVertex(4, &vertex, CoordinateSystem::World); },
         [&] { BodyAt(1, 1).GetVertex(3, &vertex, CoordinateSystem::World); }},
        {"polygon count", ModelRead::PolygonCount, 1, 2, 0, [&] { BodyAt(1, 2).GetPolygonCount(); },
         [&] { BodyAt(1, 1).GetPolygonCount(); }},
        {"polygon 2", ModelRead::Polygon, 1, 1, 2, [&] { PolygonAt(1, 1, 2); }, [&] { PolygonAt(1, 1, 1); }},
        {"convex count of polygon 1", ModelRead::ConvexPolygonCount, 1, 1, 1,
         [&] { PolygonAt(1, 1, 1).GetConvexPolygonCount(); }, [&] { PolygonAt(1, 1, 2).GetConvexPolygonCount(); }},
        {"convex polygon of polygon 1", ModelRead::ConvexPolygon, 1, 1, 1,
         [&] { PolygonAt(1, 1, 1).GetConvexPolygon(2, &convex); },
         [&] { PolygonAt(1, 2, 1).GetConvexPolygon(1, &convex); }},
        {"corner count in polygon 2", ModelRead::ConvexVertexCount, 1, 1, 2,
         [&] { PolygonAt(1, 1, 2).GetConvexPolygon(1, &convex); convex.GetVertexCount(); },
         [&] { PolygonAt(1, 1, 1).GetConvexPolygon(1, &convex); convex.GetVertexCount(); }},
        {"corner in polygon 1", ModelRead::VertexIndex, 1, 1, 1,
         [&] { PolygonAt(1, 1, 1).GetConvexPolygon(1, &convex); convex.GetVertexIndex(1); },
         [&] { PolygonAt(1, 1, 2).GetConvexPolygon(1, &convex); convex.GetVertexIndex(1); }},
        {"texture coordinate", ModelRead::TextureCoordinate, 1, 1, 1,
         [&] { CornerCoordinate(1, 1, 1); }, [&] { CornerCoordinate(1, 2, 2); }},
        {"material index", ModelRead::MaterialIndex, 1, 2, 1, [&] { PolygonAt(1, 2, 1).GetMaterialIndex(index); },
         [&] { PolygonAt(1, 1, 1).GetMaterialIndex(index); }},
        {"material 2", ModelRead::Material, 0, 0, 2, [&] { MaterialAt(2); }, [&] { MaterialAt(1); }},
        {"texture name", ModelRead::TextureName, 0, 0, 1,
         [&] { TextureAt(1).GetName(); }, [&] { TextureAt(1).GetXSize(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        source->faults.clear();
        Plan(c.read, c.element, c.body, c.item);
        try {
            c.target();
            ADD_FAILURE() << "no exception";
        } catch (const GS::GSException& exception) {
            EXPECT_EQ(exception.GetErrorCode(), -1234);
        }
        EXPECT_THROW(c.target(), GS::GeneralException);  // again: a fault holds for every read
        EXPECT_NO_THROW(c.other());
    }
}

TEST_F(ModelerTest, FaultsRaiseTheChosenKindOfException)
{
    Plan(ModelRead::Polygon, 1, 1, 1, ModelFault::Kind::OutOfMemory);
    Plan(ModelRead::Polygon, 1, 1, 2, ModelFault::Kind::OtherException);
    EXPECT_THROW(PolygonAt(1, 1, 1), std::bad_alloc);
    EXPECT_THROW(PolygonAt(1, 1, 2), std::runtime_error);
    try {
        PolygonAt(1, 1, 2);
    } catch (const GS::GSException&) {
        ADD_FAILURE() << "an exception of another family must not be a host exception";
    } catch (...) {
    }
}

TEST_F(ModelerTest, EXPGetModelNeedsASightAndAModel)
{
    ModelerAPI::Model other;
    EXPECT_EQ(EXPGetModel(GS::SharedPtr<Modeler::Sight>(), &other, nullptr), Error);
    EXPECT_EQ(other.GetElementCount(), 0);
    GS::SharedPtr<Modeler::Sight> sight(std::make_shared<Modeler::Sight>(source));
    EXPECT_EQ(EXPGetModel(sight, nullptr, nullptr), Error);

    HostControl::InjectError("EXPGetModel", -77, 0, 1);
    EXPECT_EQ(EXPGetModel(sight, &other, nullptr), -77);
    EXPECT_EQ(other.GetElementCount(), 0);
    EXPECT_EQ(EXPGetModel(sight, &other, nullptr), NoError);
    EXPECT_EQ(other.GetElementCount(), 3);
}

TEST(ModelDataTest, CheckModelDataFindsCornersAndCoordinatesThatDoNotFitTheBody)
{
    ModelData model = SampleModel();
    std::string error;
    EXPECT_TRUE(ZeltoHost::CheckModelData(model, &error)) << error;

    ModelData badCorner = SampleModel();
    ZeltoHost::AddPolygon(badCorner.elements[0].bodies[1], {{1, 2, 4}}, 1);
    EXPECT_FALSE(ZeltoHost::CheckModelData(badCorner, &error));
    EXPECT_EQ(error, "element 1, body 2: corner 4 names no vertex of the body");

    ModelData badCoordinates = SampleModel();
    badCoordinates.elements[0].bodies[0].textureCoordinates.pop_back();
    EXPECT_FALSE(ZeltoHost::CheckModelData(badCoordinates, &error));
    EXPECT_EQ(error, "element 1, body 1: texture coordinates must come one per vertex");
}

// The host functions over the 3D window, reached as the add-on reaches them.
class HostModelTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ZeltoHost::InstallModel(host);
    }

    static GSErrCode GetSight(GS::SharedPtr<Modeler::Sight>* sight)
    {
#if ACAPI_NAMED_FUNCTIONS
        return ACAPI_Sight_GetCurrentWindowSight(sight);
#else
        return ACAPI_Environment(APISEL(Sight_GetCurrentWindowSight), sight);
#endif
    }

    static GSErrCode SelectSight(void* sight, void** previous)
    {
#if ACAPI_NAMED_FUNCTIONS
        return ACAPI_Sight_SelectSight(sight, previous);
#else
        return ACAPI_Environment(APISEL(Sight_SelectSight), sight, previous);
#endif
    }

    static GSErrCode GetProjection(API_3DProjectionInfo* projection)
    {
#if ACAPI_NAMED_FUNCTIONS
        return ACAPI_View_Get3DProjectionSets(projection);
#else
        return ACAPI_Environment(APISEL(View_Get3DProjectionSets), projection);
#endif
    }

    ZeltoHost::HostModel host{SampleModel()};
};

TEST_F(HostModelTest, TheWindowSightShowsTheHostModel)
{
    GS::SharedPtr<Modeler::Sight> sight;
    ASSERT_EQ(GetSight(&sight), NoError);
    ASSERT_TRUE(sight != nullptr);
    ModelerAPI::Model model;
    ASSERT_EQ(EXPGetModel(sight, &model, nullptr), NoError);
    EXPECT_EQ(model.GetElementCount(), 3);

    // Later changes of the host model show through the same sight.
    host.Data().elements.pop_back();
    EXPECT_EQ(model.GetElementCount(), 2);

    host.hasSight = false;
    ASSERT_EQ(GetSight(&sight), NoError);
    EXPECT_TRUE(sight == nullptr);

    HostControl::InjectError("ACAPI_Sight_GetCurrentWindowSight", APIERR_NO3D);
    EXPECT_EQ(GetSight(&sight), APIERR_NO3D);
}

TEST_F(HostModelTest, SelectingNoSightMakesThe3DSightCurrent)
{
    EXPECT_FALSE(host.Is3DSightSelected());
    void* previous = reinterpret_cast<void*>(0x1);
    ASSERT_EQ(SelectSight(nullptr, &previous), NoError);
    EXPECT_TRUE(host.Is3DSightSelected());
    EXPECT_EQ(previous, nullptr);
    EXPECT_EQ(Recorder().CountOf("ACAPI_Sight_SelectSight"), 1u);
}

TEST_F(HostModelTest, AttributeReadersBelongToTheCaller)
{
    const int before = ZeltoHost::HostModel::LiveAttributeReaders();
    {
        std::unique_ptr<Modeler::IAttributeReader> reader(ACAPI_Attribute_GetCurrentAttributeSetReader());
        ASSERT_NE(reader, nullptr);
        EXPECT_EQ(ZeltoHost::HostModel::LiveAttributeReaders(), before + 1);
    }
    EXPECT_EQ(ZeltoHost::HostModel::LiveAttributeReaders(), before);

    host.hasAttributeReader = false;
    EXPECT_EQ(ACAPI_Attribute_GetCurrentAttributeSetReader(), nullptr);
}

TEST_F(HostModelTest, TheProjectionIsTheHostsCopy)
{
    host.projection.isPersp = true;
    host.projection.u_persp.viewCone = 1.25;
    host.projection.u_persp.cameraZ = 1.7;
    API_3DProjectionInfo projection{};
    ASSERT_EQ(GetProjection(&projection), NoError);
    EXPECT_TRUE(projection.isPersp);
    EXPECT_DOUBLE_EQ(projection.u_persp.viewCone, 1.25);
    EXPECT_DOUBLE_EQ(projection.u_persp.cameraZ, 1.7);
}

}  // namespace
