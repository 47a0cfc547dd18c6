// The add-on glue, linked into every module: the two exported protocol functions, the
// trampolines of every host function into the table the host hands over, and the module's own
// location and resource file.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <type_traits>
#include <dlfcn.h>
#include <memory>
#include <string>
#include <vector>

#include "ACAPinc.h"
#include "HostFailure.hpp"
#include "Location.hpp"

namespace {

const API_FunctionTable* hostTable = nullptr;

void* HostOperation(API_OperationId operation)
{
    if (hostTable == nullptr || operation < 0 || operation >= hostTable->operationCount)
        return nullptr;
    return hostTable->operations[operation];
}

template <typename Result>
Result NotSupported()
{
    if constexpr (std::is_same_v<Result, GSErrCode>)
        return APIERR_NOTSUPPORTED;
    else
        return Result{};
}

// The module's file and its resource file beside it, recorded when the module is loaded.
struct OwnModule {
    std::string path;
    GSResModule resources = InvalidResModule;

    OwnModule()
    {
        Dl_info info{};
        if (dladdr(reinterpret_cast<void*>(&HostOperation), &info) != 0 && info.dli_fname != nullptr)
            path = info.dli_fname;
        const std::size_t slash = path.find_last_of('/');
        const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash);
        resources = RSOpenModule((folder + "/Zelto_export.rsrc").c_str());
    }
    ~OwnModule() { RSCloseModule(resources); }
    OwnModule(const OwnModule&) = delete;
    OwnModule& operator=(const OwnModule&) = delete;
};

OwnModule ownModule;

// Entry points as the host reaches them: before the host's table has arrived they refuse.
API_AddonType GlueCheckEnvironment(API_EnvirParams* envir)
{
    return hostTable == nullptr ? APIAddon_Unknown : CheckEnvironment(envir);
}

GSErrCode GlueRegisterInterface()
{
    return hostTable == nullptr ? APIERR_GENERAL : RegisterInterface();
}

GSErrCode GlueInitialize()
{
    return hostTable == nullptr ? APIERR_GENERAL : Initialize();
}

GSErrCode GlueFreeData()
{
    return hostTable == nullptr ? APIERR_GENERAL : FreeData();
}

}  // namespace

extern "C" GSErrCode GetExportedFuncAddrs(Int32 format, API_ExportedFuncs* exported)
{
    if (format != API_ProtocolFormat || exported == nullptr)
        return APIERR_BADPARS;
    exported->apiVersion = (ZELTO_ACAPI_VERSION << 16) | 1;
    exported->hostVersion = ZELTO_ACAPI_VERSION * 1000;
    exported->checkEnvironment = &GlueCheckEnvironment;
    exported->registerInterface = &GlueRegisterInterface;
    exported->initialize = &GlueInitialize;
    exported->freeData = &GlueFreeData;
    return NoError;
}

extern "C" GSErrCode SetImportedFuncAddrs(Int32 format, const API_FunctionTable* table)
{
    if (format != API_ProtocolFormat || table == nullptr || table->hostApiVersion != ZELTO_ACAPI_VERSION ||
        table->operationCount != APIOp_Count)
        return APIERR_BADPARS;
    hostTable = table;
    return NoError;
}

// Named functions.
#define API_OP(ret, name, params, args, family, selector, first, last)                 \
    ret name params                                                                     \
    {                                                                                   \
        using Function = ret params;                                                    \
        auto* function = reinterpret_cast<Function*>(HostOperation(APIOp_##name));      \
        if (function == nullptr)                                                        \
            return NotSupported<ret>();                                                 \
        return function args;                                                           \
    }
#include "APIFunctions.def"
#undef API_OP

#if !ACAPI_NAMED_FUNCTIONS
#define GLUE_DISPATCHER(name, family)                                                                         \
    GSErrCode name(API_Selector selector, const void* p1, const void* p2, const void* p3, const void* p4,    \
                   const void* p5, const void* p6, const void* p7, const void* p8)                           \
    {                                                                                                         \
        API_DispatchProc* dispatcher = hostTable != nullptr ? hostTable->dispatchers[family] : nullptr;      \
        if (dispatcher == nullptr)                                                                            \
            return APIERR_NOTSUPPORTED;                                                                       \
        return dispatcher(selector, p1, p2, p3, p4, p5, p6, p7, p8);                                          \
    }
GLUE_DISPATCHER(ACAPI_Interface, APIFamily_Interface)
GLUE_DISPATCHER(ACAPI_Database, APIFamily_Database)
GLUE_DISPATCHER(ACAPI_Environment, APIFamily_Environment)
GLUE_DISPATCHER(ACAPI_LibPart, APIFamily_LibPart)
GLUE_DISPATCHER(ACAPI_Element, APIFamily_Element)
GLUE_DISPATCHER(ACAPI_Attribute, APIFamily_Attribute)
#undef GLUE_DISPATCHER
#endif

GSResModule ACAPI_GetOwnResModule()
{
    return ownModule.resources;
}

GSErrCode ACAPI_GetOwnLocation(IO::Location* location)
{
    if (location == nullptr)
        return APIERR_BADPARS;
    // No host call, but tests plan its failure under its own name as for one.
    const GSErrCode planned = HostFailure::Check("ACAPI_GetOwnLocation");
    if (planned != NoError)
        return planned;
    // The loader may have recorded a relative path; a location needs the absolute one.
    const std::unique_ptr<char, decltype(&std::free)> absolute(
        ownModule.path.empty() ? nullptr : realpath(ownModule.path.c_str(), nullptr), &std::free);
    const GSErrCode result = location->Set(absolute != nullptr ? absolute.get() : ownModule.path.c_str());
    return result == NoError ? NoError : APIERR_GENERAL;
}

GSErrCode ACAPI_WriteReport(const GS::UniString& format, bool withDialog, ...)
{
    va_list args;
    va_start(args, withDialog);
    va_list measure;
    va_copy(measure, args);
    const GS::UniString::CStr formatText = format.ToCStr();
    const int needed = std::vsnprintf(nullptr, 0, formatText.Get(), measure);
    va_end(measure);
    std::vector<char> buffer(needed > 0 ? static_cast<std::size_t>(needed) + 1 : 1, '\0');
    if (needed > 0)
        std::vsnprintf(buffer.data(), buffer.size(), formatText.Get(), args);
    va_end(args);
    const GS::UniString text(buffer.data(), CC_UTF8);
    return ACAPI_WriteReportText(&text, withDialog);
}
