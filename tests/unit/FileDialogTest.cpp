// The system file dialog as the scripted user answers it: which picks the dialog offers (packages
// only when shown and of a filter's bundle type, files of the filters' types), the cancel, and the
// record of what the user saw.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DGFileDialog.hpp"
#include "DGScriptedUser.hpp"
#include "FileTypeManager.hpp"
#include "HostControl.hpp"
#include "common/TemporaryFolder.hpp"

namespace {

namespace fs = std::filesystem;

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        HostControl::ResetAll();
        DGScriptedUser::Reset();
        fs::create_directories(folder.PathOf("Tool.app/Contents"));
        fs::create_directories(folder.PathOf("Plain folder"));
        folder.WriteFile("Fake.app", "not a bundle");
        folder.WriteFile("notes.txt", "text");
        applicationType = manager.AddType(FTM::FileType("Application", "app", 'APPL', 0, 0, nullptr, nullptr, true));
        textType = manager.AddType(FTM::FileType("Text", "txt", 'TEXT', 0, 0));
        ASSERT_NE(applicationType, FTM::UnknownType);
        ASSERT_NE(textType, FTM::UnknownType);
    }
    void TearDown() override { DGScriptedUser::Reset(); }

    TemporaryFolder folder;
    FTM::FileTypeManager manager{"FileDialogTest"};
    FTM::TypeID applicationType = FTM::UnknownType;
    FTM::TypeID textType = FTM::UnknownType;
};

}  // namespace

TEST_F(FileDialogTest, OffersOnlyWhatABrowserWouldLetTheUserPick)
{
    struct Case {
        const char* name;
        std::string pick;  // empty: the user cancels
        bool showPackages;
        std::vector<FTM::TypeID*> filters;
        bool picked;
    };
    const std::vector<Case> cases = {
        {"an application bundle, packages shown", folder.PathOf("Tool.app"), true, {&applicationType}, true},
        {"the bundle with packages hidden is a folder", folder.PathOf("Tool.app"), false, {&applicationType}, false},
        {"a plain folder is never an item", folder.PathOf("Plain folder"), true, {&applicationType}, false},
        {"a file named like a bundle", folder.PathOf("Fake.app"), true, {&applicationType}, false},
        {"a file of a filter's type", folder.PathOf("notes.txt"), true, {&applicationType, &textType}, true},
        {"any file without filters", folder.PathOf("notes.txt"), false, {}, true},
        {"a missing entry", folder.PathOf("Gone.app"), true, {&applicationType}, false},
        {"a relative path", "Tool.app", true, {&applicationType}, false},
        {"the user cancels", "", true, {&applicationType}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DGScriptedUser::Reset();
        if (c.pick.empty())
            DGScriptedUser::PlanFileCancel();
        else
            DGScriptedUser::PlanFilePick(c.pick);
        DG::FileDialog dialog(DG::FileDialog::OpenFile);
        if (c.showPackages)
            dialog.ShowMacPackagesInDialog();
        for (const FTM::TypeID* type : c.filters)
            ASSERT_TRUE(dialog.AddFilter(*type, DG::FileDialog::DisplayDescription));
        EXPECT_EQ(dialog.Invoke(), c.picked);
        EXPECT_EQ(dialog.GetSelectedFileCount(), c.picked ? 1u : 0u);
        EXPECT_EQ(dialog.GetSelectedFile(0).ToUtf8Path(), c.picked ? c.pick : std::string());

        ASSERT_EQ(DGScriptedUser::FileDialogTranscript().size(), 1u);
        const DGFileDialogRecord& record = DGScriptedUser::FileDialogTranscript().front();
        EXPECT_EQ(record.picked, c.picked);
        EXPECT_EQ(record.notes.empty(), c.picked || c.pick.empty()) << "a refused pick leaves a note";
    }
}

TEST_F(FileDialogTest, RecordsWhatTheUserSawAndCancelsWithoutAPlan)
{
    DG::FileDialog dialog(DG::FileDialog::OpenFile);
    dialog.ShowMacPackagesInDialog();
    EXPECT_TRUE(dialog.AddFilter(applicationType, DG::FileDialog::DisplayExtensions));
    EXPECT_TRUE(dialog.AddFilter(textType, DG::FileDialog::DisplayDescription));
    EXPECT_FALSE(dialog.AddFilter(FTM::UnknownType, DG::FileDialog::DisplayDescription));
    dialog.SetTitle("Where is the tool?");
    EXPECT_FALSE(dialog.Invoke());
    EXPECT_TRUE(dialog.GetSelectedFile(0).IsEmpty());

    ASSERT_EQ(DGScriptedUser::FileDialogTranscript().size(), 1u);
    const DGFileDialogRecord& record = DGScriptedUser::FileDialogTranscript().front();
    EXPECT_EQ(record.type, 0);
    EXPECT_EQ(record.title, "Where is the tool?");
    EXPECT_EQ(record.filters, (std::vector<std::string>{"Application (*.app)", "Text"}));
    EXPECT_TRUE(record.packagesShown);
    EXPECT_FALSE(record.picked);
}
