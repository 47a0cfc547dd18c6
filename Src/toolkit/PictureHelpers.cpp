#include "PictureHelpers.hpp"

#include <algorithm>
#include <cstring>
#include <limits>

#include "APIdefs_Errors.h"
#include "BM.hpp"
#include "File.hpp"
#include "GXImage.hpp"
#include "LogHelpers.hpp"

namespace {

constexpr Int32 PictureHandleFlags = 2;
constexpr int MinTextureQuality = 1;
constexpr int MaxTextureQuality = 100;
constexpr Int32 EncoderQualityPerPercent = 100;  // the encoder takes hundredths of a percent
constexpr char JpegMime[] = "image/jpeg";

void LogPictureMessage(bool verbose, const char* message)
{
    if (verbose)
        LogMessageError("%s", message);
    else
        LogMessageDebug("%s", message);
}

// The name with extension in place of its own one, or added when it has none.
void SetNameExtension(IO::Name* name, const char* extension)
{
    if (name->HasExtension())
        name->DeleteExtension();
    name->AppendExtension(GS::UniString(extension != nullptr ? extension : ""));
}

GX::ImageSaveOptions JpegSaveOptions(int quality, short pixelBits)
{
    GX::ImageSaveOptions options;
    options.SetPixelBits(pixelBits);
    options.SetQuality(std::clamp(quality, MinTextureQuality, MaxTextureQuality) * EncoderQualityPerPercent);
    return options;
}

FTM::TypeID JpegFileType()
{
    const FTM::TypeID type = FTM::FileTypeManager::SearchForMime(JpegMime, nullptr);
    return type < 0 ? FTM::UnknownType : type;  // no such type: one that no encoder takes
}

}  // namespace

int ReadPictureFile(const IO::Location* location, char*** handle, const bool& verbose)
{
    if (location == nullptr || handle == nullptr)
        return APIERR_BADPARS;
    IO::File file(*location, IO::File::Fail);
    if (file.GetStatus() != NoError) {
        LogPictureMessage(verbose, "Error: Cannot find image file\n");
        return file.GetStatus();
    }
    GSErrCode result = file.Open(IO::File::ReadMode, IO::ReportAccessDenied);
    if (result != NoError)
        return result;
    UInt32 length = 0;
    result = file.GetDataLength(&length);
    if (result == NoError && length > UInt32(std::numeric_limits<Int32>::max()))
        result = IO::TooLongErr;  // more than a memory handle holds
    if (result != NoError) {
        file.Close();
        return result;
    }
    *handle = BMAllocateHandle(static_cast<Int32>(length), PictureHandleFlags, 0);
    result = BMError();
    if (result == NoError && *handle == nullptr)
        result = ErrMemoryFull;
    if (result == NoError)
        result = file.ReadBin(**handle, length);
    if (result != NoError) {
        LogPictureMessage(verbose, "Error: Cannot read image\n");
        file.Close();
        return result;
    }
    return file.Close();
}

int WritePictureFile(const IO::Location* location, char*** handle, const bool& verbose, const bool& setExtension,
                     const char* extension)
{
    if (location == nullptr || handle == nullptr || *handle == nullptr)
        return APIERR_BADPARS;
    IO::Location target(*location);
    if (setExtension) {
        IO::Name name;
        GSErrCode renamed = target.GetLastLocalName(&name);
        if (renamed == NoError) {
            SetNameExtension(&name, extension);
            renamed = target.SetLastLocalName(name);
        }
        if (renamed != NoError)  // never write under the old name instead
            return renamed;
    }
    IO::File file(target, IO::File::Create);
    if (file.GetStatus() != NoError) {
        LogPictureMessage(verbose, "Error: Image File status error\n");
        return file.GetStatus();
    }
    const GSErrCode opened = file.Open(IO::File::WriteEmptyMode, IO::ReportAccessDenied);
    if (opened != NoError)
        return opened;
    const GSErrCode written = file.WriteBin(**handle, static_cast<USize>(BMGetHandleSize(*handle)));
    const GSErrCode closed = file.Close();
    // A failed close may have lost written bytes, so it counts as well.
    return written != NoError ? written : closed;
}

bool CopyARGBPixelsToPixMap(const void* pixels, USize pixelCount, GSPixMap** pixMap, void* pixMapMemory)
{
    if (pixels == nullptr || pixMap == nullptr || pixMapMemory == nullptr)
        return false;
    const Int32 width = GXGetGSPixMapWidth(pixMap);
    const Int32 height = GXGetGSPixMapHeight(pixMap);
    const Int32 rowBytes = GXGetGSPixMapRowBytes(pixMap);
    const std::size_t sourceRowBytes = std::size_t(width) * GSPixMapBytesPerPixel;
    if (width <= 0 || height <= 0 || std::size_t(rowBytes) < sourceRowBytes ||
        pixelCount != USize(width) * USize(height))
        return false;
    const auto* source = static_cast<const char*>(pixels);
    auto* target = static_cast<char*>(pixMapMemory);
    for (Int32 row = 0; row < height; ++row)
        std::memcpy(target + std::size_t(row) * rowBytes, source + std::size_t(row) * sourceRowBytes, sourceRowBytes);
    return true;
}

int ConvertPixMapToJpegHandle(GSPixMap** const& pixMap, API_PictureHandle& picture, const int& quality,
                              short pixelBits)
{
    picture = API_PictureHandle{};
    picture.storageFormat = APIPictForm_Bitmap;
    return GX::ImageBase::ConvertFromPixMap(pixMap, JpegFileType(), picture.pictHdl,
                                            JpegSaveOptions(quality, pixelBits));
}

int WritePixmapToJpegFile(GSPixMap** const& pixMap, const IO::Location& location, const int& quality,
                          short pixelBits)
{
    const GX::Image image(pixMap);
    return image.WriteToFile(location, JpegFileType(), JpegSaveOptions(quality, pixelBits));
}
