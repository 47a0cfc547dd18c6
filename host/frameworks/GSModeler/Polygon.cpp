#include "Polygon.hpp"

#include "ModelData.hpp"
#include "ModelReadChecks.hpp"

namespace ModelerAPI {

namespace {

bool SamePosition(const Vertex& left, const Vertex& right)
{
    return left.x == right.x && left.y == right.y && left.z == right.z;
}

}  // namespace

void Polygon::SetData(const ConvexPolygon::Place& polygonPlace, const ZeltoHost::PolygonData* polygon)
{
    place = polygonPlace;
    data = polygon;
}

Int32 Polygon::GetConvexPolygonCount() const
{
    ZeltoHost::CheckModelRead(place.model, ZeltoHost::ModelRead::ConvexPolygonCount, place.element, place.bodyNumber,
                              place.polygon);
    return data != nullptr ? static_cast<Int32>(data->convexCount) : 0;
}

void Polygon::GetConvexPolygon(Int32 index, ConvexPolygon* convexPolygon) const
{
    static const char* const operation = "ModelerAPI::Polygon::GetConvexPolygon";
    ZeltoHost::CheckOutput(convexPolygon, operation);
    ZeltoHost::CheckModelRead(place.model, ZeltoHost::ModelRead::ConvexPolygon, place.element, place.bodyNumber,
                              place.polygon);
    const std::size_t position = ZeltoHost::CheckedPosition(operation, index, data != nullptr ? data->convexCount : 0);
    const ZeltoHost::ConvexPolygonData& convex = place.body->convexPolygons[data->firstConvex + position];
    convexPolygon->SetData(place, place.body->corners.data() + convex.firstCorner,
                           static_cast<Int32>(convex.cornerCount));
}

// The host projects the texture onto the polygon; the stand-in keeps one coordinate per vertex and
// finds the corner at the asked position.
void Polygon::GetTextureCoordinate(const Vertex* position, TextureCoordinate* textureCoordinate) const
{
    static const char* const operation = "ModelerAPI::Polygon::GetTextureCoordinate";
    ZeltoHost::CheckOutput(position, operation);
    ZeltoHost::CheckOutput(textureCoordinate, operation);
    ZeltoHost::CheckModelRead(place.model, ZeltoHost::ModelRead::TextureCoordinate, place.element, place.bodyNumber,
                              place.polygon);
    if (data == nullptr)
        ZeltoHost::ThrowBadArgument(operation, "no polygon");
    const ZeltoHost::BodyData& body = *place.body;
    if (body.textureCoordinates.empty()) {
        *textureCoordinate = TextureCoordinate{};
        return;
    }
    for (UInt32 c = 0; c < data->convexCount; ++c) {
        const ZeltoHost::ConvexPolygonData& convex = body.convexPolygons[data->firstConvex + c];
        for (UInt32 k = 0; k < convex.cornerCount; ++k) {
            const Int32 vertexIndex = body.corners[convex.firstCorner + k];
            if (SamePosition(body.vertices[vertexIndex - 1], *position)) {
                *textureCoordinate = body.textureCoordinates[vertexIndex - 1];
                return;
            }
        }
    }
    ZeltoHost::ThrowBadArgument(operation, "the position is no corner of the polygon");
}

void Polygon::GetMaterialIndex(AttributeIndex& materialIndex) const
{
    ZeltoHost::CheckModelRead(place.model, ZeltoHost::ModelRead::MaterialIndex, place.element, place.bodyNumber,
                              place.polygon);
    materialIndex.Set(AttributeIndex::MaterialIndex, data != nullptr ? data->materialIndex : 0);
}

}  // namespace ModelerAPI
