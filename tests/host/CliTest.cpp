// The host application's command line, run as a program on the sample building: exit status,
// the result line, the summary of the written file, and what a cancel or a bad call leaves.
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ModuleFixture.hpp"
#include "ZeltoReader.hpp"

namespace {

namespace fs = std::filesystem;

// The sample lies in the source tree, three folders above this file.
fs::path SampleScene()
{
    return fs::path(__FILE__).parent_path().parent_path().parent_path() / "samples" / "house" / "house.json";
}

std::string ReadWholeFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Quoted(const std::string& text)
{
    return "'" + text + "'";
}

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

    // zelto-host with the arguments (each quoted), stdout and stderr captured.
    CliRun ZeltoHostWith(const std::vector<std::string>& arguments)
    {
        std::string command = Quoted(std::string(ZELTO_BUILD_DIR) + "/zelto-host");
        for (const std::string& argument : arguments)
            command += " " + Quoted(argument);
        command += " > " + Quoted((root / "stdout").string()) + " 2> " + Quoted((root / "stderr").string());
        CliRun run;
        const int status = std::system(command.c_str());
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadWholeFile(root / "stdout");
        run.err = ReadWholeFile(root / "stderr");
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
        {{"export", SampleScene().string(), "-o", Target().string(), "--api"}, "\"--api\" needs a value"},
        {{"export", (root / "missing.json").string(), "-o", Target().string(), "--home", Home().string()},
         "missing.json: cannot open the scene file"},
        {{"export", (root / "broken.json").string(), "-o", Target().string(), "--home", Home().string()},
         "broken.json: /project/stories: expected an array"},
        {{"frobnicate"}, "\"frobnicate\" is not understood"},
        {{"register", "--everything"}, "\"--everything\" is not understood"},
        {{}, "no command given"},
    };
    for (const Call& call : calls) {
        std::string text;
        for (const std::string& word : call.words)
            text += word + " ";
        SCOPED_TRACE(text);
        const CliRun run = ZeltoHostWith(call.words);
        EXPECT_EQ(run.status, 2) << run.out << run.err;
        EXPECT_NE(run.err.find(call.message), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(Target()));
    }
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
