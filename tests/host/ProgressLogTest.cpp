// The process window of a command-line export whose stderr goes to a file, as in a CI log: plain
// lines, one per phase and one at the close, never a bar redrawn with carriage returns.
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "HostTestFiles.hpp"
#include "ModuleFixture.hpp"
#include "ProgramRunner.hpp"
#include "SampleScene.hpp"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> LinesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class ProgressLogTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        char folderTemplate[] = "/tmp/zelto-progress-log-XXXXXX";
        ASSERT_NE(mkdtemp(folderTemplate), nullptr);
        root = folderTemplate;
    }

    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    fs::path root;
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(AllModules, ProgressLogTest, ::testing::ValuesIn(BuiltModuleVersions()), VersionName);

TEST_P(ProgressLogTest, ExportWithStderrInAFileLogsEachPhaseOnceAndTheClose)
{
    const zelto_test::ProgramOutput output = {(root / "stdout").string(), (root / "stderr").string()};
    std::string failure;
    const int status = zelto_test::RunProgram(
        std::string(ZELTO_BUILD_DIR) + "/zelto-host",
        {"--api", std::to_string(GetParam()), "export", SampleScene().string(), "-o", (root / "House.Zelto").string(),
         "--home", (root / "home").string()},
        output, &failure);
    const std::string err = ReadWholeFile(root / "stderr");
    ASSERT_EQ(status, 0) << failure << ReadWholeFile(root / "stdout") << err;

    EXPECT_EQ(err.find('\r'), std::string::npos) << "a log gets no carriage returns";
    const std::vector<std::string> lines = LinesOf(err);
    ASSERT_GE(lines.size(), 2u) << err;

    // Phase k of n, from 1, each announced once with its number of steps.
    const std::regex phaseLine(R"(\[(\d+)/(\d+)\] [A-Za-z0-9 ]+ \(0 of \d+\))");
    int phaseCount = 0;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        std::smatch parts;
        ASSERT_TRUE(std::regex_match(lines[i], parts, phaseLine)) << "line " << i + 1 << ": " << lines[i];
        EXPECT_EQ(std::stoi(parts[1]), static_cast<int>(i) + 1) << lines[i];
        phaseCount = std::stoi(parts[2]);
    }
    EXPECT_EQ(static_cast<int>(lines.size()) - 1, phaseCount) << err;

    // The last phase ran to its end before the window closed.
    const std::regex closeLine(R"(Closed at \[(\d+)/(\d+)\] [A-Za-z0-9 ]+ \((\d+) of (\d+)\))");
    std::smatch close;
    ASSERT_TRUE(std::regex_match(lines.back(), close, closeLine)) << lines.back();
    EXPECT_EQ(std::stoi(close[1]), phaseCount);
    EXPECT_EQ(close[3], close[4]) << lines.back();
}
