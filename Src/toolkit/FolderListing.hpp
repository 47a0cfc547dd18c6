// Lists a folder's entries into arrays through the host's folder walk. The list functions empty
// their array first and return the walk's host error code unchanged; an entry that cannot be
// typed, or whose location is not legal in the native file system, is left out silently.
#ifndef TOOLKIT_FOLDERLISTING_HPP
#define TOOLKIT_FOLDERLISTING_HPP

#include "Array.hpp"
#include "Folder.hpp"
#include "Location.hpp"

// The folder's own location with the name as one more local name.
IO::Location Append(const IO::Folder& folder, const IO::Name& name);

// Append the location when the host types it as a file, a folder, or either; return the typing's
// host error code (-7003 for a null array).
int AddFileToLocArray(GS::Array<IO::Location>* locations, const IO::Location& location);
int AddFolderToLocArray(GS::Array<IO::Location>* locations, const IO::Location& location);
int AddFileOrFolderToLocArray(GS::Array<IO::Location>* locations, const IO::Location& location);

// Walk callbacks; userData is the array to fill. An empty name gives false, every other entry true.
bool FileCallBackByName(const IO::Folder& folder, const IO::Name& name, bool isFolder, void* userData);
bool FolderCallBackByName(const IO::Folder& folder, const IO::Name& name, bool isFolder, void* userData);
bool FileCallBackByLocation(const IO::Folder& folder, const IO::Name& name, bool isFolder, void* userData);
bool FolderCallBackByLocation(const IO::Folder& folder, const IO::Name& name, bool isFolder, void* userData);
bool FolderCallBackList(const IO::Folder& folder, const IO::Name& name, bool isFolder, void* userData);

// The entries that are not folders, the ones that are, and (ListFolder) every file or folder by
// its type. A null array gives -7003 and no walk.
int GetFileList(const IO::Folder& folder, GS::Array<IO::Name>* names);
int GetFileList(const IO::Folder& folder, GS::Array<IO::Location>* locations);
int GetFolderList(const IO::Folder& folder, GS::Array<IO::Name>* names);
int GetFolderList(const IO::Folder& folder, GS::Array<IO::Location>* locations);
int ListFolder(const IO::Folder& folder, GS::Array<IO::Location>* locations);

#endif
