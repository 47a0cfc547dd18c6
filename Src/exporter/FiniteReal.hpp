// The export file carries only finite Reals. A value that overflowed on its way into the file (a
// coordinate far out, offset and scaled) or that is not a number would be read as a position or a
// size that no reader can place, so it fails the export instead, as a number that does not fit an
// Int32 field does.
#ifndef EXPORTER_FINITEREAL_HPP
#define EXPORTER_FINITEREAL_HPP

#include <cmath>

namespace WRL {

// Throws GS::GeneralException (-7003) naming the record and the value.
[[noreturn]] void ThrowNotFinite(double value, const char* record);

// record names the kind of record the value belongs to ("point", "light", ...).
inline void CheckFinite(double value, const char* record)
{
    if (!std::isfinite(value))
        ThrowNotFinite(value, record);
}

}  // namespace WRL

#endif
