#include "ExceptionLog.hpp"

#include <exception>

#include "GSException.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"

void LogCurrentException(const char* context) noexcept
{
    try {
        try {
            throw;
        } catch (const GS::GSException& exception) {
            const int code = exception.GetErrorCode();
            LogMessageError("Zelto_export:: %s: %s (%d #%s) %s\n", context, exception.GetName(), code,
                            ErrID_To_Name(code), exception.GetMessage());
        } catch (const GS::RootException& exception) {
            LogMessageError("Zelto_export:: %s: %s\n", context, exception.GetName());
        } catch (const std::exception& exception) {
            LogMessageError("Zelto_export:: %s: %s\n", context, exception.what());
        } catch (...) {
            LogMessageError("Zelto_export:: %s: unknown exception\n", context);
        }
    } catch (...) {
        // The log itself failed (no memory for the line): nothing more can be said.
    }
}
