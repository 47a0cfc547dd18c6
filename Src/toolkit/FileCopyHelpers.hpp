// Copying files into a folder through the host's file system. Each returns 0 or the error code of
// the host call that failed, unchanged; a failure is logged with the source's path and ends the run
// (files copied before it stay, later ones are not tried).
#ifndef TOOLKIT_FILECOPYHELPERS_HPP
#define TOOLKIT_FILECOPYHELPERS_HPP

#include "Array.hpp"
#include "HashSet.hpp"
#include "Location.hpp"

// Copies every file, in array order, into the folder under its own name, replacing a file of
// that name. Each copy is made beside its target and takes the target's place only when it is
// complete: a copy that fails leaves an older file of that name as it was, and nothing beside it.
// A file that is in the folder already (by its identity, whatever path leads there) is left as it
// is; a source that does not exist fails before anything in the folder is touched.
int CopyFiles(const GS::Array<IO::Location>& files, const IO::Location& folder);
// The same over the set, in its own iteration order.
int CopyFiles(const GS::HashSet<IO::Location>& files, const IO::Location& folder);
int CopyFileToFolder(const IO::Location& file, const IO::Location& folder);

#endif
