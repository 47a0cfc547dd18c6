// PNG pictures through libpng's simplified interface.
#ifndef GX_PNGCODEC_HPP
#define GX_PNGCODEC_HPP

#include <memory>

#include "PixMapData.hpp"

namespace GXHost {

// NoError with the decoded pixel map, GX::BadImageErr for bytes libpng cannot read, ErrMemoryFull
// when the pixel map cannot be made.
GSErrCode DecodePng(const UInt8* bytes, USize length, std::unique_ptr<GSPixMap>* pixMap);

}  // namespace GXHost

#endif
