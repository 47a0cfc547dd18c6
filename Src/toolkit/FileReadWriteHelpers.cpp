#include "FileReadWriteHelpers.hpp"

#include <cstring>
#include <vector>

#include "File.hpp"
#include "FileSystem.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"
#include "TextHelpers.hpp"

namespace {

constexpr int OwnFailure = -7003;

void LogStep(const char* format, const IO::Location& file)
{
    LogMessageError(format, file.ToDisplayText().ToCStr(CC_Default).Get());
}

void LogStep(const char* format, const IO::Location& file, GSErrCode error)
{
    LogMessageError(format, file.ToDisplayText().ToCStr(CC_Default).Get(), ErrID_To_Name(error));
}

// Opens the file for reading and measures it: 0 with a length above 0, else the logged failure.
int OpenForReading(IO::File& file, UInt32* length)
{
    const IO::Location& location = file.GetLocation();
    if (!file.IsOpenable(IO::File::ReadMode)) {
        LogStep("File is not openeable: '%s'", location);
        return OwnFailure;
    }
    const GSErrCode opened = file.Open(IO::File::ReadMode, IO::AccessDeniedTreatment(2));
    if (opened != NoError) {
        LogStep("File open error: '%s' #%s", location, opened);
        return opened;
    }
    *length = 0;
    const GSErrCode measured = file.GetDataLength(length);
    if (measured != NoError) {
        LogStep("File size error: '%s' #%s", location, measured);
        return measured;
    }
    if (*length == 0) {
        LogStep("File size is empty: '%s'", location);
        return OwnFailure;
    }
    return NoError;
}

int CloseLogged(IO::File& file)
{
    const GSErrCode closed = file.Close();
    if (closed != NoError)
        LogStep("File close error: '%s' #%s", file.GetLocation(), closed);
    return closed;
}

// Reads the whole file as a text. The buffer is sized in size_t so that a length of 0xFFFFFFFF
// plus its terminator cannot wrap around. filled tells whether the text was set (a failing close
// comes after that).
int ReadText(const IO::Location& location, GS::UniString* text, bool* filled)
{
    *filled = false;
    IO::File file(location, IO::File::Fail);
    UInt32 length = 0;
    const int opened = OpenForReading(file, &length);
    if (opened != NoError)
        return opened;
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    const GSErrCode read = file.ReadBin(buffer.data(), length, nullptr);
    if (read != NoError) {
        LogStep("File read error: '%s' #%s", location, read);
        return read;
    }
    *text = GS::UniString(buffer.data(), CC_UTF8);
    *filled = true;
    return CloseLogged(file);
}

// Deletes an existing file and makes a new empty one in its place.
int ReplaceByEmptyFile(const IO::Location& location)
{
    const bool exists = IO::File(location, IO::File::Fail).GetStatus() == NoError;
    if (exists) {
        const GSErrCode deleted =
            IO::fileSystem.Delete(location, IO::FileSystem::DataSafety(0), IO::AccessDeniedTreatment(2));
        if (deleted != NoError) {
            LogStep("File delete error: '%s' #%s", location, deleted);
            return deleted;
        }
    }
    const GSErrCode created = IO::fileSystem.CreateFile(location);
    if (created != NoError) {
        LogStep("File creation error: '%s' #%s", location, created);
        return created;
    }
    return NoError;
}

int OpenForWriting(IO::File& file)
{
    const GSErrCode opened = file.Open(IO::File::WriteMode, IO::AccessDeniedTreatment(2));
    if (opened != NoError)
        LogStep("File open error: '%s' #%s", file.GetLocation(), opened);
    return opened;
}

}  // namespace

int TextFileRead(const IO::Location& file, GS::UniString& text)
{
    bool filled = false;
    return ReadText(file, &text, &filled);
}

int TextFileRead(const IO::Location& file, GS::Array<GS::UniString>& lines)
{
    lines = GS::Array<GS::UniString>();
    GS::UniString text;
    bool filled = false;
    const int result = ReadText(file, &text, &filled);
    if (filled)
        lines = SplitToLines(text);
    return result;
}

int FileRead(const IO::Location& location, GS::Array<unsigned char>& bytes)
{
    IO::File file(location, IO::File::Fail);
    UInt32 length = 0;
    const int opened = OpenForReading(file, &length);
    if (opened != NoError)
        return opened;
    bytes = GS::Array<unsigned char>();
    bytes.EnsureCapacity(length);
    for (UInt32 index = 0; index < length; ++index) {
        char byte = 0;
        const GSErrCode read = file.Read(byte);
        if (read != NoError) {
            LogStep("File read error: '%s' #%s", location, read);
            return read;
        }
        bytes.Push(static_cast<unsigned char>(byte));
    }
    return CloseLogged(file);
}

int TextFileWrite(const IO::Location& location, const char* text)
{
    const int replaced = ReplaceByEmptyFile(location);
    if (replaced != NoError)
        return replaced;
    IO::File file(location, IO::File::Create);
    const int opened = OpenForWriting(file);
    if (opened != NoError)
        return opened;
    const char* contents = text != nullptr ? text : "";
    const GSErrCode written = file.WriteBin(contents, static_cast<USize>(std::strlen(contents)), nullptr);
    if (written != NoError) {
        LogStep("File write error: '%s' #%s", location, written);
        return written;
    }
    return CloseLogged(file);
}

int FileWrite(const IO::Location& location, const GS::Array<unsigned char>& bytes)
{
    const int replaced = ReplaceByEmptyFile(location);
    if (replaced != NoError)
        return replaced;
    IO::File file(location, IO::File::Create);
    const int opened = OpenForWriting(file);
    if (opened != NoError)
        return opened;
    for (const unsigned char byte : bytes) {
        const GSErrCode written = file.Write(static_cast<char>(byte));
        if (written != NoError) {
            LogStep("File read write: '%s' #%s", location, written);
            return written;
        }
    }
    return CloseLogged(file);
}
