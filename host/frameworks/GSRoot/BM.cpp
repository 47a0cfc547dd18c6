#include "BM.hpp"

#include <cstdlib>
#include <cstring>
#include <new>

#include "HostFailure.hpp"

// Every block carries its size in a header in front of the bytes the caller sees; a handle is a
// separately allocated master pointer to such a block.
namespace {

struct BlockHeader {
    std::int64_t size;
    std::int64_t padding;
};

thread_local GSErrCode lastError = NoError;
Int64 liveBlocks = 0;

char* AllocateBlock(Int32 size, bool clear)
{
    if (size < 0 || HostFailure::Check("BM::Allocate") != NoError) {
        lastError = ErrMemoryFull;
        return nullptr;
    }
    auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + static_cast<std::size_t>(size)));
    if (header == nullptr) {
        lastError = ErrMemoryFull;
        return nullptr;
    }
    header->size = size;
    char* bytes = reinterpret_cast<char*>(header + 1);
    if (clear)
        std::memset(bytes, 0, static_cast<std::size_t>(size));
    lastError = NoError;
    return bytes;
}

BlockHeader* HeaderOf(const char* bytes)
{
    return reinterpret_cast<BlockHeader*>(const_cast<char*>(bytes)) - 1;
}

char* ReallocateBlock(char* bytes, Int32 size, bool clear)
{
    if (bytes == nullptr)
        return AllocateBlock(size, clear);
    if (size < 0) {
        lastError = ErrMemoryFull;
        return nullptr;
    }
    const std::int64_t oldSize = HeaderOf(bytes)->size;
    auto* header = static_cast<BlockHeader*>(std::realloc(HeaderOf(bytes), sizeof(BlockHeader) + static_cast<std::size_t>(size)));
    if (header == nullptr) {
        lastError = ErrMemoryFull;
        return nullptr;
    }
    header->size = size;
    char* newBytes = reinterpret_cast<char*>(header + 1);
    if (clear && size > oldSize)
        std::memset(newBytes + oldSize, 0, static_cast<std::size_t>(size - oldSize));
    lastError = NoError;
    return newBytes;
}

}  // namespace

GSHandle BMAllocateHandle(Int32 size, Int32 flags, Int32 /*reserved*/)
{
    char* bytes = AllocateBlock(size, (flags & ALLOCATE_CLEAR) != 0);
    if (bytes == nullptr)
        return nullptr;
    auto* master = static_cast<char**>(std::malloc(sizeof(char*)));
    if (master == nullptr) {
        std::free(HeaderOf(bytes));
        lastError = ErrMemoryFull;
        return nullptr;
    }
    *master = bytes;
    ++liveBlocks;
    return master;
}

GSHandle BMReallocHandle(GSHandle handle, Int32 size, Int32 flags, Int32 reserved)
{
    if (handle == nullptr)
        return BMAllocateHandle(size, flags, reserved);
    char* bytes = ReallocateBlock(*handle, size, (flags & ALLOCATE_CLEAR) != 0);
    if (bytes == nullptr)
        return nullptr;
    *handle = bytes;
    return handle;
}

Int32 BMGetHandleSize(GSConstHandle handle)
{
    if (handle == nullptr || *handle == nullptr)
        return 0;
    return static_cast<Int32>(HeaderOf(*handle)->size);
}

void BMKillHandle(GSHandle* handle)
{
    if (handle == nullptr || *handle == nullptr)
        return;
    std::free(HeaderOf(**handle));
    std::free(*handle);
    *handle = nullptr;
    --liveBlocks;
}

GSErrCode BMHandleToHandle(GSConstHandle source, GSHandle* destination)
{
    if (destination == nullptr || source == nullptr || *source == nullptr) {
        if (destination != nullptr)
            *destination = nullptr;
        lastError = ErrNilHandle;
        return ErrNilHandle;
    }
    const Int32 size = BMGetHandleSize(source);
    *destination = BMAllocateHandle(size, 0, 0);
    if (*destination == nullptr)
        return lastError;
    std::memcpy(**destination, *source, static_cast<std::size_t>(size));
    return NoError;
}

GSPtr BMAllocatePtr(Int32 size, Int32 flags, Int32 /*reserved*/)
{
    char* bytes = AllocateBlock(size, (flags & ALLOCATE_CLEAR) != 0);
    if (bytes != nullptr)
        ++liveBlocks;
    return bytes;
}

GSPtr BMReallocPtr(GSPtr pointer, Int32 size, Int32 flags, Int32 reserved)
{
    if (pointer == nullptr)
        return BMAllocatePtr(size, flags, reserved);
    return ReallocateBlock(pointer, size, (flags & ALLOCATE_CLEAR) != 0);
}

Int32 BMGetPtrSize(GSConstPtr pointer)
{
    return pointer == nullptr ? 0 : static_cast<Int32>(HeaderOf(pointer)->size);
}

void BMKillPtr(GSPtr* pointer)
{
    if (pointer == nullptr || *pointer == nullptr)
        return;
    std::free(HeaderOf(*pointer));
    *pointer = nullptr;
    --liveBlocks;
}

GSErrCode BMError()
{
    return lastError;
}

void* GS_malloc(std::size_t size)
{
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr)
        throw std::bad_alloc();
    return block;
}

void GS_free(void* pointer)
{
    std::free(pointer);
}

Int64 BMLiveBlockCount()
{
    return liveBlocks;
}
