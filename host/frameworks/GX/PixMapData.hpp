// The host's pixel-map record and the framework's own ways to make and hand out pixel maps,
// without the failure points of the public calls.
#ifndef GX_PIXMAPDATA_HPP
#define GX_PIXMAPDATA_HPP

#include <memory>
#include <vector>

#include "GXPixMap.hpp"

struct GSPixMap {
    Int32 width = 0;
    Int32 height = 0;
    Int32 rowBytes = 0;
    Int32 hRes = 72;
    Int32 vRes = 72;
    std::vector<UInt8> bytes;  // rowBytes x height, laid out as GXPixMap.hpp says

    UInt8* Row(Int32 y) { return bytes.data() + std::size_t(y) * std::size_t(rowBytes); }
    const UInt8* Row(Int32 y) const { return bytes.data() + std::size_t(y) * std::size_t(rowBytes); }
};

namespace GXHost {

constexpr Int32 ScreenResolution = 72;

// An all-zero pixel map; null when the sizes are out of range or memory runs out.
std::unique_ptr<GSPixMap> MakePixMap(Int32 width, Int32 height, Int32 hRes = ScreenResolution,
                                     Int32 vRes = ScreenResolution);
// Hands the pixel map over as a handle that GXDeleteGSPixMap frees; null when memory runs out.
GSPixMap** ToHandle(std::unique_ptr<GSPixMap> pixMap);
// The pixel map behind a handle; null for a null handle.
GSPixMap* FromHandle(GSPixMap** handle);

}  // namespace GXHost

#endif
