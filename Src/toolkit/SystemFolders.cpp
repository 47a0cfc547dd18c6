#include "SystemFolders.hpp"

#include <cstdint>
#include <cstring>

namespace {

constexpr unsigned long NSApplicationDirectory = 1;
constexpr unsigned long NSLocalDomainMask = 2;

// Typed senders over the runtime's message call, one per shape of message the manager sends.
id Send(id receiver, const char* selector)
{
    return objc_msgSend(receiver, sel_registerName(selector));
}

id SendClass(const char* className, const char* selector)
{
    return Send(reinterpret_cast<id>(objc_getClass(className)), selector);
}

id DefaultManager()
{
    return SendClass("NSFileManager", "defaultManager");
}

// [[url path] fileSystemRepresentation], null for no URL.
const char* FileSystemPathOf(id url)
{
    if (url == nullptr)
        return nullptr;
    const id path = Send(url, "path");
    if (path == nullptr)
        return nullptr;
    return reinterpret_cast<const char*>(Send(path, "fileSystemRepresentation"));
}

unsigned long CountOf(id array)
{
    return static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(Send(array, "count")));
}

}  // namespace

namespace fm {

FolderManager::FolderManager() : pool(objc_alloc_init(objc_getClass("NSAutoreleasePool")))
{
}

FolderManager::~FolderManager()
{
    objc_release(pool);
}

const char* FolderManager::pathForDirectory(unsigned long directory, unsigned long domainMask)
{
    const id urls = objc_msgSend(DefaultManager(), sel_registerName("URLsForDirectory:inDomains:"), directory,
                                 domainMask);
    if (urls == nullptr || CountOf(urls) == 0)
        return nullptr;
    const id first = objc_msgSend(urls, sel_registerName("objectAtIndex:"), 0UL);
    return FileSystemPathOf(first);
}

const char* FolderManager::pathForDirectoryAppropriateForItemAtPath(unsigned long directory, unsigned long domain,
                                                                    const char* path, bool create)
{
    const id manager = DefaultManager();
    // A null path has no volume to be near: ask without a URL rather than measure a null text.
    const id string = path == nullptr ? nullptr
                                      : objc_msgSend(manager, sel_registerName("stringWithFileSystemRepresentation:length:"),
                                                     path, static_cast<unsigned long>(std::strlen(path)));
    const id url = string == nullptr
                       ? nullptr
                       : objc_msgSend(reinterpret_cast<id>(objc_getClass("NSURL")), sel_registerName("fileURLWithPath:"), string);
    const BOOL makeIt = create ? 1 : 0;
    const id found = objc_msgSend(manager, sel_registerName("URLForDirectory:inDomain:appropriateForURL:create:error:"),
                                  directory, domain, url, static_cast<int>(makeIt), static_cast<id*>(nullptr));
    return FileSystemPathOf(found);
}

}  // namespace fm

GS::UniString GetProgramsPath()
{
    GS::UniString result;
    fm::FolderManager manager;
    const char* path = manager.pathForDirectory(NSApplicationDirectory, NSLocalDomainMask);
    if (path != nullptr)
        result = path;  // copied while the manager's pool still holds the text
    return result;
}
