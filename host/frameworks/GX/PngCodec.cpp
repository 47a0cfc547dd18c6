#include "PngCodec.hpp"

#include <cstring>

#include <png.h>

#include "BM.hpp"

namespace GXHost {

namespace {

// A side the pixel map refuses (0) when it is beyond what a pixel map takes.
Int32 SideOf(png_uint_32 pixels)
{
    return pixels <= static_cast<png_uint_32>(GSPixMapMaxSide) ? static_cast<Int32>(pixels) : 0;
}

}  // namespace

// The simplified reader writes rows at any stride and in exactly the pixel map's byte order
// (A, R, G, B), so it decodes straight into the pixel map.
GSErrCode DecodePng(const UInt8* bytes, USize length, std::unique_ptr<GSPixMap>* pixMap)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, bytes, length) == 0)
        return GX::BadImageErr;
    image.format = PNG_FORMAT_ARGB;
    std::unique_ptr<GSPixMap> decoded = MakePixMap(SideOf(image.width), SideOf(image.height));
    if (decoded == nullptr) {  // too large a picture, or no memory for it
        png_image_free(&image);
        return ErrMemoryFull;
    }
    if (png_image_finish_read(&image, nullptr, decoded->bytes.data(), decoded->rowBytes, nullptr) == 0) {
        png_image_free(&image);
        return GX::BadImageErr;
    }
    *pixMap = std::move(decoded);
    return NoError;
}

}  // namespace GXHost
