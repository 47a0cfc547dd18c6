// Dumps of a library part into the host's report window (no dialog): one line per section, and
// its parameters with, for some library-part types, two of its details.
#ifndef TOOLKIT_LIBPARTDUMPS_HPP
#define TOOLKIT_LIBPARTDUMPS_HPP

#include "ACAPinc.h"
#include "Array.hpp"

// "sectType: 'CTXT', subIndent: 0, version: 0" for each section, the type by its four characters;
// a section that cannot be read is logged beside its line. The array is not used. 0, or the
// error of reading the section list, which is logged and reports nothing.
GSErrCode PrintLibpartSections(API_LibPart const& libPart, GS::Array<API_LibPartSection*>& unused);
// The same for the library part of that index, the type by its name ("????" for unknown codes);
// a section that cannot be read gets ", err: " and the error's name on its line.
GSErrCode CheckLibPartSections(int libIndex);

// The sizes a and b, every parameter in the host's order (an array as a header line and one line
// per item), and for objects, lamps, rooms and labels the fixSize and autohotspot details.
void DumpLibPartParameters(int libIndex, API_LibTypeID libType);

// One parameter line: with i and j 0 the name, flags and value; with i or j negative the header
// of an array of -i x -j items; otherwise item [i][j] and its value. The value is shown by type:
// integers (types 1, 5, 7..11, 13) cut toward zero, reals (2, 3, 4, 6) with "%f", texts (12, 15)
// in double quotes, a separator (14) as a dashed line, any other type as "???????".
void DumpOneLibpartParam(API_AddParID type, char const* name, unsigned short flags, double value,
                         unsigned short const* text, int i, int j);

#endif
