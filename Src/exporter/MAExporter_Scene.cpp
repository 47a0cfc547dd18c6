#include "MAExporter.hpp"

#include "LogHelpers.hpp"
#include "ZELTO_export_Cancel.hpp"
#include "ZELTO_export_Dialog.hpp"
#include "ZELTO_export_Parameters.hpp"

namespace WRL {

void MAExporter::ExportScene()
{
    if (!RunSettingsDialog())
        ThrowCancel();
    MainExporter();
}

// False when the user did not confirm. Confirmed settings are exported even when the preferences
// cannot keep them: the user asked for this export, and only the next one loses them.
bool MAExporter::RunSettingsDialog()
{
    MADialog dialog(parameters.get());
    if (!dialog.Confirm())
        return false;
    if (!parameters->SaveParameters())
        LogMessageError("Zelto_export:: The confirmed export settings could not all be stored; exporting with them\n");
    return true;
}

}  // namespace WRL
