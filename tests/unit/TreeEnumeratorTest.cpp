// The host's folder walk: the hooks in walk order, what their answers do, links never followed
// (a link loop ends), and what a root that cannot be walked gives.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "HostControl.hpp"
#include "IOErrors.hpp"
#include "TreeEnumerator.hpp"
#include "common/TemporaryFolder.hpp"

namespace {

namespace fs = std::filesystem;
using Events = std::vector<std::string>;

// Records every hook; answers as the test sets it.
class RecordingWalk : public IO::TreeEnumerator {
public:
    explicit RecordingWalk(const IO::Folder& root) : IO::TreeEnumerator(root) {}

    bool EntryFound(const IO::Name& name, bool isFolder) override
    {
        return name.ToUtf8() != passBy || isFolder != passByIsFolder;
    }
    bool FileFound(const IO::Name& name) override
    {
        events.push_back("file " + name.ToUtf8());
        return name.ToUtf8() == endAtFile;
    }
    bool FolderFound(const IO::Name& name) override
    {
        events.push_back("folder " + name.ToUtf8());
        return name.ToUtf8() != notEntered;
    }
    bool LinkFound(const IO::Name& name) override
    {
        events.push_back("link " + name.ToUtf8());
        return false;
    }
    void FolderEntered(const IO::Name& name, const IO::Folder& folder) override
    {
        IO::Name last;
        folder.GetLocation().GetLastLocalName(&last);
        events.push_back("enter " + name.ToUtf8() + (last == name ? "" : " (wrong folder)"));
    }
    void FolderExited(const IO::Name& name, const IO::Folder& /*folder*/) override
    {
        events.push_back("exit " + name.ToUtf8());
    }

    Events events;
    std::string passBy;
    bool passByIsFolder = false;
    std::string endAtFile;
    std::string notEntered;
};

// root: a.txt, b/ (c.txt, d/ (e.txt)), f -> b (a link to a folder), loop/ (back -> the root), z.txt
class TreeEnumeratorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        HostControl::ResetAll();
        root.WriteFile("a.txt", "a");
        fs::create_directories(root.PathOf("b/d"));
        root.WriteFile("b/c.txt", "c");
        root.WriteFile("b/d/e.txt", "e");
        fs::create_directory_symlink(root.PathOf("b"), root.PathOf("f"));
        fs::create_directory(root.PathOf("loop"));
        fs::create_directory_symlink(root.Path(), root.PathOf("loop/back"));
        root.WriteFile("z.txt", "z");
    }
    void TearDown() override { HostControl::ResetAll(); }

    IO::Folder Root() const { return IO::Folder(IO::Location(root.Path().c_str())); }

    TemporaryFolder root;
};

}  // namespace

TEST_F(TreeEnumeratorTest, HooksFollowTheAnswers)
{
    const Events everything = {"file a.txt", "folder b",  "enter b",   "file c.txt", "folder d",    "enter d",
                               "file e.txt", "exit d",    "exit b",    "link f",     "folder loop", "enter loop",
                               "link back",  "exit loop", "file z.txt"};
    struct Case {
        const char* name;
        void (*answer)(RecordingWalk&);
        Events expected;
    };
    const Case cases[] = {
        {"every entry, links reported and not followed", [](RecordingWalk&) {}, everything},
        {"a folder answered false is not entered", [](RecordingWalk& walk) { walk.notEntered = "b"; },
         {"file a.txt", "folder b", "link f", "folder loop", "enter loop", "link back", "exit loop", "file z.txt"}},
        {"a file answered true ends the walk in a sub-folder", [](RecordingWalk& walk) { walk.endAtFile = "c.txt"; },
         {"file a.txt", "folder b", "enter b", "file c.txt", "exit b"}},
        {"an entry passed by reaches no other hook",
         [](RecordingWalk& walk) {
             walk.passBy = "d";
             walk.passByIsFolder = true;
         },
         {"file a.txt", "folder b", "enter b", "file c.txt", "exit b", "link f", "folder loop", "enter loop",
          "link back", "exit loop", "file z.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingWalk walk(Root());
        c.answer(walk);
        EXPECT_EQ(walk.Do(), NoError);
        EXPECT_EQ(walk.events, c.expected);
    }
}

TEST_F(TreeEnumeratorTest, ARootThatCannotBeWalkedGivesItsReason)
{
    struct Case {
        const char* name;
        std::string path;
        GSErrCode expected;
    };
    const Case cases[] = {
        {"missing", root.PathOf("missing"), IO::NotFoundErr},
        {"a file", root.PathOf("a.txt"), IO::WrongTypeErr},
        {"empty location", "", IO::BadLocationErr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingWalk walk(IO::Folder(IO::Location(c.path.c_str())));
        EXPECT_EQ(walk.Do(), c.expected);
        EXPECT_TRUE(walk.events.empty());
    }

    HostControl::InjectError("IO::TreeEnumerator::Do", IO::AccessDeniedErr, 0, 1);
    RecordingWalk refused(Root());
    EXPECT_EQ(refused.Do(), IO::AccessDeniedErr);
    EXPECT_TRUE(refused.events.empty());
}
