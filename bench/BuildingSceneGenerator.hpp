// A building-like scene for the export benchmark: a tower of storeys, each a grid of bays with
// walls pierced by windows, slabs, columns, furniture and pendant lamps. The scene grows bay by
// bay until it holds the wanted number of exported polygons (convex polygons of 3 or more
// corners), so its size can be chosen freely while its make-up stays the same.
#ifndef BENCH_BUILDINGSCENEGENERATOR_HPP
#define BENCH_BUILDINGSCENEGENERATOR_HPP

#include <cstdint>
#include <string>

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
    std::int64_t lights = 0;          // light records, with "Export Lights"
    std::int64_t embeddedFiles = 0;   // texture records in material type 3 with textures and lights
};

// Fills an empty model and an empty project (stories, layers, material attributes, library parts,
// element records and type names) with a building of at least targetPolygons exported polygons.
// Materials carry extra parameters and lamps carry lights whose parameters name library files (a
// bump picture, a grain picture named by its document name, a light profile, an HDR image); those
// files are written into libraryFolder, which must exist.
BuildingSceneSize GenerateBuildingScene(std::int64_t targetPolygons, ZeltoHost::ModelData& model,
                                        ZeltoHost::HostProject& project, const std::string& libraryFolder);

}  // namespace ZeltoBench

#endif
