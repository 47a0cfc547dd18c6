#include "TreeEnumerator.hpp"

#include <vector>

#include "DirectoryEntries.hpp"
#include "HostFailure.hpp"

namespace IO {

TreeEnumerator::TreeEnumerator(const Folder& rootFolder)
    : root(rootFolder.GetLocation()), rootStatus(rootFolder.GetStatus())
{
}

TreeEnumerator::~TreeEnumerator() = default;

bool TreeEnumerator::EntryFound(const Name& /*name*/, bool /*isFolder*/)
{
    return true;
}

bool TreeEnumerator::FileFound(const Name& /*name*/)
{
    return false;
}

bool TreeEnumerator::FolderFound(const Name& /*name*/)
{
    return true;
}

bool TreeEnumerator::LinkFound(const Name& /*name*/)
{
    return false;
}

void TreeEnumerator::FolderEntered(const Name& /*name*/, const Folder& /*folder*/) {}

void TreeEnumerator::FolderExited(const Name& /*name*/, const Folder& /*folder*/) {}

GSErrCode TreeEnumerator::Do()
{
    if (rootStatus != NoError)
        return rootStatus;
    const GSErrCode planned = HostFailure::Check("IO::TreeEnumerator::Do");
    if (planned != NoError)
        return planned;
    std::vector<DirectoryEntry> entries;
    const GSErrCode read = ReadDirectoryEntries(root, &entries);
    if (read != NoError)
        return read;
    WalkEntries(root, entries);
    return NoError;
}

// Depth first; the depth is bounded by the longest path the system can open. A folder below the root
// that cannot be read is passed by, as a file browser shows it empty.
TreeEnumerator::Walk TreeEnumerator::WalkEntries(const Location& folder, const std::vector<DirectoryEntry>& entries)
{
    for (const DirectoryEntry& entry : entries) {
        const bool isFolder = entry.type == FileSystem::FolderEntry;
        if (!EntryFound(entry.name, isFolder))
            continue;
        if (entry.type == FileSystem::LinkEntry) {
            if (LinkFound(entry.name))
                return Walk::Ended;
        } else if (!isFolder) {
            if (FileFound(entry.name))
                return Walk::Ended;
        } else if (FolderFound(entry.name) && EnterFolder(folder, entry.name) == Walk::Ended) {
            return Walk::Ended;
        }
    }
    return Walk::GoOn;
}

TreeEnumerator::Walk TreeEnumerator::EnterFolder(const Location& parent, const Name& name)
{
    const Folder folder(Location(parent, name));
    std::vector<DirectoryEntry> entries;
    if (folder.GetStatus() != NoError || ReadDirectoryEntries(folder.GetLocation(), &entries) != NoError)
        return Walk::GoOn;
    FolderEntered(name, folder);
    const Walk walk = WalkEntries(folder.GetLocation(), entries);
    FolderExited(name, folder);
    return walk;
}

}  // namespace IO
