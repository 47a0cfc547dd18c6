// The host side of the host API: every operation's host entry (which records the call, applies a
// planned failure and runs the host's implementation), the dispatch functions of hosts 21..26,
// and the function table for the version the host runs as.
#ifndef HOSTSIDE_HOSTAPI_HPP
#define HOSTSIDE_HOSTAPI_HPP

#include <functional>
#include <string>

#define ZELTO_ACAPI_HOST_SIDE
#include "ACAPinc.h"

namespace ZeltoHost {

// The host's implementation of each operation; an empty one answers 0 (or an empty result).
struct HostImplementations {
#define API_OP(ret, name, params, args, family, selector, first, last) std::function<ret params> name;
#include "APIFunctions.def"
#undef API_OP
};

class HostApi {
public:
    static HostApi& Instance();

    HostImplementations impl;

    // The table handed to a module when the host runs as the given version (21..29).
    const API_FunctionTable* TableFor(int hostApiVersion);

    // Whether a version offers an operation as a named function, and through which family's
    // dispatch function (APIFamily_Count when none).
    static bool OffersNamed(API_OperationId operation, int hostApiVersion);
    static API_FamilyId DispatchFamilyOf(API_OperationId operation);
    static API_Selector SelectorOf(API_OperationId operation);
    static const char* NameOf(API_OperationId operation);
    static const char* DispatcherName(API_FamilyId family);

private:
    API_FunctionTable table{};
};

}  // namespace ZeltoHost

#endif
