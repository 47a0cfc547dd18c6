// How the engine reports a failure that it turns into one of its own exceptions: the original
// exception is logged first (its name and code, or its text, LogCurrentException), so the cause is
// not lost. Call it inside a catch handler; it looks at the exception being handled.
#ifndef EXPORTER_EXPORTFAILURES_HPP
#define EXPORTER_EXPORTFAILURES_HPP

#include "ExceptionLog.hpp"

namespace WRL {

// Logs the current exception and throws GS::GeneralException (-7003) in its place, caused by it when
// it belongs to the host's exception family.
[[noreturn]] void ThrowGeneralFailure(const char* context);

}  // namespace WRL

#endif
