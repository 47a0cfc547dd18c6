// The MIME texts of embedded pictures and files. A position in pictFormat_STR is the image-format
// number that a texture record carries.
#ifndef TOOLKIT_MIMETABLE_HPP
#define TOOLKIT_MIMETABLE_HPP

#include "FileTypeManager.hpp"

constexpr int pictFormatCount = 16;

// The 16 MIME texts, then a null entry that ends the table.
extern const char* const pictFormat_STR[pictFormatCount + 1];

// The positions the export names by themselves.
enum PictFormatIndex : int {
    pictFormat_Unknown = 0,  // a library file of any other kind
    pictFormat_Jpeg = 4,
    pictFormat_Png = 10,
    pictFormat_Hdri = 14,
    pictFormat_Ies = 15
};

// True when one of the file type's MIME texts is in the table (letter case does not count); the
// lowest such table position is stored through index (when index is not null). False leaves
// index as it was.
bool IsValidTextureMime(const FTM::FileType& type, int* index);

#endif
