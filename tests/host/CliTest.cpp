// The host application's command line, run as a program on the sample building: exit status,
// the result line, the summary of the written file, and what a cancel or a bad call leaves.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "HostTestFiles.hpp"
#include "LoopbackHttpServer.hpp"
#include "ModuleFixture.hpp"
#include "ProgramRunner.hpp"
#include "SampleScene.hpp"
#include "ZeltoReader.hpp"

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

}  // namespace

class CliTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        char folderTemplate[] = "/tmp/zelto-cli-XXXXXX";
        ASSERT_NE(mkdtemp(folderTemplate), nullptr);
        root = folderTemplate;
        ASSERT_TRUE(fs::exists(SampleScene())) << SampleScene();
    }

    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    // zelto-host with the arguments and these variables in its environment, stdout and stderr captured.
    CliRun ZeltoHostWith(const std::vector<std::string>& arguments, const zelto_test::ProgramEnvironment& environment = {})
    {
        const zelto_test::ProgramOutput output = {(root / "stdout").string(), (root / "stderr").string()};
        std::string failure;
        CliRun run;
        run.status = zelto_test::RunProgram(std::string(ZELTO_BUILD_DIR) + "/zelto-host", arguments, output, &failure,
                                            environment);
        run.out = ReadWholeFile(root / "stdout");
        run.err = ReadWholeFile(root / "stderr") + failure;
        return run;
    }

    // The export of the sample, with further arguments after the synopsis' required ones.
    CliRun ExportSample(const std::vector<std::string>& more = {})
    {
        std::vector<std::string> arguments = {"--api",           std::to_string(GetParam()), "export",
                                              SampleScene().string(), "-o", Target().string(),
                                              "--home",          Home().string()};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return ZeltoHostWith(arguments);
    }

    fs::path Target() const { return root / "House.Zelto"; }
    fs::path Home() const { return root / "home"; }

    fs::path root;
};

INSTANTIATE_TEST_SUITE_P(AllModules, CliTest, ::testing::ValuesIn(BuiltModuleVersions()), VersionName);

TEST_P(CliTest, ExportOfTheSampleSucceedsAndSummarisesTheFile)
{
    const CliRun run = ExportSample();
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("result: NoError\n"), std::string::npos) << run.out;

    const zelto_reader::File file = zelto_reader::ReadFile(Target().string());
    EXPECT_EQ(file.header.projectName, "House.pln");
    EXPECT_EQ(file.header.apiVersion, GetParam());
    EXPECT_EQ(file.stories.size(), 3u);
    EXPECT_GE(file.layers.size(), 5u);
    EXPECT_GE(file.elements.size(), 40u);
    EXPECT_GT(file.polygons.size(), 200u);

    // The summary agrees with the independent reader.
    EXPECT_NE(run.out.find("project \"House.pln\""), std::string::npos) << run.out;
    const std::pair<const char*, int32_t> counts[] = {
        {"RGB shaders", file.counts.rgbShaders}, {"stories", file.counts.stories},
        {"layers", file.counts.layers},           {"objects", file.counts.objects},
        {"points", file.counts.points},           {"polygons", file.counts.polygons}};
    for (const auto& [name, count] : counts) {
        char line[128];
        std::snprintf(line, sizeof line, "    %-20s %10d\n", name, count);
        EXPECT_NE(run.out.find(line), std::string::npos) << "missing: " << line << run.out;
    }
    EXPECT_NE(run.err.find("Saving"), std::string::npos) << "the process window is drawn on stderr";
    EXPECT_TRUE(fs::is_directory(Home())) << "the home folder is made when missing";
}

TEST_P(CliTest, CancelAtTheProcessWindowExitsWithOneAndKeepsTheOlderFile)
{
    std::ofstream(Target()) << "an older export";
    const CliRun run = ExportSample({"--cancel-at-poll", "1"});
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_NE(run.out.find("result: APIERR_CANCEL\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("records"), std::string::npos) << "no summary after a cancel";
    EXPECT_EQ(ReadWholeFile(Target()), "an older export");
}

TEST_P(CliTest, SettingsGivenWithSetReachTheFileAndThePreferences)
{
    const CliRun run = ExportSample({"--set", "unit=6", "--set", "scale=2.5", "--set", "use-offset=1"});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    const zelto_reader::File file = zelto_reader::ReadFile(Target().string());
    EXPECT_EQ(file.header.unit, 6);
    EXPECT_DOUBLE_EQ(file.header.scale, 2.5);
    EXPECT_NE(run.out.find("unit 6, scale 2.5"), std::string::npos) << run.out;
    EXPECT_TRUE(fs::exists(Home() / "Preferences.gspref")) << "the confirmed settings are stored in the home folder";

    // The next export starts from the stored settings.
    const CliRun again = ExportSample();
    ASSERT_EQ(again.status, 0) << again.out << again.err;
    EXPECT_DOUBLE_EQ(zelto_reader::ReadFile(Target().string()).header.scale, 2.5);
}

TEST_P(CliTest, CancelledDialogExitsWithOneAndWritesNothing)
{
    const CliRun run = ExportSample({"--dialog", "cancel"});
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_NE(run.out.find("result: APIERR_CANCEL\n"), std::string::npos) << run.out;
    EXPECT_FALSE(fs::exists(Target()));
}

TEST_P(CliTest, FailedExportExitsWithTwo)
{
    const fs::path unwritable = root / "missing" / "House.Zelto";
    const CliRun failed = ZeltoHostWith({"--api", std::to_string(GetParam()), "export", SampleScene().string(), "-o",
                                      unwritable.string(), "--home", Home().string()});
    EXPECT_EQ(failed.status, 2) << failed.out << failed.err;
    EXPECT_NE(failed.out.find("result: APIERR_GENERAL\n"), std::string::npos) << failed.out;
    EXPECT_FALSE(fs::exists(unwritable));
}

TEST_P(CliTest, BadCallsExitWithTwoBeforeAnyExportAndSayWhy)
{
    std::ofstream(root / "broken.json") << "{\"project\": {\"stories\": 3}}";
    struct Call {
        std::vector<std::string> words;
        std::string message;  // what stderr must say: the word that was not understood, or the reason
    };
    const Call calls[] = {
        {{"export", SampleScene().string()}, "export needs a scene file and -o FILE"},
        {{"export", "-o", Target().string()}, "export needs a scene file and -o FILE"},
        {{"export", SampleScene().string(), "-o"}, "\"-o\" needs a value"},
        {{"export", SampleScene().string(), "-o", Target().string(), "--dialog", "maybe"},
         "--dialog \"maybe\" is not understood"},
        {{"export", SampleScene().string(), "-o", Target().string(), "--cancel-at-poll", "zero"},
         "--cancel-at-poll \"zero\" is not understood"},
        {{"export", SampleScene().string(), "-o", Target().string(), "--bogus"}, "\"--bogus\" is not understood"},
        {{"export", SampleScene().string(), "-o", Target().string(), "--home", Home().string(), "--set", "colour=red"},
         "colour"},
        {{"export", SampleScene().string(), "-o", Target().string(), "--home", Home().string(), "--set", "unit"},
         "--set unit: expected NAME=VALUE"},
        {{"--api", "30", "export", SampleScene().string(), "-o", Target().string()}, "--api \"30\" is not understood"},
        {{"--api", " 29", "export", SampleScene().string(), "-o", Target().string()}, "--api \" 29\" is not understood"},
        {{"--api", "+29", "export", SampleScene().string(), "-o", Target().string()}, "--api \"+29\" is not understood"},
        {{"--api", "29 ", "export", SampleScene().string(), "-o", Target().string()}, "--api \"29 \" is not understood"},
        {{"--api", "0x1d", "export", SampleScene().string(), "-o", Target().string()}, "--api \"0x1d\" is not understood"},
        {{"--api", "", "export", SampleScene().string(), "-o", Target().string()}, "--api \"\" is not understood"},
        {{"export", SampleScene().string(), "-o", Target().string(), "--home", ""}, "--home \"\" is not understood"},
        {{"export", SampleScene().string(), "-o", Target().string(), "--cancel-at-poll", " 1"},
         "--cancel-at-poll \" 1\" is not understood"},
        {{"export", SampleScene().string(), "-o", Target().string(), "--api"}, "\"--api\" needs a value"},
        {{"export", (root / "missing.json").string(), "-o", Target().string(), "--home", Home().string()},
         "missing.json: cannot open the scene file"},
        {{"export", (root / "broken.json").string(), "-o", Target().string(), "--home", Home().string()},
         "broken.json: /project/stories: expected an array"},
        {{"export", root.string(), "-o", Target().string(), "--home", Home().string()},
         root.string() + ": the scene file is a folder, not a regular file"},
        {{"frobnicate"}, "\"frobnicate\" is not understood"},
        {{"register", "--everything"}, "\"--everything\" is not understood"},
        {{}, "no command given"},
    };
    for (const Call& call : calls) {
        std::string text;
        for (const std::string& word : call.words)
            text += word + " ";
        SCOPED_TRACE(text);
        // A call that is wrongly let through keeps to a home of the test's own.
        const CliRun run = ZeltoHostWith(call.words, {{"HOME", (root / "user").string()}});
        EXPECT_EQ(run.status, 2) << run.out << run.err;
        EXPECT_NE(run.err.find(call.message), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(Target()));
        fs::remove(Target());  // so that one call let through does not fail the calls after it
    }
}

// The menu command: the settings item shows the settings dialog and stores what was confirmed; the
// items without an action succeed and show nothing.
TEST_P(CliTest, MenuCommandRunsTheChosenItemAndShowsWhatTheUserSaw)
{
    const std::string version = std::to_string(GetParam());
    const CliRun settings =
        ZeltoHostWith({"--api", version, "menu", "4", "--home", Home().string(), "--set", "unit=6", "--set", "scale=4"});
    ASSERT_EQ(settings.status, 0) << settings.out << settings.err;
    EXPECT_NE(settings.out.find("dialog 32505 "), std::string::npos) << settings.out;
    EXPECT_NE(settings.out.find("(closed with item 1)"), std::string::npos) << settings.out;
    EXPECT_NE(settings.out.find("result: NoError\n"), std::string::npos) << settings.out;

    // The next save-as starts from what the menu command stored.
    const CliRun exported = ExportSample();
    ASSERT_EQ(exported.status, 0) << exported.out << exported.err;
    EXPECT_DOUBLE_EQ(zelto_reader::ReadFile(Target().string()).header.scale, 4.0);

    const CliRun cancelled = ZeltoHostWith({"--api", version, "menu", "4", "--home", Home().string(), "--dialog", "cancel"});
    EXPECT_EQ(cancelled.status, 2) << cancelled.out << cancelled.err;
    EXPECT_NE(cancelled.out.find("result: APIERR_GENERAL\n"), std::string::npos) << cancelled.out;

    for (const char* item : {"2", "5", "7"}) {
        SCOPED_TRACE(item);
        const CliRun nothing = ZeltoHostWith({"--api", version, "menu", item, "--home", Home().string()});
        EXPECT_EQ(nothing.status, 0) << nothing.out << nothing.err;
        EXPECT_EQ(nothing.out, "result: NoError\n");
    }
}

TEST_P(CliTest, BadMenuCallsExitWithTwo)
{
    const std::vector<std::vector<std::string>> calls = {
        {"menu"},
        {"menu", "four", "--home", Home().string()},
        {"menu", "4", "--home"},
        {"menu", "4", "--home", Home().string(), "--dialog", "maybe"},
        {"menu", "4", "--home", Home().string(), "-o", Target().string()},
        {"menu", "1", SampleScene().string(), SampleScene().string(), "--home", Home().string()},
        {"menu", "4", (root / "missing.json").string(), "--home", Home().string()},
        {"menu", "1", "--home", Home().string()},  // the export needs a scene
        {"menu", "1", SampleScene().string(), "--home", Home().string(), "--pick"},
    };
    for (const std::vector<std::string>& call : calls) {
        std::string text;
        for (const std::string& word : call)
            text += word + " ";
        SCOPED_TRACE(text);
        const CliRun run = ZeltoHostWith(call);
        EXPECT_EQ(run.status, 2) << run.out << run.err;
        EXPECT_FALSE(run.err.empty());
    }
}

// The update check asks the maker's server over HTTPS. Here every HTTPS request goes to a proxy on
// loopback that refuses the tunnel, so nothing leaves this machine: the user sees the no-connection
// alert and the menu command still succeeds.
TEST_P(CliTest, UpdateCheckWithoutItsServerShowsTheNoConnectionAlertAndSucceeds)
{
    const LoopbackHttpServer proxy;
    const std::string proxyUrl = proxy.UrlOf("");
    const CliRun run = ZeltoHostWith({"--api", std::to_string(GetParam()), "menu", "6", "--home", Home().string()},
                                     {{"https_proxy", proxyUrl}, {"HTTPS_PROXY", proxyUrl}, {"no_proxy", ""},
                                      {"NO_PROXY", ""}});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(run.out,
              "alert (information) \"Zelto Exporter\": \"The update server could not be reached.\"\n"
              "result: NoError\n");
    EXPECT_EQ(proxy.Requests(), std::vector<std::string>{"CONNECT zelto.example:443 HTTP/1.1"})
        << "the version file is asked of the maker's server, over HTTPS only";
}

// The export to Cinema 4D of the sample: the file dialog the first time, the launch, the summary of
// the file handed over; then the stored pick; after "forget" a cancelled dialog keeps the file.
TEST_P(CliTest, DirectExportOfTheSampleAsksOnceLaunchesAndSummarisesTheFile)
{
    const std::string version = std::to_string(GetParam());
    const fs::path exported = Home() / "Documents" / "Zelto Export" / "House.Zelto";
    const std::string launch =
        "launch: \"open\" \"-a\" \"" + SampleApplication().string() + "\" \"" + exported.string() + "\"\n";

    const CliRun first = ZeltoHostWith({"--api", version, "menu", "1", SampleScene().string(), "--pick",
                                        SampleApplication().string(), "--home", Home().string()});
    ASSERT_EQ(first.status, 0) << first.out << first.err;
    EXPECT_NE(first.out.find("file dialog \"Please locate your Cinema 4D application.\" (Cinema 4D (*.app)): picked"),
              std::string::npos)
        << first.out;
    EXPECT_NE(first.out.find("dialog 32560 "), std::string::npos) << first.out;
    EXPECT_EQ(first.out.find("dialog 32570 "), std::string::npos) << "the sample's plug-in is installed";
    EXPECT_NE(first.out.find(launch), std::string::npos) << first.out;
    EXPECT_NE(first.out.find("result: NoError\n" + exported.string() + ": "), std::string::npos) << first.out;
    EXPECT_NE(first.out.find("direct export"), std::string::npos) << first.out;
    const zelto_reader::File file = zelto_reader::ReadFile(exported.string());
    EXPECT_EQ(file.header.projectName, "House.pln");
    EXPECT_EQ(file.header.fileName, "House");

    const CliRun stored = ZeltoHostWith({"--api", version, "menu", "1", SampleScene().string(), "--home", Home().string()});
    ASSERT_EQ(stored.status, 0) << stored.out << stored.err;
    EXPECT_EQ(stored.out.find("file dialog"), std::string::npos) << "the stored pick is used";
    EXPECT_NE(stored.out.find(launch), std::string::npos) << stored.out;

    const std::string before = ReadWholeFile(exported);
    const CliRun forgot = ZeltoHostWith({"--api", version, "menu", "3", "--home", Home().string()});
    EXPECT_EQ(forgot.status, 0) << forgot.out << forgot.err;
    const CliRun cancelled =
        ZeltoHostWith({"--api", version, "menu", "1", SampleScene().string(), "--home", Home().string()});
    EXPECT_EQ(cancelled.status, 1) << cancelled.out << cancelled.err;
    EXPECT_NE(cancelled.out.find("): cancelled\n"), std::string::npos) << cancelled.out;
    EXPECT_NE(cancelled.out.find("result: APIERR_CANCEL\n"), std::string::npos) << cancelled.out;
    EXPECT_EQ(cancelled.out.find("launch:"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(exported), before) << "the older export is left as it was";
}

TEST_P(CliTest, DirectExportWhoseLaunchFailsOrWhosePickIsRefused)
{
    const std::string version = std::to_string(GetParam());
    const fs::path exported = Home() / "Documents" / "Zelto Export" / "House.Zelto";
    const CliRun failed = ZeltoHostWith({"--api", version, "menu", "1", SampleScene().string(), "--pick",
                                         SampleApplication().string(), "--home", Home().string(), "--launch-fails"});
    EXPECT_EQ(failed.status, 2) << failed.out << failed.err;
    EXPECT_NE(failed.out.find("alert (error) "), std::string::npos) << failed.out;
    EXPECT_NE(failed.out.find("Cinema 4D could not be started"), std::string::npos) << failed.out;
    EXPECT_EQ(failed.out.find("dialog 32560 "), std::string::npos) << "no finish notice";
    EXPECT_NE(failed.out.find("result: APIERR_GENERAL\n" + exported.string() + ": "), std::string::npos)
        << "the file stays and is summarised: " << failed.out;

    const fs::path missing = root / "Nowhere" / "Cinema 4D.app";
    const CliRun refused = ZeltoHostWith({"--api", version, "menu", "3", "--home", Home().string()});
    ASSERT_EQ(refused.status, 0) << refused.out << refused.err;
    const CliRun wrongPick = ZeltoHostWith({"--api", version, "menu", "1", SampleScene().string(), "--pick",
                                            missing.string(), "--home", Home().string()});
    EXPECT_EQ(wrongPick.status, 1) << wrongPick.out << wrongPick.err;
    EXPECT_NE(wrongPick.out.find("cancelled (cannot pick " + missing.string()), std::string::npos) << wrongPick.out;
}

TEST_P(CliTest, AFailedCommandShowsTheDebugChannelAndVerboseShowsItAlways)
{
    // A folder at the target: the export fails, and the add-on says where and why.
    fs::create_directories(Target());
    const std::string cause = "is not a file that can be replaced: IO::WrongTypeErr";
    const CliRun failed = ExportSample();
    EXPECT_EQ(failed.status, 2) << failed.out << failed.err;
    EXPECT_NE(failed.err.find(Target().string() + " " + cause), std::string::npos) << failed.err;

    const CliRun verbose = ExportSample({"--verbose"});
    EXPECT_EQ(verbose.status, 2);
    const std::size_t first = verbose.err.find(cause);
    EXPECT_NE(first, std::string::npos) << verbose.err;
    EXPECT_EQ(verbose.err.find(cause, first + 1), std::string::npos) << "shown once: " << verbose.err;

    fs::remove(Target());
    const CliRun completed = ExportSample();
    EXPECT_EQ(completed.status, 0) << completed.out << completed.err;
    EXPECT_EQ(completed.err.find("debug output"), std::string::npos) << completed.err;
}
