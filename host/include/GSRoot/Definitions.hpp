// Basic integer types, error codes and character codes of the host's root framework.
#ifndef GSROOT_DEFINITIONS_HPP
#define GSROOT_DEFINITIONS_HPP

#include <cstddef>
#include <cstdint>

#if defined(__GNUC__)
#define GSROOT_DLL_EXPORT __attribute__((visibility("default")))
#else
#define GSROOT_DLL_EXPORT
#endif

using Int8 = std::int8_t;
using UInt8 = std::uint8_t;
using Int16 = std::int16_t;
using UInt16 = std::uint16_t;
using Int32 = std::int32_t;
using UInt32 = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using USize = std::size_t;

// Host error codes are signed 32-bit values; the host's own codes are negative.
using GSErrCode = Int32;
constexpr GSErrCode NoError = 0;
constexpr GSErrCode Error = -1;

using GSPtr = char*;
using GSConstPtr = const char*;
using GSHandle = char**;
using GSConstHandle = const char* const*;

using GSResID = Int16;
using GSResType = UInt32;

// Character codes: the host's default code and code 99 are both UTF-8 here.
enum GSCharCode : Int32 {
    CC_Default = 0,
    CC_UTF8 = 99
};

namespace GS {
using uchar_t = unsigned short;
using Int32 = ::Int32;
using UInt32 = ::UInt32;
using UIndex = ::UInt32;
using USize = ::UInt32;
constexpr UIndex MaxUIndex = 0xFFFFFFFFu;
}  // namespace GS

#endif
