#include "FileSystem.hpp"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "HostFailure.hpp"
#include "SystemErrors.hpp"

namespace IO {

const FileSystem fileSystem;

namespace {

// Closes its descriptor when it goes.
class Descriptor {
public:
    explicit Descriptor(int descriptor) : value(descriptor) {}
    ~Descriptor()
    {
        if (value >= 0)
            ::close(value);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return value; }
    bool IsValid() const { return value >= 0; }
    GSErrCode Close()
    {
        const int closing = value;
        value = -1;
        return ::close(closing) == 0 || errno == EINTR ? NoError : LastSystemError();
    }

private:
    int value;
};

GSErrCode EntryInfo(const Location& entry, struct stat* info)
{
    return ::lstat(entry.ToUtf8Path().c_str(), info) == 0 ? NoError : LastSystemError();
}

// How every call starts: an empty location is refused, then a failure planned for the call applies.
GSErrCode CheckCall(const char* point, bool locationEmpty)
{
    if (locationEmpty)
        return BadLocationErr;
    return HostFailure::Check(point);
}

// The start of a call that needs the status of its entry first.
GSErrCode CheckCallAndReadEntry(const char* point, const Location& entry, struct stat* info)
{
    const GSErrCode checked = CheckCall(point, entry.IsEmpty());
    return checked != NoError ? checked : EntryInfo(entry, info);
}

GSErrCode MoveEntry(const char* point, const Location& source, const Location& target)
{
    const GSErrCode checked = CheckCall(point, source.IsEmpty() || target.IsEmpty());
    if (checked != NoError)
        return checked;
    struct stat sourceInfo {};
    const GSErrCode sourceResult = EntryInfo(source, &sourceInfo);
    if (sourceResult != NoError)
        return sourceResult;
    if (source == target)
        return NoError;
    struct stat targetInfo {};
    if (EntryInfo(target, &targetInfo) == NoError) {
        if (S_ISDIR(targetInfo.st_mode))
            return WrongTypeErr;
        if (S_ISDIR(sourceInfo.st_mode))
            return AlreadyExistsErr;
    }
    return ::rename(source.ToUtf8Path().c_str(), target.ToUtf8Path().c_str()) == 0 ? NoError : LastSystemError();
}

GSErrCode WriteAll(int descriptor, const char* bytes, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t put = ::write(descriptor, bytes + done, count - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return put < 0 ? LastSystemError() : GeneralIOErr;
        done += static_cast<std::size_t>(put);
    }
    return NoError;
}

GSErrCode CopyBytes(int from, int to)
{
    std::vector<char> block(FileSystem::CopyBlockBytes);
    for (;;) {
        const ssize_t got = ::read(from, block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return LastSystemError();
        if (got == 0)
            return NoError;
        const GSErrCode planned = HostFailure::Check("IO::fileSystem::Copy:Write");
        if (planned != NoError)
            return planned;
        const GSErrCode written = WriteAll(to, block.data(), static_cast<std::size_t>(got));
        if (written != NoError)
            return written;
    }
}

GSErrCode CopyFileContents(const std::string& source, const std::string& target)
{
    Descriptor from(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (!from.IsValid())
        return LastSystemError();
    struct stat info {};
    if (::fstat(from.Get(), &info) != 0)
        return LastSystemError();
    if (S_ISDIR(info.st_mode))
        return WrongTypeErr;
    Descriptor to(::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 0777));
    if (!to.IsValid())
        return LastSystemError();
    GSErrCode result = CopyBytes(from.Get(), to.Get());
    const GSErrCode closed = to.Close();
    if (result == NoError)
        result = closed;
    if (result != NoError)
        ::unlink(target.c_str());  // no half copy stays behind
    return result;
}

}  // namespace

GSErrCode FileSystem::Delete(const Location& entry, DataSafety /*no trash here*/,
                             AccessDeniedTreatment /*every treatment reports AccessDeniedErr*/) const
{
    struct stat info {};
    const GSErrCode found = CheckCallAndReadEntry("IO::fileSystem::Delete", entry, &info);
    if (found != NoError)
        return found;
    const std::string& path = entry.ToUtf8Path();
    if (!S_ISDIR(info.st_mode))
        return ::unlink(path.c_str()) == 0 ? NoError : LastSystemError();
    if (::rmdir(path.c_str()) == 0)
        return NoError;
    return errno == EEXIST ? NotEmptyErr : LastSystemError();
}

GSErrCode FileSystem::Rename(const Location& entry, const Name& newName) const
{
    if (!newName.IsLegal())
        return BadNameErr;
    Location target = entry;
    const GSErrCode named = target.SetLastLocalName(newName);
    if (named != NoError)
        return named;
    return MoveEntry("IO::fileSystem::Rename", entry, target);
}

GSErrCode FileSystem::Move(const Location& source, const Location& target) const
{
    return MoveEntry("IO::fileSystem::Move", source, target);
}

GSErrCode FileSystem::Copy(const Location& source, const Location& target) const
{
    const GSErrCode checked = CheckCall("IO::fileSystem::Copy", source.IsEmpty() || target.IsEmpty());
    if (checked != NoError)
        return checked;
    return CopyFileContents(source.ToUtf8Path(), target.ToUtf8Path());
}

GSErrCode FileSystem::CreateFile(const Location& file) const
{
    const GSErrCode checked = CheckCall("IO::fileSystem::CreateFile", file.IsEmpty());
    if (checked != NoError)
        return checked;
    Descriptor made(::open(file.ToUtf8Path().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!made.IsValid())
        return LastSystemError();
    return made.Close();
}

GSErrCode FileSystem::CreateFolder(const Location& folder) const
{
    const GSErrCode checked = CheckCall("IO::fileSystem::CreateFolder", folder.IsEmpty());
    if (checked != NoError)
        return checked;
    return ::mkdir(folder.ToUtf8Path().c_str(), 0777) == 0 ? NoError : LastSystemError();
}

GSErrCode FileSystem::GetType(const Location& entry, EntryType* type) const
{
    if (type == nullptr)
        return BadParameterErr;
    struct stat info {};
    const GSErrCode found = CheckCallAndReadEntry("IO::fileSystem::GetType", entry, &info);
    if (found != NoError)
        return found;
    if (S_ISREG(info.st_mode))
        *type = FileEntry;
    else if (S_ISDIR(info.st_mode))
        *type = FolderEntry;
    else if (S_ISLNK(info.st_mode))
        *type = LinkEntry;
    else
        *type = OtherEntry;
    return NoError;
}

GSErrCode FileSystem::GetPermissions(const Location& entry, UInt32* permissions) const
{
    if (permissions == nullptr)
        return BadParameterErr;
    const GSErrCode checked = CheckCall("IO::fileSystem::GetPermissions", entry.IsEmpty());
    if (checked != NoError)
        return checked;
    struct stat info {};
    if (::stat(entry.ToUtf8Path().c_str(), &info) != 0)
        return LastSystemError();
    *permissions = static_cast<UInt32>(info.st_mode) & PermissionBits;
    return NoError;
}

GSErrCode FileSystem::SetPermissions(const Location& entry, UInt32 permissions) const
{
    if ((permissions & ~PermissionBits) != 0)
        return BadParameterErr;
    const GSErrCode checked = CheckCall("IO::fileSystem::SetPermissions", entry.IsEmpty());
    if (checked != NoError)
        return checked;
    return ::chmod(entry.ToUtf8Path().c_str(), static_cast<mode_t>(permissions)) == 0 ? NoError : LastSystemError();
}

}  // namespace IO
