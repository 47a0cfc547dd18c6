#include "ObjCRuntime.hpp"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "GSPrefHost.hpp"
#include "HostFailure.hpp"

struct objc_object {
    enum class Kind { Manager, Pool, Array, URL, String };
    Kind kind;
    std::string text;        // a URL's path, a string's bytes
    std::vector<id> items;   // an array's URLs, which it owns
};

struct objc_class {
    std::string name;
};

struct objc_selector {
    std::string name;
};

namespace {

[[noreturn]] void Crash(const std::string& what)
{
    std::fprintf(stderr, "Objective-C stand-in: %s\n", what.c_str());
    std::abort();
}

std::map<id, std::unique_ptr<objc_object>>& LiveObjects()
{
    static std::map<id, std::unique_ptr<objc_object>> objects;
    return objects;
}

std::vector<std::vector<id>>& Pools()
{
    static std::vector<std::vector<id>> pools;
    return pools;
}

std::vector<id>& PoolObjects()
{
    static std::vector<id> poolObjects;  // parallel to Pools()
    return poolObjects;
}

id NewObject(objc_object::Kind kind, std::string text = std::string())
{
    auto object = std::make_unique<objc_object>();
    object->kind = kind;
    object->text = std::move(text);
    const id handle = object.get();
    LiveObjects().emplace(handle, std::move(object));
    return handle;
}

void Destroy(id object)
{
    const auto found = LiveObjects().find(object);
    if (found == LiveObjects().end())
        Crash("release of an object that is not alive");
    for (const id item : found->second->items)
        Destroy(item);
    LiveObjects().erase(found);
}

id Autoreleased(id object)
{
    if (!Pools().empty())
        Pools().back().push_back(object);
    return object;
}

id TheManager()
{
    static const id manager = NewObject(objc_object::Kind::Manager);
    return manager;
}

objc_object& Live(id object, objc_object::Kind kind, const char* message)
{
    const auto found = LiveObjects().find(object);
    if (found == LiveObjects().end() || found->second->kind != kind)
        Crash(std::string(message) + " sent to an object that does not answer it");
    return *found->second;
}

const char* DirectoryName(unsigned long directory)
{
    switch (directory) {
        case 1: return "Applications";
        case 5: return "Library";
        case 9: return "Documents";
        case 12: return "Desktop";
        case 13: return "Caches";
        case 14: return "Application Support";
        case 15: return "Downloads";
        default: return nullptr;
    }
}

// The domain's folder under the user-data folder; empty for a domain that lists nothing.
std::string DomainFolder(unsigned long domain)
{
    const std::string& home = GSPref::GetUserDataFolder();
    if (home.empty())
        return std::string();
    switch (domain) {
        case 1: return home;
        case 2: return home + "/Local";
        case 8: return home + "/System";
        default: return std::string();
    }
}

std::string DirectoryPath(unsigned long directory, unsigned long domain)
{
    const std::string folder = DomainFolder(domain);
    const char* name = DirectoryName(directory);
    if (folder.empty() || name == nullptr)
        return std::string();
    return folder + "/" + name;
}

id URLsForDirectory(unsigned long directory, unsigned long domainMask)
{
    if (HostFailure::Check("NSFileManager URLsForDirectory:inDomains:") != NoError)
        return nullptr;
    const id array = NewObject(objc_object::Kind::Array);
    for (const unsigned long domain : {1UL, 2UL, 4UL, 8UL}) {
        const std::string path = (domainMask & domain) != 0 ? DirectoryPath(directory, domain) : std::string();
        if (!path.empty())
            LiveObjects().at(array)->items.push_back(NewObject(objc_object::Kind::URL, path));
    }
    return Autoreleased(array);
}

id URLForDirectory(unsigned long directory, unsigned long domain, bool create)
{
    if (HostFailure::Check("NSFileManager URLForDirectory:inDomain:appropriateForURL:create:error:") != NoError)
        return nullptr;
    std::string path;
    if (directory == 99 && domain == 1 && !GSPref::GetUserDataFolder().empty())
        path = GSPref::GetUserDataFolder() + "/TemporaryItems";
    else
        path = DirectoryPath(directory, domain);
    if (path.empty())
        return nullptr;
    if (create) {
        std::error_code error;
        std::filesystem::create_directories(path, error);
        if (!std::filesystem::is_directory(path, error))
            return nullptr;
    }
    return Autoreleased(NewObject(objc_object::Kind::URL, path));
}

id SendToClass(const objc_class& cls, const std::string& message, va_list args)
{
    if (cls.name == "NSFileManager" && message == "defaultManager")
        return TheManager();
    if (cls.name == "NSURL" && message == "fileURLWithPath:") {
        const id string = va_arg(args, id);
        return Autoreleased(NewObject(objc_object::Kind::URL, Live(string, objc_object::Kind::String, "fileURLWithPath:").text));
    }
    Crash("+[" + cls.name + " " + message + "] is not offered");
}

id SendToManager(const std::string& message, va_list args)
{
    if (message == "URLsForDirectory:inDomains:") {
        const unsigned long directory = va_arg(args, unsigned long);
        const unsigned long mask = va_arg(args, unsigned long);
        return URLsForDirectory(directory, mask);
    }
    if (message == "URLForDirectory:inDomain:appropriateForURL:create:error:") {
        const unsigned long directory = va_arg(args, unsigned long);
        const unsigned long domain = va_arg(args, unsigned long);
        va_arg(args, id);  // the volume does not matter: the stand-in has one
        const int create = va_arg(args, int);
        id* error = va_arg(args, id*);
        if (error != nullptr)
            *error = nullptr;
        return URLForDirectory(directory, domain, create != 0);
    }
    if (message == "stringWithFileSystemRepresentation:length:") {
        const char* bytes = va_arg(args, const char*);
        const unsigned long length = va_arg(args, unsigned long);
        if (bytes == nullptr)
            return nullptr;
        return Autoreleased(NewObject(objc_object::Kind::String, std::string(bytes, length)));
    }
    Crash("-[NSFileManager " + message + "] is not offered");
}

bool IsClass(id self)
{
    static const std::set<std::string> names = {"NSFileManager", "NSURL", "NSAutoreleasePool"};
    for (const std::string& name : names)
        if (reinterpret_cast<id>(objc_getClass(name.c_str())) == self)
            return true;
    return false;
}

}  // namespace

Class objc_getClass(const char* name)
{
    static std::map<std::string, std::unique_ptr<objc_class>> classes;
    if (name == nullptr)
        return nullptr;
    const std::string key(name);
    if (key != "NSFileManager" && key != "NSURL" && key != "NSAutoreleasePool")
        return nullptr;
    auto& cls = classes[key];
    if (!cls)
        cls = std::make_unique<objc_class>(objc_class{key});
    return cls.get();
}

SEL sel_registerName(const char* name)
{
    static std::map<std::string, std::unique_ptr<objc_selector>> selectors;
    auto& selector = selectors[name != nullptr ? name : ""];
    if (!selector)
        selector = std::make_unique<objc_selector>(objc_selector{name != nullptr ? name : ""});
    return selector.get();
}

id objc_msgSend(id self, SEL op, ...)
{
    if (self == nullptr)
        return nullptr;  // a message to nil answers nil
    const std::string message = op->name;
    va_list args;
    va_start(args, op);
    id result = nullptr;
    if (IsClass(self)) {
        result = SendToClass(*reinterpret_cast<objc_class*>(self), message, args);
    } else if (self == TheManager()) {
        result = SendToManager(message, args);
    } else {
        const auto found = LiveObjects().find(self);
        if (found == LiveObjects().end())
            Crash(message + " sent to an object that is not alive");
        objc_object& object = *found->second;
        if (object.kind == objc_object::Kind::Array && message == "count") {
            result = reinterpret_cast<id>(static_cast<std::uintptr_t>(object.items.size()));
        } else if (object.kind == objc_object::Kind::Array && message == "objectAtIndex:") {
            const unsigned long index = va_arg(args, unsigned long);
            if (index >= object.items.size())
                Crash("objectAtIndex: beyond the array");
            result = object.items[index];
        } else if (object.kind == objc_object::Kind::URL && message == "path") {
            result = Autoreleased(NewObject(objc_object::Kind::String, object.text));
        } else if (object.kind == objc_object::Kind::String && message == "fileSystemRepresentation") {
            result = reinterpret_cast<id>(const_cast<char*>(object.text.c_str()));
        } else {
            Crash(message + " is not offered by this object");
        }
    }
    va_end(args);
    return result;
}

id objc_alloc_init(Class cls)
{
    if (cls == nullptr || cls->name != "NSAutoreleasePool")
        Crash("objc_alloc_init is offered for NSAutoreleasePool only");
    const id pool = NewObject(objc_object::Kind::Pool);
    Pools().emplace_back();
    PoolObjects().push_back(pool);
    return pool;
}

void objc_release(id object)
{
    if (object == nullptr)
        return;
    Live(object, objc_object::Kind::Pool, "release");
    if (PoolObjects().empty() || PoolObjects().back() != object)
        Crash("a pool released out of order");
    for (const id autoreleased : Pools().back())
        Destroy(autoreleased);
    Pools().pop_back();
    PoolObjects().pop_back();
    Destroy(object);
}

Int64 ObjCStandInLiveObjectCount()
{
    // The default manager lives for the whole process, as on macOS.
    Int64 count = 0;
    for (const auto& entry : LiveObjects())
        if (entry.second->kind != objc_object::Kind::Manager && entry.second->kind != objc_object::Kind::Pool)
            ++count;
    return count;
}

Int64 ObjCStandInOpenPoolCount()
{
    return static_cast<Int64>(Pools().size());
}
