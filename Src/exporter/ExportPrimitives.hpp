// Byte encodings of the export file's primitives: little-endian whatever the machine, bool as one
// byte 0 or 1, Real as the 8 bytes of an IEEE 754 double. Each Put function stores one value at a
// position the caller has room for and returns the position after it.
#ifndef EXPORTER_EXPORTPRIMITIVES_HPP
#define EXPORTER_EXPORTPRIMITIVES_HPP

#include <cstring>

#include "Definitions.hpp"

namespace WRL {

constexpr USize BoolBytes = 1;
constexpr USize Int32Bytes = 4;
constexpr USize UInt32Bytes = 4;
constexpr USize RealBytes = 8;
constexpr USize PointBytes = 3 * RealBytes;

inline char* PutUInt32(char* at, UInt32 value)
{
    at[0] = static_cast<char>(value & 0xFFu);
    at[1] = static_cast<char>((value >> 8) & 0xFFu);
    at[2] = static_cast<char>((value >> 16) & 0xFFu);
    at[3] = static_cast<char>((value >> 24) & 0xFFu);
    return at + UInt32Bytes;
}

inline char* PutInt32(char* at, Int32 value)
{
    return PutUInt32(at, static_cast<UInt32>(value));
}

inline char* PutUInt64(char* at, UInt64 value)
{
    for (USize i = 0; i < 8; ++i)
        at[i] = static_cast<char>((value >> (8 * i)) & 0xFFu);
    return at + 8;
}

inline char* PutReal(char* at, double value)
{
    static_assert(sizeof(double) == sizeof(UInt64), "Real is an 8-byte double");
    UInt64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return PutUInt64(at, bits);
}

// A host record may hold a bool whose byte is neither 0 nor 1; the file always gets 0 or 1. The byte
// is read as it is, so even such a value is told apart reliably.
inline UInt8 BoolByte(const bool& value)
{
    unsigned char raw = 0;
    std::memcpy(&raw, &value, 1);
    return raw != 0 ? 1 : 0;
}

inline char* PutBool(char* at, const bool& value)
{
    at[0] = static_cast<char>(BoolByte(value));
    return at + BoolBytes;
}

}  // namespace WRL

#endif
