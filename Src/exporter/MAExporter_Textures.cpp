#include "MAExporter.hpp"

namespace WRL {

// No texture records are written: the pass writes nothing and opens no phase.
Int32 MAExporter::CountTexturePhases() const
{
    return 0;
}

void MAExporter::CreateTextures() {}

}  // namespace WRL
