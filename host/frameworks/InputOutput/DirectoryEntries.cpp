#include "DirectoryEntries.hpp"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

#include "SystemErrors.hpp"

namespace IO {

namespace {

struct DirectoryCloser {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

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

FileSystem::EntryType TypeOf(const struct stat& info)
{
    if (S_ISREG(info.st_mode))
        return FileSystem::FileEntry;
    if (S_ISDIR(info.st_mode))
        return FileSystem::FolderEntry;
    if (S_ISLNK(info.st_mode))
        return FileSystem::LinkEntry;
    return FileSystem::OtherEntry;
}

}  // namespace

GSErrCode ReadDirectoryEntries(const Location& folder, std::vector<DirectoryEntry>* entries)
{
    std::vector<std::string> names;
    const GSErrCode result = ReadEntryNames(folder.ToUtf8Path(), &names);
    if (result != NoError)
        return result;
    for (const std::string& entryName : names) {
        const Name name(entryName.c_str());
        const Location entry(folder, name);
        struct stat info {};
        if (entry.IsEmpty() || ::lstat(entry.ToUtf8Path().c_str(), &info) != 0)
            continue;
        entries->push_back(DirectoryEntry{name, TypeOf(info)});
    }
    return NoError;
}

}  // namespace IO
