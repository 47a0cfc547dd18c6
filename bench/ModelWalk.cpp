#include "ModelWalk.hpp"

#include <cstring>

#include "ACAPinc.h"

namespace ZeltoBench {

namespace {

using ModelerAPI::AttributeIndex;
using ModelerAPI::ConvexPolygon;
using ModelerAPI::CoordinateSystem;
using ModelerAPI::Element;
using ModelerAPI::MeshBody;
using ModelerAPI::Polygon;
using ModelerAPI::TextureCoordinate;
using ModelerAPI::Vertex;

// One element, body, polygon and convex polygon object for the whole walk, as the export keeps them.
class Walker {
public:
    explicit Walker(const ModelerAPI::Model& model) : model(model) {}

    ModelWalkResult Run()
    {
        ForEachValidElement([&] { ForEachBody([&] { WalkBounds(); }); });
        ForEachValidElement([&] {
            GuidSum(element.GetElemGuid());
            result.checksum += element.GetTessellatedBodyCount();
            ++result.validElements;
        });
        ForEachValidElement([&] { ForEachBody([&] { WalkPoints(); }); });
        ForEachValidElement([&] { ForEachBody([&] { WalkTextureCoordinates(); }); });
        ForEachValidElement([&] { ForEachBody([&] { WalkPolygons(); }); });
        return result;
    }

private:
    template <typename Visit>
    void ForEachValidElement(Visit visit)
    {
        const Int32 count = model.GetElementCount();
        for (Int32 i = 1; i <= count; ++i) {
            model.GetElement(i, &element);
            GuidSum(element.GetElemGuid());
            if (element.IsInvalid())
                continue;
            visit();
        }
    }

    template <typename Visit>
    void ForEachBody(Visit visit)
    {
        const Int32 bodies = element.GetTessellatedBodyCount();
        for (Int32 b = 1; b <= bodies; ++b) {
            element.GetTessellatedBody(b, &body);
            visit();
        }
    }

    // Every polygon's convex polygons; visit(cornerCount) for each.
    template <typename Visit>
    void ForEachConvexPolygon(Visit visit)
    {
        const Int32 polygons = body.GetPolygonCount();
        for (Int32 p = 1; p <= polygons; ++p) {
            body.GetPolygon(p, &polygon);
            const Int32 convexCount = polygon.GetConvexPolygonCount();
            for (Int32 c = 1; c <= convexCount; ++c) {
                polygon.GetConvexPolygon(c, &convex);
                visit(convex.GetVertexCount());
            }
        }
    }

    bool IsExportedBody() const { return body.GetPolygonCount() > 0 && body.GetVertexCount() > 0; }

    void WalkBounds()
    {
        ForEachConvexPolygon([&](Int32 corners) {
            for (Int32 k = 1; k <= corners; ++k) {
                body.GetVertex(convex.GetVertexIndex(k), &vertex, CoordinateSystem::World);
                Merge(vertex);
            }
        });
    }

    void WalkPoints()
    {
        if (!IsExportedBody())
            return;
        const Int32 vertices = body.GetVertexCount();
        for (Int32 v = 1; v <= vertices; ++v) {
            body.GetVertex(v, &vertex, CoordinateSystem::World);
            result.checksum += vertex.x + vertex.y + vertex.z;
            ++result.points;
        }
    }

    void WalkTextureCoordinates()
    {
        if (!IsExportedBody())
            return;
        ForEachConvexPolygon([&](Int32 corners) {
            if (corners < 3)
                return;
            for (Int32 k = 1; k <= corners; ++k) {
                body.GetVertex(convex.GetVertexIndex(k), &vertex, CoordinateSystem::World);
                TextureCoordinate uv;
                try {
                    polygon.GetTextureCoordinate(&vertex, &uv);
                } catch (...) {
                    uv = TextureCoordinate{};
                }
                result.checksum += uv.u + uv.v;
            }
        });
    }

    void WalkPolygons()
    {
        if (!IsExportedBody())
            return;
        ForEachConvexPolygon([&](Int32 corners) {
            if (corners < 3)
                return;
            AttributeIndex material(AttributeIndex::MaterialIndex, 0, -2);
            polygon.GetMaterialIndex(material);
            result.checksum += material.GetIndex();
            for (Int32 k = 1; k <= corners; ++k)
                result.checksum += convex.GetVertexIndex(k);
            ++result.polygons;
        });
    }

    // Axis by axis, as the bounds pass merges a corner (a NaN never moves a corner).
    static void MergeAxis(double value, double& low, double& high)
    {
        if (low > value)
            low = value;
        if (value > high)
            high = value;
    }

    void Merge(const Vertex& v)
    {
        MergeAxis(v.x, low.x, high.x);
        MergeAxis(v.y, low.y, high.y);
        MergeAxis(v.z, low.z, high.z);
        result.checksum += low.x + high.z;
    }

    void GuidSum(const API_Guid& guid) { result.checksum += guid.time_low; }

    const ModelerAPI::Model& model;
    Element element;
    MeshBody body;
    Polygon polygon;
    ConvexPolygon convex;
    Vertex vertex;
    Vertex low{1e11, 1e11, 1e11};
    Vertex high{-1e11, -1e11, -1e11};
    ModelWalkResult result;
};

}  // namespace

ModelWalkResult WalkModelAsExport(const ModelerAPI::Model& model)
{
    return Walker(model).Run();
}

std::int64_t ReadHostElementRecords(const ModelerAPI::Model& model, int runs)
{
    std::int64_t found = 0;
    const Int32 count = model.GetElementCount();
    Element element;
    API_Element record;
    for (int run = 0; run < runs; ++run) {
        for (Int32 i = 1; i <= count; ++i) {
            model.GetElement(i, &element);
            std::memset(&record, 0, sizeof record);
            record.header.guid = element.GetElemGuid();
            if (ACAPI_Element_Get(&record, 0) == NoError && record.header.typeID != 0)
                ++found;
        }
    }
    return found;
}

}  // namespace ZeltoBench
