// One export run through the add-on's engine, as the save-as handler makes it once its settings
// dialog is confirmed: engine made for the model and the target file, MainExporter, engine gone.
#ifndef BENCH_EXPORTRUN_HPP
#define BENCH_EXPORTRUN_HPP

#include <cstdint>
#include <string>

#include "ModelerAPI.hpp"

namespace ZeltoBench {

// Counts from the file's trailer (its last fifteen Int32, little-endian).
struct ExportTrailer {
    bool read = false;
    std::int64_t objects = 0;
    std::int64_t points = 0;
    std::int64_t textureCoordinates = 0;
    std::int64_t polygons = 0;
    std::int64_t textures = 0;
    std::int64_t lights = 0;
};

struct ExportOutcome {
    bool completed = false;
    std::string failure;  // what stopped the export, when it did not complete
    double seconds = 0.0;  // from making the engine until it is destroyed (the file closed and in place)
    std::int64_t bytes = 0;
    ExportTrailer trailer;
};

ExportOutcome RunExport(ModelerAPI::Model& model, const std::string& targetPath);

}  // namespace ZeltoBench

#endif
