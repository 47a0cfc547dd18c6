#include "PickingHelpers.hpp"

#include <cstddef>
#include <cstring>

#include "BM.hpp"
#include "CH.hpp"
#include "ElementWrappers.hpp"
#include "InterfaceWrappers.hpp"
#include "LogHelpers.hpp"

namespace {

constexpr API_ElemTypeID SectionElementType = 29;
constexpr UInt32 SearchFilterBits = 6;
constexpr double SearchZ = 1000000.0;
constexpr Int32 HandleFlags = 2;

struct NeigRow {
    API_ElemTypeID typeId;
    API_NeigID neigId;
};

// Element type id -> neighbour id of the host.
constexpr NeigRow NeigRows[] = {
    {1, 1},     {2, 5},     {3, 6},     {4, 10},    {5, 12},    {6, 13},    {7, 14},    {8, 15},
    {9, 17},    {10, 21},   {11, 27},   {12, 28},   {13, 29},   {14, 31},   {15, 32},   {16, 33},
    {17, 34},   {18, 38},   {19, 40},   {20, 42},   {21, 44},   {22, 46},   {23, 48},   {24, 50},
    {25, 51},   {26, 53},   {29, 55},   {30, 77},   {31, 57},   {32, 58},   {33, 88},   {34, 91},
    {35, 84},   {37, 97},   {38, 101},  {39, 105},  {40, 108},  {41, 110},  {42, 112},  {43, 114},
    {44, 117},  {45, 122},  {46, 124},  {47, 137},  {48, 135},  {49, 133},  {50, 138},  {51, 140},
    {52, 142},  {53, 144},  {54, 146},  {55, 148},  {56, 150},  {57, 152},  {58, 154},  {63, 156},
    {64, 158},  {65, 160},  {66, 162},  {67, 164},  {68, 166},  {69, 168},  {70, 170},  {71, 172},
};

// These types' neighbours count their index from 0; every other type's from 1.
bool IndexStartsAtZero(API_ElemTypeID typeId)
{
    return typeId == 2 || typeId == 4 || typeId == 5 || typeId == 44;
}

const NeigRow* FindNeigRow(API_ElemTypeID typeId)
{
    for (const NeigRow& row : NeigRows) {
        if (row.typeId == typeId)
            return &row;
    }
    return nullptr;
}

template <typename Input>
Input MakeInput(const char* prompt)
{
    Input input;
    std::memset(&input, 0, sizeof(input));
    CHTruncate(prompt, input.prompt, sizeof(input.prompt));
    return input;
}

// Frees a host handle when it goes out of scope, unless it was handed on.
class HandleGuard {
public:
    explicit HandleGuard(GSHandle handle) : handle(handle) {}
    ~HandleGuard() { BMKillHandle(&handle); }
    HandleGuard(const HandleGuard&) = delete;
    HandleGuard& operator=(const HandleGuard&) = delete;

    GSHandle Get() const { return handle; }
    void Reset(GSHandle newHandle) { handle = newHandle; }
    GSHandle Release()
    {
        GSHandle released = handle;
        handle = nullptr;
        return released;
    }

private:
    GSHandle handle;
};

// An element at the picked place when the click itself named none.
void SearchElementAt(const API_Coord3D& position, const API_ElemTypeID& wantedType, API_Neig& neig)
{
    API_ElemSearchPars search;
    std::memset(&search, 0, sizeof(search));
    search.type.typeID = wantedType;
    search.filterBits = SearchFilterBits;
    search.loc.x = position.x;
    search.loc.y = position.y;
    search.z = SearchZ;
    API_Guid found = APINULLGuid;
    if (Element::SearchElementByCoord(&search, &found) != NoError || found == APINULLGuid)
        return;
    API_Elem_Head head;
    std::memset(&head, 0, sizeof(head));
    head.typeID = wantedType;
    head.guid = found;
    ElemHead_To_Neig(&neig, head);
}

// A section element counts as the type of the element it shows.
bool SectionShowsType(const API_Guid& guid, const API_ElemTypeID& wantedType)
{
    API_Element element;
    std::memset(&element, 0, sizeof(element));
    element.header.guid = guid;
    if (Element::Get(&element, 0) != NoError)
        return false;
    return element.sectElem.parentType == wantedType;
}

bool IsWantedType(API_ElemTypeID typeId, const API_Neig& neig, const API_ElemTypeID& wantedType)
{
    if (typeId == 0)
        return false;
    if (wantedType == 0 || typeId == wantedType)
        return true;
    if (typeId == SectionElementType)
        return SectionShowsType(neig.guid, wantedType);
    return false;
}

}  // namespace

bool ClickAPoint(const char* prompt, API_Coord* point)
{
    API_GetPointType input = MakeInput<API_GetPointType>(prompt);
    const GSErrCode error = Interface::GetPoint(&input, nullptr, nullptr);
    if (error == APIERR_CANCEL)
        return false;
    if (error != NoError) {
        WriteReport_Alert("Error in APICmd_GetPointID: %d", static_cast<int>(error));
        return false;
    }
    if (point != nullptr) {
        point->x = input.pos.x;
        point->y = input.pos.y;
    }
    return true;
}

bool GetAnArc(const char* prompt, API_Coord* centre, API_Coord* start, API_Coord* end, bool* negativeDirection)
{
    API_GetPointType pointInput = MakeInput<API_GetPointType>(prompt);
    if (Interface::GetPoint(&pointInput, nullptr, nullptr) != NoError)
        return false;

    API_GetLineType lineInput = MakeInput<API_GetLineType>(prompt);
    lineInput.startCoord = pointInput.pos;
    if (Interface::GetLine(&lineInput, nullptr) != NoError)
        return false;

    API_GetArcType arcInput = MakeInput<API_GetArcType>(prompt);
    arcInput.origo = lineInput.startCoord;
    arcInput.startCoord = lineInput.pos;
    arcInput.startCoordGiven = true;
    if (Interface::GetArc(&arcInput, nullptr) != NoError)
        return false;

    if (centre != nullptr)
        *centre = API_Coord{arcInput.origo.x, arcInput.origo.y};
    if (start != nullptr)
        *start = API_Coord{arcInput.startCoord.x, arcInput.startCoord.y};
    if (end != nullptr)
        *end = API_Coord{arcInput.pos.x, arcInput.pos.y};
    if (negativeDirection != nullptr)
        *negativeDirection = arcInput.negArc;
    return true;
}

bool ClickAnElem(const char* prompt, const API_ElemTypeID& wantedType, API_Neig* neig, API_ElemType* type,
                 API_Guid* guid, API_Coord3D* coord, bool dropPart)
{
    API_GetPointType input = MakeInput<API_GetPointType>(prompt);
    const GSErrCode error = Interface::GetPoint(&input, nullptr, nullptr);
    if (error == APIERR_CANCEL) {
        WriteReport_Alert("Canceled");
        return false;
    }
    if (error != NoError) {
        WriteReport_Alert("Error in APIIo_GetPointID: %d", static_cast<int>(error));
        return false;
    }

    if (input.neig.neigID == 0)
        SearchElementAt(input.pos, wantedType, input.neig);
    if (dropPart && input.neig.elemPartType != 0) {
        input.neig.elemPartType = 0;
        input.neig.elemPartIndex = 0;
    }
    const API_ElemType pickedType = Neig_To_ElemID(input.neig.neigID);

    if (neig != nullptr)
        *neig = input.neig;
    if (type != nullptr)
        *type = pickedType;
    if (guid != nullptr)
        *guid = input.neig.guid;
    if (coord != nullptr)
        *coord = input.pos;

    return IsWantedType(pickedType.typeID, input.neig, wantedType);
}

GSHandle ClickElements_Neig(const char* prompt, API_ElemTypeID wantedType, int* count)
{
    int gathered = 0;
    HandleGuard records(BMAllocateHandle(0, HandleFlags, 0));
    if (records.Get() != nullptr) {
        API_Neig neig;
        std::memset(&neig, 0, sizeof(neig));
        while (ClickAnElem(prompt, wantedType, &neig, nullptr, nullptr, nullptr, true) && neig.neigID != 0) {
            const Int32 newSize = static_cast<Int32>((gathered + 1) * sizeof(API_Neig));
            GSHandle grown = BMReallocHandle(records.Get(), newSize, HandleFlags, 0);
            if (grown == nullptr) {
                // The records gathered so far cannot be handed out without the handle: free them
                // and report nothing, so that the caller never reads a count without its records.
                gathered = 0;
                break;
            }
            records.Reset(grown);
            std::memcpy(*grown + gathered * sizeof(API_Neig), &neig, sizeof(API_Neig));
            ++gathered;
        }
    }
    if (count != nullptr)
        *count = gathered;
    return gathered > 0 ? records.Release() : nullptr;
}

GSHandle ClickElements_ElemHead(const char* prompt, API_ElemTypeID wantedType, int* count)
{
    int neigCount = 0;
    HandleGuard neigs(ClickElements_Neig(prompt, wantedType, &neigCount));
    if (count != nullptr)
        *count = 0;
    if (neigs.Get() == nullptr)
        return nullptr;

    GSHandle heads = BMAllocateHandle(static_cast<Int32>(neigCount * sizeof(API_Elem_Head)), HandleFlags, 0);
    if (heads == nullptr || BMError() != NoError) {
        BMKillHandle(&heads);
        return nullptr;
    }
    for (int i = 0; i < neigCount; ++i) {
        API_Elem_Head head;
        std::memset(&head, 0, sizeof(head));
        std::memcpy(&head.guid, *neigs.Get() + i * sizeof(API_Neig) + offsetof(API_Neig, guid), sizeof(API_Guid));
        std::memcpy(*heads + i * sizeof(API_Elem_Head), &head, sizeof(head));
    }
    if (count != nullptr)
        *count = neigCount;
    return heads;
}

API_ElemType Neig_To_ElemID(API_NeigID neigId)
{
    API_ElemType type;
    std::memset(&type, 0, sizeof(type));
    if (Element::NeigIDToElemType(neigId, type) != NoError)
        std::memset(&type, 0, sizeof(type));
    return type;
}

bool ElemHead_To_Neig(API_Neig* neig, const API_Elem_Head& head)
{
    if (neig == nullptr)
        return false;
    std::memset(neig, 0, sizeof(*neig));
    neig->guid = head.guid;

    API_ElemTypeID typeId = head.typeID;
    if (typeId == 0) {
        if (head.guid == APINULLGuid)
            return false;
        API_Elem_Head stored;
        std::memset(&stored, 0, sizeof(stored));
        stored.guid = head.guid;
        if (Element::GetHeader(&stored, 0) != NoError)
            return false;
        typeId = stored.typeID;
    }

    const NeigRow* row = FindNeigRow(typeId);
    if (row == nullptr)
        return false;
    neig->neigID = row->neigId;
    neig->inIndex = IndexStartsAtZero(typeId) ? 0 : 1;
    return true;
}
