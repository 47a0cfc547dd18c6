// The host API as the add-on sees it.
//
// One header serves every host API version. The version a module is built for comes from the
// compile definition ZELTO_ACAPI_VERSION (21..29). Hosts 27..29 offer their operations as named
// functions; hosts 21..26 offer most of them through one dispatch function per family with a
// four-character selector (see APIFunctions.def). The host side includes this header with
// ZELTO_ACAPI_HOST_SIDE defined and sees the function table's layout instead.
#ifndef ACAPI_ACAPINC_H
#define ACAPI_ACAPINC_H

#include "APIdefs_Attributes.h"
#include "APIdefs_Base.h"
#include "APIdefs_Database.h"
#include "APIdefs_Elements.h"
#include "APIdefs_Environment.h"
#include "APIdefs_Errors.h"
#include "APIdefs_Interface.h"
#include "APIdefs_LibParts.h"
#include "Array.hpp"
#include "RS.hpp"

#if !defined(ZELTO_ACAPI_HOST_SIDE)
#if !defined(ZELTO_ACAPI_VERSION)
#error "ZELTO_ACAPI_VERSION must name the host API version (21..29) the module is built for"
#endif
#if ZELTO_ACAPI_VERSION < 21 || ZELTO_ACAPI_VERSION > 29
#error "ZELTO_ACAPI_VERSION must lie within 21..29"
#endif
// True where the host offers its operations as named functions.
#define ACAPI_NAMED_FUNCTIONS (ZELTO_ACAPI_VERSION >= 27)
#endif

#define ACAPI_EXPORT __attribute__((visibility("default")))

// ---- Operation numbers and selectors, generated from the function list ---------------------------

enum API_OperationId : Int32 {
#define API_OP(ret, name, params, args, family, selector, first, last) APIOp_##name,
#include "APIFunctions.def"
#undef API_OP
    APIOp_Count
};

// The dispatch functions of hosts 21..26, one per family.
enum API_FamilyId : Int32 {
    APIFamily_Interface,
    APIFamily_Database,
    APIFamily_Environment,
    APIFamily_LibPart,
    APIFamily_Element,
    APIFamily_Attribute,
    APIFamily_Count
};

// Selector constants, named after the operation: APISel_Window_GetCurrentWindow and so on.
namespace APISelectors {
#define API_OP(ret, name, params, args, family, selector, first, last) constexpr API_Selector name = selector;
#include "APIFunctions.def"
#undef API_OP
}  // namespace APISelectors
#define APISEL(operation) (APISelectors::ACAPI_##operation)

using API_DispatchProc = GSErrCode(API_Selector selector, const void* p1, const void* p2, const void* p3,
                                   const void* p4, const void* p5, const void* p6, const void* p7, const void* p8);

// What the host hands over with SetImportedFuncAddrs: one entry per operation (null where the
// running host does not offer it as a named function) and one per dispatch function (null in hosts
// that have none).
struct API_FunctionTable {
    Int32 hostApiVersion;
    Int32 operationCount;
    void* operations[APIOp_Count];
    API_DispatchProc* dispatchers[APIFamily_Count];
};

// What the add-on answers to GetExportedFuncAddrs.
using APICheckEnvironmentProc = API_AddonType(API_EnvirParams* envir);
using APIRegisterInterfaceProc = GSErrCode();
using APIInitializeProc = GSErrCode();
using APIFreeDataProc = GSErrCode();

struct API_ExportedFuncs {
    Int32 apiVersion;   // (N << 16) | 1 for host API version N
    Int32 hostVersion;  // N * 1000
    APICheckEnvironmentProc* checkEnvironment;
    APIRegisterInterfaceProc* registerInterface;
    APIInitializeProc* initialize;
    APIFreeDataProc* freeData;
};

extern "C" {
ACAPI_EXPORT GSErrCode GetExportedFuncAddrs(Int32 format, API_ExportedFuncs* exported);
ACAPI_EXPORT GSErrCode SetImportedFuncAddrs(Int32 format, const API_FunctionTable* table);
}
using GetExportedFuncAddrsProc = GSErrCode(Int32 format, API_ExportedFuncs* exported);
using SetImportedFuncAddrsProc = GSErrCode(Int32 format, const API_FunctionTable* table);
constexpr Int32 API_ProtocolFormat = 1;

#if !defined(ZELTO_ACAPI_HOST_SIDE)

// ---- The add-on's entry points, which the host calls through the glue ----------------------------
API_AddonType CheckEnvironment(API_EnvirParams* envir);
GSErrCode RegisterInterface();
GSErrCode Initialize();
GSErrCode FreeData();

// ---- Host functions ------------------------------------------------------------------------------
// Named functions: declared for every operation; the glue's trampolines answer "not supported"
// for the ones the module's host version does not offer.
#define API_OP(ret, name, params, args, family, selector, first, last) ret name params;
#include "APIFunctions.def"
#undef API_OP

#if !ACAPI_NAMED_FUNCTIONS
// Dispatch functions of hosts 21..26.
GSErrCode ACAPI_Interface(API_Selector selector, const void* p1 = nullptr, const void* p2 = nullptr,
                          const void* p3 = nullptr, const void* p4 = nullptr, const void* p5 = nullptr,
                          const void* p6 = nullptr, const void* p7 = nullptr, const void* p8 = nullptr);
GSErrCode ACAPI_Database(API_Selector selector, const void* p1 = nullptr, const void* p2 = nullptr,
                         const void* p3 = nullptr, const void* p4 = nullptr, const void* p5 = nullptr,
                         const void* p6 = nullptr, const void* p7 = nullptr, const void* p8 = nullptr);
GSErrCode ACAPI_Environment(API_Selector selector, const void* p1 = nullptr, const void* p2 = nullptr,
                            const void* p3 = nullptr, const void* p4 = nullptr, const void* p5 = nullptr,
                            const void* p6 = nullptr, const void* p7 = nullptr, const void* p8 = nullptr);
GSErrCode ACAPI_LibPart(API_Selector selector, const void* p1 = nullptr, const void* p2 = nullptr,
                        const void* p3 = nullptr, const void* p4 = nullptr, const void* p5 = nullptr,
                        const void* p6 = nullptr, const void* p7 = nullptr, const void* p8 = nullptr);
GSErrCode ACAPI_Element(API_Selector selector, const void* p1 = nullptr, const void* p2 = nullptr,
                        const void* p3 = nullptr, const void* p4 = nullptr, const void* p5 = nullptr,
                        const void* p6 = nullptr, const void* p7 = nullptr, const void* p8 = nullptr);
GSErrCode ACAPI_Attribute(API_Selector selector, const void* p1 = nullptr, const void* p2 = nullptr,
                          const void* p3 = nullptr, const void* p4 = nullptr, const void* p5 = nullptr,
                          const void* p6 = nullptr, const void* p7 = nullptr, const void* p8 = nullptr);
#endif

// Glue-local services: no host call.
GSResModule ACAPI_GetOwnResModule();
GSErrCode ACAPI_GetOwnLocation(IO::Location* location);

// The report window; the text is formatted printf-style, then shown as it is.
GSErrCode ACAPI_WriteReport(const GS::UniString& format, bool withDialog, ...);

#endif  // !ZELTO_ACAPI_HOST_SIDE

#endif
