// The host application's command line, run as a program on the sample building: exit status,
// the result line, the summary of the written file, and what a cancel or a bad call leaves.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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

    // zelto-host with the arguments, stdout and stderr captured.
    CliRun ZeltoHostWith(const std::vector<std::string>& arguments)
    {
        const zelto_test::ProgramOutput output = {(root / "stdout").string(), (root / "stderr").string()};
        std::string failure;
        CliRun run;
        run.status = zelto_test::RunProgram(std::string(ZELTO_BUILD_DIR) + "/zelto-host", arguments, output, &failure);
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

TEST_P(CliTest, BadCallsExitWithTwoBeforeAnyExport)
{
    std::ofstream(root / "broken.json") << "{\"project\": {\"stories\": 3}}";
    const std::vector<std::vector<std::string>> calls = {
        {"export", SampleScene().string()},                                   // no -o
        {"export", "-o", Target().string()},                                  // no scene
        {"export", SampleScene().string(), "-o", Target().string(), "--dialog", "maybe"},
        {"export", SampleScene().string(), "-o", Target().string(), "--cancel-at-poll", "zero"},
        {"export", SampleScene().string(), "-o", Target().string(), "--bogus"},
        {"export", SampleScene().string(), "-o", Target().string(), "--home", Home().string(), "--set", "colour=red"},
        {"export", SampleScene().string(), "-o", Target().string(), "--home", Home().string(), "--set", "unit"},
        {"--api", "30", "export", SampleScene().string(), "-o", Target().string()},
        {"export", (root / "missing.json").string(), "-o", Target().string(), "--home", Home().string()},
        {"export", (root / "broken.json").string(), "-o", Target().string(), "--home", Home().string()},
        {"frobnicate"},
    };
    for (const std::vector<std::string>& call : calls) {
        std::string text;
        for (const std::string& word : call)
            text += word + " ";
        SCOPED_TRACE(text);
        const CliRun run = ZeltoHostWith(call);
        EXPECT_EQ(run.status, 2) << run.out << run.err;
        EXPECT_FALSE(run.err.empty());
        EXPECT_FALSE(fs::exists(Target()));
    }
}
