// The writer's list of embedded files: one TextureData entry per texture record, in write order,
// never reordered. Every record that names an embedded file uses the entry's embedded name,
// uniqueName "." extension (EmbeddedName), so the file can be found again in the export.
//
// Names are compared without regard to letter case, as the host's CHCompareTexts in case mode 1
// does. Each lookup answers the FIRST entry in list order that matches, as a scan from the front
// would, but with one hash probe; null means that no such file is in the export. Entry pointers stay
// valid until the next Add.
#ifndef EXPORTER_TEXTURELIST_HPP
#define EXPORTER_TEXTURELIST_HPP

#include <string>
#include <unordered_map>

#include "Array.hpp"
#include "Definitions.hpp"

namespace WRL {

// Every name field holds at most this many bytes, the NUL included.
constexpr USize TextureNameSize = 256;

// The index of an entry that is not a model texture: a library file named by a material's or a
// light's extra parameter.
constexpr Int32 LibraryFileTextureIndex = -1;

struct TextureData {
    Int32 index = LibraryFileTextureIndex;  // the model texture index (1-based), or LibraryFileTextureIndex
    Int16 dupNo = 0;                        // 0, or the number that makes uniqueName unique
    char fileName[TextureNameSize] = {};    // the file name that was asked for
    char baseName[TextureNameSize] = {};    // fileName without its extension
    char extension[TextureNameSize] = {};   // without the dot; empty when there is none
    char uniqueName[TextureNameSize] = {};  // baseName, or baseName "_" dupNo when dupNo > 0
};

// The name under which the file stands in the export: uniqueName "." extension (the dot also when
// the extension is empty). It always fits a name field.
std::string EmbeddedName(const TextureData& texture);

// The key under which names are compared: equal for every two names that CHCompareTexts in case
// mode 1 calls equal.
std::string TextureNameKey(const char* name);

class TextureList {
public:
    // Gives a new file its unique name and appends its entry. baseName and extension are the parts of
    // fileName; each text is cut to a name field at a character boundary.
    //
    // Model textures (index >= 0) of a base name already in the list take the latest such entry's
    // dupNo + 1, so Brick, Brick and Brick become Brick, Brick_1 and Brick_2; library files start
    // from 0. Should the embedded name still be taken by an earlier entry, the number keeps rising
    // until it is free, so no two entries ever share an embedded name. A base name that has to be
    // cut to make room keeps its number.
    const TextureData& Add(Int32 index, const char* fileName, const char* baseName, const char* extension);

    USize GetSize() const { return entries.GetSize(); }
    bool IsEmpty() const { return entries.IsEmpty(); }
    const TextureData& operator[](GS::UIndex position) const { return entries[position]; }

    // Whether some entry has this base name.
    bool HasBaseName(const char* baseName) const { return FirstWithBaseName(baseName) != nullptr; }

    // The first entry of the model texture index; null when that texture has no record.
    const TextureData* FirstWithModelIndex(Int32 index) const;
    const TextureData* FirstWithBaseName(const char* baseName) const;
    const TextureData* FirstWithFileName(const char* fileName) const;

    // The file that a text parameter's value names: the first entry whose base name is the value,
    // else the first whose file name is; null when the export holds no such file.
    const TextureData* FindNamedFile(const char* value) const;

    // Notes the name that the library was searched with for the entry added last. The library finds
    // a file by its document name too, which need not look like its file name ("Evening sky" for
    // sky.jpg); a parameter value of that name must still lead to the file. A name noted before
    // keeps its first entry; with no entry nothing is noted.
    void NoteSearchedName(const char* searchedName);
    // The entry found by a library search with this name; null when none was noted.
    const TextureData* WithSearchedName(const char* searchedName) const;

private:
    using PositionMap = std::unordered_map<std::string, GS::UIndex>;

    const TextureData* At(const PositionMap& map, const char* name) const;
    Int32 FirstDupNo(Int32 index, const std::string& baseKey) const;

    GS::Array<TextureData> entries;
    std::unordered_map<Int32, GS::UIndex> firstByModelIndex;
    PositionMap firstByBaseName;   // keys: names in one letter case
    PositionMap latestByBaseName;
    PositionMap firstByFileName;
    PositionMap byEmbeddedName;
    PositionMap bySearchedName;
};

}  // namespace WRL

#endif
