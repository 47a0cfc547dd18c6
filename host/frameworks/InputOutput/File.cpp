#include "File.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

#include "HostFailure.hpp"
#include "SystemErrors.hpp"

namespace IO {

namespace {

// The most one read or write system call is asked for; larger requests are continued.
constexpr USize MaxTransfer = USize(1) << 30;

// What a read or a write checks first, in this order: an open file, an open mode that allows it, a
// buffer when there are bytes to move, and a failure planned for the call.
GSErrCode CheckTransfer(const char* point, bool open, bool modeAllows, const void* buffer, USize count)
{
    if (!open)
        return NotOpenErr;
    if (!modeAllows)
        return WrongOpenModeErr;
    if (buffer == nullptr && count > 0)
        return BadParameterErr;
    return HostFailure::Check(point);
}

// Moves count bytes with step(offset, size), one read or write system call of at most MaxTransfer
// bytes, repeating a step that a signal interrupted. A step that moves nothing ends the transfer
// with nothingMoved. done counts the bytes moved, also when the transfer fails.
template <typename Step>
GSErrCode TransferInSteps(USize count, GSErrCode nothingMoved, USize& done, Step step)
{
    while (done < count) {
        const ssize_t moved = step(done, std::min(count - done, MaxTransfer));
        if (moved < 0 && errno == EINTR)
            continue;
        if (moved < 0)
            return LastSystemError();
        if (moved == 0)
            return nothingMoved;
        done += static_cast<USize>(moved);
    }
    return NoError;
}

GSErrCode MakeEmptyFile(const std::string& path)
{
    const GSErrCode planned = HostFailure::Check("IO::File::Create");
    if (planned != NoError)
        return planned;
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return errno == EEXIST ? NoError : LastSystemError();  // made meanwhile: it is there
    return ::close(descriptor) == 0 ? NoError : LastSystemError();
}

GSErrCode LocateFile(const Location& location, File::OnNotFound onNotFound)
{
    if (location.IsEmpty())
        return BadLocationErr;
    const GSErrCode planned = HostFailure::Check("IO::File::Locate");
    if (planned != NoError)
        return planned;
    struct stat info {};
    if (::stat(location.ToUtf8Path().c_str(), &info) == 0)
        return S_ISDIR(info.st_mode) ? WrongTypeErr : NoError;
    if (errno != ENOENT)
        return LastSystemError();
    if (onNotFound != File::Create)
        return NotFoundErr;
    return MakeEmptyFile(location.ToUtf8Path());
}

bool OpenFlags(File::OpenMode mode, int* flags)
{
    switch (mode) {
        case File::ReadMode:
            *flags = O_RDONLY;
            return true;
        case File::WriteMode:
            *flags = O_WRONLY | O_TRUNC;
            return true;
        case File::WriteEmptyMode:
            *flags = O_WRONLY | O_CREAT | O_TRUNC;
            return true;
    }
    return false;
}

bool HasAccess(const std::string& path, int what)
{
    return ::access(path.c_str(), what) == 0;
}

template <typename Unsigned>
void StoreLittleEndian(Unsigned value, char* bytes)
{
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i)
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

template <typename Unsigned>
Unsigned LoadLittleEndian(const char* bytes)
{
    Unsigned value = 0;
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i)
        value |= static_cast<Unsigned>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return value;
}

}  // namespace

File::File(const Location& fileLocation, OnNotFound onNotFound) : location(fileLocation)
{
    status = LocateFile(location, onNotFound);
}

File::~File()
{
    if (IsOpen())
        ::close(descriptor);
}

bool File::IsOpenable(OpenMode mode) const
{
    if (location.IsEmpty() || HostFailure::Check("IO::File::IsOpenable") != NoError)
        return false;
    const std::string& path = location.ToUtf8Path();
    struct stat info {};
    const bool exists = ::stat(path.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode))
        return false;
    switch (mode) {
        case ReadMode:
            return exists && HasAccess(path, R_OK);
        case WriteMode:
            return exists && HasAccess(path, W_OK);
        case WriteEmptyMode: {
            if (exists)
                return HasAccess(path, W_OK);
            Location folder = location;
            return folder.DeleteLastLocalName() == NoError && HasAccess(folder.ToUtf8Path(), W_OK | X_OK);
        }
    }
    return false;
}

GSErrCode File::Open(OpenMode mode, AccessDeniedTreatment /*every treatment reports AccessDeniedErr*/)
{
    if (IsOpen())
        return status = AlreadyOpenErr;
    if (location.IsEmpty())
        return status = BadLocationErr;
    int flags = 0;
    if (!OpenFlags(mode, &flags))
        return status = BadParameterErr;
    const GSErrCode planned = HostFailure::Check("IO::File::Open");
    if (planned != NoError)
        return status = planned;
    int opened = -1;
    do {
        opened = ::open(location.ToUtf8Path().c_str(), flags | O_CLOEXEC, 0666);
    } while (opened < 0 && errno == EINTR);
    if (opened < 0)
        return status = LastSystemError();
    struct stat info {};
    if (::fstat(opened, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(opened);
        return status = WrongTypeErr;
    }
    descriptor = opened;
    openMode = mode;
    return status = NoError;
}

GSErrCode File::Close()
{
    if (!IsOpen())
        return NotOpenErr;
    const int closing = descriptor;
    descriptor = -1;
    // Linux releases the descriptor even when close reports EINTR, so it is never retried.
    const bool closed = ::close(closing) == 0 || errno == EINTR;
    const GSErrCode closeResult = closed ? NoError : LastSystemError();
    const GSErrCode planned = HostFailure::Check("IO::File::Close");
    return status = planned != NoError ? planned : closeResult;
}

GSErrCode File::GetDataLength(UInt64* length) const
{
    if (length == nullptr)
        return BadParameterErr;
    if (!IsOpen() && location.IsEmpty())
        return BadLocationErr;
    const GSErrCode planned = HostFailure::Check("IO::File::GetDataLength");
    if (planned != NoError)
        return planned;
    struct stat info {};
    const int result = IsOpen() ? ::fstat(descriptor, &info) : ::stat(location.ToUtf8Path().c_str(), &info);
    if (result != 0)
        return LastSystemError();
    if (S_ISDIR(info.st_mode))
        return WrongTypeErr;
    *length = static_cast<UInt64>(info.st_size);
    return NoError;
}

GSErrCode File::GetDataLength(UInt32* length) const
{
    if (length == nullptr)
        return BadParameterErr;
    UInt64 fullLength = 0;
    const GSErrCode result = GetDataLength(&fullLength);
    if (result != NoError)
        return result;
    if (fullLength > std::numeric_limits<UInt32>::max())
        return TooLongErr;
    *length = static_cast<UInt32>(fullLength);
    return NoError;
}

GSErrCode File::Seek(UInt64 position)
{
    if (!IsOpen())
        return NotOpenErr;
    if (position > static_cast<UInt64>(std::numeric_limits<off_t>::max()))
        return BadParameterErr;
    const GSErrCode planned = HostFailure::Check("IO::File::Seek");
    if (planned != NoError)
        return planned;
    return ::lseek(descriptor, static_cast<off_t>(position), SEEK_SET) < 0 ? LastSystemError() : NoError;
}

GSErrCode File::GetPosition(UInt64* position) const
{
    if (position == nullptr)
        return BadParameterErr;
    if (!IsOpen())
        return NotOpenErr;
    const GSErrCode planned = HostFailure::Check("IO::File::GetPosition");
    if (planned != NoError)
        return planned;
    const off_t current = ::lseek(descriptor, 0, SEEK_CUR);
    if (current < 0)
        return LastSystemError();
    *position = static_cast<UInt64>(current);
    return NoError;
}

GSErrCode File::ReadBin(char* destination, USize count, USize* read)
{
    return ReadBytes("IO::File::ReadBin", destination, count, read);
}

GSErrCode File::WriteBin(const char* source, USize count, USize* written)
{
    return WriteBytes("IO::File::WriteBin", source, count, written);
}

GSErrCode File::Flush()
{
    if (!IsOpen())
        return NotOpenErr;
    const GSErrCode planned = HostFailure::Check("IO::File::Flush");
    if (planned != NoError)
        return planned;
    int result = 0;
    do {
        result = ::fsync(descriptor);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? NoError : LastSystemError();
}

GSErrCode File::ReadBytes(const char* point, char* destination, USize count, USize* read)
{
    if (read != nullptr)
        *read = 0;
    const GSErrCode checked = CheckTransfer(point, IsOpen(), openMode == ReadMode, destination, count);
    if (checked != NoError)
        return checked;
    USize done = 0;
    const GSErrCode result = TransferInSteps(count, EndOfFileErr, done, [&](USize offset, USize size) {
        return ::read(descriptor, destination + offset, size);
    });
    if (read != nullptr)
        *read = done;
    return result;
}

GSErrCode File::WriteBytes(const char* point, const char* source, USize count, USize* written)
{
    if (written != nullptr)
        *written = 0;
    const GSErrCode checked = CheckTransfer(point, IsOpen(), openMode != ReadMode, source, count);
    if (checked != NoError)
        return checked;
    USize done = 0;
    const GSErrCode result = TransferInSteps(count, GeneralIOErr, done, [&](USize offset, USize size) {
        return ::write(descriptor, source + offset, size);
    });
    if (written != nullptr)
        *written = done;
    return result;
}

GSErrCode File::Read(char& value)
{
    return ReadBytes("IO::File::Read", &value, 1, nullptr);
}

GSErrCode File::Read(UInt8& value)
{
    char byte = 0;
    const GSErrCode result = ReadBytes("IO::File::Read", &byte, 1, nullptr);
    if (result == NoError)
        value = static_cast<UInt8>(byte);
    return result;
}

GSErrCode File::Read(bool& value)
{
    char byte = 0;
    const GSErrCode result = ReadBytes("IO::File::Read", &byte, 1, nullptr);
    if (result == NoError)
        value = byte != 0;
    return result;
}

GSErrCode File::Read(Int32& value)
{
    UInt32 bits = 0;
    const GSErrCode result = Read(bits);
    if (result == NoError)
        value = static_cast<Int32>(bits);
    return result;
}

GSErrCode File::Read(UInt32& value)
{
    char bytes[4] = {};
    const GSErrCode result = ReadBytes("IO::File::Read", bytes, sizeof bytes, nullptr);
    if (result == NoError)
        value = LoadLittleEndian<UInt32>(bytes);
    return result;
}

GSErrCode File::Read(double& value)
{
    char bytes[8] = {};
    const GSErrCode result = ReadBytes("IO::File::Read", bytes, sizeof bytes, nullptr);
    if (result == NoError) {
        const UInt64 bits = LoadLittleEndian<UInt64>(bytes);
        std::memcpy(&value, &bits, sizeof value);
    }
    return result;
}

GSErrCode File::Write(char value)
{
    return WriteBytes("IO::File::Write", &value, 1, nullptr);
}

GSErrCode File::Write(UInt8 value)
{
    const char byte = static_cast<char>(value);
    return WriteBytes("IO::File::Write", &byte, 1, nullptr);
}

GSErrCode File::Write(bool value)
{
    const char byte = value ? 1 : 0;
    return WriteBytes("IO::File::Write", &byte, 1, nullptr);
}

GSErrCode File::Write(Int32 value)
{
    return Write(static_cast<UInt32>(value));
}

GSErrCode File::Write(UInt32 value)
{
    char bytes[4];
    StoreLittleEndian(value, bytes);
    return WriteBytes("IO::File::Write", bytes, sizeof bytes, nullptr);
}

GSErrCode File::Write(double value)
{
    UInt64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char bytes[8];
    StoreLittleEndian(bits, bytes);
    return WriteBytes("IO::File::Write", bytes, sizeof bytes, nullptr);
}

}  // namespace IO
