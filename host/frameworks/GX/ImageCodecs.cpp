#include "ImageCodecs.hpp"

#include <cmath>

#include "FileTypeRegistry.hpp"
#include "HostFailure.hpp"
#include "HostPictureTypes.hpp"
#include "JpegCodec.hpp"
#include "PngCodec.hpp"

namespace GXHost {

namespace {

bool HasSignature(FTM::TypeID type)
{
    const FTM::FileType* fileType = FileTypeRegistry::Instance().Find(type);
    return fileType != nullptr && fileType->GetContentChecker() != nullptr;
}

FTM::TypeID TypeOfExtension(const IO::Location& location)
{
    IO::Name name;
    if (location.GetLastLocalName(&name) != NoError || !name.HasExtension())
        return FTM::UnknownType;
    const FTM::TypeID type = FTM::FileTypeManager::SearchForExtension(name.GetExtension().ToCStr().Get());
    return type > FTM::UnknownType && !HasSignature(type) ? type : FTM::UnknownType;
}

bool IsSupportedPixelBits(short bits)
{
    return bits == 0 || bits == 24 || bits == 32;
}

int JpegQualityOf(const GX::ImageSaveOptions& options)
{
    return static_cast<int>(std::lround(options.GetQuality() / 100.0));
}

}  // namespace

FTM::TypeID TypeOfContent(const UInt8* bytes, USize length)
{
    const FTM::TypeID type = FTM::FileTypeManager::SearchForContent(bytes, length);
    return type > FTM::UnknownType ? type : FTM::UnknownType;
}

FTM::TypeID TypeOfFile(const UInt8* bytes, USize length, const IO::Location& location)
{
    const FTM::TypeID type = TypeOfContent(bytes, length);
    return type != FTM::UnknownType ? type : TypeOfExtension(location);
}

GSErrCode DecodePicture(FTM::TypeID type, const UInt8* bytes, USize length, std::unique_ptr<GSPixMap>* pixMap)
{
    const GSErrCode planned = HostFailure::Check("GX::Image::Decode");
    if (planned != NoError)
        return planned;
    if (type == FTM::UnknownType)
        type = TypeOfContent(bytes, length);
    switch (type) {
        case PngTypeId:
            return DecodePng(bytes, length, pixMap);
        case JpegTypeId:
            return DecodeJpeg(bytes, length, pixMap);
        default:
            return GX::NotSupportedErr;
    }
}

GSErrCode EncodePicture(FTM::TypeID type, const GSPixMap& pixMap, const GX::ImageSaveOptions& options,
                        std::vector<UInt8>* bytes)
{
    const GSErrCode planned = HostFailure::Check("GX::Image::Encode");
    if (planned != NoError)
        return planned;
    if (options.GetQuality() < 0 || options.GetQuality() > GX::ImageSaveOptions::MaxQuality)
        return GX::BadParameterErr;
    if (type != JpegTypeId || !IsSupportedPixelBits(options.GetPixelBits()))
        return GX::NotSupportedErr;
    return EncodeJpeg(pixMap, JpegQualityOf(options), bytes);
}

}  // namespace GXHost
