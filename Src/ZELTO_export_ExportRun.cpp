#include "ZELTO_export_ExportRun.hpp"

#include "ExceptionLog.hpp"
#include "Exp.hpp"
#include "ExportFailures.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"
#include "ZELTO_export_Cancel.hpp"

FilledModel::FilledModel(GS::SharedPtr<Modeler::Sight> sight)
    : attributeReader(ACAPI_Attribute_GetCurrentAttributeSetReader())
{
    const GSErrCode result = EXPGetModel(sight, &model, attributeReader.get());
    if (result != NoError) {
        LogMessageDebug("Zelto_export:: EXPGetModel failed #%s\n", ErrID_To_Name(result));
        throw WRL::LoggedGeneralException("EXPGetModel failed", __FILE__, __LINE__, result);
    }
}

int RunExportForHost(const std::function<void()>& exportRun)
{
    try {
        exportRun();
        return NoError;
    } catch (const WRL::Cancel&) {
        return APIERR_CANCEL;
    } catch (const WRL::LoggedFailure&) {
        return APIERR_GENERAL;  // its line, with the cause and the place, is in the log already
    } catch (...) {
        LogCurrentException("Export failed");
        return APIERR_GENERAL;
    }
}
