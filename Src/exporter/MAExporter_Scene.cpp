#include "MAExporter.hpp"

#include "ZELTO_export_Cancel.hpp"
#include "ZELTO_export_Dialog.hpp"

namespace WRL {

void MAExporter::ExportScene()
{
    if (!RunSettingsDialog())
        ThrowCancel();
    MainExporter();
}

// False when the user did not confirm, or confirmed settings that could not all be stored.
bool MAExporter::RunSettingsDialog()
{
    MADialog dialog(parameters.get());
    return dialog.Savepanel();
}

}  // namespace WRL
