// A cross build's export of the sample against an x86_64 build's: the file format is little-endian
// and fixed, so both processors must write the same bytes for the same version and settings. This
// build's zelto-host runs under the emulator, the reference one (ZELTO_REFERENCE_HOST, built from the
// same sources for this machine) as it is, each with a home folder of its own.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ModuleFixture.hpp"
#include "ProgramRunner.hpp"
#include "SampleScene.hpp"

namespace {

namespace fs = std::filesystem;

struct ExportRun {
    int status = -1;
    std::string bytes;
    std::string messages;  // stdout and stderr, for a failure's report
};

// The ELF header's machine field: which processor a program was built for.
uint16_t ElfMachine(const fs::path& program)
{
    const std::string bytes = ReadWholeFile(program);
    if (bytes.size() < 20 || bytes.compare(0, 4, "\x7f" "ELF") != 0)
        return 0;
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[18]) | static_cast<unsigned char>(bytes[19]) << 8);
}

std::string HexAround(const std::string& bytes, std::size_t offset)
{
    std::string text;
    const std::size_t end = std::min(bytes.size(), offset + 16);
    for (std::size_t i = offset; i < end; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x ", static_cast<unsigned char>(bytes[i]));
        text += hex;
    }
    return text;
}

// Where two exports first differ, with the bytes from there on; empty when they are the same.
std::string FirstDifference(const std::string& ours, const std::string& reference)
{
    std::size_t offset = 0;
    while (offset < ours.size() && offset < reference.size() && ours[offset] == reference[offset])
        ++offset;
    if (offset == ours.size() && offset == reference.size())
        return {};
    return "sizes " + std::to_string(ours.size()) + " and " + std::to_string(reference.size()) +
           ", first difference at byte " + std::to_string(offset) + "\n  this build: " + HexAround(ours, offset) +
           "\n  reference:  " + HexAround(reference, offset);
}

}  // namespace

class SameBytesTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        char folderTemplate[] = "/tmp/zelto-same-bytes-XXXXXX";
        ASSERT_NE(mkdtemp(folderTemplate), nullptr);
        root = folderTemplate;
    }

    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    // The sample exported by one of the two host apps into a folder of its own under root.
    ExportRun ExportSample(bool byReference, const std::vector<std::string>& settings)
    {
        const fs::path folder = root / (byReference ? "reference" : "this-build");
        fs::create_directories(folder);
        std::vector<std::string> arguments = {"--api",  std::to_string(GetParam()),   "export",
                                              SampleScene().string(), "-o", (folder / "House.Zelto").string(),
                                              "--home", (folder / "home").string()};
        arguments.insert(arguments.end(), settings.begin(), settings.end());
        const zelto_test::ProgramOutput output = {(folder / "output").string(), (folder / "output").string()};

        ExportRun run;
        std::string failure;
        run.status = byReference ? zelto_test::RunMachineProgram(ZELTO_REFERENCE_HOST, arguments, output, &failure)
                                 : zelto_test::RunProgram(ThisBuildsHost(), arguments, output, &failure);
        run.bytes = ReadWholeFile(folder / "House.Zelto");
        run.messages = ReadWholeFile(folder / "output") + failure;
        return run;
    }

    static std::string ThisBuildsHost() { return std::string(ZELTO_BUILD_DIR) + "/zelto-host"; }

    fs::path root;
};

INSTANTIATE_TEST_SUITE_P(AllModules, SameBytesTest, ::testing::ValuesIn(BuiltModuleVersions()), VersionName);

TEST_P(SameBytesTest, TheReferenceIsBuiltForAnotherProcessor)
{
    const uint16_t ours = ElfMachine(ThisBuildsHost());
    EXPECT_NE(ours, 0) << ThisBuildsHost();
    EXPECT_NE(ElfMachine(ZELTO_REFERENCE_HOST), ours) << "the comparison would prove nothing: " ZELTO_REFERENCE_HOST;
}

TEST_P(SameBytesTest, TheSampleExportsToTheSameBytesAsOnTheReferenceProcessor)
{
    const std::vector<std::vector<std::string>> settingsCases = {
        {},  // the stored defaults
        {"--set", "material-type=3", "--set", "textures=1", "--set", "original-textures=0", "--set",
         "texture-quality=75", "--set", "lights=1", "--set", "cameras=1", "--set", "current-camera=1", "--set",
         "unit=6", "--set", "scale=0.0254", "--set", "use-offset=1"},
        {"--set", "material-type=1", "--set", "unit=3", "--set", "lights=1"},
    };
    for (const std::vector<std::string>& settings : settingsCases) {
        std::string text;
        for (const std::string& word : settings)
            text += word + " ";
        SCOPED_TRACE(text);
        const ExportRun ours = ExportSample(false, settings);
        const ExportRun reference = ExportSample(true, settings);
        ASSERT_EQ(ours.status, 0) << ours.messages;
        ASSERT_EQ(reference.status, 0) << reference.messages;
        ASSERT_FALSE(ours.bytes.empty());
        EXPECT_EQ(FirstDifference(ours.bytes, reference.bytes), "");
    }
}
