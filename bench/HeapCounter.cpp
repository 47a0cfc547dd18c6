#include "HeapCounter.hpp"

#include <cstdlib>
#include <new>

#include <malloc.h>

namespace {

// Single-threaded: the export runs on the host's one thread.
std::int64_t inUse = 0;
std::int64_t peak = 0;

void* Allocate(std::size_t size)
{
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr)
        throw std::bad_alloc();
    inUse += static_cast<std::int64_t>(::malloc_usable_size(block));
    if (inUse > peak)
        peak = inUse;
    return block;
}

void Release(void* block) noexcept
{
    if (block == nullptr)
        return;
    inUse -= static_cast<std::int64_t>(::malloc_usable_size(block));
    std::free(block);
}

}  // namespace

namespace ZeltoBench {

std::int64_t HeapBytesInUse()
{
    return inUse;
}

std::int64_t PeakHeapBytesInUse()
{
    return peak;
}

void ResetPeakHeapBytes()
{
    peak = inUse;
}

}  // namespace ZeltoBench

// The replaceable global allocation functions (the over-aligned forms keep their defaults).
void* operator new(std::size_t size)
{
    return Allocate(size);
}

void* operator new[](std::size_t size)
{
    return Allocate(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}

void operator delete(void* block) noexcept
{
    Release(block);
}

void operator delete[](void* block) noexcept
{
    Release(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    Release(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    Release(block);
}

void operator delete(void* block, const std::nothrow_t&) noexcept
{
    Release(block);
}

void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    Release(block);
}
