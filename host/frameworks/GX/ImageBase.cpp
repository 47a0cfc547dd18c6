#include "GXImage.hpp"

#include <cmath>
#include <cstring>
#include <limits>

#include "BM.hpp"
#include "ImageCodecs.hpp"

namespace GX {

namespace {

bool IsKnownFormat(Int32 format)
{
    return format == GSPixMapDefaultFormat || format == GSPixMapARGB32;
}

// Puts the bytes into the caller's handle: a new one when it is null, else the same one resized.
GSErrCode StoreInHandle(const std::vector<UInt8>& bytes, GSHandle& data)
{
    if (bytes.size() > std::size_t(std::numeric_limits<Int32>::max()))
        return ErrMemoryFull;
    const Int32 size = static_cast<Int32>(bytes.size());
    GSHandle stored = data == nullptr ? BMAllocateHandle(size, 0, 0) : BMReallocHandle(data, size, 0, 0);
    if (stored == nullptr)
        return ErrMemoryFull;
    if (size > 0)
        std::memcpy(*stored, bytes.data(), bytes.size());
    data = stored;
    return NoError;
}

Int32 InPoints(Int32 pixels, Int32 resolution)
{
    return static_cast<Int32>(std::lround(double(pixels) * GXHost::ScreenResolution / resolution));
}

}  // namespace

ImageBase::ImageBase() = default;

ImageBase::~ImageBase() = default;

GSErrCode ImageBase::ConvertToPixMap(GSConstHandle data, GSPixMap**& pixMap, FTM::TypeID type, Int32 format)
{
    if (data == nullptr || *data == nullptr || pixMap != nullptr)
        return BadParameterErr;
    if (!IsKnownFormat(format))
        return NotSupportedErr;
    const auto* bytes = reinterpret_cast<const UInt8*>(*data);
    std::unique_ptr<GSPixMap> decoded;
    const GSErrCode result = GXHost::DecodePicture(type, bytes, static_cast<USize>(BMGetHandleSize(data)), &decoded);
    if (result != NoError)
        return result;
    pixMap = GXHost::ToHandle(std::move(decoded));
    return pixMap != nullptr ? NoError : ErrMemoryFull;
}

GSErrCode ImageBase::ConvertFromPixMap(GSPixMap** pixMap, FTM::TypeID type, GSHandle& data,
                                       const ImageSaveOptions& options)
{
    const GSPixMap* source = GXHost::FromHandle(pixMap);
    if (source == nullptr)
        return BadParameterErr;
    std::vector<UInt8> bytes;
    const GSErrCode result = GXHost::EncodePicture(type, *source, options, &bytes);
    if (result != NoError)
        return result;
    return StoreInHandle(bytes, data);
}

Int32 ImageBase::GetWidth(bool inPoints) const
{
    if (pixels == nullptr)
        return 0;
    return inPoints ? InPoints(pixels->width, pixels->hRes) : pixels->width;
}

Int32 ImageBase::GetHeight(bool inPoints) const
{
    if (pixels == nullptr)
        return 0;
    return inPoints ? InPoints(pixels->height, pixels->vRes) : pixels->height;
}

}  // namespace GX
