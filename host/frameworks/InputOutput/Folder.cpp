#include "Folder.hpp"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

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

struct DirectoryCloser {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

// The names of the folder's entries, sorted, without "." and "..".
GSErrCode ReadEntryNames(const std::string& path, std::vector<std::string>* names)
{
    std::unique_ptr<DIR, DirectoryCloser> directory(::opendir(path.c_str()));
    if (directory == nullptr)
        return LastSystemError();
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(directory.get());
        if (entry == nullptr)
            break;
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names->push_back(name);
    }
    if (errno != 0)
        return LastSystemError();
    std::sort(names->begin(), names->end());
    return NoError;
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
    std::vector<std::string> names;
    const GSErrCode readResult = ReadEntryNames(location.ToUtf8Path(), &names);
    if (readResult != NoError)
        return readResult;
    for (const std::string& entryName : names) {
        const Name name(entryName.c_str());
        const Location entry(location, name);
        struct stat info {};
        if (entry.IsEmpty() || ::lstat(entry.ToUtf8Path().c_str(), &info) != 0)
            continue;  // gone since the folder was read, or a name the layer cannot address
        if (!callBack(*this, name, S_ISDIR(info.st_mode), userData))
            break;
    }
    return NoError;
}

}  // namespace IO
