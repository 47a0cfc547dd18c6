// zelto_scene_load_bench: how long the stand-in host takes to load a scene file, against its size.
//
//   zelto_scene_load_bench [--elements N]...
//
// For each size (default 5000, 10000 and 20000 elements) it writes a scene file of that many walls
// (each an element of the project with its story and layer, and a body of one quad in the model),
// loads it three times with the host's scene loader and prints the median time, so that time per
// element shows whether loading grows in step with the file.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "SceneLoader.hpp"

namespace {

constexpr int Repetitions = 3;

std::string GuidText(long number)
{
    char text[64];
    std::snprintf(text, sizeof text, "5C000000-0000-4000-8000-%012lX", number);
    return text;
}

// A project of count walls on one story and layer, each with a quad in the model.
std::string SceneText(long count)
{
    std::string project = "{\"format\": {\"name\": \"zelto-scene\", \"version\": 1},\n\"project\": {"
                          "\"stories\": [{\"index\": 0, \"level\": 0.0, \"name\": \"Ground floor\"}],"
                          "\"layers\": [{\"index\": 1, \"name\": \"Walls\"}],\n\"elements\": [\n";
    std::string model = "\"model\": {\"elements\": [\n";
    for (long i = 1; i <= count; ++i) {
        const std::string guid = "\"" + GuidText(i) + "\"";
        const std::string x = std::to_string(i);
        const std::string separator = i < count ? ",\n" : "\n";
        project += "{\"guid\": " + guid + ", \"type\": 1, \"story\": 0, \"layer\": 1}" + separator;
        model += "{\"guid\": " + guid + ", \"bodies\": [{\"vertices\": [[" + x + ", 0, 0], [" + x + ".5, 0, 0], [" +
                 x + ".5, 0, 3], [" + x + ", 0, 3]], \"polygons\": [{\"material\": 0, \"corners\": [1, 2, 3, 4]}]}]}" +
                 separator;
    }
    return project + "]},\n" + model + "]}}\n";
}

double SecondsToLoad(const std::string& path, std::string* error)
{
    ZeltoHost::HostProject project;
    ZeltoHost::HostModel model;
    const auto start = std::chrono::steady_clock::now();
    const bool loaded = ZeltoHost::LoadScene(path, project, model, error);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return loaded ? seconds : -1.0;
}

bool ParseSizes(int argc, char** argv, std::vector<long>* sizes)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        char* end = nullptr;
        const long value = i + 1 < argc ? std::strtol(argv[i + 1], &end, 10) : 0;
        if (argument != "--elements" || end == argv[i + 1] || *end != '\0' || value < 1 || value > 10000000) {
            std::fprintf(stderr, "zelto_scene_load_bench: \"%s\" is not understood\n"
                                 "usage: zelto_scene_load_bench [--elements N]...\n", argv[i]);
            return false;
        }
        sizes->push_back(value);
        ++i;
    }
    if (sizes->empty())
        *sizes = {5000, 10000, 20000};
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<long> sizes;
    if (!ParseSizes(argc, argv, &sizes))
        return 2;
    const char* tmp = std::getenv("TMPDIR");
    const std::string path = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/zelto-scene-load-" +
                             std::to_string(::getpid()) + ".json";
    std::printf("%10s %12s %12s %16s\n", "elements", "file bytes", "seconds", "microseconds/el");
    for (const long count : sizes) {
        const std::string text = SceneText(count);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        std::vector<double> times;
        std::string error;
        for (int round = 0; round < Repetitions; ++round)
            times.push_back(SecondsToLoad(path, &error));
        std::sort(times.begin(), times.end());
        if (times.front() < 0.0) {
            std::fprintf(stderr, "zelto_scene_load_bench: %s\n", error.c_str());
            std::remove(path.c_str());
            return 1;
        }
        const double median = times[Repetitions / 2];
        std::printf("%10ld %12zu %12.3f %16.1f\n", count, text.size(), median, median * 1e6 / double(count));
    }
    std::remove(path.c_str());
    return 0;
}
