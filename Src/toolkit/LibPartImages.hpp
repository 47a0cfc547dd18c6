// Pictures in the library part that the host is building: picture sections whose data is the
// picture's MIME text with its NUL followed by the file's bytes, and the library part's preview
// picture. Call them only while the host has a library part open for writing.
#ifndef TOOLKIT_LIBPARTIMAGES_HPP
#define TOOLKIT_LIBPARTIMAGES_HPP

#include "ACAPinc.h"
#include "Location.hpp"
#include "UniString.hpp"

// Section types of the host, four-character codes.
constexpr unsigned int GdlPictureSection = 0x47444C50;      // GDLP
constexpr unsigned int PreviewPictureSection = 0x47494646;  // GIFF

// The picture's first MIME text; empty when its type has none.
GS::UniString GetImageMime(const IO::Location& file);

// Writes one picture section (the low 16 bits of subIdent). True only when the host took the whole
// section. A section that the host refuses to start gets nothing more; once started it is ended in
// every case. When the file cannot be read whole no data is written.
bool AddImage(const int& subIdent, const unsigned int& sectionType, const IO::Location& file);

// A GDL picture section from the file "rfs"/fileName beside the add-on. 0, the error of finding the
// add-on's own location, or APIERR_GENERAL.
GSErrCode AddGdlImage(const int& subIdent, const char* fileName);
// The same from folder/fileName. 0 or APIERR_GENERAL.
GSErrCode AddGdlImage(const int& subIdent, const char* fileName, const IO::Location& folder);

// The preview picture of the library part; its MIME text is cut to 15 characters. 0 or APIERR_GENERAL.
GSErrCode SetPreviewPicture(const IO::Location& file);

#endif
