// The host's pictures (GXImage): decoding picture files and memory into pixel maps, and encoding
// pixel maps into files and memory.
//
// Codecs: PNG and JPEG decode (libpng, libjpeg); JPEG encodes. The other picture types of the
// file-type registry are recognised but answer GX::NotSupportedErr. A picture's type is told from
// its own bytes (its signature); only types without a signature are told by the file's extension.
// Decoded pixels follow the pixel-map layout of GXPixMap.hpp; a JPEG decodes opaque (alpha 255).
// JPEG encoding ignores alpha.
//
// Failure points (HostFailure): "GX::Image::Decode" (every decode: an Image from a file,
// ImageBase::ConvertToPixMap), "GX::Image::Encode" (every encode: ImageBase::ConvertFromPixMap,
// Image::WriteToFile), "GX::Image::WriteToFile" (before anything else of that call). Files are read
// and written through IO::File, so its failure points apply as well.
#ifndef GX_GXIMAGE_HPP
#define GX_GXIMAGE_HPP

#include <memory>

#include "FileTypeManager.hpp"
#include "GXDefinitions.hpp"
#include "GXPixMap.hpp"
#include "Location.hpp"

namespace GX {

class GX_DLL_EXPORT ImageSaveOptions {
public:
    // Quality in hundredths of a percent: 0..10000; encoders refuse other values
    // (GX::BadParameterErr). The JPEG encoder uses quality / 100, rounded, and at least 1.
    static constexpr Int32 MaxQuality = 10000;
    static constexpr Int32 DefaultQuality = 7500;

    // Bits a pixel of the written picture: 0 (the type's default), 24 or 32; JPEG writes 24 either way.
    void SetPixelBits(short bits) { pixelBits = bits; }
    short GetPixelBits() const { return pixelBits; }
    void SetQuality(Int32 value) { quality = value; }
    Int32 GetQuality() const { return quality; }

private:
    short pixelBits = 0;
    Int32 quality = DefaultQuality;
};

// Conversions between picture bytes and pixel maps, and what every picture holds.
class GX_DLL_EXPORT ImageBase {
public:
    // Decodes the picture in the handle into a new pixel map stored through pixMap, which must be
    // null on entry (a pixel map of the caller is never overwritten). type UnknownType: told from
    // the bytes. format: a GSPixMapFormat. NoError, or the reason; pixMap stays null on failure.
    static GSErrCode ConvertToPixMap(GSConstHandle data, GSPixMap**& pixMap, FTM::TypeID type, Int32 format);
    // Encodes the pixel map as a picture of the type into the handle: a null handle gets a new one,
    // an existing one is resized. The caller frees it (BMKillHandle). On failure the handle stays as
    // it was.
    static GSErrCode ConvertFromPixMap(GSPixMap** pixMap, FTM::TypeID type, GSHandle& data,
                                       const ImageSaveOptions& options);

    ImageBase(const ImageBase&) = delete;
    ImageBase& operator=(const ImageBase&) = delete;
    virtual ~ImageBase();

    // NoError when the picture holds pixels, else why it does not.
    GSErrCode GetStatus() const { return status; }
    bool IsEmpty() const { return pixels == nullptr; }
    // In pixels (inPoints false) or in points at the picture's resolution (72 per inch for files,
    // the pixel map's own resolution otherwise); 0 for an empty picture.
    Int32 GetWidth(bool inPoints) const;
    Int32 GetHeight(bool inPoints) const;

protected:
    ImageBase();

    std::unique_ptr<GSPixMap> pixels;
    GSErrCode status = BadParameterErr;
};

class GX_DLL_EXPORT Image : public ImageBase {
public:
    // Reads and decodes the file. The type is known (GetTypeID) even when the pixels are not
    // (a type without a decoder, a damaged file).
    explicit Image(const IO::Location& location);
    // A copy of the pixel map's pixels; a null handle gives an empty picture (BadParameterErr).
    explicit Image(GSPixMap** pixMap);
    ~Image() override;

    // The file's type, UnknownType for a picture made from a pixel map or a file of no known type.
    FTM::TypeID GetTypeID() const { return typeId; }

    // Encodes the pixels as the type and writes them into the file (created or emptied).
    GSErrCode WriteToFile(const IO::Location& location, FTM::TypeID type, const ImageSaveOptions& options) const;

private:
    FTM::TypeID typeId = FTM::UnknownType;
};

}  // namespace GX

#endif
