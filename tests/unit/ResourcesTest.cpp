// The string tables of an export run, read from the add-on's resource file beside the binary.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ACAPinc.h"
#include "ProgramRunner.hpp"
#include "RS.hpp"
#include "ZELTO_export_Resources.hpp"

namespace {

namespace fs = std::filesystem;

fs::path ThisBinary()
{
    return fs::canonical("/proc/self/exe");
}

// A resource module of our own, opened from the add-on's resource file beside this binary.
class ResourceFileBeside {
public:
    ResourceFileBeside() : module(RSOpenModule((ThisBinary().parent_path() / "Zelto_export.rsrc").c_str())) {}
    ~ResourceFileBeside() { RSCloseModule(module); }
    ResourceFileBeside(const ResourceFileBeside&) = delete;
    ResourceFileBeside& operator=(const ResourceFileBeside&) = delete;

    std::string Text(int listId, int item) const
    {
        GS::UniString text;
        RSGetIndString(&text, static_cast<GSResID>(listId), item, module, 0);
        return text.ToUtf8();
    }
    bool IsOpen() const { return module != InvalidResModule; }

private:
    GSResModule module;
};

struct TableCase {
    const char* field;
    const GS::Array<GS::UniString>& table;
    int listId;
    UInt32 expectedSize;
};

std::vector<TableCase> TablesOf(const WRL::MAResource& resources)
{
    return {{"comments", resources.comments, WRL::LocalizedCommentStringTable, 9},
            {"errors", resources.errors, WRL::LocalizedErrorStringTable, 3},
            {"elementNames", resources.elementNames, WRL::LocalizedElementTable, 24},
            {"progressTexts", resources.progressTexts, WRL::LocalizedProgressbarTable, 20},
            {"updateTexts", resources.updateTexts, WRL::LocalizedUpdateStrings, 3}};
}

}  // namespace

TEST(MAResource, EveryTableHoldsItsItemsAtTheirNumbersAfterAnEmptyFirstEntry)
{
    const ResourceFileBeside file;
    ASSERT_TRUE(file.IsOpen());
    ASSERT_NE(ACAPI_GetOwnResModule(), InvalidResModule);
    const WRL::MAResource resources;
    for (const TableCase& table : TablesOf(resources)) {
        ASSERT_EQ(table.table.GetSize(), table.expectedSize) << table.field;
        EXPECT_TRUE(table.table[0].IsEmpty()) << table.field;
        for (UInt32 item = 1; item < table.expectedSize; ++item) {
            const std::string text = table.table[item].ToUtf8();
            EXPECT_FALSE(text.empty()) << table.field << " " << item;
            EXPECT_EQ(text, file.Text(table.listId, static_cast<int>(item))) << table.field << " " << item;
        }
    }
}

TEST(MAResource, ItemConstantsIndexTheTables)
{
    const WRL::MAResource resources;
    EXPECT_EQ(resources.progressTexts.GetSize(), static_cast<UInt32>(WRL::SaveIES) + 1);
    EXPECT_EQ(resources.progressTexts[WRL::SaveIES].ToUtf8(), "Saving light files");
    EXPECT_EQ(resources.progressTexts[WRL::SavingFile].ToUtf8(), "Saving Zelto file");
    EXPECT_EQ(resources.elementNames[WRL::SaveLight].ToUtf8(), "Light");
    EXPECT_EQ(resources.elementNames[WRL::SaveCamera3D].ToUtf8(), "3D View Camera");
    EXPECT_EQ(resources.comments[WRL::DialogTitle].ToUtf8(), "Zelto Exporter");
    EXPECT_EQ(resources.updateTexts[WRL::NoConnection].ToUtf8(), "The update server could not be reached.");
}

TEST(MAResource, GetStringAppendsEvenWhatTheFileLacks)
{
    const WRL::MAResource resources;
    GS::Array<GS::UniString> table;
    table.Push(GS::UniString("kept"));
    resources.GetString(&table, WRL::LocalizedCommentStringTable, 99);
    resources.GetString(&table, WRL::LocalizedProgressbarTable, WRL::SavePoly);
    resources.GetString(&table, 4242, 1);
    ASSERT_EQ(table.GetSize(), 4u);
    EXPECT_EQ(table[0].ToUtf8(), "kept");
    EXPECT_TRUE(table[1].IsEmpty());
    EXPECT_EQ(table[2].ToUtf8(), "Saving polygons");
    EXPECT_TRUE(table[3].IsEmpty());
}

// The add-on's glue opens the resource file beside the program it runs in when the program starts.
// To give it another file, the test below starts this binary again under a name in a folder of its
// own, next to a resource file without the progress texts, and runs only this test there.
TEST(MAResourceInOtherFolder, DISABLED_ModuleWithoutProgressTexts)
{
    ASSERT_NE(ACAPI_GetOwnResModule(), InvalidResModule);
    const WRL::MAResource resources;
    // The other file is the one read.
    ASSERT_EQ(resources.comments.GetSize(), 9u);
    EXPECT_EQ(resources.comments[WRL::TextureName].ToUtf8(), "Other texture");
    ASSERT_EQ(resources.progressTexts.GetSize(), 20u);
    for (UInt32 item = 0; item < resources.progressTexts.GetSize(); ++item)
        EXPECT_TRUE(resources.progressTexts[item].IsEmpty()) << item;
    EXPECT_EQ(resources.elementNames.GetSize(), 24u);
    EXPECT_EQ(resources.errors.GetSize(), 3u);
    EXPECT_EQ(resources.updateTexts.GetSize(), 3u);
}

namespace {

class TemporaryFolder {
public:
    TemporaryFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "zelto-resources-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            path = pattern;
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        if (!path.empty())
            fs::remove_all(path, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    fs::path path;
};

std::string ReadText(const fs::path& file)
{
    std::ifstream input(file);
    std::ostringstream text;
    text << input.rdbuf();
    return text.str();
}

}  // namespace

TEST(MAResource, ResourceFileWithoutProgressTextsGivesTwentyEmptyTitles)
{
    TemporaryFolder folder;
    ASSERT_FALSE(folder.path.empty());
    {
        std::ofstream resources(folder.path / "Zelto_export.rsrc");
        resources << "strings 32500\n  1 \"Other texture\"\nend\n"
                     "strings 32502\n  21 \"Other light\"\nend\n";
    }
    const fs::path program = folder.path / "zelto_unit_tests";
    fs::create_symlink(ThisBinary(), program);
    const fs::path output = folder.path / "output.txt";

    const int status = zelto_test::RunProgram(program.string(),
                                              {"--gtest_filter=MAResourceInOtherFolder.DISABLED_ModuleWithoutProgressTexts",
                                               "--gtest_also_run_disabled_tests"},
                                              {output.string(), output.string()});
    const std::string text = ReadText(output);
    EXPECT_EQ(status, 0) << text;
    // A filter that matched nothing would also end well: the one test must have run and passed.
    EXPECT_NE(text.find("[  PASSED  ] 1 test."), std::string::npos) << text;
}
