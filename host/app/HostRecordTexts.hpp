// Texts in the fixed-size fields of host records: UTF-16 unit arrays and 8-bit (UTF-8) C strings.
// Writing always leaves a terminating NUL inside the field and never cuts a character in half.
#ifndef HOSTAPP_HOSTRECORDTEXTS_HPP
#define HOSTAPP_HOSTRECORDTEXTS_HPP

#include <cstddef>

#include "UniString.hpp"

namespace ZeltoHost {

void WriteUnits(const GS::UniString& text, GS::uchar_t* field, std::size_t fieldUnits);
void WriteBytes(const GS::UniString& text, char* field, std::size_t fieldBytes);
// The text of a field, up to its NUL or its end.
GS::UniString ReadUnits(const GS::uchar_t* field, std::size_t fieldUnits);
GS::UniString ReadBytes(const char* field, std::size_t fieldBytes);

template <std::size_t N>
void WriteUnits(const GS::UniString& text, GS::uchar_t (&field)[N])
{
    WriteUnits(text, field, N);
}

template <std::size_t N>
void WriteBytes(const GS::UniString& text, char (&field)[N])
{
    WriteBytes(text, field, N);
}

template <std::size_t N>
GS::UniString ReadUnits(const GS::uchar_t (&field)[N])
{
    return ReadUnits(field, N);
}

template <std::size_t N>
GS::UniString ReadBytes(const char (&field)[N])
{
    return ReadBytes(field, N);
}

}  // namespace ZeltoHost

#endif
