#include "Guid.hpp"

namespace GS {

Guid::Guid(UInt32 first, UInt16 second, UInt16 third, const UInt8 (&rest)[8])
    : data1(first), data2(second), data3(third)
{
    for (int i = 0; i < 8; ++i)
        data4[i] = rest[i];
}

UniString Guid::ToUniString() const
{
    return UniString::Printf("%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", static_cast<unsigned>(data1),
                             static_cast<unsigned>(data2), static_cast<unsigned>(data3), data4[0], data4[1],
                             data4[2], data4[3], data4[4], data4[5], data4[6], data4[7]);
}

bool Guid::IsNull() const
{
    return *this == Guid();
}

bool Guid::operator==(const Guid& other) const
{
    if (data1 != other.data1 || data2 != other.data2 || data3 != other.data3)
        return false;
    for (int i = 0; i < 8; ++i) {
        if (data4[i] != other.data4[i])
            return false;
    }
    return true;
}

}  // namespace GS
