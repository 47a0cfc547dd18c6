// System folders as macOS's file manager names them.
#ifndef TOOLKIT_SYSTEMFOLDERS_HPP
#define TOOLKIT_SYSTEMFOLDERS_HPP

#include "ObjCRuntime.hpp"
#include "UniString.hpp"

namespace fm {

// Owns an autorelease pool for its lifetime: every path it hands out lives in that pool and dies
// with the manager, so callers copy a path before the manager goes.
class FolderManager {
public:
    FolderManager();
    ~FolderManager();
    FolderManager(const FolderManager&) = delete;
    FolderManager& operator=(const FolderManager&) = delete;

    // The first folder the system lists for the directory in the domains (NSSearchPathDirectory,
    // NSSearchPathDomainMask values), as a UTF-8 path; null when it lists none.
    const char* pathForDirectory(unsigned long directory, unsigned long domainMask);
    // The directory for one domain, on the volume of path where that matters (an item-replacement
    // folder); made when create is true. Null when the system gives none.
    const char* pathForDirectoryAppropriateForItemAtPath(unsigned long directory, unsigned long domain,
                                                         const char* path, bool create);

private:
    id pool;
};

}  // namespace fm

// The local applications folder; empty when the system names none.
GS::UniString GetProgramsPath();

#endif
