// Element records: one per valid element, in model order, so that the n-th record is object n.
// Objects and lamps also carry their library part's name, placement, sizes and height parameter.
#include "MAExporter.hpp"

#include <cmath>
#include <cstring>
#include <string>

#include "AttributeHelpers.hpp"
#include "CH.hpp"
#include "ElementAccessors.hpp"
#include "ElementWrappers.hpp"
#include "EngineHostCalls.hpp"
#include "EngineHostRecords.hpp"
#include "ExportText.hpp"
#include "HostTextFields.hpp"
#include "LibPartParams.hpp"
#include "LibPartWrappers.hpp"
#include "LogHelpers.hpp"
#include "MAWriter.hpp"
#include "PassProgress.hpp"
#include "ZELTO_export_Parameters.hpp"
#include "ZELTO_export_Resources.hpp"

namespace WRL {

namespace {

constexpr API_ElemTypeID ObjectTypeId = 6;
constexpr API_ElemTypeID LampTypeId = 7;
constexpr UInt64 MemoMask = 0x3FFFFFFFBFFFFFFFULL;
constexpr USize NameBufferSize = 256;
constexpr char HeightParameter[] = "ZZYZX";
constexpr char ItemNumberParameter[] = "TAVO_item_no";
constexpr char LampTypeParameter[] = "lamp_type";
constexpr char NullUniqueId[] = "{00000000-0000-0000-0000-000000000000}-{00000000-0000-0000-0000-000000000000}";

// Sizes and heights that are practically zero go out as 1.0 (before scaling); a NaN stays.
double OneWhenTiny(double value)
{
    return std::fabs(value) < 1e-5 ? 1.0 : value;
}

// Whether the element's bodies hold at least one vertex and one polygon between them.
bool HasMeshGeometry(MeshReaders& readers)
{
    Int64 vertexCount = 0;
    Int64 polygonCount = 0;
    const Int32 bodyCount = readers.element.GetTessellatedBodyCount();
    for (Int32 bodyNumber = 1; bodyNumber <= bodyCount; ++bodyNumber) {
        readers.element.GetTessellatedBody(bodyNumber, &readers.body);
        vertexCount += readers.body.GetVertexCount();
        polygonCount += readers.body.GetPolygonCount();
    }
    return vertexCount > 0 && polygonCount > 0;
}

// The lamp readers' two parameter lists: the element's memo and the library part's defaults.
bool ReadLampParameterLists(const API_Element& element, int libInd, ElementMemo& memo, ParameterHandle& defaults)
{
    if (EngineHost::GetElementMemo(element.header.guid, memo.Get(), MemoMask) != NoError)
        return false;
    double a = 0.0;
    double b = 0.0;
    int parameterCount = 0;
    return LibPart::GetParams(libInd, &a, &b, &parameterCount, defaults.Receive()) == NoError;
}

}  // namespace

Int32 MAExporter::CountElementPhases() const
{
    return 1;
}

void MAExporter::ExportElements()
{
    if (parameters->direct)
        SelectModelSight();
    const Int32 elementCount = validity.ElementCount();
    OpenPhase(ProgressText(SaveElements), elementCount);
    MeshReaders readers;
    API_Element record;
    for (Int32 elementNumber = 1; elementNumber <= elementCount; ++elementNumber) {
        if (!validity.IsValid(elementNumber))
            continue;
        model->GetElement(elementNumber, &readers.element);
        ExportElement(readers, record);
        ++totals.Object;
        ReportItem(elementNumber);
        if (IsElementPollPoint(elementNumber))
            PollCancel();
    }
}

void MAExporter::SelectModelSight()
{
    void* previous = nullptr;
    const GSErrCode err = EngineHost::SelectSight(nullptr, &previous);
    if (err != NoError)
        ErrorBeep("Zelto_export:: Cannot switch to the 3D sight\n", err);
}

// Exactly one record per valid element, whatever can be read of it, so that object numbers stay in
// step with the polygon and light records.
void MAExporter::ExportElement(MeshReaders& readers, API_Element& record)
{
    std::memset(&record, 0, sizeof record);
    record.header.guid = readers.element.GetElemGuid();
    const GSErrCode err = Element::Get(&record, 0);
    if (err != NoError) {
        WriteZombieRecord();
        ErrorBeep("Zelto_export:: Write Zombie element\n", err);
        return;
    }
    const API_ElemTypeID typeId = GetTypeId(record);
    if ((typeId == ObjectTypeId || typeId == LampTypeId) && ExportLibPartElement(readers, record))
        return;
    WritePlainRecord(record);
}

bool MAExporter::ExportLibPartElement(MeshReaders& readers, API_Element& record)
{
    const API_ElemTypeID typeId = GetTypeId(record);
    const bool lamp = typeId == LampTypeId;
    const bool hasGeometry = lamp ? HasMeshGeometry(readers) : true;

    LibPartRecord libPart;
    libPart->index = record.object.libInd;
    if (LibPart::Get(libPart.Get()) != NoError)
        return false;

    char name[NameBufferSize];
    CopyUtf8Cut(TextOfUnits(libPart->docu_UName).ToCStr(), name);
    if (lamp)
        GetTavoLampType2(&record, record.lamp.libInd, name[0]);

    double a = 1.0;
    double b = 1.0;
    double height = 1.0;
    double defaultHeight = 1.0;
    if (!GetLibPartParameters(&record, libPart.Get(), a, b, height, defaultHeight))
        return false;

    const API_ObjectType& object = record.object;
    writer->WriteObjects(GetAttributeIndex(record.header.layer), typeId, record.header.floorInd,
                         readers.element.GetElemGuid(), true, name, coordinates.X(object.pos.x),
                         coordinates.Y(object.pos.y), coordinates.Z(object.level), ToDegrees(object.angle),
                         coordinates.Length(OneWhenTiny(object.xRatio)), coordinates.Length(OneWhenTiny(object.yRatio)),
                         object.reflected, coordinates.Length(OneWhenTiny(a)), coordinates.Length(OneWhenTiny(b)),
                         coordinates.Length(OneWhenTiny(height)), coordinates.Length(OneWhenTiny(defaultHeight)),
                         hasGeometry);
    return true;
}

void MAExporter::WritePlainRecord(const API_Element& record)
{
    const bool noData = false;
    writer->WriteObjects(GetAttributeIndex(record.header.layer), GetTypeId(record), record.header.floorInd,
                         record.header.guid, noData, "", 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, noData, 0.0, 0.0, 0.0, 0.0,
                         noData);
}

void MAExporter::WriteZombieRecord()
{
    const bool noData = false;
    writer->WriteObjects(0, 0, 0, APINULLGuid, noData, "", 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, noData, 0.0, 0.0, 0.0, 0.0,
                         noData);
}

bool MAExporter::GetLibPartParameters(API_Element* element, API_LibPart* libPart, double& a, double& b,
                                      double& height, double& defaultHeight)
{
    a = 1.0;
    b = 1.0;
    height = 1.0;
    defaultHeight = 1.0;
    ElementMemo memo;
    if (EngineHost::GetElementMemo(element->header.guid, memo.Get(), MemoMask) != NoError)
        return false;

    ParameterHandle defaults;
    int parameterCount = 0;
    if (LibPart::GetParams(libPart->index, &a, &b, &parameterCount, defaults.Receive()) != NoError) {
        // Whatever the failed call left in them is no size.
        a = 1.0;
        b = 1.0;
        return true;
    }
    bool unusedFlag = false;
    bool unusedMask = false;
    if (!GetLibPartParams(memo.Parameters(), HeightParameter, height, unusedFlag, unusedMask))
        height = 1.0;
    if (!GetLibPartParams(defaults.Get(), HeightParameter, defaultHeight))
        defaultHeight = 1.0;
    return true;
}

bool MAExporter::GetTavoLampType2(API_Element* element, int libInd, char& name)
{
    ElementMemo memo;
    ParameterHandle defaults;
    if (!ReadLampParameterLists(*element, libInd, memo, defaults))
        return false;
    return GetLibPartParams(memo.Parameters(), ItemNumberParameter, name);
}

bool MAExporter::GetTavoLampType(API_Element* element, int libInd, char& name)
{
    ElementMemo memo;
    ParameterHandle defaults;
    if (!ReadLampParameterLists(*element, libInd, memo, defaults))
        return false;
    char lampType[NameBufferSize];
    char itemNumber[NameBufferSize];
    if (!GetLibPartParams(memo.Parameters(), LampTypeParameter, lampType[0]) ||
        !GetLibPartParams(memo.Parameters(), ItemNumberParameter, itemNumber[0]))
        return false;
    const std::string combined = std::string(&name) + " / " + itemNumber + " (" + lampType + ")";
    CopyUtf8Cut(combined.c_str(), &name, NameBufferSize);
    return true;
}

bool MAExporter::GetLibPartDefaultParams(API_LibPart* libPart, double& height, bool lamp)
{
    LibPartRecord search;
    const std::string uniqueId = TextOfBytes(libPart->ownUnID);
    if (CHCompareTexts(uniqueId.c_str(), NullUniqueId, 1) != 0)
        CopyUtf8Cut(uniqueId.c_str(), search->ownUnID);
    else
        std::memcpy(search->docu_UName, libPart->docu_UName, sizeof search->docu_UName);
    if (LibPart::Search(search.Get(), false, false) != NoError)
        return false;

    API_Element defaults;
    std::memset(&defaults, 0, sizeof defaults);
    SetTypeId(defaults, lamp ? LampTypeId : ObjectTypeId);
    ElementMemo memo;
    if (EngineHost::GetElementDefaults(&defaults, memo.Get()) != NoError)
        return false;
    ParameterHandle libPartDefaults;
    double a = 0.0;
    double b = 0.0;
    int parameterCount = 0;
    if (LibPart::GetParams(search->index, &a, &b, &parameterCount, libPartDefaults.Receive()) != NoError)
        return false;
    return GetLibPartParams(memo.Parameters(), HeightParameter, height);
}

}  // namespace WRL
