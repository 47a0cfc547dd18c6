// The picture types the registry starts with, and the identifiers the codecs know them by.
#ifndef GX_HOSTPICTURETYPES_HPP
#define GX_HOSTPICTURETYPES_HPP

#include "FileTypeManager.hpp"

namespace GXHost {

// HostPictureTypes() lists these first, so the registry gives them these identifiers.
constexpr FTM::TypeID PngTypeId = 1;
constexpr FTM::TypeID JpegTypeId = 2;

// In identifier order from 1.
GS::Array<FTM::FileType> HostPictureTypes();

}  // namespace GXHost

#endif
