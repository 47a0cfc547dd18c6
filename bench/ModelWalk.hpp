// The reads an export makes of the host model, made without writing anything: the yardstick for
// what the export itself adds. One walk mirrors the export's runs over the elements, in order:
//   bounds:              element, validity, bodies, polygons, convex polygons, vertex indices, vertices
//   element records:     element, validity (GUID), body count
//   points:              element, validity, bodies, polygon and vertex counts, every vertex
//   texture coordinates: ... convex polygons of 3 or more corners: vertex index, vertex, texture coordinate
//   polygon records:     ... convex polygons of 3 or more corners: material index, vertex indices
// Validity here is the model's own part of it (GUID and IsInvalid); the host's element record,
// which the export reads as well, is timed apart (see ReadHostElementRecords).
#ifndef BENCH_MODELWALK_HPP
#define BENCH_MODELWALK_HPP

#include <cstdint>

#include "ModelerAPI.hpp"

namespace ZeltoBench {

struct ModelWalkResult {
    std::int64_t validElements = 0;
    std::int64_t points = 0;
    std::int64_t polygons = 0;  // convex polygons of 3 or more corners, counted in the polygon run
    double checksum = 0.0;      // keeps the reads from being optimised away
};

ModelWalkResult WalkModelAsExport(const ModelerAPI::Model& model);

// The number of element runs of an export that check each element against the host's record.
constexpr int ElementRunsPerExport = 5;

// Reads every element's host record by its GUID (ACAPI_Element_Get, mask 0) runs times, as the
// validity test of the export's element runs does. The number of records found.
std::int64_t ReadHostElementRecords(const ModelerAPI::Model& model, int runs);

}  // namespace ZeltoBench

#endif
