// How the engine reports a failure that it turns into one of its own exceptions: the original
// exception is logged first (its name and code, or its text, LogCurrentException) in one line with
// the place where the export failed, so the cause is not lost. Call these inside a catch handler;
// they look at the exception being handled.
//
// Each failure is logged once. What the engine throws after logging carries the tag LoggedFailure,
// so that whoever catches it (the run that turns it into the host's result) adds no second line.
#ifndef EXPORTER_EXPORTFAILURES_HPP
#define EXPORTER_EXPORTFAILURES_HPP

#include "ExceptionLog.hpp"
#include "GSException.hpp"

namespace WRL {

// The tag of an exception whose failure is in the log already.
class LoggedFailure {
public:
    virtual ~LoggedFailure();
};

// GS::GeneralException (-7003) after its line was logged.
class LoggedGeneralException : public GS::GeneralException, public LoggedFailure {
public:
    using GS::GeneralException::GeneralException;
    LoggedGeneralException(const LoggedGeneralException&) = default;
    ~LoggedGeneralException() override;
    GS::GSException* Clone() const override;
};

// GS::OutOfMemoryException (-108, the export file could not be made) after its line was logged.
class LoggedOutOfMemoryException : public GS::OutOfMemoryException, public LoggedFailure {
public:
    using GS::OutOfMemoryException::OutOfMemoryException;
    LoggedOutOfMemoryException(const LoggedOutOfMemoryException&) = default;
    ~LoggedOutOfMemoryException() override;
    GS::GSException* Clone() const override;
};

// Logs the current exception with the context and throws GS::GeneralException (-7003) in its place,
// caused by it when it belongs to the host's exception family. A failure logged already is rethrown
// as it is.
[[noreturn]] void ThrowGeneralFailure(const char* context);

// The same for an export file that could not be made: GS::OutOfMemoryException (-108).
[[noreturn]] void ThrowFileFailure(const char* context);

}  // namespace WRL

#endif
