// zelto_export_bench: the export's speed and memory against two yardsticks, on a building-like scene.
//
//   zelto_export_bench [--polygons N] [--second-size N] [--keep]
//
// For each of two scene sizes (N exported polygons, default 1000000, and the second size, default
// N / 4) it builds the scene, walks it with the reads an export makes, exports it through the add-on's
// engine inside the stand-in host, writes the same number of bytes with plain POSIX writes, and
// prints the figures. After an untimed first export, walk, export and raw write take turns three
// times; the report gives medians.
// Each size runs in a process of its own, forked from the same small start, so that memory freed by
// one size cannot hide the growth of the other.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "ACAPinc.h"
#include "BuildingSceneGenerator.hpp"
#include "ExportRun.hpp"
#include "GSPref.hpp"
#include "GSPrefHost.hpp"
#include "HeapCounter.hpp"
#include "HostApp.hpp"
#include "HostControl.hpp"
#include "HostModel.hpp"
#include "HostRecorderUsage.hpp"
#include "ModelWalk.hpp"
#include "ProcessMemory.hpp"
#include "RawWrite.hpp"
#include "ZELTO_export_Parameters.hpp"

namespace {

using namespace ZeltoBench;

constexpr int HostApiVersion = 29;
// The export's time may be at most this many times what it cannot avoid: one walk of the model and
// the write of its bytes made durable (the export ends with fsync).
constexpr double RatioTarget = 2.0;
// Growth of the larger scene beyond the smaller one's that still counts as not growing.
constexpr std::int64_t FlatGrowthToleranceKiB = 1024;
constexpr int Repetitions = 3;
constexpr std::size_t BusiestCallsShown = 6;

struct Options {
    std::int64_t polygons = 1000000;
    std::int64_t secondSize = 0;  // 0: polygons / 4
    bool keep = false;
};

// What a size's process hands back for the comparison of the two sizes.
struct SizeSummary {
    bool completed = false;
    std::int64_t polygons = 0;
    double ratio = 0.0;        // export / (walk + raw write): the write left in the system's cache
    double syncedRatio = 0.0;  // export / (walk + raw write with fsync): the one held to the target
    std::int64_t residentGrowthKiB = 0;
    std::int64_t recorderKiB = 0;
    std::int64_t exportHeapPeakKiB = 0;
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
    HostSession(std::int64_t polygons, const std::string& libraryFolder) : app(HostApiVersion)
    {
        const auto start = std::chrono::steady_clock::now();
        ZeltoHost::ModelData data;
        size = GenerateBuildingScene(polygons, data, app.Project(), libraryFolder);
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

// Timings of one measurement repeated; the report uses the median.
class Samples {
public:
    void Add(double seconds) { values.push_back(seconds); }
    double Median() const
    {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        return sorted.empty() ? 0.0 : sorted[sorted.size() / 2];
    }
    double Min() const { return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end()); }
    double Max() const { return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end()); }
    std::string Range() const
    {
        char text[64];
        std::snprintf(text, sizeof text, "%.3f s (%.3f..%.3f over %zu runs)", Median(), Min(), Max(), values.size());
        return text;
    }

private:
    std::vector<double> values;
};

// Memory around one export. The heap figures count operator new (HeapCounter); the recorder's
// lists were reserved beforehand, so what it added is its heap less that reservation.
struct ExportMemory {
    ResidentMemory before, after;
    std::int64_t heapBefore = 0, heapPeak = 0, heapAfter = 0;
    std::int64_t recorderReserved = 0;
    HostRecorderUsage recorder;

    std::int64_t ResidentGrowthKiB() const { return after.peakKiB - before.peakKiB; }
    std::int64_t RecorderGrowth() const { return recorder.heapBytes - recorderReserved; }
    // The export's own heap at the peak; the recorder only grows, so this is what remains of the
    // peak once the recorder's final size is taken off.
    std::int64_t ExportHeapPeak() const { return heapPeak - heapBefore - RecorderGrowth(); }
    std::int64_t ExportHeapLeft() const { return heapAfter - heapBefore - RecorderGrowth(); }
};

struct SizeMeasurements {
    ModelWalkResult walk;
    ExportOutcome firstExport;
    Samples walkTimes, exportTimes, rawWriteTimes, syncedRawWriteTimes;
    ExportMemory memory;  // of the first timed export
    HostRecorderUsage warmUpRecord;  // what the host's recorder kept in the untimed first export
    std::string failure;
};

// One export with its memory: the heap given back first, both peaks reset just before it. The file
// of the previous run is removed first, so that the export makes a new file as the raw write does.
ExportOutcome MeasuredExport(HostSession& host, const std::string& path, const HostRecorderUsage& previous,
                             bool keepHostRecord, ExportMemory* memory)
{
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    HostControl::ResetAll();
    HostControl::TheRecorder().keepCalls = keepHostRecord;
    memory->recorderReserved = keepHostRecord ? PresizeHostRecorder(previous) : 0;
    ReleaseFreeHeapMemory();
    ResetPeakResidentMemory();
    memory->before = ReadResidentMemory();
    memory->heapBefore = HeapBytesInUse();
    ResetPeakHeapBytes();
    const ExportOutcome exported = RunExport(host.model, path);
    memory->heapPeak = PeakHeapBytesInUse();
    memory->heapAfter = HeapBytesInUse();
    memory->after = ReadResidentMemory();
    memory->recorder = MeasureAndClearHostRecorder();
    return exported;
}

// A first export, untimed, shows how many calls the host's recorder will keep; then walk, export and
// raw write take turns Repetitions times, so that all three meet the same state of the machine
// (page cache, write-back).
bool MeasureSize(HostSession& host, const std::string& folder, SizeMeasurements* measured)
{
    const std::string exportPath = folder + "/Tower-" + std::to_string(host.size.polygons) + ".Zelto";
    const std::string rawPath = folder + "/raw-write.bin";
    ExportMemory warmUp;
    // The first export keeps the host's record of calls (for the figures of host calls); the timed
    // ones run without it, as the command line does, so that neither time nor memory counts it.
    const ExportOutcome first = MeasuredExport(host, exportPath, HostRecorderUsage(), true, &warmUp);
    if (!first.completed) {
        measured->failure = "the export failed after " + std::to_string(first.seconds) + " s: " + first.failure;
        return false;
    }
    measured->warmUpRecord = warmUp.recorder;
    HostRecorderUsage previous;
    for (int run = 0; run < Repetitions; ++run) {
        auto start = std::chrono::steady_clock::now();
        measured->walk = WalkModelAsExport(host.model);
        measured->walkTimes.Add(SecondsSince(start));

        ExportMemory memory;
        const ExportOutcome exported = MeasuredExport(host, exportPath, previous, false, &memory);
        if (!exported.completed) {
            measured->failure = "the export failed after " + std::to_string(exported.seconds) +
                                " s: " + exported.failure;
            return false;
        }
        previous = memory.recorder;
        measured->exportTimes.Add(exported.seconds);
        if (run == 0) {
            measured->firstExport = exported;
            measured->memory = memory;
        }

        double rawSeconds = 0.0;
        if (!TimeRawWrite(rawPath, exported.bytes, RawWriteEnd::Close, &rawSeconds, &measured->failure))
            return false;
        measured->rawWriteTimes.Add(rawSeconds);
        if (!TimeRawWrite(rawPath, exported.bytes, RawWriteEnd::SyncThenClose, &rawSeconds, &measured->failure))
            return false;
        measured->syncedRawWriteTimes.Add(rawSeconds);
    }
    return true;
}

void PrintScene(const BuildingSceneSize& size, double seconds)
{
    std::printf("Scene: %lld storeys, %lld bays, %lld elements, %lld bodies, %lld points, %lld polygons "
                "(%lld corners), built in %.2f s\n",
                static_cast<long long>(size.stories), static_cast<long long>(size.bays),
                static_cast<long long>(size.elements), static_cast<long long>(size.bodies),
                static_cast<long long>(size.vertices), static_cast<long long>(size.polygons),
                static_cast<long long>(size.polygonCorners), seconds);
}

void PrintExport(const SizeMeasurements& measured, const BuildingSceneSize& size)
{
    const ExportOutcome& exported = measured.firstExport;
    const double seconds = measured.exportTimes.Median();
    std::printf("Export: %lld polygons, %lld bytes, %s, %.1f MB/s\n",
                static_cast<long long>(exported.trailer.polygons), static_cast<long long>(exported.bytes),
                measured.exportTimes.Range().c_str(), MegabytesPerSecond(exported.bytes, seconds));
    const ExportTrailer& trailer = exported.trailer;
    std::printf("  trailer: %lld objects, %lld points, %lld texture coordinates, %lld polygons, %lld textures, "
                "%lld lights (%s)\n",
                static_cast<long long>(trailer.objects), static_cast<long long>(trailer.points),
                static_cast<long long>(trailer.textureCoordinates), static_cast<long long>(trailer.polygons),
                static_cast<long long>(trailer.textures), static_cast<long long>(trailer.lights),
                trailer.polygons == size.polygons && trailer.points == size.vertices &&
                        trailer.objects == size.elements && trailer.textures == size.embeddedFiles &&
                        trailer.lights == size.lights
                    ? "as the scene holds"
                    : "DIFFERS from the scene");
}

void PrintYardsticks(const SizeMeasurements& measured)
{
    const std::int64_t bytes = measured.firstExport.bytes;
    std::printf("Walk (the export's model reads, no writing): %s, %lld polygons, %lld points (checksum %.6g)\n",
                measured.walkTimes.Range().c_str(), static_cast<long long>(measured.walk.polygons),
                static_cast<long long>(measured.walk.points), measured.walk.checksum);
    std::printf("Raw write (%lld bytes, POSIX write of 1 MiB blocks + close): %s, %.1f MB/s\n",
                static_cast<long long>(bytes), measured.rawWriteTimes.Range().c_str(),
                MegabytesPerSecond(bytes, measured.rawWriteTimes.Median()));
    std::printf("  the same with fsync before close (the export makes its file durable so): %s, %.1f MB/s\n",
                measured.syncedRawWriteTimes.Range().c_str(),
                MegabytesPerSecond(bytes, measured.syncedRawWriteTimes.Median()));
}

// The host's element records are part of the export's time: the same calls repeated alone show
// how much.
void PrintHostElementReads(const SizeMeasurements& measured, HostSession& host)
{
    const std::map<std::string, std::int64_t>& calls = measured.warmUpRecord.callsPerFunction;
    const auto found = calls.find("ACAPI_Element_Get");
    const std::int64_t elementGets = found == calls.end() ? 0 : found->second;
    const int perElement = host.size.elements > 0 ? static_cast<int>(elementGets / host.size.elements) : 0;
    const auto start = std::chrono::steady_clock::now();
    const std::int64_t records = ReadHostElementRecords(host.model, perElement);
    const double seconds = SecondsSince(start);
    HostControl::ResetAll();
    std::printf("  within the export: the host's element records (ACAPI_Element_Get, %lld calls, %d per element), "
                "repeated alone: %.3f s (%lld found)\n",
                static_cast<long long>(elementGets), perElement, seconds, static_cast<long long>(records));
}

void PrintMemory(const ExportMemory& memory, const HostRecorderUsage& warmUpRecord)
{
    std::printf("Peak memory (VmHWM): %lld KiB before the export (resident %lld KiB), %lld KiB after: "
                "growth %lld KiB during the export\n",
                static_cast<long long>(memory.before.peakKiB), static_cast<long long>(memory.before.currentKiB),
                static_cast<long long>(memory.after.peakKiB), static_cast<long long>(memory.ResidentGrowthKiB()));
    const HostRecorderUsage& recorder = warmUpRecord;
    std::vector<std::pair<std::string, std::int64_t>> busiest(recorder.callsPerFunction.begin(),
                                                              recorder.callsPerFunction.end());
    std::sort(busiest.begin(), busiest.end(), [](const auto& left, const auto& right) {
        return left.second > right.second;
    });
    std::printf("  the host's recorder (kept in the untimed first export only) held %lld calls and %lld process "
                "events, %lld KiB of heap; busiest:",
                static_cast<long long>(recorder.calls), static_cast<long long>(recorder.processEvents),
                static_cast<long long>(recorder.heapBytes / 1024));
    for (std::size_t i = 0; i < busiest.size() && i < BusiestCallsShown; ++i)
        std::printf(" %s %lld", busiest[i].first.c_str(), static_cast<long long>(busiest[i].second));
    std::printf("\n  the export's own heap (operator new, the recorder taken off): %lld KiB at the peak, "
                "%lld KiB left after it\n",
                static_cast<long long>(memory.ExportHeapPeak() / 1024),
                static_cast<long long>(memory.ExportHeapLeft() / 1024));
}

// One size, start to end; the summary goes back to the parent process.
SizeSummary RunSize(std::int64_t polygons, const std::string& folder)
{
    SizeSummary summary;
    summary.polygons = polygons;
    std::printf("\n=== Scene of %lld polygons ===\n", static_cast<long long>(polygons));
    HostSession host(polygons, folder + "/library");
    PrintScene(host.size, host.buildSeconds);
    if (!host.IsReady()) {
        std::printf("The stand-in host could not be set up.\n");
        return summary;
    }
    SizeMeasurements measured;
    if (!MeasureSize(host, folder, &measured)) {
        std::printf("FAILED: %s\n", measured.failure.c_str());
        return summary;
    }
    PrintExport(measured, host.size);
    PrintYardsticks(measured);
    const double exportSeconds = measured.exportTimes.Median();
    const double walkSeconds = measured.walkTimes.Median();
    summary.ratio = exportSeconds / (walkSeconds + measured.rawWriteTimes.Median());
    summary.syncedRatio = exportSeconds / (walkSeconds + measured.syncedRawWriteTimes.Median());
    std::printf("Ratio export / (walk + raw write), medians: %.2f\n", summary.ratio);
    std::printf("  against the raw write with fsync: %.2f (target at most %.1f: %s)\n", summary.syncedRatio,
                RatioTarget, summary.syncedRatio <= RatioTarget ? "met" : "NOT met");
    PrintHostElementReads(measured, host);
    PrintMemory(measured.memory, measured.warmUpRecord);

    summary.residentGrowthKiB = measured.memory.ResidentGrowthKiB();
    summary.recorderKiB = measured.warmUpRecord.heapBytes / 1024;
    summary.exportHeapPeakKiB = measured.memory.ExportHeapPeak() / 1024;
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
        std::printf("%10lld polygons: VmHWM +%lld KiB (host recorder off; it held %lld KiB when on); the export's own heap peak %lld KiB\n",
                    static_cast<long long>(size->polygons), static_cast<long long>(size->residentGrowthKiB),
                    static_cast<long long>(size->recorderKiB), static_cast<long long>(size->exportHeapPeakKiB));
    }
    const SizeSummary& larger = first.polygons >= second.polygons ? first : second;
    const SizeSummary& smaller = first.polygons >= second.polygons ? second : first;
    const std::int64_t difference = larger.exportHeapPeakKiB - smaller.exportHeapPeakKiB;
    std::printf("The export's own heap peak, larger scene minus smaller: %lld KiB (flat within %lld KiB: %s)\n",
                static_cast<long long>(difference), static_cast<long long>(FlatGrowthToleranceKiB),
                difference <= FlatGrowthToleranceKiB ? "yes" : "NO");
    std::printf("Ratios: %.2f and %.2f; against the raw write with fsync: %.2f and %.2f (target at most %.1f)\n",
                first.ratio, second.ratio, first.syncedRatio, second.syncedRatio, RatioTarget);
}

// Material type 3 (RGB, internal and Cinema 4D shaders) with textures embedded and lights exported.
bool StoreExportSettings()
{
    GSPref::IRoot* root = nullptr;
    if (GSPref::OpenRootKey(0, &root) != NoError || root == nullptr)
        return false;
    const bool stored = root->WriteInt32(WRL::REG_Folder, WRL::REG_MaterialType, 3) == NoError &&
                        root->WriteBool(WRL::REG_Folder, WRL::REG_Textures, true) == NoError &&
                        root->WriteBool(WRL::REG_Folder, WRL::REG_Lights, true) == NoError;
    GSPref::CloseRootKey(root);
    return stored;
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
    // Preferences of the add-on in a folder of their own: the defaults, but with every shader run
    // and the lights, so that materials, textures, library files and lights are all exported.
    const std::string preferences = folder + "/preferences";
    std::filesystem::create_directory(preferences);
    std::filesystem::create_directory(folder + "/library");
    GSPref::SetUserDataFolder(preferences);
    if (!StoreExportSettings()) {
        std::fprintf(stderr, "cannot store the export settings\n");
        return 1;
    }

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
