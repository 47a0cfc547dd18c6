// The record counters of one export run. The passes count every record they write; the trailer
// reports fifteen of them (in an order of its own, see MAWriter::ExportTotal).
//
// The counters are 64-bit so that they never wrap while the export runs; the file stores them as
// Int32, and the trailer refuses a count that no longer fits instead of writing a wrapped one.
#ifndef EXPORTER_TOTALINDEX_HPP
#define EXPORTER_TOTALINDEX_HPP

#include "Definitions.hpp"

struct TotalIndex {
    Int64 Sh = 0;         // RGB shader records
    Int64 ShInt = 0;      // internal shader records
    Int64 ShC4D = 0;      // Cinema 4D shader records
    Int64 Tex = 0;        // texture records
    Int64 Layer = 0;      // layer records
    Int64 Class = 0;      // class records
    Int64 Story = 0;      // story records
    Int64 Object = 0;     // element records
    Int64 Point = 0;      // point records
    Int64 Uvw = 0;        // texture-coordinate records
    Int64 Normals = 0;    // normal records: none are written, so it stays 0
    Int64 Poly = 0;       // polygon records
    Int64 Lights = 0;     // light records
    Int64 CameraSet = 0;  // camera-set records
    Int64 Camera = 0;     // camera records
    Int64 PointBase = 0;  // file-wide number of the current body's first point; not written
};

#endif
