#include "ExportedGeometry.hpp"

namespace WRL {

bool IsExportedBody(const ModelerAPI::MeshBody& body)
{
    return body.GetPolygonCount() > 0 && body.GetVertexCount() > 0;
}

bool IsExportedConvexPolygon(const ModelerAPI::ConvexPolygon& convexPolygon, Int32 bodyVertexCount)
{
    const Int32 cornerCount = convexPolygon.GetVertexCount();
    if (cornerCount < 3)
        return false;
    for (Int32 corner = 1; corner <= cornerCount; ++corner) {
        const Int32 vertex = convexPolygon.GetVertexIndex(corner);
        if (vertex < 1 || vertex > bodyVertexCount)
            return false;
    }
    return true;
}

}  // namespace WRL
