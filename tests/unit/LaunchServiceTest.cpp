// The stand-in's launch service: what the host records of a launch, the exit status a test plans,
// and that each launch is collected once.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "HostControl.hpp"
#include "LaunchServiceHost.hpp"
#include "PlatformServices.hpp"

extern char** environ;

namespace {

using Arguments = std::vector<std::string>;

// Starts the service as a caller of the platform would and gives its exit status (-1: not started).
int Launch(const Arguments& arguments)
{
    const char* program = PlatformOpenCommandPath();
    if (program == nullptr)
        return -1;
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, program, nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
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
