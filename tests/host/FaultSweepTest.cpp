// The fault sweep: one save-as of the sample building with every pass on, repeated once for each
// host call that the export makes, that call failing in turn: with an error code, and (where the
// call is one of the frameworks' C++ calls) with an exception. Every run must end as the handler
// promises: no crash, the host's general error or a cancel (or success where the failure is one the
// export may pass over), an older file at the target byte for byte as it was unless the run
// succeeded, nothing left beside the target, every handle and preference root released, and a
// failed run says in the debug channel what failed. The model's reads fail in turn as well, one kind
// at a time.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "BM.hpp"
#include "DGSettingsDialogScript.hpp"
#include "ExportFolderFixture.hpp"
#include "GSPref.hpp"
#include "HostErrorNames.hpp"
#include "IOErrors.hpp"
#include "SceneLoader.hpp"
#include "ZeltoReader.hpp"

namespace {

namespace fs = std::filesystem;

const std::string OlderExport = "an older export";

fs::path SampleScene()
{
    return fs::path(__FILE__).parent_path().parent_path().parent_path() / "samples" / "house" / "house.json";
}

// The host API's calls are C functions: they fail with an error code only. The frameworks' calls
// are C++ and may throw as well.
bool IsCppCall(const std::string& point)
{
    return point.rfind("ACAPI_", 0) != 0;
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

// Only the oldest and the newest built module: the dispatch functions of older hosts and the
// named functions of newer ones. The sweep's runs are many; every module is exercised elsewhere.
std::vector<int> SweptVersions()
{
    const std::vector<int> built = BuiltModuleVersions();
    if (built.size() <= 2)
        return built;
    return {built.front(), built.back()};
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

    // The injection points an export without failures consults, in order.
    std::vector<std::string> PointsOfAnExport()
    {
        HostControl::TheRecorder().keepPoints = true;
        EXPECT_EQ(ExportWithEveryPass(), NoError);
        HostControl::TheRecorder().keepPoints = false;
        std::vector<std::string> points;
        points.swap(HostControl::TheRecorder().points);
        return points;
    }

    // What every run must leave, whatever failed. failure names the run in messages.
    void ExpectTheRunKeptItsPromises(GSErrCode result, const std::string& failure, const std::string& cause)
    {
        SCOPED_TRACE(failure);
        EXPECT_TRUE(result == NoError || result == APIERR_GENERAL || result == APIERR_CANCEL)
            << ZeltoHost::HostErrorName(result);
        if (result == NoError) {
            EXPECT_NO_THROW(zelto_reader::ReadFile(Target().string())) << "a run that succeeded wrote a whole file";
        } else {
            EXPECT_EQ(ReadWholeFile(Target()), OlderExport) << "a run that did not succeed kept the older file";
        }
        EXPECT_EQ(EntriesOf(Out()), std::vector<std::string>{"House.Zelto"}) << "nothing is left beside the target";
        // A window the host failed to close stays open; the host closes it before the next run.
        if (HostControl::FailedPoint() == "ACAPI_ProcessWindow_CloseProcessWindow")
            host->Process().Close();
        EXPECT_FALSE(host->Process().IsOpen());
        EXPECT_EQ(GSPref::CountOpenRoots(), 0);
        EXPECT_EQ(ZeltoHost::HostModel::LiveAttributeReaders(), 0);
        EXPECT_EQ(BMLiveBlockCount(), liveBlocks) << "every memory handle is released";
        if (result == APIERR_GENERAL) {
            EXPECT_TRUE(SaysWhatFailed(cause)) << "no line of the add-on names \"" << cause << "\"";
        }
    }

    // A line of the add-on in the debug channel that holds the cause (any line, for an empty cause).
    static bool SaysWhatFailed(const std::string& cause)
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
    static std::string CauseOf(const HostControl::Failure& failure, const std::string& point)
    {
        if (failure.kind == HostControl::Failure::Kind::HostException)
            return "injected host failure at " + point;
        if (point == "IO::File::IsOpenable")
            return "";
        if (failure.code == APIERR_COMMANDFAILED)
            return "APIERR_COMMANDFAILED";
        if (failure.code == IO::GeneralIOErr)
            return "IO::GeneralIOErr";
        return "";
    }

    // Fails each point that an export consults, in turn, with a failure of the kind.
    void SweepThePoints(HostControl::Failure::Kind kind, bool cppCallsOnly)
    {
        const std::vector<std::string> points = PointsOfAnExport();
        ASSERT_GT(points.size(), 100u) << "the export consults the host";
        int runs = 0;
        int reported = 0;
        for (std::size_t number = 1; number <= points.size(); ++number) {
            const std::string& point = points[number - 1];
            if (cppCallsOnly && !IsCppCall(point))
                continue;
            HostControl::ResetAll();
            HostControl::TheRecorder().keepCalls = false;
            HostControl::Failure failure;
            failure.kind = kind;
            failure.code = InjectedCode(point);
            HostControl::InjectAtConsultation(static_cast<std::int64_t>(number), failure);
            const int failedBefore = FailedChecks();
            const GSErrCode result = ExportWithEveryPass();
            EXPECT_EQ(HostControl::FailedPoint(), point) << "the export consults the host the same way every time";
            ExpectTheRunKeptItsPromises(result, "call " + std::to_string(number) + ", " + point,
                                        CauseOf(failure, point));
            if (FailedChecks() > failedBefore && ++reported == 5)
                return;  // a few broken promises are enough to see; the rest would repeat them
            ++runs;
        }
        EXPECT_GT(runs, 0);
    }

    static int FailedChecks()
    {
        return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
    }

    Int64 liveBlocks = 0;
};

INSTANTIATE_TEST_SUITE_P(OldestAndNewestModules, FaultSweepTest, ::testing::ValuesIn(SweptVersions()), VersionName);

TEST_P(FaultSweepTest, EachHostCallFailingWithAnErrorCode)
{
    SweepThePoints(HostControl::Failure::Kind::ErrorCode, false);
}

TEST_P(FaultSweepTest, EachFrameworkCallThrowing)
{
    SweepThePoints(HostControl::Failure::Kind::HostException, true);
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
            ExpectTheRunKeptItsPromises(result, "model read " + std::to_string(read),
                                        noMemory ? "bad_alloc" : "injected model read failure");
        }
    }
}
