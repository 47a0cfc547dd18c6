#include "HostParameters.hpp"

#include <cstring>

#include "BM.hpp"
#include "HostRecordTexts.hpp"

namespace ZeltoHost {

namespace {

bool IsArray(const API_AddParType& record)
{
    return record.typeMod != 0;
}

void SetName(API_AddParType& record, const char* name)
{
    WriteBytes(GS::UniString(name != nullptr ? name : "", CC_UTF8), record.name);
}

Int32 RecordCount(GSConstHandle handle)
{
    return BMGetHandleSize(handle) / static_cast<Int32>(sizeof(API_AddParType));
}

void KillHandle(void* handle)
{
    GSHandle bytes = static_cast<GSHandle>(handle);
    BMKillHandle(&bytes);
}

}  // namespace

HostParameter::HostParameter()
{
    std::memset(&record, 0, sizeof record);
}

HostParameter HostParameter::Number(const char* name, API_AddParID typeId, double value)
{
    HostParameter parameter;
    parameter.record.typeID = typeId;
    SetName(parameter.record, name);
    parameter.record.value.real = value;
    return parameter;
}

HostParameter HostParameter::Text(const char* name, const GS::UniString& value)
{
    HostParameter parameter;
    parameter.record.typeID = StringParameterType;
    SetName(parameter.record, name);
    WriteUnits(value, parameter.record.value.uStr);
    return parameter;
}

HostParameter HostParameter::Array(const char* name, API_AddParID typeId, Int32 firstDimension,
                                   Int32 secondDimension, std::vector<char> items)
{
    HostParameter parameter;
    parameter.record.typeID = typeId;
    parameter.record.typeMod = API_ParArray;
    SetName(parameter.record, name);
    parameter.record.dim1 = firstDimension;
    parameter.record.dim2 = secondDimension;
    parameter.arrayItems = std::move(items);
    return parameter;
}

API_AddParType** NewParameterHandle(const HostParameterList& parameters)
{
    const Int32 size = static_cast<Int32>(parameters.size() * sizeof(API_AddParType));
    auto** handle = reinterpret_cast<API_AddParType**>(BMAllocateHandle(size, ALLOCATE_CLEAR, 0));
    if (handle == nullptr)
        return nullptr;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        API_AddParType record = parameters[i].record;
        if (IsArray(record)) {
            const std::vector<char>& items = parameters[i].arrayItems;
            record.value.array = BMAllocateHandle(static_cast<Int32>(items.size()), 0, 0);
            if (record.value.array == nullptr) {
                DisposeParameterHandle(&handle);  // the records not yet copied are zero: no item handle
                return nullptr;
            }
            if (!items.empty())
                std::memcpy(*record.value.array, items.data(), items.size());
        }
        (*handle)[i] = record;
    }
    return handle;
}

GSErrCode DisposeParameterHandle(API_AddParType*** parameters)
{
    if (parameters == nullptr || *parameters == nullptr)
        return NoError;
    API_AddParType** handle = *parameters;
    const Int32 count = RecordCount(reinterpret_cast<GSConstHandle>(handle));
    for (Int32 i = 0; i < count; ++i) {
        API_AddParType& record = (*handle)[i];
        if (IsArray(record))
            BMKillHandle(&record.value.array);
    }
    KillHandle(handle);
    *parameters = nullptr;
    return NoError;
}

GSErrCode DisposeMemoHandles(API_ElementMemo* memo)
{
    if (memo == nullptr)
        return NoError;
    DisposeParameterHandle(&memo->params);
    if (memo->coords != nullptr)
        KillHandle(memo->coords);
    if (memo->pends != nullptr)
        KillHandle(memo->pends);
    memo->coords = nullptr;
    memo->pends = nullptr;
    return NoError;
}

}  // namespace ZeltoHost
