#include "MeshBody.hpp"

#include "ModelCoordinates.hpp"
#include "ModelData.hpp"
#include "ModelReadChecks.hpp"

namespace ModelerAPI {

namespace {

std::size_t VertexCountOf(const ZeltoHost::BodyData* body) { return body != nullptr ? body->vertices.size() : 0; }
std::size_t PolygonCountOf(const ZeltoHost::BodyData* body) { return body != nullptr ? body->polygons.size() : 0; }
std::size_t TextureCoordinateCountOf(const ZeltoHost::BodyData* body)
{
    return body != nullptr ? body->textureCoordinates.size() : 0;
}

}  // namespace

void MeshBody::SetData(const ConvexPolygon::Place& bodyPlace, const ZeltoHost::ElementData* owner)
{
    place = bodyPlace;
    element = owner;
}

Int32 MeshBody::GetVertexCount() const
{
    ZeltoHost::CheckModelRead(place.model, ZeltoHost::ModelRead::VertexCount, place.element, place.bodyNumber, 0);
    return static_cast<Int32>(VertexCountOf(place.body));
}

void MeshBody::GetVertex(Int32 index, Vertex* vertex, CoordinateSystem system) const
{
    static const char* const operation = "ModelerAPI::MeshBody::GetVertex";
    ZeltoHost::CheckOutput(vertex, operation);
    ZeltoHost::CheckModelRead(place.model, ZeltoHost::ModelRead::Vertex, place.element, place.bodyNumber, index);
    const std::size_t position = ZeltoHost::CheckedPosition(operation, index, VertexCountOf(place.body));
    *vertex = ZeltoHost::InSystem(place.body->vertices[position], element, system, operation);
}

Int32 MeshBody::GetPolygonCount() const
{
    ZeltoHost::CheckModelRead(place.model, ZeltoHost::ModelRead::PolygonCount, place.element, place.bodyNumber, 0);
    return static_cast<Int32>(PolygonCountOf(place.body));
}

void MeshBody::GetPolygon(Int32 index, Polygon* polygon) const
{
    static const char* const operation = "ModelerAPI::MeshBody::GetPolygon";
    ZeltoHost::CheckOutput(polygon, operation);
    ZeltoHost::CheckModelRead(place.model, ZeltoHost::ModelRead::Polygon, place.element, place.bodyNumber, index);
    const std::size_t position = ZeltoHost::CheckedPosition(operation, index, PolygonCountOf(place.body));
    ConvexPolygon::Place polygonPlace = place;
    polygonPlace.polygon = index;
    polygon->SetData(polygonPlace, &place.body->polygons[position]);
}

Int32 MeshBody::GetTextureCoordinateCount() const
{
    return static_cast<Int32>(TextureCoordinateCountOf(place.body));
}

void MeshBody::GetTextureCoordinate(Int32 index, TextureCoordinate* textureCoordinate) const
{
    static const char* const operation = "ModelerAPI::MeshBody::GetTextureCoordinate";
    ZeltoHost::CheckOutput(textureCoordinate, operation);
    const std::size_t position =
        ZeltoHost::CheckedPosition(operation, index, TextureCoordinateCountOf(place.body));
    *textureCoordinate = place.body->textureCoordinates[position];
}

}  // namespace ModelerAPI
