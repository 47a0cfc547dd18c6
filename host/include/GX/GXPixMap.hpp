// The host's pixel maps (GSPixMap), handed out as handles (GSPixMap**) that the caller deletes
// with GXDeleteGSPixMap.
//
// Layout of the pixel memory (GXGetGSPixMapBaseAddr):
// - 32 bits a pixel, four bytes in this order in memory: alpha, red, green, blue (straight alpha,
//   not premultiplied; 255 is opaque), the order of the host model's texture pixels;
// - rows from the top row down, each GXGetGSPixMapRowBytes bytes long: width x 4 rounded up to a
//   multiple of GSPixMapRowAlignment, so a row may end in padding bytes that hold no pixel;
// - GXGetGSPixMapRowBytes x height bytes in all. New pixel memory is all zero.
// Whoever fills a pixel map writes row by row at that pitch; one block copy of width x height
// pixels fits only when width x 4 happens to be a multiple of the alignment.
//
// Failure points (HostFailure): "GXCreateGSPixMap" (answers null), "GXGetGSPixMapBaseAddr"
// (answers null).
#ifndef GX_GXPIXMAP_HPP
#define GX_GXPIXMAP_HPP

#include "GXDefinitions.hpp"

struct GSPixMap;  // the host's own record

// Pixel formats: the default (0) is the one format this host keeps, 32-bit ARGB.
enum GSPixMapFormat : Int32 {
    GSPixMapDefaultFormat = 0,
    GSPixMapARGB32 = 4
};

constexpr Int32 GSPixMapBytesPerPixel = 4;
constexpr Int32 GSPixMapRowAlignment = 16;
constexpr Int32 GSPixMapMaxSide = 65535;  // longer sides, and maps over 2 GiB, are refused

// A new all-zero pixel map of width x height pixels at hRes x vRes pixels per inch. Null when a
// side is not within 1..GSPixMapMaxSide, the format is unknown, or memory runs out.
GX_DLL_EXPORT GSPixMap** GXCreateGSPixMap(Int32 width, Int32 height, Int32 hRes, Int32 vRes, Int32 format);
// Frees the pixel map and its memory; a null handle is ignored.
GX_DLL_EXPORT void GXDeleteGSPixMap(GSPixMap** pixMap);

// The pixel memory, or null for a null handle.
GX_DLL_EXPORT void* GXGetGSPixMapBaseAddr(GSPixMap** pixMap);
// Sizes and resolution; 0 for a null handle.
GX_DLL_EXPORT Int32 GXGetGSPixMapWidth(GSPixMap** pixMap);
GX_DLL_EXPORT Int32 GXGetGSPixMapHeight(GSPixMap** pixMap);
GX_DLL_EXPORT Int32 GXGetGSPixMapRowBytes(GSPixMap** pixMap);
GX_DLL_EXPORT Int32 GXGetGSPixMapPixelBits(GSPixMap** pixMap);
GX_DLL_EXPORT Int32 GXGetGSPixMapHRes(GSPixMap** pixMap);
GX_DLL_EXPORT Int32 GXGetGSPixMapVRes(GSPixMap** pixMap);

// Host side: pixel maps alive now; tests check it for leaks.
GX_DLL_EXPORT Int64 GXLiveGSPixMapCount();

#endif
