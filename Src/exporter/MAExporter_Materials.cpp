#include "MAExporter.hpp"

namespace WRL {

// The shader sections are not written: the passes write nothing and open no phase, and polygon
// records carry the model material number - 1.
Int32 MAExporter::CountMaterialPhases() const
{
    return 0;
}

void MAExporter::ExportMaterialsRgb() {}

void MAExporter::ExportMaterialsInternal() {}

void MAExporter::ExportMaterialsCinema4D() {}

}  // namespace WRL
