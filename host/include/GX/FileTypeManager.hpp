// The host's file-type registry (FTM): every file type the host knows, with its description,
// extensions, Mac type and creator, MIME texts and an optional content checker that recognises the
// type from a file's first bytes.
//
// The registry is one for the whole process. It starts with the host's picture types (PNG, JPEG,
// GIF, TIFF, BMP, Photoshop, SGI, PICT, MacPaint, Targa, QuickTime image, WebP). A
// FileTypeManager is a named owner that adds types of its own; they leave the registry when it is
// destroyed (their identifiers are never given again).
//
// Failure points (HostFailure): "FTM::FileTypeManager::AddType" (answers UnknownType),
// "FTM::FileTypeManager::GetType" (answers the planned code), "FTM::FileTypeManager::SearchForMime"
// (answers NoType).
#ifndef GX_FILETYPEMANAGER_HPP
#define GX_FILETYPEMANAGER_HPP

#include <string>

#include "Array.hpp"
#include "GXDefinitions.hpp"

namespace FTM {

using TypeID = Int32;
using GroupID = Int32;

constexpr TypeID UnknownType = 0;  // no type, or one that could not be told
constexpr TypeID NoType = -1;      // the answer of a search that found nothing
constexpr GroupID RootGroup = 0;

// On this host, as on macOS, applications are bundles without a registered executable type, so
// this is UnknownType and callers register a type of their own.
GX_DLL_EXPORT extern const TypeID EXEFileType;

constexpr GSErrCode TypeNotFoundErr = -5211;  // no type with that identifier
constexpr GSErrCode BadParameterErr = -5212;  // a null result pointer or text

// True when the bytes (the start of a file, length of them) are of the checker's type.
using ContentChecker = bool (*)(const unsigned char* bytes, USize length);

class GX_DLL_EXPORT FileType {
public:
    FileType() = default;
    // mime null: no MIME text. isBundle: entries of the type are folders shown as one item
    // (application bundles).
    FileType(const char* description, const char* extension, UInt32 macType, UInt32 macCreator, Int32 iconId,
             ContentChecker contentChecker = nullptr, const char* mime = nullptr, bool isBundle = false);

    void AddExtension(const char* extension);
    void AddMime(const char* mime);

    const char* GetDescription() const { return description.c_str(); }
    GS::USize CountExtensions() const { return extensions.GetSize(); }
    // The texts stay valid as long as the file type; an index out of range gives "".
    const char* GetExtension(GS::UIndex index) const;
    GS::USize CountMimeTypes() const { return mimes.GetSize(); }
    const char* GetMime(GS::UIndex index) const;
    // Letter case does not count, as in the file system's extensions and in MIME texts.
    bool HasExtension(const char* extension) const;
    bool HasMime(const char* mime) const;

    UInt32 GetMacType() const { return macType; }
    UInt32 GetMacCreator() const { return macCreator; }
    Int32 GetIconId() const { return iconId; }
    ContentChecker GetContentChecker() const { return contentChecker; }
    bool IsBundle() const { return isBundle; }

private:
    std::string description;
    GS::Array<std::string> extensions;
    GS::Array<std::string> mimes;
    UInt32 macType = 0;
    UInt32 macCreator = 0;
    Int32 iconId = 0;
    ContentChecker contentChecker = nullptr;
    bool isBundle = false;
};

class GX_DLL_EXPORT FileTypeManager {
public:
    explicit FileTypeManager(const char* name);
    ~FileTypeManager();  // removes the types this manager added
    FileTypeManager(const FileTypeManager&) = delete;
    FileTypeManager& operator=(const FileTypeManager&) = delete;

    const char* GetName() const { return name.c_str(); }

    // The new type's identifier, or UnknownType when it cannot be added.
    TypeID AddType(const FileType& type, GroupID group = RootGroup);

    // NoError with a copy of the type, or TypeNotFoundErr / BadParameterErr.
    static GSErrCode GetType(TypeID id, FileType* type);
    // The first type (in identifier order) listing the MIME text, within group when it is given;
    // NoType when none does.
    static TypeID SearchForMime(const char* mime, const GroupID* group);
    static TypeID SearchForExtension(const char* extension);
    // The first type whose content checker accepts the bytes; NoType when none does.
    static TypeID SearchForContent(const void* bytes, USize length);

private:
    std::string name;
};

// Four-character codes, the first character in the most significant byte.
constexpr UInt32 FourCharCode(const char (&code)[5])
{
    return (UInt32(UInt8(code[0])) << 24) | (UInt32(UInt8(code[1])) << 16) | (UInt32(UInt8(code[2])) << 8) |
           UInt32(UInt8(code[3]));
}

}  // namespace FTM

#endif
