// The host's globally unique identifier and its text form.
#ifndef GSROOT_GUID_HPP
#define GSROOT_GUID_HPP

#include "Definitions.hpp"
#include "UniString.hpp"

namespace GS {

class GSROOT_DLL_EXPORT Guid {
public:
    Guid() = default;  // the null identifier
    Guid(UInt32 first, UInt16 second, UInt16 third, const UInt8 (&rest)[8]);

    // Upper-case hex digits grouped 8-4-4-4-12, without braces: "1A2B3C4D-0001-0002-0A0B-00112233AABB".
    UniString ToUniString() const;

    bool IsNull() const;
    bool operator==(const Guid& other) const;
    bool operator!=(const Guid& other) const { return !(*this == other); }

private:
    UInt32 data1 = 0;
    UInt16 data2 = 0;
    UInt16 data3 = 0;
    UInt8 data4[8] = {};
};

}  // namespace GS

#endif
