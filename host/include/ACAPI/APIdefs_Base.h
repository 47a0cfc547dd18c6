// Basic records of the host API: identities, coordinates, boxes.
#ifndef ACAPI_APIDEFS_BASE_H
#define ACAPI_APIDEFS_BASE_H

#include "Definitions.hpp"

struct API_Guid {
    UInt32 time_low;
    UInt16 time_mid;
    UInt16 time_hi_and_version;
    UInt8 clock_seq_hi_and_reserved;
    UInt8 clock_seq_low;
    UInt8 node[6];
};

constexpr API_Guid APINULLGuid = {0, 0, 0, 0, 0, {0, 0, 0, 0, 0, 0}};

inline bool operator==(const API_Guid& left, const API_Guid& right)
{
    if (left.time_low != right.time_low || left.time_mid != right.time_mid ||
        left.time_hi_and_version != right.time_hi_and_version ||
        left.clock_seq_hi_and_reserved != right.clock_seq_hi_and_reserved || left.clock_seq_low != right.clock_seq_low)
        return false;
    for (int i = 0; i < 6; ++i) {
        if (left.node[i] != right.node[i])
            return false;
    }
    return true;
}
inline bool operator!=(const API_Guid& left, const API_Guid& right) { return !(left == right); }

struct API_Coord {
    double x;
    double y;
};

struct API_Coord3D {
    double x;
    double y;
    double z;
};

struct API_Box {
    double xMin;
    double yMin;
    double xMax;
    double yMax;
};

struct API_Box3D {
    double xMin;
    double yMin;
    double zMin;
    double xMax;
    double yMax;
    double zMax;
};

struct API_Tranmat {
    double tmx[12];
};

// A four-character code, the first character in the most significant byte.
using API_Selector = UInt32;

#endif
