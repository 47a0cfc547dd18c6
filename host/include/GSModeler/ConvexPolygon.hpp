// One convex part of a model polygon: a ring of corners, each a vertex of the body.
#ifndef GSMODELER_CONVEXPOLYGON_HPP
#define GSMODELER_CONVEXPOLYGON_HPP

#include "ModelerAPITypes.hpp"

namespace ModelerAPI {

class GSMODELER_DLL_EXPORT ConvexPolygon {
public:
    ConvexPolygon() = default;

    Int32 GetVertexCount() const;
    // The body's vertex index (1-based) of corner k (1-based).
    Int32 GetVertexIndex(Int32 corner) const;
    // The unit normal of the convex polygon's plane at corner k (the same at every corner).
    Vector GetNormalVectorByVertex(Int32 corner, CoordinateSystem system) const;

    // Host side. The corners point into the body's data, which the model keeps.
    struct Place {
        const ZeltoHost::ModelData* model = nullptr;
        const ZeltoHost::BodyData* body = nullptr;
        Int32 element = 0;
        Int32 bodyNumber = 0;
        Int32 polygon = 0;
    };
    void SetData(const Place& place, const Int32* corners, Int32 cornerCount);

private:
    Place place;
    const Int32* corners = nullptr;
    Int32 cornerCount = 0;
};

}  // namespace ModelerAPI

#endif
