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

TEST_F(GSPrefTest, ADamagedLineIsPassedOverNamedAndTheOtherValuesAreKept)
{
    // A stored Cinema 4D location before and a setting after the damaged line.
    const std::string before = "GSPref 1\ns\tZelto\tC4D Path\t/Apps/C4D\n";
    const std::string after = "i\tZelto\tExport Unit\t3\n";
    struct Case {
        const char* what;
        std::string text;
        std::size_t line;  // the line named as passed over
    };
    const Case cases[] = {
        {"binary garbage", before + std::string("\x00\xFF garbage\n", 11) + after, 3},
        {"not a number", before + "i\tZelto\tKey\t5x\n" + after, 3},
        {"beyond Int32", before + "i\tZelto\tKey\t2147483648\n" + after, 3},
        {"not a bool", before + "b\tZelto\tKey\tyes\n" + after, 3},
        {"unknown escape", before + "s\tZelto\tKey\tbad\\q\n" + after, 3},
        {"a field missing", before + "i\tZelto\tKey\n" + after, 3},
        {"unknown type", before + "x\tZelto\tKey\t5\n" + after, 3},
        {"no folder", before + "i\t\tKey\t5\n" + after, 3},
        {"the same value twice", before + "s\tZelto\tC4D Path\t/Other\n" + after, 3},
        {"cut short", before + after + "i\tZelto\tKey\t5", 4},
        {"no header", before.substr(9) + after, 1},
        {"a header this host does not know", "GSPref 2\n" + before.substr(9) + after, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WritePreferenceFile(c.text);
        Recorder().debugLines.clear();
        {
            OpenedRoot root;
            ASSERT_EQ(root.Result(), NoError);
            GS::UniString path;
            EXPECT_EQ(root->ReadString("Zelto", "C4D Path", &path, "", GSPref::FailWhenAbsent), NoError);
            EXPECT_EQ(path, GS::UniString("/Apps/C4D"));
            Int32 value = 0;
            EXPECT_EQ(root->ReadInt32("Zelto", "Key", &value, 9, GSPref::FailWhenAbsent), GSPref::KeyNotFoundErr);
            EXPECT_EQ(value, 9);
            ASSERT_EQ(root->WriteInt32("Zelto", "Export Unit", 4), NoError);
        }
        EXPECT_EQ(PreferenceFileText(), "GSPref 1\ns\tZelto\tC4D Path\t/Apps/C4D\ni\tZelto\tExport Unit\t4\n")
            << "the next write keeps the other values";
        ASSERT_EQ(Recorder().debugLines.size(), 1u);
        EXPECT_NE(Recorder().debugLines[0].find("line " + std::to_string(c.line) + ":"), std::string::npos)
            << Recorder().debugLines[0];
    }
}

TEST_F(GSPrefTest, AStoreThatCannotBeReadGivesTheDefaultsAndRefusesWrites)
{
    std::filesystem::create_directory(home.PathOf(GSPref::PreferenceFileName));
    OpenedRoot root;
    ASSERT_EQ(root.Result(), NoError);
    Int32 value = 0;
    EXPECT_EQ(root->ReadInt32("Zelto", "Key", &value, 9, GSPref::DefaultWhenAbsent), NoError);
    EXPECT_EQ(value, 9);
    EXPECT_EQ(root->WriteInt32("Zelto", "Key", 5), GSPref::StoreWriteErr);
    EXPECT_EQ(Recorder().debugLines.size(), 1u) << "the store says once why it starts empty";
    EXPECT_TRUE(std::filesystem::is_directory(home.PathOf(GSPref::PreferenceFileName)));
}

TEST_F(GSPrefTest, TheFileIsReadOncePerSessionAndWrittenOnlyForAChange)
{
    {
        OpenedRoot root;
        ASSERT_EQ(root->WriteInt32("Zelto", "Key", 1), NoError);
    }
    OpenedRoot first;
    Int32 value = 0;
    ASSERT_EQ(first->ReadInt32("Zelto", "Key", &value, 0, GSPref::FailWhenAbsent), NoError);
    // Another host stores a value meanwhile: this session goes on with what it read, and a write of
    // the value it holds already leaves the file alone.
    WritePreferenceFile("GSPref 1\ni\tZelto\tKey\t2\n");
    {
        OpenedRoot second;  // the same session: a root is open
        EXPECT_EQ(second->ReadInt32("Zelto", "Key", &value, 0, GSPref::FailWhenAbsent), NoError);
        EXPECT_EQ(value, 1);
        EXPECT_EQ(second->WriteInt32("Zelto", "Key", 1), NoError);
        EXPECT_EQ(PreferenceFileText(), "GSPref 1\ni\tZelto\tKey\t2\n");
    }
    GSPref::CloseRootKey(first.Get());  // the session ends (the fixture's close is then refused)
    OpenedRoot next;
    EXPECT_EQ(next->ReadInt32("Zelto", "Key", &value, 0, GSPref::FailWhenAbsent), NoError);
    EXPECT_EQ(value, 2) << "a new session reads the file again";
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
