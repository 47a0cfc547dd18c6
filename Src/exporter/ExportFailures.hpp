// How the engine reports a failure that it turns into one of its own exceptions: the original
// exception is logged first (its name and code, or its text), so the cause is not lost.
// Both functions must be called inside a catch handler; they look at the exception being handled.
#ifndef EXPORTER_EXPORTFAILURES_HPP
#define EXPORTER_EXPORTFAILURES_HPP

namespace WRL {

// Logs "Zelto_export:: <context>: ..." with what the current exception tells of itself.
void LogCurrentException(const char* context);

// Logs the current exception and throws GS::GeneralException (-7003) in its place, caused by it when
// it belongs to the host's exception family.
[[noreturn]] void ThrowGeneralFailure(const char* context);

}  // namespace WRL

#endif
