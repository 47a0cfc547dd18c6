#include "ZELTO_export_Commands.hpp"

#include <cstring>

#include "EnvironmentWrappers.hpp"
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

// The host's project information; the record's four pointers are the caller's to delete.
class ProjectInfo {
public:
    ProjectInfo() { std::memset(&record, 0, sizeof record); }
    ~ProjectInfo()
    {
        delete record.location;
        delete record.location_team;
        delete record.projectPath;
        delete record.projectName;
    }
    ProjectInfo(const ProjectInfo&) = delete;
    ProjectInfo& operator=(const ProjectInfo&) = delete;

    API_ProjectInfo record;
};

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
        LogMessageDebug("Zelto_export:: Export settings failed\n");
        return APIERR_GENERAL;
    }
}

}  // namespace

void GetACFileName(IO::Name& name)
{
    const IO::Name defaultName(WRL::ReadResourceString(WRL::LocalizedCommentStringTable, WRL::C4DFileName));
    name.Clear();
    ProjectInfo project;
    if (Environment::Project(&project.record) != NoError) {
        name = defaultName;
        return;
    }
    const IO::Location* file = project.record.location_team != nullptr ? project.record.location_team
                                                                        : project.record.location;
    if (file == nullptr || file->GetLastLocalName(&name) != NoError || name.IsEmpty())
        name = defaultName;
}

int StartExport(const API_IOParams* io, GS::SharedPtr<Modeler::Sight> sight)
{
    if (io == nullptr || io->fileLoc == nullptr || sight == nullptr) {
        LogMessageDebug("Zelto_export:: StartExport() without a target file or a 3D sight\n");
        return APIERR_GENERAL;
    }
    return RunExportForHost([&] { RunSaveAsExport(io, sight); });
}

int MenuCommandHandler(const API_MenuParams* params)
{
    if (params == nullptr)
        return APIERR_GENERAL;
    LogMessageDebug("Zelto_export:: APIMenuCommand () %d/%d\n", params->menuItemRef.menuResID,
                    params->menuItemRef.itemIndex);
    switch (params->menuItemRef.itemIndex) {
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
