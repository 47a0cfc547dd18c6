#include "ZELTO_export_DirectExport.hpp"

#include <cstring>

#include "ACAPinc.h"
#include "DatabaseWrappers.hpp"
#include "EnvironmentWrappers.hpp"
#include "ExceptionLog.hpp"
#include "ExportFailures.hpp"
#include "Folder.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"
#include "MAExporter.hpp"
#include "ZELTO_export_C4Dsearch.hpp"
#include "ZELTO_export_ExportRun.hpp"
#include "ZELTO_export_Resources.hpp"

namespace {

// Host values the direct export passes as they are.
constexpr API_WindowTypeID ThreeDWindow = 4;
constexpr API_SpecFolderID DirectExportFolder = 6;
constexpr Int32 DirectExportMethod = 0x00050001;
constexpr Int16 DirectExportIOMode = 1;
constexpr const char* ExportExtension = "Zelto";

GSErrCode GetCurrentWindowSight(GS::SharedPtr<Modeler::Sight>* sight)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Sight_GetCurrentWindowSight(sight);
#else
    return ACAPI_Environment(APISEL(Sight_GetCurrentWindowSight), sight);
#endif
}

// The 3D window current, and its sight.
GSErrCode Get3DSight(GS::SharedPtr<Modeler::Sight>* sight)
{
    API_WindowInfo window;
    std::memset(&window, 0, sizeof window);
    GSErrCode err = Database::GetCurrentWindow(&window);
    if (err != NoError) {
        ErrorBeep("Zelto_export:: Cannot get current window\n", err);
        return err;
    }
    if (window.typeID != ThreeDWindow) {
        LogMessageDebug("Zelto_export:: Switch to 3D\n");
        API_WindowInfo threeD;
        std::memset(&threeD, 0, sizeof threeD);
        threeD.typeID = ThreeDWindow;
        err = Database::ChangeCurrentWindow(&threeD);
        if (err != NoError) {
            ErrorBeep("Zelto_export:: Cannot switch to the 3D\n", err);
            return err;
        }
    }
    err = GetCurrentWindowSight(sight);
    if (err != NoError)
        ErrorBeep("Zelto_export:: Cannot get 3D sight\n", err);
    return err;
}

// The fixed folder, made when it is missing. The host's error is logged, not given back: the host
// hears its own errors only from the window and sight steps.
GSErrCode MakeExportFolder(IO::Location* folder)
{
    API_SpecFolderID folderId = DirectExportFolder;
    const GSErrCode err = Environment::GetSpecialFolder(&folderId, folder);
    if (err != NoError) {
        LogMessageDebug("Zelto_export:: Cannot get the special folder of the direct export #%s\n", ErrID_To_Name(err));
        return APIERR_GENERAL;
    }
    const IO::Name folderName(WRL::ReadResourceString(WRL::LocalizedCommentStringTable, WRL::FolderName));
    GSErrCode made = folder->AppendToLocal(folderName);
    if (made == NoError)
        made = IO::Folder(*folder, IO::Folder::Create).GetStatus();
    if (made != NoError) {
        LogMessageDebug("Zelto_export:: Cannot make the folder of the direct export #%s\n", ErrID_To_Name(made));
        return APIERR_GENERAL;
    }
    return NoError;
}

// The project's name with the extension "Zelto" in place of its own.
IO::Name ExportFileName(const IO::Name& projectName)
{
    IO::Name fileName = projectName;
    if (fileName.HasExtension())
        fileName.DeleteExtension();
    fileName.AppendExtension(ExportExtension);
    return fileName;
}

void RunDirectExport(ModelerAPI::Model* model, IO::Location target, IO::Name fileName, const IO::Name& projectName)
{
    API_IOParams io;
    std::memset(&io, 0, sizeof io);
    io.method = DirectExportMethod;
    io.fileLoc = &target;
    io.fileName = &fileName;
    io.saveFileIOMode = DirectExportIOMode;
    WRL::MAExporter exporter(model, &io, true, projectName);
    exporter.ExportDirect();
}

}  // namespace

int ExportToCinema4D()
{
    GS::SharedPtr<Modeler::Sight> sight;
    const GSErrCode sightResult = Get3DSight(&sight);
    if (sightResult != NoError)
        return sightResult;
    if (sight == nullptr) {
        LogMessageDebug("Zelto_export:: The 3D window has no sight\n");
        return APIERR_GENERAL;
    }
    try {
        FilledModel model(sight);
        IO::Location folder;
        const GSErrCode folderResult = MakeExportFolder(&folder);
        if (folderResult != NoError)
            return folderResult;
        IO::Name projectName;
        GetACFileName(projectName);
        const IO::Name fileName = ExportFileName(projectName);
        const IO::Location target(folder, fileName);
        if (target.IsEmpty()) {
            LogMessageDebug("Zelto_export:: No export file can be named after the project\n");
            return APIERR_GENERAL;
        }
        return RunExportForHost([&] { RunDirectExport(model.Get(), target, fileName, projectName); });
    } catch (const WRL::LoggedFailure&) {
        return APIERR_GENERAL;  // its line, with the cause, is in the log already
    } catch (...) {
        LogCurrentException("The direct export could not be prepared");
        return APIERR_GENERAL;
    }
}

int ForgetCinema4DLocation()
{
    try {
        WRL::MASearch search;
        return search.RemoveC4D() ? NoError : APIERR_GENERAL;
    } catch (...) {
        LogCurrentException("Forgetting the Cinema 4D location failed");
        return APIERR_GENERAL;
    }
}
