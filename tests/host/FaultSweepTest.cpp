// The fault sweeps: one run, repeated once for each host call that the run makes, that call failing
// in turn, in every way a host call can fail: an error code, a host exception, std::bad_alloc and
// another std::exception, one test a way so that they run side by side. The runs: the save-as of the
// sample building with every pass on, the menu's export to Cinema 4D, and the add-on's start-up
// (CheckEnvironment, RegisterInterface, Initialize). Every run must end as the entry point or handler
// promises: no exception reaches the host, the result is one the call may give, an older file at the
// target is byte for byte as it was unless a whole new one replaced it, nothing is left beside the
// target, every handle and preference root is released, and a failed run says in the debug channel
// what failed. The model's reads fail in turn as well, one kind at a time.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "BM.hpp"
#include "DGScriptedUser.hpp"
#include "DGSettingsDialogScript.hpp"
#include "ExportFolderFixture.hpp"
#include "GSPref.hpp"
#include "GSPrefHost.hpp"
#include "HostErrorNames.hpp"
#include "IOErrors.hpp"
#include "LaunchServiceHost.hpp"
#include "SceneLoader.hpp"
#include "ZeltoReader.hpp"

namespace {

namespace fs = std::filesystem;
using Kind = HostControl::Failure::Kind;

const std::string OlderExport = "an older export";

constexpr short AddOnMenu = 32510;
constexpr Int32 DirectExportItem = 1;
constexpr API_SpecFolderID DirectExportFolder = 6;

const Kind EveryKind[] = {Kind::ErrorCode, Kind::HostException, Kind::OutOfMemory, Kind::OtherException};

std::string KindText(Kind kind)
{
    switch (kind) {
        case Kind::ErrorCode:
            return "an error code";
        case Kind::HostException:
            return "a host exception";
        case Kind::OutOfMemory:
            return "std::bad_alloc";
        case Kind::OtherException:
            return "another std::exception";
    }
    return "";
}

fs::path SampleScene()
{
    return fs::path(__FILE__).parent_path().parent_path().parent_path() / "samples" / "house" / "house.json";
}

// The code a failing call reports: one whose name the add-on's log can show where it has one.
GSErrCode InjectedCode(const std::string& point)
{
    if (point.rfind("ACAPI_", 0) == 0)
        return APIERR_COMMANDFAILED;
    if (point.rfind("IO::", 0) == 0)
        return IO::GeneralIOErr;
    return Error;
}

HostControl::Failure FailureAt(const std::string& point, Kind kind)
{
    HostControl::Failure failure;
    failure.kind = kind;
    failure.code = InjectedCode(point);
    return failure;
}

// Only the oldest and the newest built module: the dispatch functions of older hosts and the
// named functions of newer ones. The sweep's runs are many; every module is exercised elsewhere.
std::vector<int> SweptVersions()
{
    const std::vector<int> built = BuiltModuleVersions();
    if (built.size() <= 2)
        return built;
    return {built.front(), built.back()};
}

// A line of the add-on in the debug channel that holds the cause (any line, for an empty cause).
bool SaysWhatFailed(const std::string& cause)
{
    const std::vector<std::string>& lines = HostControl::TheRecorder().debugLines;
    return std::any_of(lines.begin(), lines.end(), [&cause](const std::string& line) {
        const bool ofTheAddOn = line.rfind("Zelto_export:: ", 0) == 0 || line.rfind("Error: ", 0) == 0;
        return ofTheAddOn && line.find(cause) != std::string::npos;
    });
}

// What the add-on's log must name for a failure at the point: the injected exception's text, or
// the error's name where the add-on's error names know it and the call reports a code (a call
// that answers only yes or no has none to name).
std::string CauseOf(const HostControl::Failure& failure, const std::string& point)
{
    switch (failure.kind) {
        case Kind::HostException:
            return "injected host failure at " + point;
        case Kind::OutOfMemory:
            return "bad_alloc";
        case Kind::OtherException:
            return "injected failure at " + point;
        case Kind::ErrorCode:
            break;
    }
    if (point == "IO::File::IsOpenable")
        return "";
    if (failure.code == APIERR_COMMANDFAILED)
        return "APIERR_COMMANDFAILED";
    if (failure.code == IO::GeneralIOErr)
        return "IO::GeneralIOErr";
    return "";
}

int FailedChecks()
{
    return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
}

// Runs the road once for each point, with the failure of the kind at that point. runFailing(point,
// failure) runs the road and checks its promises; the road must consult the host the same way every
// time, so the number-th consultation is the point.
template <typename RunFailing>
void SweepEachPoint(const std::vector<std::string>& points, Kind kind, RunFailing runFailing)
{
    int runs = 0;
    int reported = 0;
    for (std::size_t number = 1; number <= points.size(); ++number) {
        const std::string& point = points[number - 1];
        HostControl::ResetAll();
        HostControl::TheRecorder().keepCalls = false;
        const HostControl::Failure failure = FailureAt(point, kind);
        HostControl::InjectAtConsultation(static_cast<std::int64_t>(number), failure);
        const int failedBefore = FailedChecks();
        SCOPED_TRACE("call " + std::to_string(number) + ", " + point);
        runFailing(point, failure);
        EXPECT_EQ(HostControl::FailedPoint(), point) << "the run consults the host the same way every time";
        if (FailedChecks() > failedBefore && ++reported == 5)
            return;  // a few broken promises are enough to see; the rest would repeat them
        ++runs;
    }
    EXPECT_GT(runs, 0);
}

// The injection points that a run without failures consults, in order.
template <typename Run>
std::vector<std::string> PointsOf(Run run)
{
    HostControl::TheRecorder().keepPoints = true;
    run();
    HostControl::TheRecorder().keepPoints = false;
    std::vector<std::string> points;
    points.swap(HostControl::TheRecorder().points);
    return points;
}

}  // namespace

class FaultSweepTest : public ExportFolderTest {
protected:
    void SetUp() override
    {
        ExportFolderTest::SetUp();
        std::string error;
        ASSERT_TRUE(ZeltoHost::LoadScene(SampleScene().string(), host->Project(), host->Model(), &error)) << error;
        HostControl::TheRecorder().keepCalls = false;
        liveBlocks = BMLiveBlockCount();
    }

    // One save-as with every pass on over an older file at the target.
    GSErrCode ExportWithEveryPass()
    {
        std::ofstream(Target(), std::ios::binary | std::ios::trunc) << OlderExport;
        std::string error;
        EXPECT_TRUE(ScriptSettingsDialog({{"material-type", "3"},
                                          {"textures", "1"},
                                          {"original-textures", "0"},
                                          {"lights", "1"},
                                          {"cameras", "1"},
                                          {"current-camera", "1"},
                                          {"use-offset", "1"}},
                                         true, &error))
            << error;
        return SaveAs(Target());
    }

    // What every run must leave, whatever failed, in the folder of the target.
    void ExpectTheRunKeptItsPromises(GSErrCode result, const fs::path& target, const std::string& cause)
    {
        if (result == NoError) {
            EXPECT_NO_THROW(zelto_reader::ReadFile(target.string())) << "a run that succeeded wrote a whole file";
        } else {
            EXPECT_EQ(ReadWholeFile(target), OlderExport) << "a run that did not succeed kept the older file";
        }
        ExpectNothingLeftOver(target.parent_path(), {target.filename().string()});
        if (result == APIERR_GENERAL) {
            EXPECT_TRUE(SaysWhatFailed(cause)) << "no line of the add-on names \"" << cause << "\"";
        }
    }

    // In the target's folder only the files of the export (sorted), and every window, preference root,
    // attribute reader and memory handle of the run closed or released.
    void ExpectNothingLeftOver(const fs::path& folder, const std::vector<std::string>& exportFiles)
    {
        EXPECT_EQ(EntriesOf(folder), exportFiles) << "nothing is left beside the target";
        // A window the host failed to close stays open; the host closes it before the next run.
        if (HostControl::FailedPoint() == "ACAPI_ProcessWindow_CloseProcessWindow")
            host->Process().Close();
        EXPECT_FALSE(host->Process().IsOpen());
        EXPECT_EQ(GSPref::CountOpenRoots(), 0);
        EXPECT_EQ(ZeltoHost::HostModel::LiveAttributeReaders(), 0);
        EXPECT_EQ(BMLiveBlockCount(), liveBlocks) << "every memory handle is released";
    }

    // Fails each point that a save-as consults, in turn, with a failure of the kind.
    void SweepTheSaveAs(Kind kind)
    {
        const std::vector<std::string> points = PointsOf([this] { EXPECT_EQ(ExportWithEveryPass(), NoError); });
        ASSERT_GT(points.size(), 100u) << "the export consults the host";
        SweepEachPoint(points, kind, [this](const std::string& point, const HostControl::Failure& failure) {
            GSErrCode result = NoError;
            EXPECT_NO_THROW(result = ExportWithEveryPass()) << "an exception reached the host";
            EXPECT_TRUE(result == NoError || result == APIERR_GENERAL || result == APIERR_CANCEL)
                << ZeltoHost::HostErrorName(result);
            ExpectTheRunKeptItsPromises(result, Target(), CauseOf(failure, point));
        });
    }

    Int64 liveBlocks = 0;
};

INSTANTIATE_TEST_SUITE_P(OldestAndNewestModules, FaultSweepTest, ::testing::ValuesIn(SweptVersions()), VersionName);

TEST_P(FaultSweepTest, EachHostCallFailingWithAnErrorCode)
{
    SweepTheSaveAs(Kind::ErrorCode);
}

TEST_P(FaultSweepTest, EachHostCallThrowingAHostException)
{
    SweepTheSaveAs(Kind::HostException);
}

TEST_P(FaultSweepTest, EachHostCallRunningOutOfMemory)
{
    SweepTheSaveAs(Kind::OutOfMemory);
}

TEST_P(FaultSweepTest, EachHostCallThrowingAnotherException)
{
    SweepTheSaveAs(Kind::OtherException);
}

TEST_P(FaultSweepTest, EachKindOfModelReadThrowing)
{
    for (int read = static_cast<int>(ZeltoHost::ModelRead::Element);
         read <= static_cast<int>(ZeltoHost::ModelRead::TextureName); ++read) {
        for (const ZeltoHost::ModelFault::Kind kind :
             {ZeltoHost::ModelFault::Kind::HostException, ZeltoHost::ModelFault::Kind::OutOfMemory}) {
            HostControl::ResetAll();
            HostControl::TheRecorder().keepCalls = false;
            ZeltoHost::ModelFault fault;
            fault.read = static_cast<ZeltoHost::ModelRead>(read);
            fault.kind = kind;
            host->Model().Data().faults = {fault};
            const GSErrCode result = ExportWithEveryPass();
            host->Model().Data().faults.clear();
            const bool noMemory = kind == ZeltoHost::ModelFault::Kind::OutOfMemory;
            SCOPED_TRACE("model read " + std::to_string(read));
            ExpectTheRunKeptItsPromises(result, Target(), noMemory ? "bad_alloc" : "injected model read failure");
        }
    }
}

// The menu's export to Cinema 4D of the sample building. Every run is the first export: from the
// floor plan, with no Cinema 4D location stored, so that the switch to 3D, the file dialog and the
// storing of the pick are swept too; an older file waits at the target.
class DirectExportFaultSweepTest : public FaultSweepTest {
protected:
    void SetUp() override
    {
        FaultSweepTest::SetUp();
        host->Project().specialFolders[DirectExportFolder] = IO::Location(Documents().c_str());
        fs::create_directories(Application() / "Contents");
        LaunchService::CollectLaunches();  // nothing of an earlier test is taken for this one's
    }

    fs::path Documents() const { return root / "Documents"; }
    fs::path ExportFolder() const { return Documents() / "Zelto Export"; }
    fs::path DirectTarget() const { return ExportFolder() / "House.Zelto"; }
    // A project whose name the host cannot give exports under the default name.
    fs::path WrittenBy(const std::string& failedPoint) const
    {
        return failedPoint == "ACAPI_ProjectOperation_Project" ? ExportFolder() / "Untitled.Zelto" : DirectTarget();
    }
    fs::path Application() const { return root / "Apps" / "Cinema 4D.app"; }

    GSErrCode ExportDirectly()
    {
        fs::remove_all(ExportFolder());
        fs::create_directories(ExportFolder());
        WriteWholeFile(DirectTarget(), OlderExport);
        // Fresh preferences, past the host's calls, which are counted: no Cinema 4D location is stored.
        fs::remove(GSPref::GetPreferenceFilePath());
        DGScriptedUser::Reset();
        DGScriptedUser::PlanFilePick(Application().string());
        host->Project().currentWindow = APIWind_FloorPlanID;
        HostControl::TheRecorder().launchedCommands.clear();
        return host->InvokeMenuCommand(AddOnMenu, DirectExportItem);
    }

    // The host's own error comes back only from the window and sight steps.
    static bool IsAPromisedResult(GSErrCode result, const std::string& point, const HostControl::Failure& failure)
    {
        if (result == NoError || result == APIERR_GENERAL || result == APIERR_CANCEL)
            return true;
        const bool windowOrSight = point == "ACAPI_Window_GetCurrentWindow" || point == "ACAPI_Window_ChangeWindow" ||
                                   point == "ACAPI_Sight_GetCurrentWindowSight";
        return windowOrSight && failure.kind == Kind::ErrorCode && result == failure.code;
    }

    void ExpectTheDirectExportKeptItsPromises(GSErrCode result, const std::string& point,
                                              const HostControl::Failure& failure)
    {
        EXPECT_TRUE(IsAPromisedResult(result, point, failure)) << ZeltoHost::HostErrorName(result);
        const fs::path written = WrittenBy(point);
        const std::vector<std::vector<std::string>>& launched = HostControl::TheRecorder().launchedCommands;
        const bool untouched = written == DirectTarget() ? ReadWholeFile(written) == OlderExport : !fs::exists(written);
        if (result == NoError) {
            EXPECT_FALSE(untouched) << "a run that succeeded wrote its file";
            ASSERT_EQ(launched.size(), 1u) << "a run that succeeded started Cinema 4D";
            EXPECT_EQ(launched[0].back(), written.string());
        }
        // Once the export is whole, a failure of the hand-off that follows keeps it.
        if (!untouched || !launched.empty()) {
            EXPECT_NO_THROW(zelto_reader::ReadFile(written.string())) << "only a whole file replaces the older";
        }
        std::vector<std::string> exportFiles = {DirectTarget().filename().string()};
        if (written != DirectTarget()) {
            EXPECT_EQ(ReadWholeFile(DirectTarget()), OlderExport) << "another project's file stays as it was";
            if (fs::exists(written))
                exportFiles.push_back(written.filename().string());
        }
        ExpectNothingLeftOver(ExportFolder(), exportFiles);
        if (result != NoError && result != APIERR_CANCEL) {
            const std::string cause = CauseOfADirectExportFailure(failure, point);
            EXPECT_TRUE(SaysWhatFailed(cause)) << "no line of the add-on names \"" << cause << "\"";
        }
    }

    static std::string CauseOfADirectExportFailure(const HostControl::Failure& failure, const std::string& point)
    {
        // The launch gets its paths as POSIX texts, which are empty when the host cannot give one: it
        // names the path it lacks.
        if (failure.kind == Kind::ErrorCode && point == "IO::MacImplementationBridge::LocationToUTF8POSIXPath")
            return "Cinema 4D is not started";
        return CauseOf(failure, point);
    }

    // Fails each point that a direct export consults, in turn, with a failure of the kind.
    void SweepTheDirectExport(Kind kind)
    {
        const std::vector<std::string> points = PointsOf([this] { EXPECT_EQ(ExportDirectly(), NoError); });
        ASSERT_GT(points.size(), 100u) << "the export consults the host";
        ASSERT_EQ(DGScriptedUser::FileDialogTranscript().size(), 1u) << "the run asks for Cinema 4D";
        SweepEachPoint(points, kind, [this](const std::string& point, const HostControl::Failure& failure) {
            GSErrCode result = NoError;
            EXPECT_NO_THROW(result = ExportDirectly()) << "an exception reached the host";
            ExpectTheDirectExportKeptItsPromises(result, point, failure);
        });
    }
};

INSTANTIATE_TEST_SUITE_P(OldestAndNewestModules, DirectExportFaultSweepTest, ::testing::ValuesIn(SweptVersions()),
                         VersionName);

TEST_P(DirectExportFaultSweepTest, EachHostCallFailingWithAnErrorCode)
{
    SweepTheDirectExport(Kind::ErrorCode);
}

TEST_P(DirectExportFaultSweepTest, EachHostCallThrowingAHostException)
{
    SweepTheDirectExport(Kind::HostException);
}

TEST_P(DirectExportFaultSweepTest, EachHostCallRunningOutOfMemory)
{
    SweepTheDirectExport(Kind::OutOfMemory);
}

TEST_P(DirectExportFaultSweepTest, EachHostCallThrowingAnotherException)
{
    SweepTheDirectExport(Kind::OtherException);
}

// The add-on's start-up as the host runs it (CheckEnvironment, RegisterInterface, Initialize), each of
// its host calls failing in turn in every way, on a freshly loaded module each time.
class StartupFaultSweepTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { HostControl::ResetAll(); }
    void TearDown() override
    {
        host.reset();
        HostControl::ResetAll();
    }

    // Loads the module into a new host and runs the start-up; the host's text of a failure goes into
    // error.
    GSErrCode StartUp(std::string* error)
    {
        host.reset();
        host = std::make_unique<ZeltoHost::HostApp>(GetParam());
        std::string loadError;
        EXPECT_TRUE(host->Load(BuiltModulePath(GetParam()), &loadError)) << loadError;
        return host->RunStartupProtocol(error);
    }

    // What the add-on's log must name when the start-up fails at the point.
    static std::string CauseOfAStartupFailure(const HostControl::Failure& failure, const std::string& point)
    {
        // Initialize's line for a failed file-type handler names the call, not the error.
        if (failure.kind == Kind::ErrorCode && point == "ACAPI_AddOnIntegration_InstallFileTypeHandler3D")
            return "ACAPI_Install_FileTypeHandler3D";
        return CauseOf(failure, point);
    }

    std::unique_ptr<ZeltoHost::HostApp> host;
};

INSTANTIATE_TEST_SUITE_P(OldestAndNewestModules, StartupFaultSweepTest, ::testing::ValuesIn(SweptVersions()),
                         VersionName);

TEST_P(StartupFaultSweepTest, EachHostCallFailingInEveryWay)
{
    const std::vector<std::string> points = PointsOf([this] {
        std::string error;
        EXPECT_EQ(StartUp(&error), NoError) << error;
    });
    for (const char* call : {"ACAPI_AddOnIntegration_RegisterFileType", "ACAPI_MenuItem_RegisterMenu",
                             "ACAPI_AddOnIntegration_InstallFileTypeHandler3D", "ACAPI_MenuItem_InstallMenuHandler"})
        EXPECT_NE(std::find(points.begin(), points.end(), call), points.end()) << call << " is swept";

    for (const Kind kind : EveryKind) {
        SCOPED_TRACE(KindText(kind));
        SweepEachPoint(points, kind, [this, kind](const std::string& point, const HostControl::Failure& failure) {
            std::string error;
            GSErrCode result = NoError;
            EXPECT_NO_THROW(result = StartUp(&error)) << "an exception reached the host";
            EXPECT_EQ(error.find("CheckEnvironment"), std::string::npos) << "the add-on loads, if unnamed";
            EXPECT_EQ(result, kind == Kind::ErrorCode ? failure.code : APIERR_GENERAL)
                << ZeltoHost::HostErrorName(result);
            const std::string cause = CauseOfAStartupFailure(failure, point);
            EXPECT_TRUE(SaysWhatFailed(cause)) << "no line of the add-on names \"" << cause << "\"";
            EXPECT_EQ(host->CallFreeData(), NoError) << "FreeData succeeds after a failed start-up";
            EXPECT_EQ(GSPref::CountOpenRoots(), 0);
        });
    }
}
