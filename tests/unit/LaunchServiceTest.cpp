// The stand-in's launch service: what the host records of a launch, the exit status a test plans,
// and that each launch is collected once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostControl.hpp"
#include "LaunchServiceHost.hpp"
#include "PlatformServices.hpp"
#include "ProgramLaunch.hpp"

namespace {

using Arguments = std::vector<std::string>;

// Starts the service as a caller of the platform would and gives its exit status (-1: not started).
// The service is a script, so it runs wherever the test runs, an emulator or not.
int Launch(const Arguments& arguments)
{
    int status = -1;
    return RunProgramAndWait(PlatformOpenCommandPath(), arguments, &status) ? status : -1;
}

class LaunchServiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LaunchService::CollectLaunches();
        HostControl::ResetAll();
    }
    void TearDown() override { HostControl::ResetAll(); }

    static const std::vector<Arguments>& Launched() { return HostControl::TheRecorder().launchedCommands; }
};

}  // namespace

TEST_F(LaunchServiceTest, RecordsEachArgumentVectorOnceAndSucceeds)
{
    const Arguments first = {"open", "-a", "/Apps/Tool.app", "/Files/a b.Zelto"};
    const Arguments second = {"open", "", "line one\nline two", "%s \\ \" ' $HOME `id`"};
    EXPECT_EQ(Launch(first), 0);
    EXPECT_EQ(Launch(second), 0);
    EXPECT_TRUE(Launched().empty()) << "launches reach the recorder when the host collects them";

    LaunchService::CollectLaunches();
    EXPECT_EQ(Launched(), (std::vector<Arguments>{first, second}));
    LaunchService::CollectLaunches();
    EXPECT_EQ(Launched().size(), 2u) << "a launch is collected once";
}

TEST_F(LaunchServiceTest, APlannedFailureGivesItsExitStatusForOneLaunch)
{
    struct Case {
        GSErrCode planned;
        int status;
    };
    for (const Case& c : {Case{3, 3}, Case{255, 255}, Case{-7003, 1}}) {
        SCOPED_TRACE(c.planned);
        HostControl::InjectError("LaunchService", c.planned, 0, 1);
        EXPECT_EQ(Launch({"open", "-a", "/A.app", "/f"}), c.status);
        EXPECT_EQ(Launch({"open", "-a", "/A.app", "/f"}), 0) << "only the planned launch fails";
    }
    LaunchService::CollectLaunches();
    EXPECT_EQ(Launched().size(), 6u) << "a failing launch is recorded too";
}
