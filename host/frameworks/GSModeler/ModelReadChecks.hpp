// Argument checks shared by the model classes: a bad index or a null output throws a host
// exception, as a read of something that is not there would in the host.
#ifndef GSMODELER_MODELREADCHECKS_HPP
#define GSMODELER_MODELREADCHECKS_HPP

#include <cstddef>

#include "Definitions.hpp"

namespace ZeltoHost {

[[noreturn]] void ThrowIndexOutOfRange(const char* operation, Int32 index, std::size_t count);
[[noreturn]] void ThrowNullOutput(const char* operation);
[[noreturn]] void ThrowBadArgument(const char* operation, const char* why);

// The 0-based position of a 1-based index into `count` items.
inline std::size_t CheckedPosition(const char* operation, Int32 index, std::size_t count)
{
    if (index < 1 || static_cast<std::size_t>(index) > count)
        ThrowIndexOutOfRange(operation, index, count);
    return static_cast<std::size_t>(index) - 1;
}

inline void CheckOutput(const void* output, const char* operation)
{
    if (output == nullptr)
        ThrowNullOutput(operation);
}

}  // namespace ZeltoHost

#endif
