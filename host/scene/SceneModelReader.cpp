#include "SceneModelReader.hpp"

#include <map>

#include "SceneImages.hpp"
#include "SceneParameterReader.hpp"
#include "ScenePaths.hpp"

namespace ZeltoHost {

namespace {

ModelerAPI::TextureCoordinate ReadTextureCoordinate(const SceneNode& node)
{
    if (node.Size() != 2)
        node.Fail("expected two numbers [u, v]");
    return ModelerAPI::TextureCoordinate{node.At(0).Number(), node.At(1).Number()};
}

std::vector<Int32> ReadRing(const SceneNode& node, std::size_t vertexCount)
{
    std::vector<Int32> ring;
    for (std::size_t k = 0; k < node.Size(); ++k) {
        const SceneNode corner = node.At(k);
        const Int32 index = corner.Integer();
        if (index < 1 || std::size_t(index) > vertexCount)
            corner.Fail("a corner names a vertex of the body, 1 to " + std::to_string(vertexCount));
        ring.push_back(index);
    }
    return ring;
}

// A polygon is one convex ring ("corners") or several ("convex").
void ReadPolygon(const SceneNode& node, BodyData& body)
{
    node.CheckObject({"material", "corners", "convex"});
    if (node.Has("corners") == node.Has("convex"))
        node.Fail("a polygon needs either \"corners\" or \"convex\"");
    std::vector<std::vector<Int32>> rings;
    if (node.Has("corners")) {
        rings.push_back(ReadRing(node["corners"], body.vertices.size()));
    } else {
        const SceneNode convex = node["convex"];
        for (std::size_t c = 0; c < convex.Size(); ++c)
            rings.push_back(ReadRing(convex.At(c), body.vertices.size()));
    }
    AddPolygon(body, rings, node.IntegerOr("material", 0));
}

BodyData ReadBody(const SceneNode& node)
{
    node.CheckObject({"vertices", "textureCoordinates", "polygons"});
    BodyData body;
    const SceneNode vertices = node["vertices"];
    for (std::size_t v = 0; v < vertices.Size(); ++v)
        body.vertices.push_back(vertices.At(v).Point3());
    if (node.Has("textureCoordinates")) {
        const SceneNode coordinates = node["textureCoordinates"];
        if (coordinates.Size() != body.vertices.size())
            coordinates.Fail("texture coordinates come one per vertex");
        for (std::size_t v = 0; v < coordinates.Size(); ++v)
            body.textureCoordinates.push_back(ReadTextureCoordinate(coordinates.At(v)));
    }
    if (node.Has("polygons")) {
        const SceneNode polygons = node["polygons"];
        for (std::size_t p = 0; p < polygons.Size(); ++p)
            ReadPolygon(polygons.At(p), body);
    }
    return body;
}

Int32 ReadLightType(const SceneNode& node)
{
    static const std::map<std::string, Int32> names = {{"direction", ModelerAPI::Light::DirectionLight},
                                                       {"spot", ModelerAPI::Light::SpotLight},
                                                       {"point", ModelerAPI::Light::PointLight},
                                                       {"sun", ModelerAPI::Light::SunLight}};
    if (node.Json().is_number())
        return node.Integer();
    const auto found = names.find(node.Text());
    if (found == names.end())
        node.Fail("expected a light type number or one of \"direction\", \"spot\", \"point\", \"sun\"");
    return found->second;
}

LightData ReadLight(const SceneNode& node)
{
    node.CheckObject({"type", "color", "position", "direction", "minDistance", "maxDistance", "distanceFalloff",
                      "castsShadow", "radius", "falloffAngle1", "falloffAngle2", "angleFalloff", "parameters"});
    LightData light;
    light.type = ReadLightType(node["type"]);
    if (node.Has("color"))
        light.color = node["color"].Color();
    if (node.Has("position"))
        light.position = node["position"].Point3();
    if (node.Has("direction")) {
        const ModelerAPI::Vertex direction = node["direction"].Point3();
        light.direction = ModelerAPI::Vector{direction.x, direction.y, direction.z};
    }
    light.minDistance = node.NumberOr("minDistance", light.minDistance);
    light.maxDistance = node.NumberOr("maxDistance", light.maxDistance);
    light.distanceFalloff = node.NumberOr("distanceFalloff", light.distanceFalloff);
    light.castsShadow = node.BoolOr("castsShadow", light.castsShadow);
    light.radius = node.NumberOr("radius", light.radius);
    light.falloffAngle1 = node.NumberOr("falloffAngle1", light.falloffAngle1);
    light.falloffAngle2 = node.NumberOr("falloffAngle2", light.falloffAngle2);
    light.angleFalloff = node.NumberOr("angleFalloff", light.angleFalloff);
    if (node.Has("parameters"))
        light.extraParameters = ReadSceneParameters(node["parameters"]);
    return light;
}

ElementData ReadElement(const SceneNode& node)
{
    node.CheckObject({"guid", "invalid", "origin", "bodies", "lights"});
    ElementData element;
    element.guid = node["guid"].Guid();
    element.invalid = node.BoolOr("invalid", false);
    if (node.Has("origin"))
        element.origin = node["origin"].Point3();
    if (node.Has("bodies")) {
        const SceneNode bodies = node["bodies"];
        for (std::size_t b = 0; b < bodies.Size(); ++b)
            element.bodies.push_back(ReadBody(bodies.At(b)));
    }
    if (node.Has("lights")) {
        const SceneNode lights = node["lights"];
        for (std::size_t l = 0; l < lights.Size(); ++l)
            element.lights.push_back(ReadLight(lights.At(l)));
    }
    return element;
}

MaterialData ReadMaterial(const SceneNode& node)
{
    node.CheckObject({"name", "externalReference", "surfaceColor", "texture", "textureRotationAngle", "transparency",
                      "transparencyAttenuation", "emissionAttenuation", "emissionColor", "ambientReflection",
                      "diffuseReflection", "shining", "specularReflection", "specularColor", "parameters"});
    MaterialData material;
    material.name = GS::UniString::FromUtf8(node.TextOr("name", ""));
    material.externalReference = node.IntegerOr("externalReference", 0);
    if (node.Has("surfaceColor"))
        material.surfaceColor = node["surfaceColor"].Color();
    material.textureIndex = node.IntegerOr("texture", 0);
    material.textureRotationAngle = node.NumberOr("textureRotationAngle", 0.0);
    material.transparency = node.NumberOr("transparency", 0.0);
    material.transparencyAttenuation = node.NumberOr("transparencyAttenuation", 0.0);
    material.emissionAttenuation = node.NumberOr("emissionAttenuation", 0.0);
    if (node.Has("emissionColor"))
        material.emissionColor = node["emissionColor"].Color();
    material.ambientReflection = node.NumberOr("ambientReflection", 0.0);
    material.diffuseReflection = node.NumberOr("diffuseReflection", 0.0);
    material.shining = node.NumberOr("shining", 0.0);
    material.specularReflection = node.NumberOr("specularReflection", 0.0);
    if (node.Has("specularColor"))
        material.specularColor = node["specularColor"].Color();
    if (node.Has("parameters"))
        material.extraParameters = ReadSceneParameters(node["parameters"]);
    return material;
}

TextureData ReadTexture(const SceneNode& node, const std::string& sceneFolder)
{
    node.CheckObject({"name", "image", "size", "bumpMap", "transparent", "mirrorX", "mirrorY"});
    TextureData texture;
    if (!node.Has("name") && !node.Has("image"))
        node.Fail("a texture needs a \"name\" or an \"image\"");
    if (node.Has("image")) {
        const SceneNode image = node["image"];
        texture.sourceFile = ScenePath(image.Text(), sceneFolder);
        std::string problem;
        if (!ReadTextureImage(texture.sourceFile, texture, &problem))
            image.Fail(problem);
    }
    texture.name = GS::UniString::FromUtf8(node.TextOr("name", FileBaseName(texture.sourceFile)));
    if (node.Has("size")) {
        const SceneNode size = node["size"];
        if (size.Size() != 2)
            size.Fail("expected two numbers [x, y]");
        texture.xSize = size.At(0).Number();
        texture.ySize = size.At(1).Number();
    }
    texture.bumpMapPattern = node.BoolOr("bumpMap", false);
    texture.transparentPattern = node.BoolOr("transparent", false);
    texture.mirroredInX = node.BoolOr("mirrorX", false);
    texture.mirroredInY = node.BoolOr("mirrorY", false);
    return texture;
}

ModelRead ReadFaultRead(const SceneNode& node)
{
    static const std::map<std::string, ModelRead> names = {
        {"element", ModelRead::Element},
        {"bodyCount", ModelRead::BodyCount},
        {"body", ModelRead::Body},
        {"lightCount", ModelRead::LightCount},
        {"light", ModelRead::Light},
        {"vertexCount", ModelRead::VertexCount},
        {"vertex", ModelRead::Vertex},
        {"polygonCount", ModelRead::PolygonCount},
        {"polygon", ModelRead::Polygon},
        {"convexPolygonCount", ModelRead::ConvexPolygonCount},
        {"convexPolygon", ModelRead::ConvexPolygon},
        {"convexVertexCount", ModelRead::ConvexVertexCount},
        {"vertexIndex", ModelRead::VertexIndex},
        {"textureCoordinate", ModelRead::TextureCoordinate},
        {"materialIndex", ModelRead::MaterialIndex},
        {"material", ModelRead::Material},
        {"texture", ModelRead::Texture},
        {"textureName", ModelRead::TextureName},
    };
    const auto found = names.find(node.Text());
    if (found == names.end())
        node.Fail("not a model read that can fail (see SCENE_FORMAT.md)");
    return found->second;
}

ModelFault ReadFault(const SceneNode& node)
{
    static const std::map<std::string, ModelFault::Kind> kinds = {{"host", ModelFault::Kind::HostException},
                                                                  {"outOfMemory", ModelFault::Kind::OutOfMemory},
                                                                  {"other", ModelFault::Kind::OtherException}};
    node.CheckObject({"read", "element", "body", "item", "kind", "code"});
    ModelFault fault;
    fault.read = ReadFaultRead(node["read"]);
    fault.element = node.IntegerOr("element", 0);
    fault.body = node.IntegerOr("body", 0);
    fault.item = node.IntegerOr("item", 0);
    if (node.Has("kind")) {
        const SceneNode kind = node["kind"];
        const auto found = kinds.find(kind.Text());
        if (found == kinds.end())
            kind.Fail("expected \"host\", \"outOfMemory\" or \"other\"");
        fault.kind = found->second;
    }
    fault.code = node.IntegerOr("code", Error);
    return fault;
}

template <typename Item, typename ReadItem>
void ReadList(const SceneNode& parent, const char* key, std::vector<Item>& out, ReadItem readItem)
{
    if (!parent.Has(key))
        return;
    const SceneNode list = parent[key];
    for (std::size_t i = 0; i < list.Size(); ++i)
        out.push_back(readItem(list.At(i)));
}

}  // namespace

void ReadSceneModel(const SceneNode& node, const std::string& sceneFolder, ModelData& model)
{
    node.CheckObject({"elements", "materials", "textures", "faults"});
    ReadList(node, "elements", model.elements, ReadElement);
    ReadList(node, "materials", model.materials, ReadMaterial);
    ReadList(node, "textures", model.textures,
             [&](const SceneNode& texture) { return ReadTexture(texture, sceneFolder); });
    ReadList(node, "faults", model.faults, ReadFault);
}

}  // namespace ZeltoHost
