// The host's reference-counted pointer.
#ifndef GSROOT_SHAREDPTR_HPP
#define GSROOT_SHAREDPTR_HPP

#include <memory>

namespace GS {

template <typename T>
class SharedPtr {
public:
    SharedPtr() = default;
    SharedPtr(std::nullptr_t) {}
    explicit SharedPtr(T* owned) : pointer(owned) {}
    SharedPtr(std::shared_ptr<T> shared) : pointer(std::move(shared)) {}
    template <typename U>
    SharedPtr(const SharedPtr<U>& other) : pointer(other.ToStd()) {}

    T* Get() const { return pointer.get(); }
    T* operator->() const { return pointer.get(); }
    T& operator*() const { return *pointer; }
    explicit operator bool() const { return pointer != nullptr; }
    bool operator==(std::nullptr_t) const { return pointer == nullptr; }
    bool operator!=(std::nullptr_t) const { return pointer != nullptr; }
    long GetRefCount() const { return pointer.use_count(); }

    const std::shared_ptr<T>& ToStd() const { return pointer; }

private:
    std::shared_ptr<T> pointer;
};

}  // namespace GS

#endif
