#include "HostPictureTypes.hpp"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace GXHost {

namespace {

bool StartsWith(const unsigned char* bytes, USize length, const char* signature, USize signatureLength,
                USize offset = 0)
{
    return bytes != nullptr && length >= offset + signatureLength &&
           std::memcmp(bytes + offset, signature, signatureLength) == 0;
}

bool IsPng(const unsigned char* bytes, USize length)
{
    return StartsWith(bytes, length, "\x89PNG\r\n\x1a\n", 8);
}

bool IsJpeg(const unsigned char* bytes, USize length)
{
    return StartsWith(bytes, length, "\xff\xd8\xff", 3);
}

bool IsGif(const unsigned char* bytes, USize length)
{
    return StartsWith(bytes, length, "GIF87a", 6) || StartsWith(bytes, length, "GIF89a", 6);
}

bool IsTiff(const unsigned char* bytes, USize length)
{
    return StartsWith(bytes, length, "II*\0", 4) || StartsWith(bytes, length, "MM\0*", 4);
}

bool IsBmp(const unsigned char* bytes, USize length)
{
    // "BM" alone is too common a start: the reserved bytes of the file header are zero, and the
    // information header behind it has one of the known sizes.
    if (!StartsWith(bytes, length, "BM", 2) || length < 18 || !StartsWith(bytes, length, "\0\0\0\0", 4, 6))
        return false;
    const UInt32 infoSize = UInt32(bytes[14]) | UInt32(bytes[15]) << 8 | UInt32(bytes[16]) << 16 | UInt32(bytes[17]) << 24;
    const UInt32 knownSizes[] = {12, 40, 52, 56, 64, 108, 124};
    return std::find(std::begin(knownSizes), std::end(knownSizes), infoSize) != std::end(knownSizes);
}

bool IsPhotoshop(const unsigned char* bytes, USize length)
{
    return StartsWith(bytes, length, "8BPS", 4);
}

bool IsSgi(const unsigned char* bytes, USize length)
{
    return StartsWith(bytes, length, "\x01\xda", 2);
}

bool IsQuickTimeImage(const unsigned char* bytes, USize length)
{
    return StartsWith(bytes, length, "idsc", 4, 4) || StartsWith(bytes, length, "idat", 4, 4);
}

bool IsWebP(const unsigned char* bytes, USize length)
{
    return StartsWith(bytes, length, "RIFF", 4) && StartsWith(bytes, length, "WEBP", 4, 8);
}

FTM::FileType Picture(const char* description, const char* extension, const char (&macType)[5],
                      FTM::ContentChecker checker, const char* mime)
{
    return FTM::FileType(description, extension, FTM::FourCharCode(macType), 0, 0, checker, mime, false);
}

}  // namespace

GS::Array<FTM::FileType> HostPictureTypes()
{
    FTM::FileType png = Picture("PNG picture", "png", "PNGf", IsPng, "image/png");
    FTM::FileType jpeg = Picture("JPEG picture", "jpg", "JPEG", IsJpeg, "image/jpeg");
    jpeg.AddExtension("jpeg");
    jpeg.AddExtension("jpe");
    jpeg.AddMime("image/jpg");
    FTM::FileType gif = Picture("GIF picture", "gif", "GIFf", IsGif, "image/gif");
    FTM::FileType tiff = Picture("TIFF picture", "tif", "TIFF", IsTiff, "image/tiff");
    tiff.AddExtension("tiff");
    FTM::FileType bmp = Picture("Windows bitmap", "bmp", "BMPf", IsBmp, "image/x-bmp");
    bmp.AddMime("image/bmp");
    FTM::FileType psd = Picture("Photoshop picture", "psd", "8BPS", IsPhotoshop, "image/x-photoshop");
    FTM::FileType sgi = Picture("SGI picture", "sgi", ".SGI", IsSgi, "image/x-sgi");
    sgi.AddExtension("rgb");
    FTM::FileType pict = Picture("PICT picture", "pct", "PICT", nullptr, "image/pict");
    pict.AddExtension("pict");
    FTM::FileType macPaint = Picture("MacPaint picture", "pntg", "PNTG", nullptr, "image/x-macpaint");
    macPaint.AddExtension("mac");
    FTM::FileType targa = Picture("Targa picture", "tga", "TPIC", nullptr, "image/x-targa");
    FTM::FileType quickTime = Picture("QuickTime image", "qtif", "qtif", IsQuickTimeImage, "image/x-quicktime");
    quickTime.AddExtension("qti");
    FTM::FileType webp = Picture("WebP picture", "webp", "WEBP", IsWebP, "image/webp");
    return {png, jpeg, gif, tiff, bmp, psd, sgi, pict, macPaint, targa, quickTime, webp};
}

}  // namespace GXHost
