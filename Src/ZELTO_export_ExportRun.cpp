#include "ZELTO_export_ExportRun.hpp"

#include <exception>

#include "Exp.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"
#include "ZELTO_export_Cancel.hpp"

FilledModel::FilledModel(GS::SharedPtr<Modeler::Sight> sight)
    : attributeReader(ACAPI_Attribute_GetCurrentAttributeSetReader())
{
    const GSErrCode result = EXPGetModel(sight, &model, attributeReader.get());
    if (result != NoError) {
        LogMessageDebug("Zelto_export:: EXPGetModel failed #%s\n", ErrID_To_Name(result));
        throw GS::GeneralException("EXPGetModel failed", __FILE__, __LINE__, result);
    }
}

int RunExportForHost(const std::function<void()>& exportRun)
{
    try {
        exportRun();
        return NoError;
    } catch (const WRL::Cancel&) {
        return APIERR_CANCEL;
    } catch (const GS::GSException& exception) {
        LogMessageDebug("Zelto_export:: Export failed: %s (%d)\n", exception.GetName(),
                        static_cast<int>(exception.GetErrorCode()));
        return APIERR_GENERAL;
    } catch (const std::exception& exception) {
        LogMessageDebug("Zelto_export:: Export failed: %s\n", exception.what());
        return APIERR_GENERAL;
    } catch (...) {
        LogMessageDebug("Zelto_export:: Export failed\n");
        return APIERR_GENERAL;
    }
}
