#include "ZELTO_export_Commands.hpp"

#include "LogHelpers.hpp"

int StartExport(const API_IOParams* /*io*/, GS::SharedPtr<Modeler::Sight> /*sight*/)
{
    // The export engine is not wired in yet.
    return APIERR_GENERAL;
}

int MenuCommandHandler(const API_MenuParams* params)
{
    if (params == nullptr)
        return APIERR_GENERAL;
    LogMessageDebug("Zelto_export:: APIMenuCommand () %d/%d\n", params->menuItemRef.menuResID,
                    params->menuItemRef.itemIndex);
    return NoError;
}
