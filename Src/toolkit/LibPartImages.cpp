#include "LibPartImages.hpp"

#include <cstring>
#include <limits>
#include <string>

#include "ApiString.hpp"
#include "BM.hpp"
#include "CH.hpp"
#include "File.hpp"
#include "FileTypeManager.hpp"
#include "GXImage.hpp"
#include "HostNames.hpp"
#include "LibPartWrappers.hpp"
#include "LogHelpers.hpp"
#include "OwnedHandle.hpp"
#include "PathHelpers.hpp"

namespace {

constexpr Int32 SectionHandleFlags = 2;
constexpr Int32 PreviewHandleFlags = 0;
// The preview's MIME text lives in a 16-byte field of the host.
constexpr Int32 PreviewMimeBufferSize = 16;

API_LibPartSection MakeSectionHeader(unsigned int sectionType, int subIdent)
{
    API_LibPartSection section;
    std::memset(&section, 0, sizeof(section));
    section.sectType = static_cast<Int32>(sectionType);
    section.subIdent = static_cast<UInt16>(subIdent & 0xFFFF);
    return section;
}

// The size of MIME text, NUL and file bytes; false when it does not fit a host block.
bool SectionDataSize(std::size_t mimeLength, UInt32 fileLength, Int32* size)
{
    const UInt64 total = UInt64(mimeLength) + 1 + fileLength;
    if (total > UInt64(std::numeric_limits<Int32>::max()))
        return false;
    *size = static_cast<Int32>(total);
    return true;
}

// Reads the whole open file into the buffer; false unless every byte arrived.
bool ReadWhole(IO::File& file, char* destination, UInt32 length)
{
    USize read = 0;
    return file.ReadBin(destination, length, &read) == NoError && read == length;
}

// MIME text, NUL and the file's bytes in a new handle; null when the file cannot be read whole.
GSHandle ReadSectionData(const std::string& mime, const IO::Location& location, Int32* size)
{
    IO::File file(location);
    file.Open(IO::File::ReadMode, IO::ReportAccessDenied);
    UInt32 length = 0;
    if (file.GetDataLength(&length) != NoError || !SectionDataSize(mime.size(), length, size))
        return nullptr;
    GSHandle data = BMAllocateHandle(*size, SectionHandleFlags, 0);
    if (data == nullptr || BMError() != NoError) {
        BMKillHandle(&data);
        return nullptr;
    }
    std::memcpy(*data, mime.c_str(), mime.size() + 1);
    // A section of partly read bytes would be a damaged picture: better none at all.
    if (!ReadWhole(file, *data + mime.size() + 1, length))
        BMKillHandle(&data);
    file.Close();
    return data;
}

bool StartSection(const API_LibPartSection& section)
{
    const GSErrCode error = LibPart::NewSection(&section);
    if (error != NoError)
        LogMessageError("Error: Cannot start Libpart Section: #%s", ErrID_To_Name(error));
    return error == NoError;
}

bool WriteSectionData(Int32 size, GSHandle data)
{
    const GSErrCode error = LibPart::WriteSection(size, *data);
    if (error != NoError)
        LogMessageError("Error: Cannot write Libpart Section: #%s", ErrID_To_Name(error));
    return error == NoError;
}

bool EndSection()
{
    const GSErrCode error = LibPart::EndSection();
    if (error != NoError)
        LogMessageError("Error: Cannot end Libpart Section: #%s", ErrID_To_Name(error));
    return error == NoError;
}

GSErrCode AttachNamedImage(const int& subIdent, const char* fileName, const IO::Location& location)
{
    if (!IsFileExist(location)) {
        LogMessageError("Error: image is missing: '%s'", fileName);
        return APIERR_GENERAL;
    }
    if (!AddImage(subIdent, GdlPictureSection, location)) {
        LogMessageError("Error: Cannot attach picture: '%s'", fileName);
        return APIERR_GENERAL;
    }
    return NoError;
}

// Every step of the preview; false at the first that fails.
bool AttachPreview(const IO::Location& location)
{
    IO::File file(location, IO::File::Fail);
    if (file.GetStatus() != NoError)
        return false;
    UInt32 length = 0;
    if (file.GetDataLength(&length) != NoError)
        return false;

    char mime[PreviewMimeBufferSize];
    CHTruncate(GetImageMime(location).ToCStr(CC_Default).Get(), mime, PreviewMimeBufferSize);
    Int32 size = 0;
    if (!SectionDataSize(std::strlen(mime), length, &size))
        return false;
    OwnedHandle data(BMAllocateHandle(size, PreviewHandleFlags, 0));
    if (data.Get() == nullptr || BMError() != NoError)
        return false;
    CHCopyC(mime, *data.Get());

    if (file.Open(IO::File::ReadMode, IO::ReportAccessDenied) != NoError)
        return false;
    if (!ReadWhole(file, *data.Get() + std::strlen(mime) + 1, length))
        return false;
    file.Close();

    const API_LibPartSection section = MakeSectionHeader(PreviewPictureSection, 0);
    return LibPart::AddSection(&section, data.Get(), nullptr) == NoError;
}

}  // namespace

GS::UniString GetImageMime(const IO::Location& file)
{
    const GX::Image image(file);
    FTM::FileType type;
    if (FTM::FileTypeManager::GetType(image.GetTypeID(), &type) != NoError)
        return GS::UniString();
    return GS::UniString(type.GetMime(0), CC_Default);
}

bool AddImage(const int& subIdent, const unsigned int& sectionType, const IO::Location& file)
{
    const API_LibPartSection section = MakeSectionHeader(sectionType, subIdent);
    // Without a library part being built the host refuses the section: there is nothing to end.
    if (!StartSection(section))
        return false;

    const ApiString mime(GetImageMime(file));
    const std::string mimeText = mime.GetChar() != nullptr ? mime.GetChar() : "";
    Int32 size = 0;
    OwnedHandle data(ReadSectionData(mimeText, file, &size));
    const bool written = data.Get() != nullptr && WriteSectionData(size, data.Get());

    const bool ended = EndSection();
    return written && ended;
}

GSErrCode AddGdlImage(const int& subIdent, const char* fileName)
{
    IO::Location location;
    const GSErrCode error = ACAPI_GetOwnLocation(&location);
    if (error != NoError) {
        LogMessageError("Error: not found API location #%s", ErrID_To_Name(error));
        return error;
    }
    if (fileName == nullptr) {
        LogMessageError("Error: image is missing: '%s'", "");
        return APIERR_GENERAL;
    }
    location.AppendToLocal(IO::Name("rfs"));
    location.AppendToLocal(IO::Name(fileName));
    return AttachNamedImage(subIdent, fileName, location);
}

GSErrCode AddGdlImage(const int& subIdent, const char* fileName, const IO::Location& folder)
{
    if (fileName == nullptr) {
        LogMessageError("Error: image is missing: '%s'", "");
        return APIERR_GENERAL;
    }
    return AttachNamedImage(subIdent, fileName, IO::Location(folder, IO::Name(fileName)));
}

GSErrCode SetPreviewPicture(const IO::Location& file)
{
    if (!AttachPreview(file)) {
        LogMessageError("Error: while attaching preview picture!");
        return APIERR_GENERAL;
    }
    return NoError;
}
