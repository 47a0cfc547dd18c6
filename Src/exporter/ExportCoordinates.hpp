// How the export turns model values into file values: positions get the project offset on x and y
// (never on z) and are scaled, lengths are only scaled, angles go from radians to degrees.
#ifndef EXPORTER_EXPORTCOORDINATES_HPP
#define EXPORTER_EXPORTCOORDINATES_HPP

#include "APIdefs_Base.h"

namespace WRL {

constexpr double DegreesPerRadian = 57.29577951308232;

inline double ToDegrees(double radians)
{
    return radians * DegreesPerRadian;
}

class ExportCoordinates {
public:
    ExportCoordinates() = default;
    ExportCoordinates(double scale, const API_Coord& offset) : scale(scale), offset(offset) {}

    double X(double x) const { return (x + offset.x) * scale; }
    double Y(double y) const { return (y + offset.y) * scale; }
    double Z(double z) const { return z * scale; }
    double Length(double length) const { return length * scale; }

private:
    double scale = 1.0;
    API_Coord offset{0.0, 0.0};
};

}  // namespace WRL

#endif
