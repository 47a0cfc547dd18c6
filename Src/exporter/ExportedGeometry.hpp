// Which parts of the tessellated model go into the export file. The points, the texture coordinates
// and the polygons decide with these tests, so the texture-coordinate and polygon records always
// pair up and every point number stays within its own body. The scene bounds take every convex
// polygon, whatever its number of corners, but read only the vertices that its body has.
#ifndef EXPORTER_EXPORTEDGEOMETRY_HPP
#define EXPORTER_EXPORTEDGEOMETRY_HPP

#include "ModelerAPI.hpp"

namespace WRL {

// A body is exported, all of its vertices as points, when it has a polygon and a vertex.
bool IsExportedBody(const ModelerAPI::MeshBody& body);

// Whether the vertex index names a vertex of a body of bodyVertexCount vertices (1 to bodyVertexCount).
bool IsBodyVertex(Int32 vertexIndex, Int32 bodyVertexCount);

// A convex polygon is exported when it has at least three corners and every corner names a vertex
// of its body.
bool IsExportedConvexPolygon(const ModelerAPI::ConvexPolygon& convexPolygon, Int32 bodyVertexCount);

// The model objects that one run over the mesh reuses for every element, body and polygon.
struct MeshReaders {
    ModelerAPI::Element element;
    ModelerAPI::MeshBody body;
    ModelerAPI::Polygon polygon;
    ModelerAPI::ConvexPolygon convexPolygon;
};

// The hooks of the walk below that a run has no use for.
struct NoPolygonStart {
    void operator()(const ModelerAPI::Polygon& /*polygon*/) const {}
};
struct UnguardedPolygon {
    template <typename PolygonStep>
    void operator()(PolygonStep step) const
    {
        step();
    }
};

// Visits every convex polygon of readers.body in model order: visit(polygon, convexPolygon) for each,
// with the readers reused for every read so that the walk allocates nothing. startPolygon(polygon)
// runs once per polygon, right after it is read and before its convex polygons. guardPolygon(step)
// runs the whole step of one polygon, its reading included, so a guard that catches leaves out only
// the rest of that polygon.
template <typename ConvexPolygonVisit, typename PolygonStart = NoPolygonStart, typename PolygonGuard = UnguardedPolygon>
void VisitConvexPolygons(MeshReaders& readers, ConvexPolygonVisit visit, PolygonStart startPolygon = {},
                         PolygonGuard guardPolygon = {})
{
    const ModelerAPI::MeshBody& body = readers.body;
    const ModelerAPI::Polygon& polygon = readers.polygon;
    const Int32 polygonCount = body.GetPolygonCount();
    for (Int32 polygonNumber = 1; polygonNumber <= polygonCount; ++polygonNumber) {
        guardPolygon([&] {
            body.GetPolygon(polygonNumber, &readers.polygon);
            startPolygon(polygon);
            const Int32 convexCount = polygon.GetConvexPolygonCount();
            for (Int32 convexNumber = 1; convexNumber <= convexCount; ++convexNumber) {
                polygon.GetConvexPolygon(convexNumber, &readers.convexPolygon);
                visit(polygon, static_cast<const ModelerAPI::ConvexPolygon&>(readers.convexPolygon));
            }
        });
    }
}

// As VisitConvexPolygons, over the exported convex polygons only. bodyVertexCount is the body's
// vertex count, read by the caller.
template <typename ConvexPolygonVisit, typename PolygonStart = NoPolygonStart>
void VisitExportedConvexPolygons(MeshReaders& readers, Int32 bodyVertexCount, ConvexPolygonVisit visit,
                                 PolygonStart startPolygon = {})
{
    VisitConvexPolygons(
        readers,
        [&](const ModelerAPI::Polygon& polygon, const ModelerAPI::ConvexPolygon& convexPolygon) {
            if (IsExportedConvexPolygon(convexPolygon, bodyVertexCount))
                visit(polygon, convexPolygon);
        },
        startPolygon);
}

}  // namespace WRL

#endif
