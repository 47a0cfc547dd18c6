#include "ZELTO_export_Commands.hpp"

#include "ExceptionLog.hpp"
#include "LogHelpers.hpp"
#include "MAExporter.hpp"
#include "ZELTO_export_Dialog.hpp"
#include "ZELTO_export_DirectExport.hpp"
#include "ZELTO_export_ExportRun.hpp"
#include "ZELTO_export_Parameters.hpp"
#include "ZELTO_export_Resources.hpp"
#include "ZELTO_export_Updater.hpp"

namespace {

// Items of the add-on's menu (list 32510).
constexpr Int32 DirectExportItem = 1;
constexpr Int32 ForgetCinema4DItem = 3;
constexpr Int32 ExportSettingsItem = 4;
constexpr Int32 UpdateCheckItem = 6;

// Runs one export of the save-as road; the engine (and with it the writer) is gone when this returns.
// A run that does not complete leaves the target as it was: the writer removes its temporary file.
void RunSaveAsExport(const API_IOParams* io, GS::SharedPtr<Modeler::Sight> sight)
{
    FilledModel model(sight);
    IO::Name projectName;
    GetACFileName(projectName);
    WRL::MAExporter exporter(model.Get(), io, false, projectName);
    exporter.ExportScene();
}

// The settings dialog over the stored settings: 0 when the user confirmed and every setting was stored.
int EditExportSettings()
{
    try {
        WRL::MAParameters parameters(false, IO::Name());
        WRL::MADialog dialog(&parameters);
        return dialog.Savepanel() ? NoError : APIERR_GENERAL;
    } catch (...) {
        LogCurrentException("Export settings failed");
        return APIERR_GENERAL;
    }
}

// The item's action and its result for the host.
int RunMenuItem(Int32 item)
{
    switch (item) {
        case DirectExportItem:
            return ExportToCinema4D();
        case ForgetCinema4DItem:
            return ForgetCinema4DLocation();
        case ExportSettingsItem:
            return EditExportSettings();
        case UpdateCheckItem:
            return WRL::MAUpdate().CheckUpdate() ? NoError : APIERR_GENERAL;
        default:
            return NoError;
    }
}

}  // namespace

int StartExport(const API_IOParams* io, GS::SharedPtr<Modeler::Sight> sight)
{
    return RunGuarded("Save-as export failed", APIERR_GENERAL, [&] {
        if (io == nullptr || io->fileLoc == nullptr || sight == nullptr) {
            LogMessageDebug("Zelto_export:: StartExport() without a target file or a 3D sight\n");
            return APIERR_GENERAL;
        }
        return RunExportForHost([&] { RunSaveAsExport(io, sight); });
    });
}

int MenuCommandHandler(const API_MenuParams* params)
{
    return RunGuarded("Menu command failed", APIERR_GENERAL, [params] {
        if (params == nullptr)
            return APIERR_GENERAL;
        LogMessageDebug("Zelto_export:: APIMenuCommand () %d/%d\n", params->menuItemRef.menuResID,
                        params->menuItemRef.itemIndex);
        return RunMenuItem(params->menuItemRef.itemIndex);
    });
}
