// Locating Cinema 4D: the file dialog the first time, the stored pick afterwards, the cases that ask
// again (a stored text that is no legal location, an application that is gone, something at its place
// that is no application), a cancel or a pick that cannot be stored, and forgetting the stored location.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "DGScriptedUser.hpp"
#include "GSPref.hpp"
#include "GSPrefHost.hpp"
#include "ZELTO_export_C4Dsearch.hpp"
#include "ZELTO_export_Parameters.hpp"
#include "common/AddonTestEnvironment.hpp"
#include "common/TemporaryFolder.hpp"

namespace {

namespace fs = std::filesystem;

class C4DSearchTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        DGScriptedUser::Reset();
        GSPref::SetUserDataFolder(home.Path());
        fs::create_directories(folder.PathOf("Studio/Cinema 4D.app/Contents"));
        fs::create_directories(folder.PathOf("Other/Cinema 4D.app/Contents"));
    }
    void TearDown() override
    {
        EXPECT_EQ(GSPref::CountOpenRoots(), 0) << "a preference root was left open";
        GSPref::SetUserDataFolder("");
        DGScriptedUser::Reset();
        HostTest::TearDown();
    }

    std::string Application(const char* which = "Studio") const
    {
        return folder.PathOf(std::string(which) + "/Cinema 4D.app");
    }
    static std::optional<std::string> Stored()
    {
        GSPref::IRoot* root = nullptr;
        if (GSPref::OpenRootKey(0, &root) != NoError)
            return std::nullopt;
        GS::UniString value;
        const GSErrCode read = root->ReadString(WRL::REG_Folder, WRL::REG_C4DPath, &value, "", GSPref::FailWhenAbsent);
        GSPref::CloseRootKey(root);
        return read == NoError ? std::optional<std::string>(value.ToUtf8()) : std::nullopt;
    }
    static void Store(const std::string& path)
    {
        GSPref::IRoot* root = nullptr;
        ASSERT_EQ(GSPref::OpenRootKey(0, &root), NoError);
        EXPECT_EQ(root->WriteString(WRL::REG_Folder, WRL::REG_C4DPath, GS::UniString::FromUtf8(path)), NoError);
        GSPref::CloseRootKey(root);
    }
    static std::size_t DialogsShown() { return DGScriptedUser::FileDialogTranscript().size(); }

    TemporaryFolder home;
    TemporaryFolder folder;
};

}  // namespace

TEST_F(C4DSearchTest, TheFirstSearchAsksOnceAndStoresThePickTheNextGoesStraightToIt)
{
    DGScriptedUser::PlanFilePick(Application());
    WRL::MASearch first;
    ASSERT_TRUE(first.SearchC4D());
    EXPECT_EQ(first.GetC4DLocation().ToUtf8Path(), Application());
    EXPECT_EQ(first.GetC4DPath().ToUtf8(), Application());
    EXPECT_EQ(Stored(), Application());

    ASSERT_EQ(DialogsShown(), 1u);
    const DGFileDialogRecord& dialog = DGScriptedUser::FileDialogTranscript().front();
    EXPECT_EQ(dialog.type, 0);
    EXPECT_EQ(dialog.title, "Please locate your Cinema 4D application.");
    EXPECT_EQ(dialog.filters, std::vector<std::string>{"Cinema 4D (*.app)"});
    EXPECT_TRUE(dialog.packagesShown) << "an application bundle must be offered as an item to pick";

    DGScriptedUser::PlanFilePick(Application("Other"));  // not used: nobody is asked
    WRL::MASearch second;
    ASSERT_TRUE(second.SearchC4D());
    EXPECT_EQ(second.GetC4DLocation().ToUtf8Path(), Application());
    EXPECT_EQ(DialogsShown(), 1u);
}

TEST_F(C4DSearchTest, AStoredLocationThatCannotBeUsedBringsTheDialogBack)
{
    struct Case {
        const char* name;
        std::string stored;
    };
    const Case cases[] = {
        {"a relative path", "Cinema 4D.app"},
        {"a path too long for the file system", "/" + std::string(1100, 'c') + ".app"},
        {"an application that was removed", folder.PathOf("Removed/Cinema 4D.app")},
        {"an empty text", ""},
        {"a plain file named as an application", folder.PathOf("Plain/Cinema 4D.app")},
        {"a folder that is no bundle", folder.PathOf("Studio")},
        {"the root folder", "/"},
    };
    fs::create_directories(folder.PathOf("Plain"));
    folder.WriteFile("Plain/Cinema 4D.app", "not an application");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DGScriptedUser::Reset();
        Store(c.stored);
        DGScriptedUser::PlanFilePick(Application("Other"));
        WRL::MASearch search;
        ASSERT_TRUE(search.SearchC4D());
        EXPECT_EQ(DialogsShown(), 1u);
        EXPECT_EQ(search.GetC4DLocation().ToUtf8Path(), Application("Other"));
        EXPECT_EQ(Stored(), Application("Other")) << "the new pick replaces the stored text";
    }
}

TEST_F(C4DSearchTest, ACancelOrAPickThatCannotBeStoredFindsNothing)
{
    struct Case {
        const char* name;
        bool pick;
        const char* failurePoint;
    };
    const Case cases[] = {
        {"the user cancels", false, nullptr},
        {"the pick cannot be stored", true, "GSPref::Write:C4D Path"},
        {"the preferences cannot be opened", true, "GSPref::Open"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DGScriptedUser::Reset();
        HostControl::ClearFailures();
        if (c.pick)
            DGScriptedUser::PlanFilePick(Application());
        if (c.failurePoint != nullptr)
            HostControl::InjectError(c.failurePoint, -5205);
        WRL::MASearch search;
        EXPECT_FALSE(search.SearchC4D());
        EXPECT_TRUE(search.GetC4DLocation().IsEmpty());
        EXPECT_TRUE(search.GetC4DPath().IsEmpty());
        HostControl::ClearFailures();
        EXPECT_EQ(Stored(), std::nullopt);
    }
}

TEST_F(C4DSearchTest, ForgettingClearsTheStoredLocationAndSucceedsWhenNothingIsStored)
{
    Store(Application());
    EXPECT_TRUE(WRL::MASearch().RemoveC4D());
    EXPECT_EQ(Stored(), std::nullopt);
    EXPECT_TRUE(WRL::MASearch().RemoveC4D()) << "nothing stored: already forgotten";

    DGScriptedUser::PlanFilePick(Application("Other"));
    WRL::MASearch next;
    ASSERT_TRUE(next.SearchC4D());
    EXPECT_EQ(DialogsShown(), 1u) << "the next search asks again";

    for (const char* point : {"GSPref::Delete:C4D Path", "GSPref::DeleteFolderIfEmpty:Zelto", "GSPref::Open"}) {
        SCOPED_TRACE(point);
        HostControl::InjectError(point, -5205, 0, 1);
        EXPECT_FALSE(WRL::MASearch().RemoveC4D());
    }
}
