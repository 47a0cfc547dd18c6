// A host memory handle that is freed on every path out of the scope that owns it.
#ifndef TOOLKIT_OWNEDHANDLE_HPP
#define TOOLKIT_OWNEDHANDLE_HPP

#include "BM.hpp"

class OwnedHandle {
public:
    explicit OwnedHandle(GSHandle handle = nullptr) : handle(handle) {}
    ~OwnedHandle() { BMKillHandle(&handle); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    GSHandle Get() const { return handle; }
    // Where the host puts a handle it hands out; a handle held before is freed first.
    GSHandle* Receive()
    {
        BMKillHandle(&handle);
        return &handle;
    }

private:
    GSHandle handle;
};

#endif
