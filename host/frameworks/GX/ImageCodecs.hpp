// The picture codecs by file type, with the failure points every decode and encode passes.
#ifndef GX_IMAGECODECS_HPP
#define GX_IMAGECODECS_HPP

#include <memory>
#include <vector>

#include "GXImage.hpp"
#include "PixMapData.hpp"

namespace GXHost {

// The type of picture bytes by their signature; UnknownType when none is recognised.
FTM::TypeID TypeOfContent(const UInt8* bytes, USize length);
// The type of a picture file: its bytes decide; the extension only names types that have no
// signature to recognise them by.
FTM::TypeID TypeOfFile(const UInt8* bytes, USize length, const IO::Location& location);

// Decodes bytes of the type (UnknownType: told from the bytes) into a pixel map.
GSErrCode DecodePicture(FTM::TypeID type, const UInt8* bytes, USize length, std::unique_ptr<GSPixMap>* pixMap);
// Encodes the pixel map as a picture of the type.
GSErrCode EncodePicture(FTM::TypeID type, const GSPixMap& pixMap, const GX::ImageSaveOptions& options,
                        std::vector<UInt8>* bytes);

}  // namespace GXHost

#endif
