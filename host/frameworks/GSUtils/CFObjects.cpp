#include "CFObjects.hpp"

#include <cstdio>
#include <cstdlib>
#include <map>

namespace CFStandIn {

namespace {

struct LiveObject {
    int references = 1;
    bool constant = false;
    std::unique_ptr<Object> object;
};

std::map<const void*, LiveObject>& LiveObjects()
{
    static std::map<const void*, LiveObject> objects;
    return objects;
}

LiveObject& FindLive(const void* handle, const char* operation)
{
    if (handle == nullptr)
        Crash(operation, "a null object");
    const auto found = LiveObjects().find(handle);
    if (found == LiveObjects().end())
        Crash(operation, "an object that is not alive");
    return found->second;
}

}  // namespace

void Add(const void* handle, std::unique_ptr<Object> object, bool constant)
{
    LiveObject live;
    live.constant = constant;
    live.object = std::move(object);
    LiveObjects().emplace(handle, std::move(live));
}

void Crash(const char* operation, const char* what)
{
    std::fprintf(stderr, "%s of %s\n", operation, what);
    std::abort();
}

Object& Find(const void* handle, const char* operation)
{
    return *FindLive(handle, operation).object;
}

void Retain(const void* handle)
{
    LiveObject& live = FindLive(handle, "CFRetain");
    if (!live.constant)
        ++live.references;
}

// The object is taken out of the list before it is destroyed: destroying it may release others.
void Release(const void* handle)
{
    LiveObject& live = FindLive(handle, "CFRelease");
    if (live.constant || --live.references > 0)
        return;
    std::unique_ptr<Object> dying = std::move(live.object);
    LiveObjects().erase(handle);
}

Int64 CountLive()
{
    Int64 count = 0;
    for (const auto& entry : LiveObjects())
        count += entry.second.constant ? 0 : 1;
    return count;
}

}  // namespace CFStandIn
