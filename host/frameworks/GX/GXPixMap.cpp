#include "GXPixMap.hpp"

#include <limits>
#include <new>

#include "HostFailure.hpp"
#include "PixMapData.hpp"

namespace {

Int64 livePixMaps = 0;

Int32 RowBytesFor(Int32 width)
{
    const Int32 packed = width * GSPixMapBytesPerPixel;
    return (packed + GSPixMapRowAlignment - 1) / GSPixMapRowAlignment * GSPixMapRowAlignment;
}

bool IsKnownFormat(Int32 format)
{
    return format == GSPixMapDefaultFormat || format == GSPixMapARGB32;
}

}  // namespace

namespace GXHost {

std::unique_ptr<GSPixMap> MakePixMap(Int32 width, Int32 height, Int32 hRes, Int32 vRes)
{
    if (width < 1 || height < 1 || width > GSPixMapMaxSide || height > GSPixMapMaxSide)
        return nullptr;
    const Int32 rowBytes = RowBytesFor(width);
    const Int64 size = Int64(rowBytes) * height;
    if (size > std::numeric_limits<Int32>::max())
        return nullptr;
    try {
        auto pixMap = std::make_unique<GSPixMap>();
        pixMap->width = width;
        pixMap->height = height;
        pixMap->rowBytes = rowBytes;
        pixMap->hRes = hRes > 0 ? hRes : ScreenResolution;
        pixMap->vRes = vRes > 0 ? vRes : ScreenResolution;
        pixMap->bytes.assign(static_cast<std::size_t>(size), 0);
        return pixMap;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

GSPixMap** ToHandle(std::unique_ptr<GSPixMap> pixMap)
{
    if (pixMap == nullptr)
        return nullptr;
    auto* master = new (std::nothrow) GSPixMap*(nullptr);
    if (master == nullptr)
        return nullptr;
    *master = pixMap.release();
    ++livePixMaps;
    return master;
}

GSPixMap* FromHandle(GSPixMap** handle)
{
    return handle != nullptr ? *handle : nullptr;
}

}  // namespace GXHost

GSPixMap** GXCreateGSPixMap(Int32 width, Int32 height, Int32 hRes, Int32 vRes, Int32 format)
{
    if (!IsKnownFormat(format) || HostFailure::Check("GXCreateGSPixMap") != NoError)
        return nullptr;
    return GXHost::ToHandle(GXHost::MakePixMap(width, height, hRes, vRes));
}

void GXDeleteGSPixMap(GSPixMap** pixMap)
{
    if (pixMap == nullptr)
        return;
    std::unique_ptr<GSPixMap> owned(*pixMap);
    delete pixMap;
    --livePixMaps;
}

void* GXGetGSPixMapBaseAddr(GSPixMap** pixMap)
{
    GSPixMap* map = GXHost::FromHandle(pixMap);
    if (map == nullptr || HostFailure::Check("GXGetGSPixMapBaseAddr") != NoError)
        return nullptr;
    return map->bytes.data();
}

Int32 GXGetGSPixMapWidth(GSPixMap** pixMap)
{
    const GSPixMap* map = GXHost::FromHandle(pixMap);
    return map != nullptr ? map->width : 0;
}

Int32 GXGetGSPixMapHeight(GSPixMap** pixMap)
{
    const GSPixMap* map = GXHost::FromHandle(pixMap);
    return map != nullptr ? map->height : 0;
}

Int32 GXGetGSPixMapRowBytes(GSPixMap** pixMap)
{
    const GSPixMap* map = GXHost::FromHandle(pixMap);
    return map != nullptr ? map->rowBytes : 0;
}

Int32 GXGetGSPixMapPixelBits(GSPixMap** pixMap)
{
    return GXHost::FromHandle(pixMap) != nullptr ? GSPixMapBytesPerPixel * 8 : 0;
}

Int32 GXGetGSPixMapHRes(GSPixMap** pixMap)
{
    const GSPixMap* map = GXHost::FromHandle(pixMap);
    return map != nullptr ? map->hRes : 0;
}

Int32 GXGetGSPixMapVRes(GSPixMap** pixMap)
{
    const GSPixMap* map = GXHost::FromHandle(pixMap);
    return map != nullptr ? map->vRes : 0;
}

Int64 GXLiveGSPixMapCount()
{
    return livePixMaps;
}
