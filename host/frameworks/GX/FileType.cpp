#include "FileTypeManager.hpp"

#include "CH.hpp"

namespace FTM {

namespace {

bool ContainsIgnoringCase(const GS::Array<std::string>& texts, const char* text)
{
    if (text == nullptr)
        return false;
    for (const std::string& candidate : texts) {
        if (CHCompareTexts(candidate.c_str(), text, 1) == 0)
            return true;
    }
    return false;
}

const char* TextAt(const GS::Array<std::string>& texts, GS::UIndex index)
{
    return index < texts.GetSize() ? texts[index].c_str() : "";
}

}  // namespace

FileType::FileType(const char* description, const char* extension, UInt32 macType, UInt32 macCreator,
                   Int32 iconId, ContentChecker contentChecker, const char* mime, bool isBundle)
    : description(description != nullptr ? description : ""),
      macType(macType),
      macCreator(macCreator),
      iconId(iconId),
      contentChecker(contentChecker),
      isBundle(isBundle)
{
    AddExtension(extension);
    AddMime(mime);
}

void FileType::AddExtension(const char* extension)
{
    if (extension != nullptr && *extension != '\0')
        extensions.Push(extension);
}

void FileType::AddMime(const char* mime)
{
    if (mime != nullptr && *mime != '\0')
        mimes.Push(mime);
}

const char* FileType::GetExtension(GS::UIndex index) const
{
    return TextAt(extensions, index);
}

const char* FileType::GetMime(GS::UIndex index) const
{
    return TextAt(mimes, index);
}

bool FileType::HasExtension(const char* extension) const
{
    return ContainsIgnoringCase(extensions, extension);
}

bool FileType::HasMime(const char* mime) const
{
    return ContainsIgnoringCase(mimes, mime);
}

}  // namespace FTM
