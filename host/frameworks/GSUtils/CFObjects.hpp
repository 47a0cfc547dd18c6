// Inside the CoreFoundation stand-in: the reference-counted objects that Create calls hand out.
// Using an object that is not alive, or of another kind than the call takes, is a fault of the
// caller that the real system would crash on; the stand-in stops at once and says so.
#ifndef GSUTILS_CFOBJECTS_HPP
#define GSUTILS_CFOBJECTS_HPP

#include <memory>

#include "Definitions.hpp"

namespace CFStandIn {

struct Object {
    virtual ~Object() = default;
};

// Adds an object under its handle (its own address), with one reference; a constant lives as long as
// the process, and retains and releases leave it alone.
void Add(const void* handle, std::unique_ptr<Object> object, bool constant);

template <typename Kind>
const Kind* Register(std::unique_ptr<Kind> object, bool constant = false)
{
    const Kind* handle = object.get();
    Add(handle, std::move(object), constant);
    return handle;
}

[[noreturn]] void Crash(const char* operation, const char* what);
Object& Find(const void* handle, const char* operation);

template <typename Kind>
Kind& FindOf(const void* handle, const char* operation)
{
    Kind* object = dynamic_cast<Kind*>(&Find(handle, operation));
    if (object == nullptr)
        Crash(operation, "an object of another kind");
    return *object;
}

void Retain(const void* handle);
// The object goes when its last reference does.
void Release(const void* handle);
// Objects alive now, constants left out.
Int64 CountLive();

}  // namespace CFStandIn

#endif
