#include "ExportFailures.hpp"

#include <exception>

#include "GSException.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"
#include "ZELTO_export_Cancel.hpp"

namespace WRL {

void LogCurrentException(const char* context)
{
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
}

void ThrowGeneralFailure(const char* context)
{
    LogCurrentException(context);
    try {
        throw;
    } catch (const GS::GSException& exception) {
        throw GS::GeneralException(context, __FILE__, __LINE__, exception, CancelErrorCode);
    } catch (...) {
        throw GS::GeneralException(context, __FILE__, __LINE__, CancelErrorCode);
    }
}

}  // namespace WRL
