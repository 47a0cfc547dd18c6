#include "LibraryFiles.hpp"

#include <cstring>
#include <limits>

#include "CH.hpp"
#include "EngineHostRecords.hpp"
#include "ExportText.hpp"
#include "FileNameHelpers.hpp"
#include "FileTypeManager.hpp"
#include "GXImage.hpp"
#include "HostNames.hpp"
#include "HostTextFields.hpp"
#include "LibPartWrappers.hpp"
#include "LogHelpers.hpp"
#include "MimeTable.hpp"
#include "TextureList.hpp"

namespace WRL {

namespace {

// The library item type under which the host finds picture and other data files.
constexpr API_LibTypeID LibraryFileType = 11;

template <USize N>
void PutUnits(const char* text, GS::uchar_t (&field)[N])
{
    std::memset(field, 0, sizeof field);
    CHANSI2Unicode(text, -1, field, static_cast<Int32>(N - 1), CC_Default);  // the last unit stays NUL
}

bool SearchLibraryItem(const char* name, LibPartRecord& part)
{
    part->typeID = LibraryFileType;
    PutUnits(name, part->docu_UName);
    if (LibPart::Search(part.Get(), false, false) == NoError)
        return true;
    std::memset(part->docu_UName, 0, sizeof part->docu_UName);
    PutUnits(name, part->file_UName);
    return LibPart::Search(part.Get(), false, false) == NoError;
}

UInt32 PictureSide(Int32 pixels)
{
    return pixels > 0 ? static_cast<UInt32>(pixels) : 0;
}

}  // namespace

bool FindLibraryFile(const char* name, TextureFileLibrary& lib)
{
    if (name == nullptr || *name == '\0')
        return false;
    LibPartRecord part;
    if (!SearchLibraryItem(name, part) || part->location == nullptr)
        return false;
    lib.location = *part->location;
    if (lib.location.GetStatus() != NoError)
        return false;
    CopyUtf8Cut(TextOfUnits(part->file_UName).ToCStr(CC_Default).Get(), lib.fileName, TextureNameSize);
    return true;
}

bool ReadLibraryPictureType(TextureFileLibrary& lib)
{
    const GX::Image image(lib.location);
    lib.width = PictureSide(image.GetWidth(false));
    lib.height = PictureSide(image.GetHeight(false));
    FTM::FileType fileType;
    if (FTM::FileTypeManager::GetType(image.GetTypeID(), &fileType) != NoError)
        return false;
    int mimeIndex = -1;
    if (!IsValidTextureMime(fileType, &mimeIndex))
        return false;
    lib.mimeIndex = mimeIndex;
    CopyUtf8Cut(pictFormat_STR[mimeIndex], lib.mime);
    return true;
}

bool OpenLibraryFile(TextureFileLibrary& lib)
{
    auto file = std::make_unique<IO::File>(lib.location, IO::File::Fail);
    GSErrCode err = file->GetStatus();
    if (err == NoError)
        err = file->Open(IO::File::ReadMode, IO::ReportAccessDenied);
    UInt64 length = 0;
    if (err == NoError)
        err = file->GetDataLength(&length);
    if (err != NoError) {
        LogMessageDebug("Zelto_export:: Cannot read the library file %s: #%s\n", lib.fileName, ErrID_To_Name(err));
        return false;
    }
    if (length > std::numeric_limits<UInt32>::max()) {
        LogMessageError("Zelto_export:: The library file %s is too large to embed (%llu bytes)\n", lib.fileName,
                        static_cast<unsigned long long>(length));
        return false;
    }
    lib.file = std::move(file);
    lib.size = static_cast<UInt32>(length);
    return true;
}

Int32 DataFileMimeIndex(const char* fileName)
{
    const GS::UniString extension = GetFileExtension(GS::UniString(fileName != nullptr ? fileName : "")).ToLowerCase();
    const GS::UniString::CStr text = extension.ToCStr(CC_Default);
    if (CHCompareTexts(text.Get(), "hdr", 0) == 0 || CHCompareTexts(text.Get(), "hdri", 0) == 0)
        return pictFormat_Hdri;
    if (CHCompareTexts(text.Get(), "ies", 0) == 0)
        return pictFormat_Ies;
    return pictFormat_Unknown;
}

}  // namespace WRL
