#include "ExportFailures.hpp"

#include "ZELTO_export_Cancel.hpp"

namespace WRL {

namespace {

// Logs and throws Logged in place of the current exception, unless that was logged already.
template <typename Logged>
[[noreturn]] void ThrowLogged(const char* context, GSErrCode code)
{
    try {
        throw;
    } catch (const LoggedFailure&) {
        throw;
    } catch (const GS::GSException& exception) {
        LogCurrentException(context);
        throw Logged(context, __FILE__, __LINE__, exception, code);
    } catch (...) {
        LogCurrentException(context);
        throw Logged(context, __FILE__, __LINE__, code);
    }
}

}  // namespace

LoggedFailure::~LoggedFailure() = default;

LoggedGeneralException::~LoggedGeneralException() = default;

GS::GSException* LoggedGeneralException::Clone() const
{
    return new LoggedGeneralException(*this);
}

LoggedOutOfMemoryException::~LoggedOutOfMemoryException() = default;

GS::GSException* LoggedOutOfMemoryException::Clone() const
{
    return new LoggedOutOfMemoryException(*this);
}

void ThrowGeneralFailure(const char* context)
{
    ThrowLogged<LoggedGeneralException>(context, CancelErrorCode);
}

void ThrowFileFailure(const char* context)
{
    ThrowLogged<LoggedOutOfMemoryException>(context, FileNotMadeErrorCode);
}

}  // namespace WRL
