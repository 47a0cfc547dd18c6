// Texts held in the fixed-size fields of host records. The host terminates them with a NUL, but a
// field that is full to its end is read only up to its end.
#ifndef EXPORTER_HOSTTEXTFIELDS_HPP
#define EXPORTER_HOSTTEXTFIELDS_HPP

#include <string>

#include "UniString.hpp"

namespace WRL {

template <USize N>
GS::UniString TextOfUnits(const GS::uchar_t (&units)[N])
{
    USize length = 0;
    while (length < N && units[length] != 0)
        ++length;
    return GS::UniString(units, static_cast<GS::USize>(length));
}

template <USize N>
std::string TextOfBytes(const char (&bytes)[N])
{
    USize length = 0;
    while (length < N && bytes[length] != '\0')
        ++length;
    return std::string(bytes, length);
}

}  // namespace WRL

#endif
