// The menu's export to Cinema 4D and "Forget Cinema 4D Location", end to end with every built
// module through the host's menu command: the switch to the 3D window, the file dialog the first
// time and the stored pick afterwards, the file in the fixed folder read back with the independent
// reader, the launch's exact argument vector, the notices, and what cancels and failures leave.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "DGScriptedUser.hpp"
#include "GSPref.hpp"
#include "GSPrefHost.hpp"
#include "HostTestFiles.hpp"
#include "LaunchServiceHost.hpp"
#include "ModuleFixture.hpp"
#include "SceneLoader.hpp"
#include "SmallProject.hpp"
#include "ZeltoReader.hpp"

namespace {

namespace fs = std::filesystem;
using Arguments = std::vector<std::string>;

constexpr short AddOnMenu = 32510;
constexpr Int32 DirectExportItem = 1;
constexpr Int32 ForgetItem = 3;
constexpr short FinishNotice = 32560;
constexpr short PlugInNotice = 32570;
constexpr API_SpecFolderID DirectExportFolder = 6;

}  // namespace

class DirectExportTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        LaunchService::CollectLaunches();  // nothing of an earlier test is taken for this one's
        Recorder().launchedCommands.clear();
        char folderTemplate[] = "/tmp/zelto-direct-XXXXXX";
        ASSERT_NE(mkdtemp(folderTemplate), nullptr);
        root = folderTemplate;
        fs::create_directories(root / "home");
        GSPref::SetUserDataFolder((root / "home").string());
        DGScriptedUser::Reset();
        LoadModule();
        std::string error;
        ASSERT_EQ(host->RunStartupProtocol(&error), NoError) << error;
        ASSERT_TRUE(ZeltoHost::LoadSceneText(SmallScene, root.string(), "small.json", host->Project(), host->Model(),
                                             &error))
            << error;
        host->Project().currentWindow = APIWind_FloorPlanID;
        UseDocumentsFolder(root / "Documents");
        fs::create_directories(Application("Studio") / "Contents");
    }

    void TearDown() override
    {
        EXPECT_EQ(GSPref::CountOpenRoots(), 0);
        ModuleTest::TearDown();
        DGScriptedUser::Reset();
        GSPref::SetUserDataFolder("");
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    void UseDocumentsFolder(const fs::path& folder)
    {
        fs::create_directories(folder);
        host->Project().specialFolders[DirectExportFolder] = IO::Location(folder.c_str());
    }
    fs::path Documents() const
    {
        return host->Project().specialFolders.at(DirectExportFolder).ToUtf8Path();
    }
    fs::path ExportFolder() const { return Documents() / "Zelto Export"; }
    fs::path ExportFile(const std::string& name = "House.Zelto") const { return ExportFolder() / name; }
    fs::path Application(const std::string& folder) const { return root / "Apps" / folder / "Cinema 4D.app"; }
    void InstallPlugIn(const std::string& folder) const
    {
        fs::create_directories(root / "Apps" / folder / "plugins" / "Zelto");
        WriteWholeFile(root / "Apps" / folder / "plugins" / "Zelto" / "ZELTO_import.dylib", "plug-in");
    }

    GSErrCode ExportDirectly() { return host->InvokeMenuCommand(AddOnMenu, DirectExportItem); }
    GSErrCode Forget() { return host->InvokeMenuCommand(AddOnMenu, ForgetItem); }

    static std::size_t TimesShown(short dialogId)
    {
        std::size_t times = 0;
        for (const DGDialogRecord& record : DGScriptedUser::Transcript())
            times += record.resourceId == dialogId ? 1 : 0;
        return times;
    }
    static std::size_t FileDialogsShown() { return DGScriptedUser::FileDialogTranscript().size(); }
    const std::vector<Arguments>& Launched() { return Recorder().launchedCommands; }
    bool LogNames(const std::string& text)
    {
        const std::vector<std::string>& lines = Recorder().debugLines;
        return std::any_of(lines.begin(), lines.end(),
                           [&text](const std::string& line) { return line.find(text) != std::string::npos; });
    }
    Arguments LaunchOf(const fs::path& application, const fs::path& file) const
    {
        return {"open", "-a", application.string(), file.string()};
    }

    fs::path root;
};

INSTANTIATE_TEST_SUITE_P(AllModules, DirectExportTest, ::testing::ValuesIn(BuiltModuleVersions()), VersionName);

TEST_P(DirectExportTest, TheFirstExportAsksForCinema4DOnceTheNextGoesStraightToTheLaunch)
{
    DGScriptedUser::PlanFilePick(Application("Studio").string());
    ASSERT_EQ(ExportDirectly(), NoError);

    EXPECT_EQ(host->Project().currentWindow, APIWind_3DModelID) << "the host switched from the floor plan to 3D";
    ASSERT_EQ(FileDialogsShown(), 1u);
    EXPECT_TRUE(DGScriptedUser::FileDialogTranscript()[0].picked);
    const zelto_reader::File file = zelto_reader::ReadFile(ExportFile().string());
    EXPECT_EQ(file.header.projectName, "House.pln");
    EXPECT_EQ(file.header.fileName, "House");
    EXPECT_TRUE(file.header.direct);
    EXPECT_EQ(file.header.apiVersion, GetParam());
    EXPECT_EQ(file.counts.objects, 2);
    EXPECT_EQ(EntriesOf(ExportFolder()), std::vector<std::string>{"House.Zelto"}) << "no temporary file stays";
    EXPECT_EQ(Launched(), std::vector<Arguments>{LaunchOf(Application("Studio"), ExportFile())});
    EXPECT_EQ(TimesShown(FinishNotice), 1u);
    EXPECT_EQ(TimesShown(PlugInNotice), 1u) << "no importer plug-in lies beside this Cinema 4D";
    EXPECT_EQ(ZeltoHost::HostModel::LiveAttributeReaders(), 0);

    // Nobody answers a second file dialog: the stored pick must do.
    Recorder().calls.clear();
    ASSERT_EQ(ExportDirectly(), NoError);
    EXPECT_EQ(FileDialogsShown(), 1u);
    EXPECT_EQ(Recorder().CountOf("ACAPI_Window_ChangeWindow"), 0u) << "the 3D window is current already";
    EXPECT_EQ(Launched().size(), 2u);
    EXPECT_EQ(Launched().back(), LaunchOf(Application("Studio"), ExportFile()));
}

TEST_P(DirectExportTest, AfterForgettingTheNextExportAsksAgain)
{
    EXPECT_EQ(Forget(), NoError) << "nothing stored is forgotten already";

    DGScriptedUser::PlanFilePick(Application("Studio").string());
    ASSERT_EQ(ExportDirectly(), NoError);
    EXPECT_EQ(Forget(), NoError);

    fs::create_directories(Application("Other") / "Contents");
    DGScriptedUser::PlanFilePick(Application("Other").string());
    ASSERT_EQ(ExportDirectly(), NoError);
    EXPECT_EQ(FileDialogsShown(), 2u);
    EXPECT_EQ(Launched().back(), LaunchOf(Application("Other"), ExportFile()));

    HostControl::InjectError("GSPref::Delete:C4D Path", GSPref::StoreWriteErr);
    EXPECT_EQ(Forget(), APIERR_GENERAL);
}

TEST_P(DirectExportTest, ACancelLeavesAnOlderExportAsItWasAndLaunchesNothing)
{
    struct Case {
        const char* name;
        bool pick;
        int cancelAtPoll;
    };
    const Case cases[] = {
        {"the file dialog is cancelled", false, 0},
        {"the process window is cancelled", true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DGScriptedUser::Reset();
        fs::create_directories(ExportFolder());
        WriteWholeFile(ExportFile(), "an older export");
        if (c.pick)
            DGScriptedUser::PlanFilePick(Application("Studio").string());
        host->Process().CancelAtPoll(c.cancelAtPoll);
        EXPECT_EQ(ExportDirectly(), APIERR_CANCEL);
        EXPECT_EQ(ReadWholeFile(ExportFile()), "an older export");
        EXPECT_EQ(EntriesOf(ExportFolder()), std::vector<std::string>{"House.Zelto"});
        EXPECT_TRUE(Launched().empty());
        EXPECT_TRUE(DGScriptedUser::Transcript().empty()) << "no notice after a cancel";
        EXPECT_FALSE(host->Process().IsOpen());
    }
}

TEST_P(DirectExportTest, TheLaunchGetsEachPathAsOneExactArgumentAndRunsNothing)
{
    const std::string deep = std::string(250, 'd') + "/" + std::string(250, 'e') + "/" + std::string(250, 'f') + "/" +
                             std::string(250, 'g') + "/" + std::string(250, 'h') + "/" + std::string(250, 'i');
    // A command a shell would run: it would leave a file named pwned in the root or the current folder.
    const std::string injectedHere = "$(touch " + (root / "pwned").string() + ")";
    struct Case {
        const char* name;
        std::string documents;    // below root
        std::string application;  // the folder of the application, below root/Apps
        std::string project;      // the project file's name
    };
    const Case cases[] = {
        {"blanks", "My Documents", "Studio Cinema 4D R26", "My House.pln"},
        {"a double quote and a dollar", "Docs \"" + injectedHere + "\"", "C4D $HOME", "House \"$(touch pwned)\".pln"},
        {"backquotes and backslashes", "Docs `id`", "C4D \\ back", "House `touch pwned` \\ end.pln"},
        {"a newline", "Docs\nnext line", "C4D\nR26", "House; rm -rf x.pln"},
        {"non-ASCII", "Dokumente Grüße", "Cinéma 4D 日本", "Maison été.pln"},
        {"paths of more than 1,500 bytes", deep, deep, "House.pln"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UseDocumentsFolder(root / c.documents);
        host->Project().info.location = IO::Location(("/Projects/" + c.project).c_str());
        fs::create_directories(Application(c.application) / "Contents");
        ASSERT_EQ(Forget(), NoError);
        DGScriptedUser::PlanFilePick(Application(c.application).string());
        Recorder().launchedCommands.clear();

        ASSERT_EQ(ExportDirectly(), NoError);
        const std::string exportName = fs::path(c.project).stem().string() + ".Zelto";
        EXPECT_EQ(Launched(), std::vector<Arguments>{LaunchOf(Application(c.application), ExportFile(exportName))});
        EXPECT_EQ(zelto_reader::ReadFile(ExportFile(exportName).string()).header.projectName, c.project);
    }
    EXPECT_GT(ExportFile().string().size(), 1500u);
    EXPECT_GT(Application(deep).string().size(), 1500u);
    EXPECT_FALSE(fs::exists(root / "pwned")) << "no shell ever saw a path";
    EXPECT_FALSE(fs::exists("pwned"));
}

TEST_P(DirectExportTest, AFailedLaunchShowsAnErrorInsteadOfTheFinishNoticeAndKeepsTheFile)
{
    DGScriptedUser::PlanFilePick(Application("Studio").string());
    HostControl::InjectError("LaunchService", 1);
    EXPECT_EQ(ExportDirectly(), APIERR_GENERAL);

    EXPECT_EQ(Launched().size(), 1u);
    ASSERT_EQ(Recorder().alerts.size(), 1u);
    EXPECT_EQ(Recorder().alerts[0].kind, -1) << "an error alert";
    EXPECT_NE(Recorder().alerts[0].text.find("Cinema 4D could not be started"), std::string::npos);
    EXPECT_EQ(TimesShown(FinishNotice), 0u);
    EXPECT_EQ(TimesShown(PlugInNotice), 1u) << "the plug-in check still tells what is missing";
    EXPECT_NO_THROW(zelto_reader::ReadFile(ExportFile().string())) << "the exported file stays";
}

TEST_P(DirectExportTest, TheNoticesFollowTheirKeysAndThePlugIn)
{
    struct Case {
        const char* name;
        bool finishSilenced;
        bool plugInInstalled;
        std::size_t finishShown;
        std::size_t plugInShown;
    };
    const Case cases[] = {
        {"fresh preferences, no plug-in", false, false, 1, 1},
        {"plug-in installed", false, true, 1, 0},
        {"finish notice silenced", true, true, 0, 0},
        {"finish notice silenced, no plug-in", true, false, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DGScriptedUser::Reset();
        fs::remove_all(root / "Apps");
        fs::create_directories(Application("Studio") / "Contents");
        if (c.plugInInstalled)
            InstallPlugIn("Studio");
        GSPref::IRoot* preferences = nullptr;
        ASSERT_EQ(GSPref::OpenRootKey(GSPref::UserDomain, &preferences), NoError);
        preferences->WriteBool("Zelto", "Not Show Finish dialog", c.finishSilenced);
        preferences->WriteString("Zelto", "C4D Path", GS::UniString::FromUtf8(Application("Studio").string()));
        GSPref::CloseRootKey(preferences);

        ASSERT_EQ(ExportDirectly(), NoError);
        EXPECT_EQ(TimesShown(FinishNotice), c.finishShown);
        EXPECT_EQ(TimesShown(PlugInNotice), c.plugInShown);
    }
}

// Only the window and sight steps give the host its own error back; every other failure is the
// general error, with the host's error named in the debug channel.
TEST_P(DirectExportTest, HostFailuresReturnTheirErrorAndWriteNothing)
{
    struct Case {
        const char* name;
        const char* failingCall;  // null: the case sets up its own failure
        GSErrCode injected;
        GSErrCode expected;
        const char* namedInTheLog;
        bool windowSwitched;
    };
    const Case cases[] = {
        {"current window", "ACAPI_Window_GetCurrentWindow", APIERR_BADWINDOW, APIERR_BADWINDOW, "APIERR_BADWINDOW",
         false},
        {"switch to 3D", "ACAPI_Window_ChangeWindow", APIERR_BADWINDOW, APIERR_BADWINDOW, "APIERR_BADWINDOW", false},
        {"3D sight", "ACAPI_Sight_GetCurrentWindowSight", APIERR_BADID, APIERR_BADID, "APIERR_BADID", true},
        {"special folder", "ACAPI_ProjectSettings_GetSpecFolder", APIERR_BADID, APIERR_GENERAL, "APIERR_BADID", true},
        {"the fixed folder cannot be made", nullptr, NoError, APIERR_GENERAL, "folder of the direct export", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HostControl::ClearFailures();
        Recorder().debugLines.clear();
        host->Project().currentWindow = APIWind_FloorPlanID;
        if (c.failingCall != nullptr)
            HostControl::InjectError(c.failingCall, c.injected);
        else
            host->Project().specialFolders[DirectExportFolder] = IO::Location((root / "missing" / "deeper").c_str());
        DGScriptedUser::PlanFilePick(Application("Studio").string());
        EXPECT_EQ(ExportDirectly(), c.expected);
        EXPECT_EQ(host->Project().currentWindow == APIWind_3DModelID, c.windowSwitched);
        EXPECT_FALSE(fs::exists(ExportFolder()) && !EntriesOf(ExportFolder()).empty());
        EXPECT_TRUE(Launched().empty());
        EXPECT_TRUE(LogNames(c.namedInTheLog)) << "no debug line names " << c.namedInTheLog;
        UseDocumentsFolder(root / "Documents");
        DGScriptedUser::Reset();
    }
    HostControl::ClearFailures();
    host->Model().hasSight = false;
    EXPECT_EQ(ExportDirectly(), APIERR_GENERAL) << "a 3D window without a sight";
}

// The model's own failure is logged where it happens; the road adds no second line for it.
TEST_P(DirectExportTest, AModelThatCannotBeFilledIsLoggedOnce)
{
    HostControl::InjectError("EXPGetModel", APIERR_MEMFULL);
    Recorder().debugLines.clear();

    EXPECT_EQ(ExportDirectly(), APIERR_GENERAL);

    HostControl::ClearFailures();
    std::size_t lines = 0;
    for (const std::string& line : Recorder().debugLines)
        if (line.find("EXPGetModel failed") != std::string::npos ||
            line.find("could not be prepared") != std::string::npos)
            ++lines;
    EXPECT_EQ(lines, 1u);
    EXPECT_TRUE(LogNames("APIERR_MEMFULL"));
    EXPECT_TRUE(Launched().empty());
}

TEST_P(DirectExportTest, AnUntitledProjectExportsToTheDefaultName)
{
    host->Project().info.location = IO::Location();
    DGScriptedUser::PlanFilePick(Application("Studio").string());
    ASSERT_EQ(ExportDirectly(), NoError);
    const zelto_reader::File file = zelto_reader::ReadFile(ExportFile("Untitled.Zelto").string());
    EXPECT_EQ(file.header.projectName, "Untitled");
    EXPECT_EQ(file.header.fileName, "Untitled");
}
