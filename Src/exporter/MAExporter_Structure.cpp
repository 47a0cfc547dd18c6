// The scene's frame and structure: header names, scene bounds (which also decide the element
// numbering), element classes, stories and layers.
#include "MAExporter.hpp"

#include "DebugChannel.hpp"
#include "EngineHostCalls.hpp"
#include "ExportText.hpp"
#include "GSException.hpp"
#include "HostTextFields.hpp"
#include "MAWriter.hpp"
#include "PassProgress.hpp"
#include "ZELTO_export_Cancel.hpp"
#include "ZELTO_export_Parameters.hpp"
#include "ZELTO_export_Resources.hpp"

namespace WRL {

namespace {

constexpr double NoLimit = 1e11;
constexpr Int32 ClassPhaseMaximum = 72;
constexpr API_AttributeIndex BuiltInLayerIndex = 1;
constexpr char BuiltInLayerName[] = "ArchiCAD Layer";
constexpr char UnnamedStory[] = "Story";
constexpr char UnknownClass[] = "Unknown";

struct TypeIdRange {
    API_ElemTypeID first;
    API_ElemTypeID last;
};

// The element types that get a class record: 46 of them.
constexpr TypeIdRange ClassTypeIds[] = {{0, 10}, {37, 45}, {47, 72}};

void MergeVertex(const ModelerAPI::Vertex& vertex, ModelerAPI::Vertex& min, ModelerAPI::Vertex& max)
{
    // Written so that a NaN never replaces a corner.
    if (min.x > vertex.x)
        min.x = vertex.x;
    if (vertex.x > max.x)
        max.x = vertex.x;
    if (min.y > vertex.y)
        min.y = vertex.y;
    if (vertex.y > max.y)
        max.y = vertex.y;
    if (min.z > vertex.z)
        min.z = vertex.z;
    if (vertex.z > max.z)
        max.z = vertex.z;
}

// The rest of a polygon is left out when reading it throws a host exception.
struct SkipPolygonOnHostException {
    template <typename PolygonStep>
    void operator()(PolygonStep step) const
    {
        try {
            step();
        } catch (const GS::GSException& exception) {
            dbChannel.Printf("%s: %s\n", exception.GetName(), exception.GetMessage());
        }
    }
};

}  // namespace

Int32 MAExporter::CountStructurePhases() const
{
    Int32 phases = 2;  // scene bounds, classes
    if (structure.stories.IsRead())
        ++phases;
    if (structure.layers.IsRead())
        ++phases;
    return phases;
}

void MAExporter::ExportHeader()
{
    IO::Name exportName;
    if (ioParams.fileName != nullptr)
        exportName = *ioParams.fileName;
    else if (ioParams.fileLoc != nullptr)
        ioParams.fileLoc->GetLastLocalName(&exportName);
    exportName.DeleteExtension();

    char fileName[1024];
    char projectName[1024];
    CopyUtf8Cut(exportName.ToString().ToCStr(), fileName);
    CopyUtf8Cut(parameters->projectName.ToString().ToCStr(), projectName);
    writer->WriteHeader(fileName, projectName);
}

void MAExporter::ExportBoundingBox()
{
    ModelerAPI::Vertex min;
    ModelerAPI::Vertex max;
    CalcSceneLimits(&min, &max);
    writer->WritePoint(coordinates.X(min.x), coordinates.Y(min.y), coordinates.Z(min.z), "scene bounds");
    writer->WritePoint(coordinates.X(max.x), coordinates.Y(max.y), coordinates.Z(max.z), "scene bounds");
}

// The first walk over the model's elements: besides the limits it decides, once for the whole export,
// which elements are exported and under which object number.
void MAExporter::CalcSceneLimits(ModelerAPI::Vertex* min, ModelerAPI::Vertex* max)
{
    if (min == nullptr || max == nullptr)
        throw GS::NullPointerException("Zelto_export:: no corners for the scene limits", __FILE__, __LINE__,
                                       MissingInputErrorCode);
    *min = {NoLimit, NoLimit, NoLimit};
    *max = {-NoLimit, -NoLimit, -NoLimit};

    const Int32 elementCount = model->GetElementCount();
    OpenPhase(ProgressText(SaveBounding), elementCount);
    validity.Start(elementCount);
    MeshReaders readers;
    for (Int32 elementNumber = 1; elementNumber <= elementCount; ++elementNumber) {
        model->GetElement(elementNumber, &readers.element);
        const bool valid = !IsInvalidElement(readers.element);
        validity.Decide(valid);
        if (!valid)
            continue;
        const Int32 bodyCount = readers.element.GetTessellatedBodyCount();
        for (Int32 bodyNumber = 1; bodyNumber <= bodyCount; ++bodyNumber) {
            readers.element.GetTessellatedBody(bodyNumber, &readers.body);
            MergeBodyIntoLimits(readers, *min, *max);
        }
        ReportItem(elementNumber);
        if (IsElementPollPoint(elementNumber))
            PollCancel();
    }
}

// Every corner of every convex polygon counts, whatever the polygon's number of corners, so vertices
// that no polygon uses stay outside the box; a corner naming no vertex of the body is not read. A host
// exception while reading a polygon leaves the rest of that polygon out.
void MAExporter::MergeBodyIntoLimits(MeshReaders& readers, ModelerAPI::Vertex& min, ModelerAPI::Vertex& max)
{
    const ModelerAPI::MeshBody& body = readers.body;
    const Int32 vertexCount = body.GetVertexCount();
    const auto mergeCorners = [&](const ModelerAPI::Polygon& /*polygon*/,
                                  const ModelerAPI::ConvexPolygon& convexPolygon) {
        const Int32 cornerCount = convexPolygon.GetVertexCount();
        for (Int32 corner = 1; corner <= cornerCount; ++corner) {
            const Int32 vertexIndex = convexPolygon.GetVertexIndex(corner);
            if (!IsBodyVertex(vertexIndex, vertexCount))
                continue;
            ModelerAPI::Vertex vertex;
            body.GetVertex(vertexIndex, &vertex, ModelerAPI::CoordinateSystem::World);
            MergeVertex(vertex, min, max);
        }
    };
    VisitConvexPolygons(readers, mergeCorners, NoPolygonStart(), SkipPolygonOnHostException());
}

void MAExporter::ExportClass()
{
    OpenPhase(ProgressText(SaveClass), ClassPhaseMaximum);
    for (const TypeIdRange& range : ClassTypeIds) {
        for (API_ElemTypeID typeId = range.first; typeId <= range.last; ++typeId)
            ExportOneClass(typeId);
    }
}

void MAExporter::ExportOneClass(const API_ElemTypeID& typeId)
{
    API_ElemType type{};
    type.typeID = typeId;
    GS::UniString name;
    if (EngineHost::GetElemTypeName(type, name) == NoError)
        writer->WriteClass(typeId, name.ToCStr());
    else
        writer->WriteClass(typeId, UnknownClass);
    ++totals.Class;
    ReportItem(totals.Class);
}

// The height of a story reaches up to the next story; the highest one has no next story and gets 0.
void MAExporter::ExportStories()
{
    const StorySettings& stories = structure.stories;
    if (!stories.IsRead())
        return;
    const Int32 storyCount = stories.RecordCount();
    OpenPhase(ProgressText(SaveStory), storyCount);
    for (Int32 position = 0; position < storyCount; ++position) {
        const API_StoryType& story = stories.Record(position);
        GS::UniString name = TextOfUnits(story.uName);
        if (name.IsEmpty())
            name = UnnamedStory;
        const bool highest = position + 1 == storyCount;
        const double height = highest ? 0.0 : coordinates.Length(stories.Record(position + 1).level - story.level);
        writer->WriteStory(story.index, name.ToCStr(), coordinates.Z(story.level), height);
        ++totals.Story;
        ReportItem(totals.Story);
        PollCancel();
    }
}

void MAExporter::ExportLayers()
{
    const LayerAttributes& layers = structure.layers;
    if (!layers.IsRead())
        return;
    const GS::Array<API_Attribute>& list = layers.List();
    OpenPhase(ProgressText(SaveLay), list.GetSize());
    Int64 layerNumber = 0;
    for (const API_Attribute& layer : list) {
        const API_AttributeIndex index = layer.header.index;
        const std::string name = index == BuiltInLayerIndex ? std::string(BuiltInLayerName) : TextOfBytes(layer.header.name);
        writer->WriteLayer(index, name.c_str());
        ++totals.Layer;
        ReportItem(++layerNumber);
        PollCancel();
    }
}

}  // namespace WRL
