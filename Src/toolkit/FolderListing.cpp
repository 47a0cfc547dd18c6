#include "FolderListing.hpp"

#include "FileSystem.hpp"

namespace {

constexpr int OwnFailure = -7003;

bool HasName(const IO::Name& name)
{
    return name.ToString().GetLength() != 0;
}

template <typename Item>
GS::Array<Item>* ArrayOf(void* userData)
{
    return static_cast<GS::Array<Item>*>(userData);
}

bool AddName(const IO::Name& name, bool wanted, void* userData)
{
    if (!HasName(name))
        return false;
    if (wanted && userData != nullptr)
        ArrayOf<IO::Name>(userData)->Push(name);
    return true;
}

bool AddLegalLocation(const IO::Folder& folder, const IO::Name& name, bool wanted, void* userData)
{
    if (!HasName(name))
        return false;
    if (!wanted || userData == nullptr)
        return true;
    const IO::Location location = Append(folder, name);
    if (location.IsLegalInNativeFileSystem())
        ArrayOf<IO::Location>(userData)->Push(location);
    return true;
}

template <typename Accepts>
int AddByType(GS::Array<IO::Location>* locations, const IO::Location& location, Accepts accepts)
{
    if (locations == nullptr)
        return OwnFailure;
    IO::FileSystem::EntryType type = IO::FileSystem::OtherEntry;
    const GSErrCode typed = IO::fileSystem.GetType(location, &type);
    if (typed == NoError && accepts(type))
        locations->Push(location);
    return typed;
}

template <typename Item>
int Walk(const IO::Folder& folder, GS::Array<Item>* items, IO::Folder::EnumCallBack callBack)
{
    if (items == nullptr)
        return OwnFailure;
    *items = GS::Array<Item>();  // releases the old storage too
    return folder.Enumerate(callBack, items);
}

}  // namespace

IO::Location Append(const IO::Folder& folder, const IO::Name& name)
{
    return IO::Location(folder.GetLocation(), name);
}

int AddFileToLocArray(GS::Array<IO::Location>* locations, const IO::Location& location)
{
    return AddByType(locations, location, [](IO::FileSystem::EntryType type) { return type == 0; });
}

int AddFolderToLocArray(GS::Array<IO::Location>* locations, const IO::Location& location)
{
    return AddByType(locations, location, [](IO::FileSystem::EntryType type) { return type == 1; });
}

int AddFileOrFolderToLocArray(GS::Array<IO::Location>* locations, const IO::Location& location)
{
    return AddByType(locations, location,
                     [](IO::FileSystem::EntryType type) { return type == 0 || type == 1; });
}

bool FileCallBackByName(const IO::Folder& /*folder*/, const IO::Name& name, bool isFolder, void* userData)
{
    return AddName(name, !isFolder, userData);
}

bool FolderCallBackByName(const IO::Folder& /*folder*/, const IO::Name& name, bool isFolder, void* userData)
{
    return AddName(name, isFolder, userData);
}

bool FileCallBackByLocation(const IO::Folder& folder, const IO::Name& name, bool isFolder, void* userData)
{
    return AddLegalLocation(folder, name, !isFolder, userData);
}

bool FolderCallBackByLocation(const IO::Folder& folder, const IO::Name& name, bool isFolder, void* userData)
{
    return AddLegalLocation(folder, name, isFolder, userData);
}

bool FolderCallBackList(const IO::Folder& folder, const IO::Name& name, bool /*isFolder*/, void* userData)
{
    if (!HasName(name))
        return false;
    const IO::Location location = Append(folder, name);
    if (location.IsLegalInNativeFileSystem() && userData != nullptr)
        AddFileOrFolderToLocArray(ArrayOf<IO::Location>(userData), location);  // untyped entries stay out
    return true;
}

int GetFileList(const IO::Folder& folder, GS::Array<IO::Name>* names)
{
    return Walk(folder, names, FileCallBackByName);
}

int GetFileList(const IO::Folder& folder, GS::Array<IO::Location>* locations)
{
    return Walk(folder, locations, FileCallBackByLocation);
}

int GetFolderList(const IO::Folder& folder, GS::Array<IO::Name>* names)
{
    return Walk(folder, names, FolderCallBackByName);
}

int GetFolderList(const IO::Folder& folder, GS::Array<IO::Location>* locations)
{
    return Walk(folder, locations, FolderCallBackByLocation);
}

int ListFolder(const IO::Folder& folder, GS::Array<IO::Location>* locations)
{
    return Walk(folder, locations, FolderCallBackList);
}
