// Owners of the host's picture memory, so that every path of the texture pass releases it: a memory
// handle (BMKillHandle) and a pixel map (GXDeleteGSPixMap).
#ifndef EXPORTER_PICTUREMEMORY_HPP
#define EXPORTER_PICTUREMEMORY_HPP

#include "BM.hpp"
#include "GXPixMap.hpp"

namespace WRL {

class HandleOwner {
public:
    HandleOwner() = default;
    ~HandleOwner() { Release(); }
    HandleOwner(const HandleOwner&) = delete;
    HandleOwner& operator=(const HandleOwner&) = delete;

    // Where a host call puts a new handle.
    GSHandle* Receive()
    {
        Release();
        return &handle;
    }
    void Adopt(GSHandle newHandle)
    {
        Release();
        handle = newHandle;
    }
    GSHandle Get() const { return handle; }

private:
    void Release()
    {
        if (handle != nullptr)
            BMKillHandle(&handle);
        handle = nullptr;
    }

    GSHandle handle = nullptr;
};

class PixMapOwner {
public:
    PixMapOwner() = default;
    explicit PixMapOwner(GSPixMap** newPixMap) : pixMap(newPixMap) {}
    ~PixMapOwner() { GXDeleteGSPixMap(pixMap); }
    PixMapOwner(const PixMapOwner&) = delete;
    PixMapOwner& operator=(const PixMapOwner&) = delete;

    void Adopt(GSPixMap** newPixMap)
    {
        GXDeleteGSPixMap(pixMap);
        pixMap = newPixMap;
    }
    GSPixMap** Get() const { return pixMap; }

private:
    GSPixMap** pixMap = nullptr;
};

}  // namespace WRL

#endif
