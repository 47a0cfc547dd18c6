// Starting Cinema 4D on the export file: the open command gets the application and the file as two
// whole arguments, whatever the paths hold; a launch that fails, or a path that is missing, is
// reported as a failure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostControl.hpp"
#include "LaunchServiceHost.hpp"
#include "Location.hpp"
#include "ZELTO_export_C4Dlaunch.hpp"
#include "common/AddonTestEnvironment.hpp"

namespace {

using Arguments = std::vector<std::string>;

IO::CString<256u> HostPathText(const std::string& path)
{
    IO::CString<256u> text;
    IO::Location(path.c_str()).ToPath(&text);
    return text;
}

class C4DLaunchTest : public HostTest {
protected:
    void SetUp() override
    {
        LaunchService::CollectLaunches();
        HostTest::SetUp();
    }
    const std::vector<Arguments>& Launched()
    {
        LaunchService::CollectLaunches();
        return Recorder().launchedCommands;
    }
};

}  // namespace

TEST_F(C4DLaunchTest, EveryPathReachesTheOpenCommandAsOneExactArgument)
{
    const std::string longFolder = "/" + std::string(250, 'l') + "/" + std::string(250, 'm') + "/" +
                                   std::string(250, 'n') + "/" + std::string(250, 'o') + "/" + std::string(250, 'p') +
                                   "/" + std::string(250, 'q');
    struct Case {
        const char* name;
        std::string app;
        std::string file;
    };
    const Case cases[] = {
        {"blanks", "/Applications/Studio Cinema 4D/Cinema 4D.app", "/Users/me/Documents/Zelto Export/My House.Zelto"},
        {"quotes and shell characters", "/Apps/\"C4D\" $(touch pwned) `id`.app", "/Files/a\\b $HOME ';' | & >x.Zelto"},
        {"a newline", "/Apps/line\nbreak.app", "/Files/first\nsecond.Zelto"},
        {"non-ASCII", "/Programme/Cinéma 4D 日本.app", "/Dokumente/Grüße Haus.Zelto"},
        {"1,500-byte paths", longFolder + "/Cinema 4D.app", longFolder + "/" + std::string(40, 'f') + ".Zelto"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Recorder().launchedCommands.clear();
        ASSERT_TRUE(StartC4DProcess(HostPathText(c.file), HostPathText(c.app)));
        EXPECT_EQ(Launched(), (std::vector<Arguments>{Arguments{"open", "-a", c.app, c.file}}));
    }
    EXPECT_GT(cases[4].app.size(), 1500u);
    EXPECT_GT(cases[4].file.size(), 1500u);
}

TEST_F(C4DLaunchTest, AFailedLaunchOrAMissingPathIsAFailure)
{
    HostControl::InjectError("LaunchService", 1, 0, 1);
    EXPECT_FALSE(StartC4DProcess(HostPathText("/Files/House.Zelto"), HostPathText("/Apps/Cinema 4D.app")));
    EXPECT_EQ(Launched().size(), 1u) << "the open command ran and reported its failure";

    Recorder().launchedCommands.clear();
    const IO::CString<256u> none;
    EXPECT_FALSE(StartC4DProcess(none, HostPathText("/Apps/Cinema 4D.app")));
    EXPECT_FALSE(StartC4DProcess(HostPathText("/Files/House.Zelto"), none));
    EXPECT_FALSE(StartC4DProcess(HostPathText("/Files/House.Zelto"), HostPathText("relative/Cinema 4D.app")));
    HostControl::InjectError("IO::MacImplementationBridge::LocationToUTF8POSIXPath", -5120, 0, 1);
    EXPECT_FALSE(StartC4DProcess(HostPathText("/Files/House.Zelto"), HostPathText("/Apps/Cinema 4D.app")));
    EXPECT_TRUE(Launched().empty()) << "nothing is launched without both paths";
}
