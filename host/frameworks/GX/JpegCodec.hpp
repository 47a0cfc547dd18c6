// JPEG pictures through libjpeg.
#ifndef GX_JPEGCODEC_HPP
#define GX_JPEGCODEC_HPP

#include <memory>
#include <vector>

#include "PixMapData.hpp"

namespace GXHost {

constexpr int JpegMinQuality = 1;
constexpr int JpegMaxQuality = 100;

// NoError with the decoded, opaque pixel map; GX::BadImageErr for bytes libjpeg cannot read,
// ErrMemoryFull when the pixel map cannot be made.
GSErrCode DecodeJpeg(const UInt8* bytes, USize length, std::unique_ptr<GSPixMap>* pixMap);

// Encodes the pixel map's colours (alpha is dropped) as a baseline JPEG of the given quality
// (libjpeg's scale, brought into 1..100) into bytes.
GSErrCode EncodeJpeg(const GSPixMap& pixMap, int quality, std::vector<UInt8>* bytes);

}  // namespace GXHost

#endif
