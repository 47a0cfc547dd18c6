// The menu's export to Cinema 4D: the application first, then the export, then Cinema 4D started on
// the closed file, the notices and the importer plug-in check.
#include "MAExporter.hpp"

#include "CString.hpp"
#include "GSException.hpp"
#include "LogHelpers.hpp"
#include "MAWriter.hpp"
#include "ZELTO_export_C4Dlaunch.hpp"
#include "ZELTO_export_C4Dplugin.hpp"
#include "ZELTO_export_C4Dsearch.hpp"
#include "ZELTO_export_Cancel.hpp"
#include "ZELTO_export_Notices.hpp"
#include "ZELTO_export_Resources.hpp"

namespace WRL {

void MAExporter::ExportDirect()
{
    if (!search->SearchC4D())
        ThrowCancel();
    MainExporter();

    // A path that cannot be converted stays without text, and such a path is never launched.
    IO::CString<256u> filePath;
    if (ioParams.fileLoc == nullptr || ioParams.fileLoc->ToPath(&filePath) != NoError)
        LogMessageDebug("Zelto_export:: Error: Cannot convert file name.\n");
    IO::CString<256u> applicationPath;
    if (search->GetC4DLocation().ToPath(&applicationPath) != NoError)
        LogMessageDebug("ZELTO_export:: Error: Cannot get Cinema 4D exe name.\n");

    writer.reset();  // the file is complete and closed before Cinema 4D opens it
    const bool started = StartC4DProcess(filePath, applicationPath);
    if (started)
        MAFinishDlg().FinishPanel();
    else
        ShowLaunchFailure();
    if (!FindC4Dplugin(applicationPath))
        MADirectDlg().DirectPanel();
    // The export file stays: only the hand-off failed.
    if (!started)
        throw GS::GeneralException("Zelto_export:: Cinema 4D could not be started", __FILE__, __LINE__,
                                   CancelErrorCode);
}

void MAExporter::ShowLaunchFailure() const
{
    DGAlertError(resource->comments[static_cast<GS::UIndex>(DialogTitle)],
                 resource->errors[static_cast<GS::UIndex>(ErrorC4d)]);
}

}  // namespace WRL
