#include "ModelData.hpp"

#include <new>
#include <stdexcept>

#include "GSException.hpp"

namespace ZeltoHost {

void AddPolygon(BodyData& body, const std::vector<std::vector<Int32>>& convexPolygons, Int32 materialIndex)
{
    PolygonData polygon;
    polygon.firstConvex = static_cast<UInt32>(body.convexPolygons.size());
    polygon.convexCount = static_cast<UInt32>(convexPolygons.size());
    polygon.materialIndex = materialIndex;
    for (const std::vector<Int32>& ring : convexPolygons) {
        ConvexPolygonData convex;
        convex.firstCorner = static_cast<UInt32>(body.corners.size());
        convex.cornerCount = static_cast<UInt32>(ring.size());
        body.corners.insert(body.corners.end(), ring.begin(), ring.end());
        body.convexPolygons.push_back(convex);
    }
    body.polygons.push_back(polygon);
}

ParameterData NumberParameter(const char* name, double value)
{
    ParameterData parameter;
    parameter.name = name;
    parameter.type = 1;
    parameter.number = value;
    return parameter;
}

ParameterData TextParameter(const char* name, const char* value)
{
    ParameterData parameter;
    parameter.name = name;
    parameter.type = 2;
    parameter.text = value;
    return parameter;
}

namespace {

std::string Where(std::size_t element, std::size_t body)
{
    return "element " + std::to_string(element + 1) + ", body " + std::to_string(body + 1) + ": ";
}

bool CheckBody(const BodyData& body, const std::string& where, std::string* error)
{
    auto fail = [&](const std::string& why) {
        if (error != nullptr)
            *error = where + why;
        return false;
    };
    if (!body.textureCoordinates.empty() && body.textureCoordinates.size() != body.vertices.size())
        return fail("texture coordinates must come one per vertex");
    const Int32 vertexCount = static_cast<Int32>(body.vertices.size());
    for (const Int32 corner : body.corners) {
        if (corner < 1 || corner > vertexCount)
            return fail("corner " + std::to_string(corner) + " names no vertex of the body");
    }
    for (const ConvexPolygonData& convex : body.convexPolygons) {
        if (std::size_t(convex.firstCorner) + convex.cornerCount > body.corners.size())
            return fail("a convex polygon reaches past the corners");
    }
    for (const PolygonData& polygon : body.polygons) {
        if (std::size_t(polygon.firstConvex) + polygon.convexCount > body.convexPolygons.size())
            return fail("a polygon reaches past the convex polygons");
    }
    return true;
}

bool SameColor(const ModelerAPI::Color& left, const ModelerAPI::Color& right)
{
    return left.red == right.red && left.green == right.green && left.blue == right.blue;
}

bool Matches(const ModelFault& fault, ModelRead read, Int32 element, Int32 body, Int32 item)
{
    return fault.read == read && (fault.element == 0 || fault.element == element) &&
           (fault.body == 0 || fault.body == body) && (fault.item == 0 || fault.item == item);
}

}  // namespace

bool CheckModelData(const ModelData& model, std::string* error)
{
    for (std::size_t e = 0; e < model.elements.size(); ++e) {
        const ElementData& element = model.elements[e];
        for (std::size_t b = 0; b < element.bodies.size(); ++b) {
            if (!CheckBody(element.bodies[b], Where(e, b), error))
                return false;
        }
    }
    return true;
}

bool operator==(const ParameterData& left, const ParameterData& right)
{
    return left.name == right.name && left.type == right.type && left.isArray == right.isArray &&
           left.number == right.number && left.text == right.text && left.dimension1 == right.dimension1 &&
           left.dimension2 == right.dimension2 && left.numbers == right.numbers && left.texts == right.texts;
}

bool operator==(const MaterialData& left, const MaterialData& right)
{
    return left.name == right.name && left.externalReference == right.externalReference &&
           SameColor(left.surfaceColor, right.surfaceColor) && left.textureIndex == right.textureIndex &&
           left.textureRotationAngle == right.textureRotationAngle && left.transparency == right.transparency &&
           left.transparencyAttenuation == right.transparencyAttenuation &&
           left.emissionAttenuation == right.emissionAttenuation &&
           SameColor(left.emissionColor, right.emissionColor) && left.ambientReflection == right.ambientReflection &&
           left.diffuseReflection == right.diffuseReflection && left.shining == right.shining &&
           left.specularReflection == right.specularReflection &&
           SameColor(left.specularColor, right.specularColor) && left.extraParameters == right.extraParameters;
}

void RaiseModelFault(const ModelData& model, ModelRead read, Int32 element, Int32 body, Int32 item)
{
    for (const ModelFault& fault : model.faults) {
        if (!Matches(fault, read, element, body, item))
            continue;
        switch (fault.kind) {
            case ModelFault::Kind::HostException:
                throw GS::GeneralException("injected model read failure", __FILE__, __LINE__, fault.code);
            case ModelFault::Kind::OutOfMemory:
                throw std::bad_alloc();
            case ModelFault::Kind::OtherException:
                throw std::runtime_error("injected model read failure");
        }
    }
}

}  // namespace ZeltoHost
