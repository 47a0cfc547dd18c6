// zelto_export_bench: the export's speed and memory against two yardsticks, on a building-like scene.
//
//   zelto_export_bench [--polygons N] [--second-size N] [--keep]
//
// For each of two scene sizes (N exported polygons, default 1000000, and the second size, default
// N / 4) it builds the scene, walks it with the reads an export makes, exports it through the add-on's
// engine inside the stand-in host, writes the same number of bytes with plain POSIX writes, and
// prints the figures. Each size runs in a process of its own, forked from the same small start, so
// that memory freed by one size cannot hide the growth of the other.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include "ACAPinc.h"
#include "BuildingSceneGenerator.hpp"
#include "ExportRun.hpp"
#include "GSPrefHost.hpp"
#include "HostApp.hpp"
#include "HostControl.hpp"
#include "HostModel.hpp"
#include "HostRecorderUsage.hpp"
#include "ModelWalk.hpp"
#include "ProcessMemory.hpp"
#include "RawWrite.hpp"

namespace {

using namespace ZeltoBench;

constexpr int HostApiVersion = 29;
constexpr double RatioTarget = 2.0;
// Growth of the larger scene beyond the smaller one's that still counts as not growing.
constexpr std::int64_t FlatGrowthToleranceKiB = 1024;

struct Options {
    std::int64_t polygons = 1000000;
    std::int64_t secondSize = 0;  // 0: polygons / 4
    bool keep = false;
};

// What a size's process hands back for the comparison of the two sizes.
struct SizeSummary {
    bool completed = false;
    std::int64_t polygons = 0;
    double ratio = 0.0;
    std::int64_t growthKiB = 0;
    std::int64_t recorderKiB = 0;
};

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double MegabytesPerSecond(std::int64_t bytes, double seconds)
{
    return seconds > 0.0 ? static_cast<double>(bytes) / 1e6 / seconds : 0.0;
}

bool ParseCount(const char* text, std::int64_t* count)
{
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || value < 1 || value > 100000000)
        return false;
    *count = value;
    return true;
}

void PrintUsage()
{
    std::cerr << "usage: zelto_export_bench [--polygons N] [--second-size N] [--keep]\n"
                 "  --polygons N     exported polygons of the main scene (default 1000000)\n"
                 "  --second-size N  polygons of the scene for the memory comparison (default N/4)\n"
                 "  --keep           keep the export files (their folder is printed)\n";
}

bool ParseOptions(int argc, char** argv, Options* options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--keep") {
            options->keep = true;
        } else if ((argument == "--polygons" || argument == "--second-size") && i + 1 < argc) {
            std::int64_t* target = argument == "--polygons" ? &options->polygons : &options->secondSize;
            if (!ParseCount(argv[++i], target)) {
                std::cerr << argument << " needs a whole number from 1 to 100000000\n";
                return false;
            }
        } else {
            return false;
        }
    }
    if (options->secondSize == 0)
        options->secondSize = options->polygons / 4 > 0 ? options->polygons / 4 : 1;
    return true;
}

// The host's part of the run: its application (project, process window), the model behind its
// 3D window, and the function table in the add-on's hands, as the host sets them up for a module.
class HostSession {
public:
    explicit HostSession(std::int64_t polygons) : app(HostApiVersion)
    {
        const auto start = std::chrono::steady_clock::now();
        ZeltoHost::ModelData data;
        size = GenerateBuildingScene(polygons, data, app.Project());
        hostModel = std::make_unique<ZeltoHost::HostModel>(std::move(data));
        ZeltoHost::InstallModel(*hostModel);
        buildSeconds = SecondsSince(start);
        tableHandedOver = SetImportedFuncAddrs(API_ProtocolFormat,
                                               ZeltoHost::HostApi::Instance().TableFor(HostApiVersion)) == NoError;
        modelFilled = EXPGetModel(hostModel->Sight(), &model, nullptr) == NoError;
    }

    bool IsReady() const { return tableHandedOver && modelFilled; }

    ZeltoHost::HostApp app;
    std::unique_ptr<ZeltoHost::HostModel> hostModel;
    ModelerAPI::Model model;
    BuildingSceneSize size;
    double buildSeconds = 0.0;

private:
    bool tableHandedOver = false;
    bool modelFilled = false;
};

void PrintScene(const BuildingSceneSize& size, double seconds)
{
    std::printf("Scene: %lld storeys, %lld bays, %lld elements, %lld bodies, %lld points, %lld polygons "
                "(%lld corners), built in %.2f s\n",
                static_cast<long long>(size.stories), static_cast<long long>(size.bays),
                static_cast<long long>(size.elements), static_cast<long long>(size.bodies),
                static_cast<long long>(size.vertices), static_cast<long long>(size.polygons),
                static_cast<long long>(size.polygonCorners), seconds);
}

void PrintRecorder(const HostRecorderUsage& usage)
{
    std::printf("  host recorder after the export: %lld calls, %lld process events, ~%.1f MiB;",
                static_cast<long long>(usage.calls), static_cast<long long>(usage.processEvents),
                static_cast<double>(usage.approximateBytes) / (1024.0 * 1024.0));
    for (const auto& [function, count] : usage.busiestCalls)
        std::printf(" %s %lld", function.c_str(), static_cast<long long>(count));
    std::printf("\n");
}

// One size, start to end; the summary goes back to the parent process.
SizeSummary RunSize(std::int64_t polygons, const std::string& folder)
{
    SizeSummary summary;
    summary.polygons = polygons;
    std::printf("\n=== Scene of %lld polygons ===\n", static_cast<long long>(polygons));
    HostSession host(polygons);
    PrintScene(host.size, host.buildSeconds);
    if (!host.IsReady()) {
        std::printf("The stand-in host could not be set up.\n");
        return summary;
    }

    auto start = std::chrono::steady_clock::now();
    const ModelWalkResult walk = WalkModelAsExport(host.model);
    const double walkSeconds = SecondsSince(start);

    const std::string exportPath = folder + "/Tower-" + std::to_string(polygons) + ".Zelto";
    HostControl::ResetAll();
    ResetPeakResidentMemory();
    const ResidentMemory before = ReadResidentMemory();
    const ExportOutcome exported = RunExport(host.model, exportPath);
    const ResidentMemory after = ReadResidentMemory();
    const HostRecorderUsage recorder = MeasureHostRecorder(HostControl::TheRecorder(), 6);
    const std::int64_t elementReads =
        static_cast<std::int64_t>(HostControl::TheRecorder().CountOf("ACAPI_Element_Get"));
    HostControl::ResetAll();

    if (!exported.completed) {
        std::printf("Export FAILED after %.3f s: %s\n", exported.seconds, exported.failure.c_str());
        return summary;
    }
    std::printf("Export: %lld polygons, %lld bytes, %.3f s, %.1f MB/s\n",
                static_cast<long long>(exported.trailer.polygons), static_cast<long long>(exported.bytes),
                exported.seconds, MegabytesPerSecond(exported.bytes, exported.seconds));
    std::printf("  trailer: %lld objects, %lld points, %lld texture coordinates, %lld polygons%s\n",
                static_cast<long long>(exported.trailer.objects), static_cast<long long>(exported.trailer.points),
                static_cast<long long>(exported.trailer.textureCoordinates),
                static_cast<long long>(exported.trailer.polygons),
                exported.trailer.polygons == host.size.polygons && exported.trailer.points == host.size.vertices
                    ? " (as the scene holds)"
                    : " (DIFFERS from the scene)");

    std::printf("Walk (the export's model reads, no writing): %.3f s, %lld polygons, %lld points (checksum %.6g)\n",
                walkSeconds, static_cast<long long>(walk.polygons), static_cast<long long>(walk.points),
                walk.checksum);

    double rawSeconds = 0.0;
    std::string rawError;
    if (!TimeRawWrite(folder + "/raw-write.bin", exported.bytes, &rawSeconds, &rawError)) {
        std::printf("Raw write FAILED: %s\n", rawError.c_str());
        return summary;
    }
    std::printf("Raw write (%lld bytes, POSIX write of 1 MiB blocks + close): %.3f s, %.1f MB/s\n",
                static_cast<long long>(exported.bytes), rawSeconds, MegabytesPerSecond(exported.bytes, rawSeconds));

    summary.ratio = exported.seconds / (walkSeconds + rawSeconds);
    std::printf("Ratio export / (walk + raw write): %.2f (target at most %.1f: %s)\n", summary.ratio, RatioTarget,
                summary.ratio <= RatioTarget ? "met" : "NOT met");

    const int readRuns = host.size.elements > 0 ? static_cast<int>(elementReads / host.size.elements) : 0;
    start = std::chrono::steady_clock::now();
    const std::int64_t recordsFound = ReadHostElementRecords(host.model, readRuns);
    const double readSeconds = SecondsSince(start);
    HostControl::ResetAll();
    std::printf("  of the export's time, the host's element records (ACAPI_Element_Get, %lld calls made by the "
                "export, %d per element, repeated alone): %.3f s (%lld found)\n",
                static_cast<long long>(elementReads), readRuns, readSeconds, static_cast<long long>(recordsFound));

    summary.growthKiB = after.peakKiB - before.peakKiB;
    summary.recorderKiB = recorder.approximateBytes / 1024;
    std::printf("Peak memory (VmHWM): %lld KiB before the export (resident %lld KiB), %lld KiB after: "
                "growth %lld KiB during the export\n",
                static_cast<long long>(before.peakKiB), static_cast<long long>(before.currentKiB),
                static_cast<long long>(after.peakKiB), static_cast<long long>(summary.growthKiB));
    PrintRecorder(recorder);
    summary.completed = true;
    return summary;
}

// Runs one size in a child process and reads its summary back through a pipe.
SizeSummary RunSizeInChild(std::int64_t polygons, const std::string& folder)
{
    SizeSummary summary;
    int channel[2];
    if (::pipe(channel) != 0)
        return summary;
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const SizeSummary result = RunSize(polygons, folder);
        std::fflush(stdout);
        const bool sent = ::write(channel[1], &result, sizeof result) == static_cast<ssize_t>(sizeof result);
        ::close(channel[1]);
        std::_Exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    if (child > 0) {
        if (::read(channel[0], &summary, sizeof summary) != static_cast<ssize_t>(sizeof summary))
            summary = SizeSummary();
        int status = 0;
        ::waitpid(child, &status, 0);
    }
    ::close(channel[0]);
    return summary;
}

void PrintComparison(const SizeSummary& first, const SizeSummary& second)
{
    std::printf("\n=== Memory growth during the export ===\n");
    for (const SizeSummary* size : {&first, &second}) {
        std::printf("%10lld polygons: %7lld KiB, of which the host recorder ~%lld KiB; without it ~%lld KiB\n",
                    static_cast<long long>(size->polygons), static_cast<long long>(size->growthKiB),
                    static_cast<long long>(size->recorderKiB),
                    static_cast<long long>(size->growthKiB - size->recorderKiB));
    }
    const SizeSummary& larger = first.polygons >= second.polygons ? first : second;
    const SizeSummary& smaller = first.polygons >= second.polygons ? second : first;
    const std::int64_t difference =
        (larger.growthKiB - larger.recorderKiB) - (smaller.growthKiB - smaller.recorderKiB);
    std::printf("Export's own growth, larger scene minus smaller: %lld KiB (flat within %lld KiB: %s)\n",
                static_cast<long long>(difference), static_cast<long long>(FlatGrowthToleranceKiB),
                difference <= FlatGrowthToleranceKiB ? "yes" : "NO");
    std::printf("Ratios: %.2f and %.2f (target at most %.1f)\n", first.ratio, second.ratio, RatioTarget);
}

std::string MakeScratchFolder()
{
    const char* temporary = std::getenv("TMPDIR");
    std::string pattern = std::string(temporary != nullptr && *temporary != '\0' ? temporary : "/tmp") +
                          "/zelto-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        return std::string();
    return pattern;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        PrintUsage();
        return 2;
    }
    const std::string folder = MakeScratchFolder();
    if (folder.empty()) {
        std::perror("cannot make a scratch folder");
        return 1;
    }
    // Preferences of the add-on in a folder of their own, empty: the export runs with the defaults.
    const std::string preferences = folder + "/preferences";
    std::filesystem::create_directory(preferences);
    GSPref::SetUserDataFolder(preferences);

    std::printf("Zelto export benchmark: host API %d, scratch folder %s\n", HostApiVersion, folder.c_str());
    const SizeSummary first = RunSizeInChild(options.polygons, folder);
    const SizeSummary second = RunSizeInChild(options.secondSize, folder);
    if (first.completed && second.completed)
        PrintComparison(first, second);

    if (options.keep) {
        std::printf("\nExport files kept in %s\n", folder.c_str());
    } else {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    return first.completed && second.completed ? 0 : 1;
}
