#include "Folder.hpp"

#include <cerrno>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "DirectoryEntries.hpp"
#include "HostFailure.hpp"
#include "SystemErrors.hpp"

namespace IO {

namespace {

GSErrCode MakeFolder(const std::string& path)
{
    const GSErrCode planned = HostFailure::Check("IO::Folder::Create");
    if (planned != NoError)
        return planned;
    if (::mkdir(path.c_str(), 0777) == 0)
        return NoError;
    if (errno != EEXIST)
        return LastSystemError();
    struct stat info {};  // made meanwhile: fine when it is a folder
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? NoError : WrongTypeErr;
}

GSErrCode LocateFolder(const Location& location, Folder::OnNotFound onNotFound)
{
    if (location.IsEmpty())
        return BadLocationErr;
    const GSErrCode planned = HostFailure::Check("IO::Folder::Locate");
    if (planned != NoError)
        return planned;
    struct stat info {};
    if (::stat(location.ToUtf8Path().c_str(), &info) == 0)
        return S_ISDIR(info.st_mode) ? NoError : WrongTypeErr;
    if (errno != ENOENT)
        return LastSystemError();
    if (onNotFound != Folder::Create)
        return NotFoundErr;
    return MakeFolder(location.ToUtf8Path());
}

}  // namespace

Folder::Folder(const Location& folderLocation, OnNotFound onNotFound) : location(folderLocation)
{
    status = LocateFolder(location, onNotFound);
}

GSErrCode Folder::Enumerate(EnumCallBack callBack, void* userData) const
{
    if (status != NoError)
        return status;
    if (callBack == nullptr)
        return BadParameterErr;
    const GSErrCode planned = HostFailure::Check("IO::Folder::Enumerate");
    if (planned != NoError)
        return planned;
    std::vector<DirectoryEntry> entries;
    const GSErrCode readResult = ReadDirectoryEntries(location, &entries);
    if (readResult != NoError)
        return readResult;
    for (const DirectoryEntry& entry : entries) {
        if (!callBack(*this, entry.name, entry.type == FileSystem::FolderEntry, userData))
            break;
    }
    return NoError;
}

}  // namespace IO
