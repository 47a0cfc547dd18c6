// Which parts of the tessellated model go into the export file. The scene bounds, the points, the
// texture coordinates and the polygons all decide with these two tests, so the texture-coordinate
// and polygon records always pair up and every point number stays within its own body.
#ifndef EXPORTER_EXPORTEDGEOMETRY_HPP
#define EXPORTER_EXPORTEDGEOMETRY_HPP

#include "ModelerAPI.hpp"

namespace WRL {

// A body is exported, all of its vertices as points, when it has a polygon and a vertex.
bool IsExportedBody(const ModelerAPI::MeshBody& body);

// A convex polygon is exported when it has at least three corners and every corner names a vertex
// of its body (1 to bodyVertexCount).
bool IsExportedConvexPolygon(const ModelerAPI::ConvexPolygon& convexPolygon, Int32 bodyVertexCount);

// The model objects that one run over the mesh reuses for every element, body and polygon.
struct MeshReaders {
    ModelerAPI::Element element;
    ModelerAPI::MeshBody body;
    ModelerAPI::Polygon polygon;
    ModelerAPI::ConvexPolygon convexPolygon;
};

}  // namespace WRL

#endif
