// The stand-in host's preference store: typed values in folders, read modes, the file it keeps in
// the host's user-data folder (round trip, robustness against damaged files, atomic replacement)
// and the failures tests can plan at each operation.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "GSPref.hpp"
#include "GSPrefHost.hpp"
#include "common/AddonTestEnvironment.hpp"
#include "common/TemporaryFolder.hpp"

namespace {

// A root of the user's preferences, closed when the test's scope ends.
class OpenedRoot {
public:
    OpenedRoot() { result = GSPref::OpenRootKey(GSPref::UserDomain, &root); }
    ~OpenedRoot() { GSPref::CloseRootKey(root); }
    OpenedRoot(const OpenedRoot&) = delete;
    OpenedRoot& operator=(const OpenedRoot&) = delete;

    GSPref::IRoot* operator->() const { return root; }
    GSPref::IRoot* Get() const { return root; }
    GSErrCode Result() const { return result; }

private:
    GSPref::IRoot* root = nullptr;
    GSErrCode result = NoError;
};

class GSPrefTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        GSPref::SetUserDataFolder(home.Path());
    }
    void TearDown() override
    {
        GSPref::SetUserDataFolder("");
        HostTest::TearDown();
    }

    std::string PreferenceFileText() const { return home.ReadFile(GSPref::PreferenceFileName); }
    void WritePreferenceFile(const std::string& text) const { home.WriteFile(GSPref::PreferenceFileName, text); }

    std::vector<std::string> FilesAtHome() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(home.Path()))
            names.push_back(entry.path().filename().string());
        return names;
    }

    TemporaryFolder home;
};

TEST_F(GSPrefTest, ValuesOfEveryTypeOutliveTheRootAndTheHostRun)
{
    const GS::UniString text = GS::UniString::FromUtf8("/Apps/C4D R\xC3\xBC\t\"x\"\\n\nline\r");
    {
        OpenedRoot root;
        ASSERT_EQ(root.Result(), NoError);
        EXPECT_EQ(root->WriteInt32("Zelto", "Number", -2147483647 - 1), NoError);
        EXPECT_EQ(root->WriteBool("Zelto", "Flag", true), NoError);
        EXPECT_EQ(root->WriteString("Zelto", "Text", text), NoError);
        EXPECT_EQ(root->WriteInt32("Other", "Number", 7), NoError);
    }
    EXPECT_EQ(GSPref::CountOpenRoots(), 0);

    // A later run of the host: the store is known only from its file.
    GSPref::SetUserDataFolder("");
    GSPref::SetUserDataFolder(home.Path());
    OpenedRoot root;
    ASSERT_EQ(root.Result(), NoError);
    Int32 number = 0;
    bool flag = false;
    GS::UniString read;
    EXPECT_EQ(root->ReadInt32("Zelto", "Number", &number, 0, GSPref::FailWhenAbsent), NoError);
    EXPECT_EQ(number, -2147483647 - 1);
    EXPECT_EQ(root->ReadBool("Zelto", "Flag", &flag, false, GSPref::FailWhenAbsent), NoError);
    EXPECT_TRUE(flag);
    EXPECT_EQ(root->ReadString("Zelto", "Text", &read, "", GSPref::FailWhenAbsent), NoError);
    EXPECT_EQ(read, text);
    EXPECT_EQ(root->ReadInt32("Other", "Number", &number, 0, GSPref::FailWhenAbsent), NoError);
    EXPECT_EQ(number, 7);
    // Only the store's own file is left behind: no temporary files of the writes.
    EXPECT_EQ(FilesAtHome(), std::vector<std::string>{GSPref::PreferenceFileName});
}

TEST_F(GSPrefTest, EveryReadLeavesTheDefaultWhenItFindsNoValueOfItsType)
{
    {
        OpenedRoot root;
        ASSERT_EQ(root->WriteBool("Zelto", "Flag", true), NoError);
    }
    struct Case {
        const char* key;
        Int32 readMode;
        GSErrCode expected;
    };
    const Case cases[] = {
        {"Absent", GSPref::DefaultWhenAbsent, NoError},
        {"Absent", GSPref::FailWhenAbsent, GSPref::KeyNotFoundErr},
        {"Flag", GSPref::DefaultWhenAbsent, GSPref::TypeMismatchErr},  // a bool read as a number
    };
    OpenedRoot root;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " mode " + std::to_string(c.readMode));
        Int32 number = 12345;
        EXPECT_EQ(root->ReadInt32("Zelto", c.key, &number, 42, c.readMode), c.expected);
        EXPECT_EQ(number, 42);
        GS::UniString text("old");
        EXPECT_EQ(root->ReadString("Zelto", c.key, &text, "default", c.readMode), c.expected);
        EXPECT_EQ(text, GS::UniString("default"));
    }
    bool flag = true;
    EXPECT_EQ(root->ReadBool("Elsewhere", "Flag", &flag, false, GSPref::DefaultWhenAbsent), NoError);
    EXPECT_FALSE(flag);  // keys are per folder
}

TEST_F(GSPrefTest, WritesReplaceValuesOfAnyTypeAndDeletionRemovesOnlyTheNamedValue)
{
    OpenedRoot root;
    ASSERT_EQ(root->WriteInt32("Zelto", "Key", 1), NoError);
    ASSERT_EQ(root->WriteString("Zelto", "Key", "now text"), NoError);
    ASSERT_EQ(root->WriteBool("Zelto", "Kept", true), NoError);
    GS::UniString text;
    EXPECT_EQ(root->ReadString("Zelto", "Key", &text, "", GSPref::FailWhenAbsent), NoError);
    EXPECT_EQ(text, GS::UniString("now text"));

    EXPECT_EQ(root->DeleteValue("Zelto", "Key"), NoError);
    EXPECT_EQ(root->DeleteValue("Zelto", "Key"), NoError);  // already gone
    EXPECT_EQ(root->DeleteFolderIfEmpty("Zelto"), NoError);
    EXPECT_EQ(root->ReadString("Zelto", "Key", &text, "", GSPref::FailWhenAbsent), GSPref::KeyNotFoundErr);
    bool kept = false;
    EXPECT_EQ(root->ReadBool("Zelto", "Kept", &kept, false, GSPref::FailWhenAbsent), NoError);
    EXPECT_TRUE(kept);
}

TEST_F(GSPrefTest, TheFileHoldsFolderKeyAndValueAsTextLines)
{
    {
        OpenedRoot root;
        ASSERT_EQ(root->WriteInt32("Zelto", "Export Scale", 2500000), NoError);
        ASSERT_EQ(root->WriteBool("Zelto", "Export Lights", false), NoError);
        ASSERT_EQ(root->WriteString("Zelto", "C4D Path", "a\tb\\c"), NoError);
    }
    EXPECT_EQ(PreferenceFileText(),
              "GSPref 1\n"
              "s\tZelto\tC4D Path\ta\\tb\\\\c\n"
              "b\tZelto\tExport Lights\tfalse\n"
              "i\tZelto\tExport Scale\t2500000\n");
}

TEST_F(GSPrefTest, ADamagedFileReadsAsEmptyAndTheNextWriteReplacesIt)
{
    const std::string good = "GSPref 1\ni\tZelto\tKey\t5\n";
    const std::string damaged[] = {
        "",
        std::string("\x00\xFF garbage", 10),
        "i\tZelto\tKey\t5\n",                              // no header
        "GSPref 2\ni\tZelto\tKey\t5\n",                    // a format this host does not know
        "GSPref 1\ni\tZelto\tKey\t5",                      // cut short
        "GSPref 1\ni\tZelto\tKey\t5x\n",                   // not a number
        "GSPref 1\ni\tZelto\tKey\t2147483648\n",           // beyond Int32
        "GSPref 1\nb\tZelto\tKey\tyes\n",                  // not a bool
        "GSPref 1\ns\tZelto\tKey\tbad\\q\n",               // unknown escape
        "GSPref 1\ni\tZelto\tKey\n",                       // a field missing
        "GSPref 1\nx\tZelto\tKey\t5\n",                    // unknown type
        "GSPref 1\ni\t\tKey\t5\n",                         // no folder
        "GSPref 1\ni\tZelto\tKey\t5\ni\tZelto\tKey\t6\n",  // the same value twice
    };
    for (const std::string& text : damaged) {
        SCOPED_TRACE(text);
        WritePreferenceFile(text);
        OpenedRoot root;
        ASSERT_EQ(root.Result(), NoError);
        Int32 value = 0;
        EXPECT_EQ(root->ReadInt32("Zelto", "Key", &value, 9, GSPref::FailWhenAbsent), GSPref::KeyNotFoundErr);
        EXPECT_EQ(value, 9);
        ASSERT_EQ(root->WriteInt32("Zelto", "Key", 5), NoError);
        EXPECT_EQ(PreferenceFileText(), good);
    }
}

TEST_F(GSPrefTest, ARootOpensOnlyForTheUserDomainOfAnExistingUserDataFolder)
{
    struct Case {
        const char* what;
        std::string folder;
        Int32 domain;
        GSErrCode expected;
    };
    const Case cases[] = {
        {"user domain", home.Path(), GSPref::UserDomain, NoError},
        {"another domain", home.Path(), 1, GSPref::BadDomainErr},
        {"no user-data folder", "", GSPref::UserDomain, GSPref::NoStoreErr},
        {"missing user-data folder", home.PathOf("missing"), GSPref::UserDomain, GSPref::NoStoreErr},
    };
    int notARoot = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GSPref::SetUserDataFolder(c.folder);
        GSPref::IRoot* root = reinterpret_cast<GSPref::IRoot*>(&notARoot);  // must be overwritten
        EXPECT_EQ(GSPref::OpenRootKey(c.domain, &root), c.expected);
        EXPECT_EQ(root == nullptr, c.expected != NoError);
        EXPECT_EQ(GSPref::CloseRootKey(root), NoError);
        EXPECT_EQ(GSPref::CountOpenRoots(), 0);
    }
    EXPECT_EQ(GSPref::CloseRootKey(reinterpret_cast<GSPref::IRoot*>(&notARoot)), GSPref::BadParameterErr);
}

TEST_F(GSPrefTest, PlannedFailuresHitTheNamedOperationOnly)
{
    {
        OpenedRoot root;
        ASSERT_EQ(root->WriteInt32("Zelto", "Export Scale", 1), NoError);
        ASSERT_EQ(root->WriteInt32("Zelto", "Other", 1), NoError);
    }
    HostControl::InjectError("GSPref::Write:Export Scale", -77);
    HostControl::InjectError("GSPref::Read:Other", -78);
    HostControl::InjectError("GSPref::Delete:Other", -79);
    HostControl::InjectError("GSPref::DeleteFolderIfEmpty:Zelto", -80);
    OpenedRoot root;
    EXPECT_EQ(root->WriteInt32("Zelto", "Export Scale", 2), -77);
    EXPECT_EQ(root->WriteInt32("Zelto", "Other", 2), NoError);
    Int32 value = 0;
    EXPECT_EQ(root->ReadInt32("Zelto", "Export Scale", &value, 0, GSPref::FailWhenAbsent), NoError);
    EXPECT_EQ(value, 1);  // the failed write stored nothing
    EXPECT_EQ(root->ReadInt32("Zelto", "Other", &value, 5, GSPref::FailWhenAbsent), -78);
    EXPECT_EQ(value, 5);
    EXPECT_EQ(root->DeleteValue("Zelto", "Other"), -79);
    EXPECT_EQ(root->DeleteFolderIfEmpty("Zelto"), -80);

    HostControl::InjectError("GSPref::Open", -81);
    GSPref::IRoot* failed = nullptr;
    EXPECT_EQ(GSPref::OpenRootKey(GSPref::UserDomain, &failed), -81);
    EXPECT_EQ(failed, nullptr);
    EXPECT_EQ(GSPref::CountOpenRoots(), 1);  // only the root of this test
}

TEST_F(GSPrefTest, AWriteThatCannotReachTheDiskFailsAndKeepsTheOldFile)
{
    OpenedRoot root;
    ASSERT_EQ(root->WriteInt32("Zelto", "Key", 1), NoError);
    const std::string before = PreferenceFileText();
    // The user-data folder vanishes while the root is open: nothing can be written there.
    GSPref::SetUserDataFolder(home.PathOf("vanished"));
    EXPECT_EQ(root->WriteInt32("Zelto", "Key", 2), GSPref::StoreWriteErr);

    GSPref::SetUserDataFolder(home.Path());
    Int32 value = 0;
    EXPECT_EQ(root->ReadInt32("Zelto", "Key", &value, 0, GSPref::FailWhenAbsent), NoError);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(PreferenceFileText(), before);
}

}  // namespace
