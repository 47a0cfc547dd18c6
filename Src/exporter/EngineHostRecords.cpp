#include "EngineHostRecords.hpp"

#include <cstring>

#include "Location.hpp"

namespace WRL {

ElementMemo::ElementMemo()
{
    std::memset(&memo, 0, sizeof memo);
}

ElementMemo::~ElementMemo()
{
    if (memo.params != nullptr || memo.coords != nullptr || memo.pends != nullptr)
        ACAPI_DisposeElemMemoHdls(&memo);
}

ParameterHandle::~ParameterHandle()
{
    if (handle != nullptr)
        ACAPI_DisposeAddParHdl(&handle);
}

LibPartRecord::LibPartRecord()
{
    std::memset(&libPart, 0, sizeof libPart);
}

LibPartRecord::~LibPartRecord()
{
    delete libPart.location;
}

}  // namespace WRL
