// A building-like scene for the export benchmark: a tower of storeys, each a grid of bays with
// walls pierced by windows, slabs, columns, furniture and pendant lamps. The scene grows bay by
// bay until it holds the wanted number of exported polygons (convex polygons of 3 or more
// corners), so its size can be chosen freely while its make-up stays the same.
#ifndef BENCH_BUILDINGSCENEGENERATOR_HPP
#define BENCH_BUILDINGSCENEGENERATOR_HPP

#include <cstdint>

#include "HostProject.hpp"
#include "ModelData.hpp"

namespace ZeltoBench {

// What the scene holds, counted as the export sees it.
struct BuildingSceneSize {
    std::int64_t stories = 0;
    std::int64_t bays = 0;
    std::int64_t elements = 0;
    std::int64_t bodies = 0;
    std::int64_t vertices = 0;        // the points the export writes
    std::int64_t polygons = 0;        // exported (convex) polygons: texture-coordinate and polygon records
    std::int64_t polygonCorners = 0;  // corners of the exported polygons
};

// Fills an empty model and an empty project (stories, layers, material attributes, library parts,
// element records and type names) with a building of at least targetPolygons exported polygons.
BuildingSceneSize GenerateBuildingScene(std::int64_t targetPolygons, ZeltoHost::ModelData& model,
                                        ZeltoHost::HostProject& project);

}  // namespace ZeltoBench

#endif
