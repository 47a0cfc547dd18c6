#include "HostApi.hpp"

#include <tuple>
#include <type_traits>
#include <utility>

#include "HostControl.hpp"
#include "HostFailure.hpp"

namespace ZeltoHost {

namespace {

using HostControl::HostArg;

struct OperationInfo {
    const char* name;
    API_FamilyId family;
    API_Selector selector;
    int firstNamed;
    int lastNamed;
};

constexpr API_FamilyId FamilyNone = APIFamily_Count;
constexpr API_FamilyId FamilyInterface = APIFamily_Interface;
constexpr API_FamilyId FamilyDatabase = APIFamily_Database;
constexpr API_FamilyId FamilyEnvironment = APIFamily_Environment;
constexpr API_FamilyId FamilyLibPart = APIFamily_LibPart;
constexpr API_FamilyId FamilyElement = APIFamily_Element;
constexpr API_FamilyId FamilyAttribute = APIFamily_Attribute;

const OperationInfo operations[] = {
#define API_OP(ret, name, params, args, family, selector, first, last) {#name, Family##family, selector, first, last},
#include "APIFunctions.def"
#undef API_OP
};

// The dispatch call now being served, so that the host entry records how it was reached.
struct DispatchContext {
    API_FamilyId family = FamilyNone;
    API_Selector selector = 0;
};
thread_local DispatchContext currentDispatch;

template <typename T>
HostArg ToHostArg(const T& value)
{
    using Plain = std::decay_t<T>;
    if constexpr (std::is_pointer_v<Plain> && std::is_function_v<std::remove_pointer_t<Plain>>)
        return HostArg::Ptr(reinterpret_cast<const void*>(value));
    else if constexpr (std::is_pointer_v<Plain>)
        return HostArg::Ptr(static_cast<const void*>(value));
    else if constexpr (std::is_floating_point_v<Plain>)
        return HostArg::Real(value);
    else if constexpr (std::is_integral_v<Plain> || std::is_enum_v<Plain>)
        return HostArg::Int(static_cast<std::int64_t>(value));
    else
        return HostArg::Ptr(static_cast<const void*>(&value));  // a record passed by reference
}

template <typename... Ts>
std::vector<HostArg> MakeArgs(const Ts&... values)
{
    return std::vector<HostArg>{ToHostArg(values)...};
}

template <typename Result>
Result EmptyResult()
{
    if constexpr (std::is_void_v<Result>)
        return;
    else
        return Result{};
}

template <typename MakeCallArgs>
void RecordCall(API_OperationId operation, MakeCallArgs makeArgs)
{
    if (!HostControl::TheRecorder().keepCalls) {
        currentDispatch = DispatchContext();
        return;
    }
    HostControl::HostCall call;
    call.function = operations[operation].name;
    if (currentDispatch.family != FamilyNone) {
        call.dispatcher = HostApi::DispatcherName(currentDispatch.family);
        call.selector = currentDispatch.selector;
    }
    currentDispatch = DispatchContext();
    call.args = makeArgs();
    HostControl::TheRecorder().calls.push_back(std::move(call));
}

// Operations that give memory back. A failure planned for one is reported after the memory was
// released all the same: a host that reports a failed disposal has not kept the memory alive, and a
// test that injects one must not leak it.
bool ReleasesMemory(API_OperationId operation)
{
    return operation == APIOp_ACAPI_DisposeAddParHdl || operation == APIOp_ACAPI_DisposeElemMemoHdls;
}

// Records the call, applies a planned failure, then runs the host's implementation (for a release,
// runs it first).
template <typename Result, typename MakeCallArgs, typename Run>
Result Serve(API_OperationId operation, MakeCallArgs makeArgs, Run run)
{
    RecordCall(operation, makeArgs);
    if constexpr (std::is_same_v<Result, GSErrCode>) {
        if (ReleasesMemory(operation)) {
            const GSErrCode released = run();
            const GSErrCode planned = HostFailure::Check(operations[operation].name);
            return planned != NoError ? planned : released;
        }
    }
    const GSErrCode planned = HostFailure::Check(operations[operation].name);
    if constexpr (std::is_same_v<Result, GSErrCode>) {
        if (planned != NoError)
            return planned;
    }
    return run();
}

#define API_OP(ret, name, params, args, family, selector, first, last)                                   \
    ret HostEntry_##name params                                                                           \
    {                                                                                                     \
        return Serve<ret>(APIOp_##name, [&]() { return MakeArgs args; }, [&]() -> ret {                                     \
            const auto& implementation = HostApi::Instance().impl.name;                                   \
            return implementation ? implementation args : EmptyResult<ret>();                             \
        });                                                                                               \
    }
#include "APIFunctions.def"
#undef API_OP

// Dispatch: pointer parameters arrive as they are, every other parameter by address.
template <typename T>
bool Present(const void* parameter)
{
    return std::is_pointer_v<T> || parameter != nullptr;
}

template <typename T>
T Unpacked(const void* parameter)
{
    if constexpr (std::is_pointer_v<T> && !std::is_function_v<std::remove_pointer_t<T>>)
        return static_cast<T>(const_cast<void*>(parameter));
    else if constexpr (std::is_reference_v<T>)
        return *static_cast<std::remove_reference_t<T>*>(const_cast<void*>(parameter));
    else
        return *static_cast<const T*>(parameter);
}

template <typename... Args, std::size_t... I>
GSErrCode CallUnpacked(GSErrCode (*entry)(Args...), const void* const* parameters, std::index_sequence<I...>)
{
    if (!(Present<Args>(parameters[I]) && ...))
        return APIERR_BADPARS;
    return entry(Unpacked<Args>(parameters[I])...);
}

template <typename... Args>
GSErrCode CallUnpacked(GSErrCode (*entry)(Args...), const void* const* parameters)
{
    return CallUnpacked(entry, parameters, std::index_sequence_for<Args...>{});
}

template <typename Result, typename... Args>
GSErrCode CallUnpacked(Result (*)(Args...), const void* const*)
{
    return APIERR_NOTSUPPORTED;  // only error-code operations are dispatched
}

GSErrCode Dispatch(API_FamilyId family, API_Selector selector, const void* const* parameters)
{
#define API_OP(ret, name, params, args, opFamily, opSelector, first, last)               \
    if (Family##opFamily == family && API_Selector(opSelector) == selector) {             \
        currentDispatch = DispatchContext{family, selector};                               \
        const GSErrCode result = CallUnpacked(&HostEntry_##name, parameters);              \
        currentDispatch = DispatchContext();                                               \
        return result;                                                                     \
    }
#include "APIFunctions.def"
#undef API_OP
    HostControl::HostCall call;
    call.function = "?";
    call.dispatcher = HostApi::DispatcherName(family);
    call.selector = selector;
    HostControl::TheRecorder().calls.push_back(call);
    return APIERR_NOTSUPPORTED;
}

#define HOST_DISPATCHER(family)                                                                          \
    GSErrCode HostDispatch_##family(API_Selector selector, const void* p1, const void* p2, const void* p3, \
                                    const void* p4, const void* p5, const void* p6, const void* p7,        \
                                    const void* p8)                                                        \
    {                                                                                                      \
        const void* parameters[] = {p1, p2, p3, p4, p5, p6, p7, p8};                                       \
        return Dispatch(APIFamily_##family, selector, parameters);                                         \
    }
HOST_DISPATCHER(Interface)
HOST_DISPATCHER(Database)
HOST_DISPATCHER(Environment)
HOST_DISPATCHER(LibPart)
HOST_DISPATCHER(Element)
HOST_DISPATCHER(Attribute)
#undef HOST_DISPATCHER

void* const hostEntries[] = {
#define API_OP(ret, name, params, args, family, selector, first, last) reinterpret_cast<void*>(&HostEntry_##name),
#include "APIFunctions.def"
#undef API_OP
};

API_DispatchProc* const hostDispatchers[APIFamily_Count] = {
    &HostDispatch_Interface, &HostDispatch_Database, &HostDispatch_Environment,
    &HostDispatch_LibPart,   &HostDispatch_Element,  &HostDispatch_Attribute,
};

constexpr int FirstNamedOnlyVersion = 27;

}  // namespace

HostApi& HostApi::Instance()
{
    static HostApi api;
    return api;
}

bool HostApi::OffersNamed(API_OperationId operation, int hostApiVersion)
{
    const OperationInfo& info = operations[operation];
    if (hostApiVersion < info.firstNamed || hostApiVersion > info.lastNamed)
        return false;
    return info.family == FamilyNone || hostApiVersion >= FirstNamedOnlyVersion;
}

API_FamilyId HostApi::DispatchFamilyOf(API_OperationId operation)
{
    return operations[operation].family;
}

API_Selector HostApi::SelectorOf(API_OperationId operation)
{
    return operations[operation].selector;
}

const char* HostApi::NameOf(API_OperationId operation)
{
    return operations[operation].name;
}

const char* HostApi::DispatcherName(API_FamilyId family)
{
    static const char* const names[APIFamily_Count] = {"ACAPI_Interface", "ACAPI_Database", "ACAPI_Environment",
                                                       "ACAPI_LibPart",   "ACAPI_Element",  "ACAPI_Attribute"};
    return family < APIFamily_Count ? names[family] : "";
}

const API_FunctionTable* HostApi::TableFor(int hostApiVersion)
{
    table = API_FunctionTable{};
    table.hostApiVersion = hostApiVersion;
    table.operationCount = APIOp_Count;
    for (int operation = 0; operation < APIOp_Count; ++operation) {
        if (OffersNamed(static_cast<API_OperationId>(operation), hostApiVersion))
            table.operations[operation] = hostEntries[operation];
    }
    for (int family = 0; family < APIFamily_Count; ++family)
        table.dispatchers[family] = hostApiVersion < FirstNamedOnlyVersion ? hostDispatchers[family] : nullptr;
    return &table;
}

}  // namespace ZeltoHost
