#include "MimeTable.hpp"

#include "CH.hpp"
#include "UniString.hpp"

const char* const pictFormat_STR[pictFormatCount + 1] = {
    "image/unkown",         // 0
    "image/x-bmp",          // 1
    "image/gif",            // 2
    "image/tiff",           // 3
    "image/jpeg",           // 4
    "image/jpg",            // 5
    "image/jpe",            // 6
    "image/pict",           // 7
    "image/x-sgi",          // 8
    "image/x-photoshop",    // 9
    "image/png",            // 10
    "image/x-macpaint",     // 11
    "image/x-targa",        // 12
    "image/x-quicktime",    // 13
    "image/hdri",           // 14
    "image/ies",            // 15
    nullptr,
};

bool IsValidTextureMime(const FTM::FileType& type, int* index)
{
    const GS::USize mimeCount = type.CountMimeTypes();
    // The table's order decides, so a type with several known MIME texts gets the lowest position.
    for (int position = 0; position < pictFormatCount; ++position) {
        for (GS::UIndex mime = 0; mime < mimeCount; ++mime) {
            if (CHCompareTexts(type.GetMime(mime), pictFormat_STR[position], GS::CaseInsensitive) == 0) {
                if (index != nullptr)
                    *index = position;
                return true;
            }
        }
    }
    return false;
}
