#include "ExportedGeometry.hpp"

namespace WRL {

bool IsExportedBody(const ModelerAPI::MeshBody& body)
{
    return body.GetPolygonCount() > 0 && body.GetVertexCount() > 0;
}

bool IsBodyVertex(Int32 vertexIndex, Int32 bodyVertexCount)
{
    return vertexIndex >= 1 && vertexIndex <= bodyVertexCount;
}

bool IsExportedConvexPolygon(const ModelerAPI::ConvexPolygon& convexPolygon, Int32 bodyVertexCount)
{
    const Int32 cornerCount = convexPolygon.GetVertexCount();
    if (cornerCount < 3)
        return false;
    for (Int32 corner = 1; corner <= cornerCount; ++corner) {
        if (!IsBodyVertex(convexPolygon.GetVertexIndex(corner), bodyVertexCount))
            return false;
    }
    return true;
}

}  // namespace WRL
