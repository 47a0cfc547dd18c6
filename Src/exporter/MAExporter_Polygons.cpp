// The mesh geometry in three runs over the same elements and bodies: all points, then one
// texture-coordinate record and one polygon record per exported convex polygon. Runs 2 and 3 walk
// the same convex polygons in the same order, so the n-th records of the two sections belong together.
//
// Point numbers count from 0 across the file in point order: vertex k (from 1) of a body is point
// PointBase + k - 1, where PointBase counts the points of all earlier exported bodies.
#include "MAExporter.hpp"

#include "DebugChannel.hpp"
#include "GSException.hpp"
#include "MAWriter.hpp"
#include "PassProgress.hpp"
#include "ZELTO_export_Resources.hpp"

namespace WRL {

namespace {

constexpr ModelerAPI::CoordinateSystem World = ModelerAPI::CoordinateSystem::World;

}  // namespace

Int32 MAExporter::CountMeshPhases() const
{
    return 3;  // points, texture coordinates, polygons
}

void MAExporter::ExportPolygons()
{
    RunOverMesh(SavePoint, [this](MeshReaders& readers, Int32 /*objectNumber*/) { ExportPoints(readers.body); });
    RunOverMesh(SaveUvw, [this](MeshReaders& readers, Int32 /*objectNumber*/) { ExportUvwCoord(readers); });
    RunOverMesh(SavePoly, [this](MeshReaders& readers, Int32 objectNumber) { ExportBody(readers, objectNumber); });
}

// One run: every body of every valid element, in model order, with the element's object number.
template <typename BodyOperation>
void MAExporter::RunOverMesh(Int32 titleItem, BodyOperation bodyOperation)
{
    const Int32 elementCount = validity.ElementCount();
    OpenPhase(ProgressText(titleItem), elementCount);
    MeshReaders readers;
    for (Int32 elementNumber = 1; elementNumber <= elementCount; ++elementNumber) {
        if (!validity.IsValid(elementNumber))
            continue;
        model->GetElement(elementNumber, &readers.element);
        const Int32 objectNumber = validity.ObjectNumber(elementNumber);
        const Int32 bodyCount = readers.element.GetTessellatedBodyCount();
        for (Int32 bodyNumber = 1; bodyNumber <= bodyCount; ++bodyNumber) {
            readers.element.GetTessellatedBody(bodyNumber, &readers.body);
            bodyOperation(readers, objectNumber);
        }
        ReportItem(elementNumber);
        if (IsElementPollPoint(elementNumber))
            PollCancel();
    }
}

void MAExporter::ExportPoints(ModelerAPI::MeshBody& body)
{
    if (!IsExportedBody(body))
        return;
    const Int32 vertexCount = body.GetVertexCount();
    for (Int32 vertexNumber = 1; vertexNumber <= vertexCount; ++vertexNumber) {
        ModelerAPI::Vertex vertex;
        body.GetVertex(vertexNumber, &vertex, World);
        writer->WritePoint(coordinates.X(vertex.x), coordinates.Y(vertex.y), coordinates.Z(vertex.z), "point");
        ++totals.Point;
    }
}

void MAExporter::ExportUvwCoord(MeshReaders& readers)
{
    const ModelerAPI::MeshBody& body = readers.body;
    if (!IsExportedBody(body))
        return;
    const Int32 vertexCount = body.GetVertexCount();
    VisitExportedConvexPolygons(readers, vertexCount, [&](const ModelerAPI::Polygon& polygon,
                                                          const ModelerAPI::ConvexPolygon& convexPolygon) {
        const Int32 cornerCount = convexPolygon.GetVertexCount();
        writer->WriteUvwBegin(cornerCount);
        ++totals.Uvw;
        for (Int32 corner = 1; corner <= cornerCount; ++corner) {
            ModelerAPI::Vertex vertex;
            body.GetVertex(convexPolygon.GetVertexIndex(corner), &vertex, World);
            ModelerAPI::TextureCoordinate uv;
            try {
                polygon.GetTextureCoordinate(&vertex, &uv);
            } catch (...) {
                uv = ModelerAPI::TextureCoordinate();
            }
            writer->WriteUvw(corner == cornerCount, &uv);
        }
    });
}

// Every convex polygon takes the material of the polygon it belongs to. The material is read once
// per polygon, and only for a polygon that has an exported convex polygon.
void MAExporter::ExportBody(MeshReaders& readers, const Int32& objectIndex)
{
    const ModelerAPI::MeshBody& body = readers.body;
    if (!IsExportedBody(body))
        return;
    const Int32 vertexCount = body.GetVertexCount();
    bool materialRead = false;
    Int64 material = 0;  // the host material index - 1, which an Int32 cannot hold for every index
    const auto startPolygon = [&](const ModelerAPI::Polygon& /*polygon*/) { materialRead = false; };
    const auto writePolygon = [&](const ModelerAPI::Polygon& polygon, const ModelerAPI::ConvexPolygon& convexPolygon) {
        if (!materialRead) {
            ModelerAPI::AttributeIndex materialIndex(ModelerAPI::AttributeIndex::MaterialIndex, 0, -2);
            polygon.GetMaterialIndex(materialIndex);
            material = Int64(materialIndex.GetIndex()) - 1;
            materialRead = true;
        }
        const Int32 cornerCount = convexPolygon.GetVertexCount();
        writer->WriteCoordIndexParam(material, objectIndex, cornerCount);
        for (Int32 corner = 1; corner <= cornerCount; ++corner)
            writer->WriteCoordIndexPointNumber(convexPolygon.GetVertexIndex(corner) + totals.PointBase - 1);
        ++totals.Poly;
    };
    VisitExportedConvexPolygons(readers, vertexCount, writePolygon, startPolygon);
    totals.PointBase += vertexCount;
}

// Not part of any export: the normal section is always empty.
void MAExporter::ExportNormals(MeshReaders& readers)
{
    const ModelerAPI::MeshBody& body = readers.body;
    if (!IsExportedBody(body))
        return;
    const Int32 vertexCount = body.GetVertexCount();
    body.GetPolygon(1, &readers.polygon);
    try {
        const Int32 convexCount = readers.polygon.GetConvexPolygonCount();
        for (Int32 convexNumber = 1; convexNumber <= convexCount; ++convexNumber) {
            readers.polygon.GetConvexPolygon(convexNumber, &readers.convexPolygon);
            if (!IsExportedConvexPolygon(readers.convexPolygon, vertexCount))
                continue;
            const Int32 cornerCount = readers.convexPolygon.GetVertexCount();
            for (Int32 corner = 1; corner <= cornerCount; ++corner) {
                const ModelerAPI::Vector normal = readers.convexPolygon.GetNormalVectorByVertex(corner, World);
                writer->WritePoint(normal.x, normal.y, normal.z, "normal");
                ++totals.Normals;
            }
        }
    } catch (const GS::GSException& exception) {
        dbChannel.Printf("%s: %s\n", exception.GetName(), exception.GetMessage());
    }
}

}  // namespace WRL
