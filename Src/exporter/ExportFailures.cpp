#include "ExportFailures.hpp"

#include "GSException.hpp"
#include "ZELTO_export_Cancel.hpp"

namespace WRL {

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
