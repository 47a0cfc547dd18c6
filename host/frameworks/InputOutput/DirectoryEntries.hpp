// Reading one folder's entries, shared by IO::Folder::Enumerate and IO::TreeEnumerator.
#ifndef INPUTOUTPUT_DIRECTORYENTRIES_HPP
#define INPUTOUTPUT_DIRECTORYENTRIES_HPP

#include <string>
#include <vector>

#include "Definitions.hpp"
#include "FileSystem.hpp"
#include "Location.hpp"

namespace IO {

struct DirectoryEntry {
    Name name;
    FileSystem::EntryType type = FileSystem::OtherEntry;  // the entry itself: a link is never followed
};

// The entries of the folder in byte order of their names, without "." and "..". Entries that are
// gone by the time they are looked at, and names the file layer cannot address, are left out.
GSErrCode ReadDirectoryEntries(const Location& folder, std::vector<DirectoryEntry>* entries);

}  // namespace IO

#endif
