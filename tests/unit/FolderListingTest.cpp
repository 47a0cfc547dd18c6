// Folder listing through the host's folder walk, and the system folders of the file manager.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FolderListing.hpp"
#include "GSPrefHost.hpp"
#include "HostControl.hpp"
#include "IOErrors.hpp"
#include "ObjCRuntime.hpp"
#include "SystemFolders.hpp"
#include "common/AddonTestEnvironment.hpp"
#include "common/TemporaryFolder.hpp"

namespace {

constexpr int OwnFailure = -7003;

std::vector<std::string> NamesOf(const GS::Array<IO::Name>& names)
{
    std::vector<std::string> texts;
    for (const IO::Name& name : names)
        texts.push_back(name.ToUtf8());
    return texts;
}

std::vector<std::string> LastNamesOf(const GS::Array<IO::Location>& locations)
{
    std::vector<std::string> texts;
    for (const IO::Location& location : locations) {
        IO::Name name;
        location.GetLastLocalName(&name);
        texts.push_back(name.ToUtf8());
    }
    return texts;
}

// A folder of two files, two sub-folders (one not empty) and a link, which is neither.
class FolderListingTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        folder.WriteFile("b.txt", "b");
        folder.WriteFile("a.txt", "a");
        std::filesystem::create_directory(folder.PathOf("d2"));
        std::filesystem::create_directory(folder.PathOf("d1"));
        folder.WriteFile("d1/inner.txt", "inner");
        std::filesystem::create_symlink(folder.PathOf("a.txt"), folder.PathOf("link"));
    }

    IO::Location At(const std::string& name) const { return IO::Location(folder.PathOf(name).c_str()); }
    IO::Folder Walked() const { return IO::Folder(IO::Location(folder.Path().c_str())); }

    TemporaryFolder folder;
};

using Strings = std::vector<std::string>;

TEST_F(FolderListingTest, ListsSplitFilesFromFolders)
{
    const IO::Folder walked = Walked();
    GS::Array<IO::Name> names{IO::Name("old")};
    GS::Array<IO::Location> locations{At("old")};

    EXPECT_EQ(GetFileList(walked, &names), 0);
    EXPECT_EQ(NamesOf(names), (Strings{"a.txt", "b.txt", "link"}));
    EXPECT_EQ(GetFileList(walked, &locations), 0);
    EXPECT_EQ(LastNamesOf(locations), (Strings{"a.txt", "b.txt", "link"}));
    EXPECT_EQ(locations[0], At("a.txt"));

    EXPECT_EQ(GetFolderList(walked, &names), 0);
    EXPECT_EQ(NamesOf(names), (Strings{"d1", "d2"}));
    EXPECT_EQ(GetFolderList(walked, &locations), 0);
    EXPECT_EQ(LastNamesOf(locations), (Strings{"d1", "d2"}));

    // By type: the link is neither a file nor a folder.
    EXPECT_EQ(ListFolder(walked, &locations), 0);
    EXPECT_EQ(LastNamesOf(locations), (Strings{"a.txt", "b.txt", "d1", "d2"}));
}

TEST_F(FolderListingTest, AnEmptyFolderEmptiesTheArrays)
{
    std::filesystem::create_directory(folder.PathOf("empty"));
    const IO::Folder empty(At("empty"));
    GS::Array<IO::Name> names{IO::Name("old")};
    GS::Array<IO::Location> locations{At("old")};
    EXPECT_EQ(GetFileList(empty, &names), 0);
    EXPECT_TRUE(names.IsEmpty());
    names.Push(IO::Name("old"));
    EXPECT_EQ(GetFolderList(empty, &names), 0);
    EXPECT_TRUE(names.IsEmpty());
    EXPECT_EQ(ListFolder(empty, &locations), 0);
    EXPECT_TRUE(locations.IsEmpty());
}

// The walk's own error comes back unchanged, with the array emptied.
TEST_F(FolderListingTest, WalkFailuresAreReturned)
{
    struct Case {
        const char* what;
        bool missingFolder;
        int expected;
    };
    const std::vector<Case> cases = {{"missing folder", true, IO::NotFoundErr},
                                     {"walk fails", false, IO::AccessDeniedErr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostControl::ResetAll();
        if (!c.missingFolder)
            HostControl::InjectError("IO::Folder::Enumerate", c.expected);
        const IO::Folder walked(c.missingFolder ? At("nowhere") : IO::Location(folder.Path().c_str()));
        GS::Array<IO::Name> names{IO::Name("old")};
        GS::Array<IO::Location> locations{At("old")};
        EXPECT_EQ(GetFileList(walked, &names), c.expected);
        EXPECT_TRUE(names.IsEmpty());
        EXPECT_EQ(GetFolderList(walked, &locations), c.expected);
        EXPECT_TRUE(locations.IsEmpty());
        locations.Push(At("old"));
        EXPECT_EQ(ListFolder(walked, &locations), c.expected);
        EXPECT_TRUE(locations.IsEmpty());
    }
}

TEST_F(FolderListingTest, ANullArrayIsRefused)
{
    const IO::Folder walked = Walked();
    EXPECT_EQ(GetFileList(walked, static_cast<GS::Array<IO::Name>*>(nullptr)), OwnFailure);
    EXPECT_EQ(GetFolderList(walked, static_cast<GS::Array<IO::Location>*>(nullptr)), OwnFailure);
    EXPECT_EQ(ListFolder(walked, nullptr), OwnFailure);
    EXPECT_EQ(AddFileToLocArray(nullptr, At("a.txt")), OwnFailure);
}

TEST_F(FolderListingTest, CallbacksStopAtAnEmptyNameAndSkipIllegalLocations)
{
    struct Case {
        const char* name;
        IO::Folder::EnumCallBack callBack;
        bool byName;
        bool isFolder;  // the flag the entry is reported with
    };
    const std::vector<Case> cases = {
        {"FileCallBackByName", FileCallBackByName, true, false},
        {"FolderCallBackByName", FolderCallBackByName, true, true},
        {"FileCallBackByLocation", FileCallBackByLocation, false, false},
        {"FolderCallBackByLocation", FolderCallBackByLocation, false, true},
        {"FolderCallBackList", FolderCallBackList, false, false},
    };
    // A folder so deep that no entry in it can have a legal path.
    std::string deepPath = "/tmp";
    for (int level = 0; level < 6; ++level)
        deepPath += "/" + std::string(200, 'd');
    const IO::Folder deep{IO::Location(deepPath.c_str())};
    const IO::Folder walked = Walked();

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GS::Array<IO::Name> names;
        GS::Array<IO::Location> locations;
        void* array = c.byName ? static_cast<void*>(&names) : static_cast<void*>(&locations);
        EXPECT_FALSE(c.callBack(walked, IO::Name(""), c.isFolder, array));
        EXPECT_TRUE(names.IsEmpty() && locations.IsEmpty());
        if (!c.byName) {
            EXPECT_TRUE(c.callBack(deep, IO::Name("x.txt"), c.isFolder, array));
            EXPECT_TRUE(locations.IsEmpty());
        }
        // The flag that the callback does not want: the entry is passed over, the walk goes on.
        if (c.callBack != FolderCallBackList) {
            EXPECT_TRUE(c.callBack(walked, IO::Name("a.txt"), !c.isFolder, array));
            EXPECT_TRUE(names.IsEmpty() && locations.IsEmpty());
        }
    }
}

TEST_F(FolderListingTest, FiltersAddByEntryType)
{
    struct Case {
        const char* entry;
        bool file, folder, either;
    };
    const std::vector<Case> cases = {
        {"a.txt", true, false, true},
        {"d1", false, true, true},
        {"link", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        GS::Array<IO::Location> files, folders, both;
        EXPECT_EQ(AddFileToLocArray(&files, At(c.entry)), 0);
        EXPECT_EQ(AddFolderToLocArray(&folders, At(c.entry)), 0);
        EXPECT_EQ(AddFileOrFolderToLocArray(&both, At(c.entry)), 0);
        EXPECT_EQ(files.GetSize(), c.file ? 1u : 0u);
        EXPECT_EQ(folders.GetSize(), c.folder ? 1u : 0u);
        EXPECT_EQ(both.GetSize(), c.either ? 1u : 0u);
    }
    GS::Array<IO::Location> files;
    EXPECT_EQ(AddFileToLocArray(&files, At("missing")), IO::NotFoundErr);
    EXPECT_TRUE(files.IsEmpty());
}

TEST_F(FolderListingTest, AnEntryThatCannotBeTypedIsLeftOut)
{
    // The second entry in byte order, b.txt, cannot be typed.
    HostControl::InjectError("IO::fileSystem::GetType", IO::AccessDeniedErr, 1, 1);
    GS::Array<IO::Location> locations;
    EXPECT_EQ(ListFolder(Walked(), &locations), 0);
    EXPECT_EQ(LastNamesOf(locations), (Strings{"a.txt", "d1", "d2"}));
}

// ----- system folders -----

class SystemFoldersTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        previousHome = GSPref::GetUserDataFolder();
        GSPref::SetUserDataFolder(home.Path());
        liveBefore = ObjCStandInLiveObjectCount();
    }
    void TearDown() override
    {
        EXPECT_EQ(ObjCStandInLiveObjectCount(), liveBefore);
        EXPECT_EQ(ObjCStandInOpenPoolCount(), 0);
        GSPref::SetUserDataFolder(previousHome);
        HostTest::TearDown();
    }

    TemporaryFolder home;
    std::string previousHome;
    Int64 liveBefore = 0;
};

TEST_F(SystemFoldersTest, ProgramsAreTheLocalApplicationsFolder)
{
    EXPECT_EQ(GetProgramsPath().ToUtf8(), home.PathOf("Local/Applications"));
}

TEST_F(SystemFoldersTest, PathsLiveUntilTheManagerGoes)
{
    fm::FolderManager manager;
    const char* applications = manager.pathForDirectory(1, 1 | 2);  // the user domain comes first
    const char* documents = manager.pathForDirectory(9, 1);
    ASSERT_NE(applications, nullptr);
    ASSERT_NE(documents, nullptr);
    EXPECT_EQ(std::string(applications), home.PathOf("Applications"));
    EXPECT_EQ(std::string(documents), home.PathOf("Documents"));
    EXPECT_GT(ObjCStandInLiveObjectCount(), liveBefore);
}

TEST_F(SystemFoldersTest, AFolderTheSystemDoesNotListIsNull)
{
    {
        fm::FolderManager manager;
        EXPECT_EQ(manager.pathForDirectory(1, 4), nullptr);    // network domain
        EXPECT_EQ(manager.pathForDirectory(777, 2), nullptr);  // unknown directory
        HostControl::InjectError("NSFileManager URLsForDirectory:inDomains:", 1);
        EXPECT_EQ(manager.pathForDirectory(1, 2), nullptr);
    }
    EXPECT_TRUE(GetProgramsPath().IsEmpty());
    HostControl::ClearFailures();
    GSPref::SetUserDataFolder("");
    EXPECT_TRUE(GetProgramsPath().IsEmpty());
}

TEST_F(SystemFoldersTest, AFolderForAnItemIsMadeOnRequest)
{
    const std::string item = home.PathOf("item.txt");
    fm::FolderManager manager;
    const char* replacement = manager.pathForDirectoryAppropriateForItemAtPath(99, 1, item.c_str(), true);
    ASSERT_NE(replacement, nullptr);
    EXPECT_EQ(std::string(replacement), home.PathOf("TemporaryItems"));
    EXPECT_TRUE(std::filesystem::is_directory(replacement));

    const char* documents = manager.pathForDirectoryAppropriateForItemAtPath(9, 1, nullptr, false);
    ASSERT_NE(documents, nullptr);
    EXPECT_EQ(std::string(documents), home.PathOf("Documents"));
    EXPECT_FALSE(home.Exists("Documents"));

    EXPECT_EQ(manager.pathForDirectoryAppropriateForItemAtPath(1, 1 | 2, item.c_str(), false), nullptr);
}

}  // namespace
