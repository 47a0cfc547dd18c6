// The host light types the export knows, and the type code each has in a light record. Lights of
// any other type are neither written nor searched for attached files.
#ifndef EXPORTER_LIGHTTYPES_HPP
#define EXPORTER_LIGHTTYPES_HPP

#include "Definitions.hpp"

namespace WRL {

constexpr Int32 NoLightTypeCode = -1;

// 9200 -> 0, 9400 -> 1, 9300 -> 2; NoLightTypeCode for any other host type.
constexpr Int32 LightTypeCode(Int32 hostType)
{
    switch (hostType) {
        case 9200:
            return 0;
        case 9400:
            return 1;
        case 9300:
            return 2;
        default:
            return NoLightTypeCode;
    }
}

constexpr bool IsExportedLightType(Int32 hostType)
{
    return LightTypeCode(hostType) != NoLightTypeCode;
}

}  // namespace WRL

#endif
