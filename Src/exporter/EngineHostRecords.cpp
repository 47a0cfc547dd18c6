#include "EngineHostRecords.hpp"

#include <cstring>

#include "ExceptionLog.hpp"
#include "HostNames.hpp"
#include "Location.hpp"
#include "LogHelpers.hpp"

namespace WRL {

ElementMemo::ElementMemo()
{
    std::memset(&memo, 0, sizeof memo);
}

ElementMemo::~ElementMemo()
{
    if (memo.params == nullptr && memo.coords == nullptr && memo.pends == nullptr)
        return;
    RunWithoutThrowing("Cannot release an element memo", [this] {
        const GSErrCode disposed = ACAPI_DisposeElemMemoHdls(&memo);
        if (disposed != NoError)
            LogMessageError("Zelto_export:: Cannot release an element memo: %s\n", ErrID_To_Name(disposed));
    });
}

ParameterHandle::~ParameterHandle()
{
    if (handle == nullptr)
        return;
    RunWithoutThrowing("Cannot release a parameter list", [this] {
        const GSErrCode disposed = ACAPI_DisposeAddParHdl(&handle);
        if (disposed != NoError)
            LogMessageError("Zelto_export:: Cannot release a parameter list: %s\n", ErrID_To_Name(disposed));
    });
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
