// A tessellated body of a model element: vertices, their texture coordinates, and polygons.
#ifndef GSMODELER_MESHBODY_HPP
#define GSMODELER_MESHBODY_HPP

#include "ModelerAPITypes.hpp"
#include "Polygon.hpp"

namespace ModelerAPI {

class GSMODELER_DLL_EXPORT MeshBody {
public:
    MeshBody() = default;

    Int32 GetVertexCount() const;
    // 1-based; throws GS::IllegalArgumentException outside the body or for an unknown system.
    void GetVertex(Int32 index, Vertex* vertex, CoordinateSystem system) const;

    Int32 GetPolygonCount() const;
    void GetPolygon(Int32 index, Polygon* polygon) const;

    // The body's texture coordinates, one per vertex when the body has any (else none).
    Int32 GetTextureCoordinateCount() const;
    void GetTextureCoordinate(Int32 index, TextureCoordinate* textureCoordinate) const;

    // Host side.
    void SetData(const ConvexPolygon::Place& place, const ZeltoHost::ElementData* element);

private:
    ConvexPolygon::Place place;
    const ZeltoHost::ElementData* element = nullptr;
};

}  // namespace ModelerAPI

#endif
