#include "ZELTO_export_ExportRun.hpp"

#include <cstring>

#include "EnvironmentWrappers.hpp"
#include "ExceptionLog.hpp"
#include "Exp.hpp"
#include "ExportFailures.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"
#include "ZELTO_export_Cancel.hpp"
#include "ZELTO_export_Resources.hpp"

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

namespace {

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
