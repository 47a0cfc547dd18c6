// Host side of the 3D model: the data behind the ModelerAPI classes, which the scene loader (or a
// test) builds and a sight shows. Numbers in the API count from 1; the vectors here from 0.
#ifndef GSMODELER_MODELDATA_HPP
#define GSMODELER_MODELDATA_HPP

#include <string>
#include <vector>

#include "APIdefs_Base.h"
#include "Light.hpp"
#include "ModelerAPITypes.hpp"
#include "Texture.hpp"
#include "UniString.hpp"

namespace ZeltoHost {

// An extra parameter. Single values use `number` or `text`; arrays hold their items row by row in
// `numbers` or `texts`: item (r, c) at (r - 1) * d2 + (c - 1), or at r - 1 when d2 is 0.
struct ParameterData {
    GS::UniString name;
    Int32 type = 1;  // 1 numeric, 2 text, 3 numeric array, 4 text array; other values allowed
    bool isArray = false;
    double number = 0.0;
    GS::UniString text;
    Int32 dimension1 = 0;
    Int32 dimension2 = 0;
    std::vector<double> numbers;
    std::vector<GS::UniString> texts;
};

using ParameterListData = std::vector<ParameterData>;

struct MaterialData {
    GS::UniString name;
    Int32 externalReference = 0;
    ModelerAPI::Color surfaceColor;
    Int32 textureIndex = 0;  // the model texture's number; 0 for none
    double textureRotationAngle = 0.0;
    double transparency = 0.0;
    double transparencyAttenuation = 0.0;
    double emissionAttenuation = 0.0;
    ModelerAPI::Color emissionColor;
    double ambientReflection = 0.0;
    double diffuseReflection = 0.0;
    double shining = 0.0;
    double specularReflection = 0.0;
    ModelerAPI::Color specularColor;
    ParameterListData extraParameters;
};

struct TextureData {
    GS::UniString name;
    double xSize = 1.0;
    double ySize = 1.0;
    bool bumpMapPattern = false;
    bool transparentPattern = false;
    bool mirroredInX = false;
    bool mirroredInY = false;
    Int32 pixelWidth = 0;
    Int32 pixelHeight = 0;
    std::vector<ModelerAPI::Texture::ARGBPixel> pixels;  // pixelWidth x pixelHeight, top row first
    std::string sourceFile;                               // where the pixels came from, if a file
};

struct LightData {
    Int32 type = ModelerAPI::Light::PointLight;
    ModelerAPI::Color color{1.0, 1.0, 1.0};
    ModelerAPI::Vertex position;  // world coordinates
    ModelerAPI::Vector direction{0.0, 0.0, -1.0};
    double minDistance = 0.0;
    double maxDistance = 0.0;
    double distanceFalloff = 0.0;
    bool castsShadow = false;
    double radius = 0.0;
    double falloffAngle1 = 0.0;
    double falloffAngle2 = 0.0;
    double angleFalloff = 0.0;
    ParameterListData extraParameters;
};

// A convex polygon: `cornerCount` entries of the body's `corners`, from `firstCorner`.
struct ConvexPolygonData {
    UInt32 firstCorner = 0;
    UInt32 cornerCount = 0;
};

// A polygon: `convexCount` entries of the body's `convexPolygons`, from `firstConvex`.
struct PolygonData {
    UInt32 firstConvex = 0;
    UInt32 convexCount = 0;
    Int32 materialIndex = 0;
};

// Flat arrays, so that walking a large body touches no per-polygon allocation.
struct BodyData {
    std::vector<ModelerAPI::Vertex> vertices;                     // world coordinates
    std::vector<ModelerAPI::TextureCoordinate> textureCoordinates;  // none, or one per vertex
    std::vector<Int32> corners;                                   // 1-based vertex indices
    std::vector<ConvexPolygonData> convexPolygons;
    std::vector<PolygonData> polygons;
};

struct ElementData {
    API_Guid guid = APINULLGuid;
    bool invalid = false;
    ModelerAPI::Vertex origin;  // element-local coordinates are world coordinates minus this
    std::vector<BodyData> bodies;
    std::vector<LightData> lights;
};

// A read of the model that is made to fail, for tests of the add-on's failure handling.
enum class ModelRead {
    Element,             // Model::GetElement, item: -
    BodyCount,           // Element::GetTessellatedBodyCount
    Body,                // Element::GetTessellatedBody, body
    LightCount,          // Element::GetLightCount
    Light,               // Element::GetLight, item: light
    VertexCount,         // MeshBody::GetVertexCount, body
    Vertex,              // MeshBody::GetVertex, body, item: vertex
    PolygonCount,        // MeshBody::GetPolygonCount, body
    Polygon,             // MeshBody::GetPolygon, body, item: polygon
    ConvexPolygonCount,  // Polygon::GetConvexPolygonCount, body, item: polygon
    ConvexPolygon,       // Polygon::GetConvexPolygon, body, item: polygon
    ConvexVertexCount,   // ConvexPolygon::GetVertexCount, body, item: polygon
    VertexIndex,         // ConvexPolygon::GetVertexIndex, body, item: polygon
    TextureCoordinate,   // Polygon::GetTextureCoordinate, body, item: polygon
    MaterialIndex,       // Polygon::GetMaterialIndex, body, item: polygon
    Material,            // Model::GetMaterial, item: material
    Texture,             // Model::GetTexture, item: texture
    TextureName          // Texture::GetName, item: texture
};

struct ModelFault {
    enum class Kind {
        HostException,   // GS::GeneralException with `code`
        OutOfMemory,     // std::bad_alloc
        OtherException   // std::runtime_error
    };
    ModelRead read = ModelRead::Element;
    Int32 element = 0;  // 1-based numbers; 0 matches any
    Int32 body = 0;
    Int32 item = 0;
    Kind kind = Kind::HostException;
    GSErrCode code = Error;
};

struct ModelData {
    std::vector<ElementData> elements;
    std::vector<MaterialData> materials;
    std::vector<TextureData> textures;
    // Every read that matches a fault throws, each time it is made.
    std::vector<ModelFault> faults;
};

// ---- Building a model in code ----------------------------------------------------------------

// Appends a polygon made of convex polygons, each a ring of 1-based vertex indices.
GSMODELER_DLL_EXPORT void AddPolygon(BodyData& body, const std::vector<std::vector<Int32>>& convexPolygons,
                                     Int32 materialIndex);
// A numeric (type 1) and a text (type 2) extra parameter.
GSMODELER_DLL_EXPORT ParameterData NumberParameter(const char* name, double value);
GSMODELER_DLL_EXPORT ParameterData TextParameter(const char* name, const char* value);
// Checks that every corner names a vertex of its body and that texture coordinates, when given,
// come one per vertex. False with a description ("element 2, body 1: ...") otherwise.
GSMODELER_DLL_EXPORT bool CheckModelData(const ModelData& model, std::string* error);

GSMODELER_DLL_EXPORT bool operator==(const ParameterData& left, const ParameterData& right);
GSMODELER_DLL_EXPORT bool operator==(const MaterialData& left, const MaterialData& right);

// ---- Reading -----------------------------------------------------------------------------------

// Throws the planned fault for a read, if one matches.
GSMODELER_DLL_EXPORT void RaiseModelFault(const ModelData& model, ModelRead read, Int32 element, Int32 body,
                                          Int32 item);

// Cheap when no fault is planned: one test on the hot path of every read.
inline void CheckModelRead(const ModelData* model, ModelRead read, Int32 element, Int32 body, Int32 item)
{
    if (model != nullptr && !model->faults.empty())
        RaiseModelFault(*model, read, element, body, item);
}

}  // namespace ZeltoHost

#endif
