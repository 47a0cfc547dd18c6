// The host's memory manager: relocatable handles and plain pointers. Whoever obtains one frees it.
#ifndef GSROOT_BM_HPP
#define GSROOT_BM_HPP

#include "Definitions.hpp"

enum BMAllocFlags : Int32 { ALLOCATE_CLEAR = 1 };

GSROOT_DLL_EXPORT GSHandle BMAllocateHandle(Int32 size, Int32 flags, Int32 reserved);
GSROOT_DLL_EXPORT GSHandle BMReallocHandle(GSHandle handle, Int32 size, Int32 flags, Int32 reserved);
GSROOT_DLL_EXPORT Int32 BMGetHandleSize(GSConstHandle handle);
GSROOT_DLL_EXPORT void BMKillHandle(GSHandle* handle);
GSROOT_DLL_EXPORT GSPtr BMAllocatePtr(Int32 size, Int32 flags, Int32 reserved);
GSROOT_DLL_EXPORT GSPtr BMReallocPtr(GSPtr pointer, Int32 size, Int32 flags, Int32 reserved);
GSROOT_DLL_EXPORT Int32 BMGetPtrSize(GSConstPtr pointer);
GSROOT_DLL_EXPORT void BMKillPtr(GSPtr* pointer);
// The result of the last memory call of this thread: NoError, or the out-of-memory code.
GSROOT_DLL_EXPORT GSErrCode BMError();
constexpr GSErrCode ErrMemoryFull = -108;
constexpr GSErrCode ErrNilHandle = -109;

// A new handle holding a copy of the source's bytes goes into *destination, which is overwritten
// (a handle it held stays the caller's to free). ErrNilHandle for a null source or destination,
// ErrMemoryFull when the copy cannot be made; *destination is null after a failure.
GSROOT_DLL_EXPORT GSErrCode BMHandleToHandle(GSConstHandle source, GSHandle* destination);

GSROOT_DLL_EXPORT void* GS_malloc(std::size_t size);
GSROOT_DLL_EXPORT void GS_free(void* pointer);

// Number of handles and pointers alive; the stand-in host checks it for leaks.
GSROOT_DLL_EXPORT Int64 BMLiveBlockCount();

#endif
