#include "ConvexPolygon.hpp"

#include <cmath>

#include "ModelCoordinates.hpp"
#include "ModelData.hpp"
#include "ModelReadChecks.hpp"

namespace ModelerAPI {

void ConvexPolygon::SetData(const Place& polygonPlace, const Int32* firstCorner, Int32 count)
{
    place = polygonPlace;
    corners = firstCorner;
    cornerCount = count;
}

Int32 ConvexPolygon::GetVertexCount() const
{
    ZeltoHost::CheckModelRead(place.model, ZeltoHost::ModelRead::ConvexVertexCount, place.element, place.bodyNumber,
                              place.polygon);
    return cornerCount;
}

Int32 ConvexPolygon::GetVertexIndex(Int32 corner) const
{
    ZeltoHost::CheckModelRead(place.model, ZeltoHost::ModelRead::VertexIndex, place.element, place.bodyNumber,
                              place.polygon);
    return corners[ZeltoHost::CheckedPosition("ModelerAPI::ConvexPolygon::GetVertexIndex", corner,
                                              static_cast<std::size_t>(cornerCount))];
}

// Newell's method over the ring: robust for any convex ring, zero for a degenerate one. Moving
// the origin does not turn a normal, so both systems give the same vector.
Vector ConvexPolygon::GetNormalVectorByVertex(Int32 corner, CoordinateSystem system) const
{
    static const char* const operation = "ModelerAPI::ConvexPolygon::GetNormalVectorByVertex";
    ZeltoHost::CheckedPosition(operation, corner, static_cast<std::size_t>(cornerCount));
    ZeltoHost::CheckSystem(system, operation);
    Vector normal;
    for (Int32 k = 0; k < cornerCount; ++k) {
        const Vertex& current = place.body->vertices[corners[k] - 1];
        const Vertex& next = place.body->vertices[corners[(k + 1) % cornerCount] - 1];
        normal.x += (current.y - next.y) * (current.z + next.z);
        normal.y += (current.z - next.z) * (current.x + next.x);
        normal.z += (current.x - next.x) * (current.y + next.y);
    }
    const double length = std::sqrt(normal.x * normal.x + normal.y * normal.y + normal.z * normal.z);
    if (length > 0.0) {
        normal.x /= length;
        normal.y /= length;
        normal.z /= length;
    }
    return normal;
}

}  // namespace ModelerAPI
