// Library-part parameters as the host keeps them and hands them out: memory handles of
// API_AddParType records, which the receiver frees with ACAPI_DisposeAddParHdl (or, inside an
// element memo, ACAPI_DisposeElemMemoHdls). The records of array parameters own a handle of items.
#ifndef HOSTAPP_HOSTPARAMETERS_HPP
#define HOSTAPP_HOSTPARAMETERS_HPP

#include <vector>

#include "HostApi.hpp"

namespace ZeltoHost {

constexpr API_AddParID StringParameterType = 12;

struct HostParameter {
    // Zero in every byte but what the makers below set. For an array (type modifier not 0) the
    // value's handle is made from arrayItems when the parameter is handed out.
    API_AddParType record;
    std::vector<char> arrayItems;

    HostParameter();
    static HostParameter Number(const char* name, API_AddParID typeId, double value);
    static HostParameter Text(const char* name, const GS::UniString& value);  // type 12
    // Items as the handle holds them: doubles, or consecutive NUL-terminated UTF-16 texts for type 12.
    static HostParameter Array(const char* name, API_AddParID typeId, Int32 firstDimension, Int32 secondDimension,
                               std::vector<char> items);
};

using HostParameterList = std::vector<HostParameter>;

// A new handle with a copy of every record, array items in handles of their own; null when memory
// runs out (nothing is left allocated then).
API_AddParType** NewParameterHandle(const HostParameterList& parameters);
// Frees a handle made by NewParameterHandle with the item handles of its array records, and
// nulls the caller's pointer. Null pointers are accepted.
GSErrCode DisposeParameterHandle(API_AddParType*** parameters);
// Frees every handle of an element memo and nulls its fields.
GSErrCode DisposeMemoHandles(API_ElementMemo* memo);

}  // namespace ZeltoHost

#endif
