// A walk through a folder and the folders below it, in the byte order of the names in each folder.
// A subclass decides through the hooks what happens at each entry:
//   EntryFound   every entry first, with whether it is a folder; false passes the entry by.
//   FileFound    a file (or any entry that is neither folder nor link); true ends the walk.
//   FolderFound  a folder; true enters it: FolderEntered, its entries, FolderExited.
//   LinkFound    a symbolic link, whatever it points to; it is never followed, so a link loop cannot
//                trap the walk. True ends the walk.
// Do runs the walk: NoError when it went through (or a hook ended it), else why the root folder
// cannot be read. A folder below the root that cannot be read is passed by, as a file browser shows
// it empty.
//
// Failure point (HostFailure): "IO::TreeEnumerator::Do" (the planned code is returned, nothing is walked).
#ifndef INPUTOUTPUT_TREEENUMERATOR_HPP
#define INPUTOUTPUT_TREEENUMERATOR_HPP

#include <vector>

#include "Definitions.hpp"
#include "Folder.hpp"
#include "Location.hpp"

namespace IO {

struct DirectoryEntry;

class GSROOT_DLL_EXPORT TreeEnumerator {
public:
    explicit TreeEnumerator(const Folder& root);
    virtual ~TreeEnumerator();
    TreeEnumerator(const TreeEnumerator&) = delete;
    TreeEnumerator& operator=(const TreeEnumerator&) = delete;

    virtual bool EntryFound(const Name& name, bool isFolder);  // default: true
    virtual bool FileFound(const Name& name);                  // default: false
    virtual bool FolderFound(const Name& name);                // default: true
    virtual bool LinkFound(const Name& name);                  // default: false
    virtual void FolderEntered(const Name& name, const Folder& folder);
    virtual void FolderExited(const Name& name, const Folder& folder);
    virtual GSErrCode Do();

private:
    enum class Walk { GoOn, Ended };
    Walk WalkEntries(const Location& folder, const std::vector<DirectoryEntry>& entries);
    Walk EnterFolder(const Location& parent, const Name& name);

    Location root;
    GSErrCode rootStatus;
};

}  // namespace IO

#endif
