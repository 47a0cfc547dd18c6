// A polygon of a mesh body: made of convex polygons, with one material and texture mapping.
#ifndef GSMODELER_POLYGON_HPP
#define GSMODELER_POLYGON_HPP

#include "AttributeIndex.hpp"
#include "ConvexPolygon.hpp"
#include "ModelerAPITypes.hpp"

namespace ModelerAPI {

class GSMODELER_DLL_EXPORT Polygon {
public:
    Polygon() = default;

    Int32 GetConvexPolygonCount() const;
    // 1-based; throws GS::IllegalArgumentException outside the polygon.
    void GetConvexPolygon(Int32 index, ConvexPolygon* convexPolygon) const;

    // The texture coordinate at a corner of this polygon, given by its world position (as
    // MeshBody::GetVertex gives it). (0, 0) when the body has no texture coordinates; a position that
    // is no corner of the polygon throws GS::IllegalArgumentException.
    void GetTextureCoordinate(const Vertex* position, TextureCoordinate* textureCoordinate) const;
    // Fills a material index (kind 2, the model's 1-based material number; 0 for none).
    void GetMaterialIndex(AttributeIndex& materialIndex) const;

    // Host side.
    void SetData(const ConvexPolygon::Place& place, const ZeltoHost::PolygonData* polygon);

private:
    ConvexPolygon::Place place;
    const ZeltoHost::PolygonData* data = nullptr;
};

}  // namespace ModelerAPI

#endif
