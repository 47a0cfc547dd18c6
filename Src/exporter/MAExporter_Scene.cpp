#include "MAExporter.hpp"

#include "ZELTO_export_Cancel.hpp"

namespace WRL {

void MAExporter::ExportScene()
{
    if (!RunSettingsDialog())
        ThrowCancel();
    MainExporter();
}

// The export runs with the settings as the preferences hold them.
bool MAExporter::RunSettingsDialog()
{
    return true;
}

}  // namespace WRL
