#include "ZELTO_export_Commands.hpp"

#include <cstring>
#include <memory>

#include "EnvironmentWrappers.hpp"
#include "ExceptionLog.hpp"
#include "Exp.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"
#include "MAExporter.hpp"
#include "Model.hpp"
#include "RS.hpp"
#include "Sight.hpp"
#include "ZELTO_export_Cancel.hpp"
#include "ZELTO_export_Dialog.hpp"
#include "ZELTO_export_Parameters.hpp"
#include "ZELTO_export_Resources.hpp"

namespace {

// Items of the add-on's menu (list 32510).
constexpr Int32 DirectExportItem = 1;
constexpr Int32 ForgetCinema4DItem = 3;
constexpr Int32 ExportSettingsItem = 4;
constexpr Int32 UpdateCheckItem = 6;

// The 3D model of one export, filled from a sight with the current attribute set. The reader is
// declared first so that it outlives the model that was filled with it.
class FilledModel {
public:
    // Throws GS::GeneralException when the host cannot fill the model: an empty model would be
    // exported as if the building were empty.
    explicit FilledModel(GS::SharedPtr<Modeler::Sight> sight)
        : attributeReader(ACAPI_Attribute_GetCurrentAttributeSetReader())
    {
        const GSErrCode result = EXPGetModel(sight, &model, attributeReader.get());
        if (result != NoError) {
            LogMessageDebug("Zelto_export:: EXPGetModel failed #%s\n", ErrID_To_Name(result));
            throw GS::GeneralException("EXPGetModel failed", __FILE__, __LINE__, result);
        }
    }

    ModelerAPI::Model* Get() { return &model; }

private:
    std::unique_ptr<Modeler::IAttributeReader> attributeReader;
    ModelerAPI::Model model;
};

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

GS::UniString CommentText(Int32 item)
{
    GS::UniString text;
    RSGetIndString(&text, WRL::LocalizedCommentStringTable, item, ACAPI_GetOwnResModule(), 0);
    return text;
}

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
    const IO::Name defaultName(CommentText(WRL::C4DFileName));
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
    try {
        RunSaveAsExport(io, sight);
        return NoError;
    } catch (const WRL::Cancel&) {
        return APIERR_CANCEL;
    } catch (...) {
        LogCurrentException("Export failed");
        return APIERR_GENERAL;
    }
}

int MenuCommandHandler(const API_MenuParams* params)
{
    if (params == nullptr)
        return APIERR_GENERAL;
    LogMessageDebug("Zelto_export:: APIMenuCommand () %d/%d\n", params->menuItemRef.menuResID,
                    params->menuItemRef.itemIndex);
    switch (params->menuItemRef.itemIndex) {
        case DirectExportItem:
        case ForgetCinema4DItem:
        case UpdateCheckItem:
            // The direct export, forgetting the Cinema 4D location and the update check join here.
            return NoError;
        case ExportSettingsItem:
            return EditExportSettings();
        default:
            return NoError;
    }
}
