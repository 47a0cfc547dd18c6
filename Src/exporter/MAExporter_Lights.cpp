#include "MAExporter.hpp"

namespace WRL {

// No light, camera-set or camera records are written: the passes write nothing and open no phase.
Int32 MAExporter::CountLightPhases() const
{
    return 0;
}

Int32 MAExporter::CountCameraPhases() const
{
    return 0;
}

void MAExporter::ExportLights() {}

void MAExporter::ExportCameraSets() {}

void MAExporter::ExportCameras() {}

}  // namespace WRL
