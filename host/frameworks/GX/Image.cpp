#include "GXImage.hpp"

#include <new>

#include "BM.hpp"
#include "HostFailure.hpp"
#include "ImageCodecs.hpp"
#include "PictureFiles.hpp"

namespace GX {

Image::Image(const IO::Location& location)
{
    std::vector<UInt8> bytes;
    status = GXHost::ReadWholeFile(location, &bytes);
    if (status != NoError)
        return;
    typeId = GXHost::TypeOfFile(bytes.data(), static_cast<USize>(bytes.size()), location);
    std::unique_ptr<GSPixMap> decoded;
    status = GXHost::DecodePicture(typeId, bytes.data(), static_cast<USize>(bytes.size()), &decoded);
    if (status == NoError)
        pixels = std::move(decoded);
}

Image::Image(GSPixMap** pixMap)
{
    const GSPixMap* source = GXHost::FromHandle(pixMap);
    if (source == nullptr) {
        status = BadParameterErr;
        return;
    }
    try {
        pixels = std::make_unique<GSPixMap>(*source);
        status = NoError;
    } catch (const std::bad_alloc&) {
        status = ErrMemoryFull;
    }
}

Image::~Image() = default;

GSErrCode Image::WriteToFile(const IO::Location& location, FTM::TypeID type, const ImageSaveOptions& options) const
{
    const GSErrCode planned = HostFailure::Check("GX::Image::WriteToFile");
    if (planned != NoError)
        return planned;
    if (pixels == nullptr)
        return status != NoError ? status : BadParameterErr;
    std::vector<UInt8> bytes;
    const GSErrCode result = GXHost::EncodePicture(type, *pixels, options, &bytes);
    if (result != NoError)
        return result;
    return GXHost::WriteWholeFile(location, bytes);
}

}  // namespace GX
