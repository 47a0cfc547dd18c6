#include "TextureList.hpp"

#include <cstring>
#include <limits>

#include "ExportText.hpp"
#include "GSException.hpp"
#include "UniString.hpp"
#include "ZELTO_export_Cancel.hpp"

namespace WRL {

namespace {

constexpr USize MaxNameBytes = TextureNameSize - 1;

std::string Suffix(Int32 dupNo)
{
    return dupNo > 0 ? "_" + std::to_string(dupNo) : std::string();
}

// Cuts a text in place to at most maxBytes at a character boundary.
void CutText(char* text, USize maxBytes)
{
    text[Utf8PrefixLength(text, std::strlen(text), maxBytes)] = '\0';
}

// uniqueName := baseName with the number's suffix, cut so that the embedded name fits a name field
// with the whole suffix kept. Only an extension that leaves no room for the suffix is shortened.
void ComposeUniqueName(TextureData& entry, Int32 dupNo)
{
    const std::string suffix = Suffix(dupNo);
    const USize roomForExtension = MaxNameBytes - 1 - suffix.size();  // the dot, the suffix
    CutText(entry.extension, roomForExtension);
    const USize roomForBase = roomForExtension - std::strlen(entry.extension);
    const USize baseBytes = Utf8PrefixLength(entry.baseName, std::strlen(entry.baseName), roomForBase);
    std::memcpy(entry.uniqueName, entry.baseName, baseBytes);
    std::memcpy(entry.uniqueName + baseBytes, suffix.c_str(), suffix.size() + 1);
}

}  // namespace

std::string TextureNameKey(const char* name)
{
    const GS::UniString text(name != nullptr ? name : "", CC_Default);
    return std::string(text.ToLowerCase().ToCStr(CC_UTF8).Get());
}

std::string EmbeddedName(const TextureData& texture)
{
    return std::string(texture.uniqueName) + "." + texture.extension;
}

const TextureData& TextureList::Add(Int32 index, const char* fileName, const char* baseName, const char* extension)
{
    TextureData entry;
    entry.index = index;
    CopyUtf8Cut(fileName, entry.fileName);
    CopyUtf8Cut(baseName, entry.baseName);
    CopyUtf8Cut(extension, entry.extension);

    const std::string baseKey = TextureNameKey(entry.baseName);
    Int32 dupNo = FirstDupNo(index, baseKey);
    std::string embeddedKey;
    for (;;) {
        if (dupNo > std::numeric_limits<Int16>::max())
            throw GS::GeneralException("Zelto_export:: too many embedded files of one name", __FILE__, __LINE__,
                                       CancelErrorCode);
        ComposeUniqueName(entry, dupNo);
        embeddedKey = TextureNameKey(EmbeddedName(entry).c_str());
        if (byEmbeddedName.count(embeddedKey) == 0)
            break;
        ++dupNo;
    }
    entry.dupNo = static_cast<Int16>(dupNo);

    const GS::UIndex position = entries.GetSize();
    entries.Push(entry);
    firstByModelIndex.emplace(index, position);  // an existing key keeps its first position
    firstByBaseName.emplace(baseKey, position);
    latestByBaseName[baseKey] = position;
    firstByFileName.emplace(TextureNameKey(entry.fileName), position);
    byEmbeddedName.emplace(embeddedKey, position);
    return entries.GetLast();
}

// A model texture continues the numbering of the latest file of its base name; a library file starts
// from its own name.
Int32 TextureList::FirstDupNo(Int32 index, const std::string& baseKey) const
{
    if (index < 0)
        return 0;
    const auto latest = latestByBaseName.find(baseKey);
    return latest == latestByBaseName.end() ? 0 : entries[latest->second].dupNo + 1;
}

const TextureData* TextureList::At(const PositionMap& map, const char* name) const
{
    const auto found = map.find(TextureNameKey(name));
    return found == map.end() ? nullptr : &entries[found->second];
}

const TextureData* TextureList::FirstWithModelIndex(Int32 index) const
{
    const auto found = firstByModelIndex.find(index);
    return found == firstByModelIndex.end() ? nullptr : &entries[found->second];
}

const TextureData* TextureList::FirstWithBaseName(const char* baseName) const
{
    return At(firstByBaseName, baseName);
}

const TextureData* TextureList::FirstWithFileName(const char* fileName) const
{
    return At(firstByFileName, fileName);
}

const TextureData* TextureList::FindNamedFile(const char* value) const
{
    const TextureData* byBase = FirstWithBaseName(value);
    return byBase != nullptr ? byBase : FirstWithFileName(value);
}

void TextureList::NoteSearchedName(const char* searchedName)
{
    if (entries.IsEmpty() || searchedName == nullptr || *searchedName == '\0')
        return;
    bySearchedName.emplace(TextureNameKey(searchedName), entries.GetSize() - 1);
}

const TextureData* TextureList::WithSearchedName(const char* searchedName) const
{
    return At(bySearchedName, searchedName);
}

}  // namespace WRL
