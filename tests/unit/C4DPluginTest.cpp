// The importer plug-in search beside Cinema 4D: where it looks, which names count, the folders it
// leaves out, links it never follows, and what a search that cannot be made gives.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "HostControl.hpp"
#include "IOErrors.hpp"
#include "Location.hpp"
#include "ZELTO_export_C4Dplugin.hpp"
#include "common/AddonTestEnvironment.hpp"
#include "common/TemporaryFolder.hpp"

namespace {

namespace fs = std::filesystem;

IO::CString<256u> HostPathText(const std::string& path)
{
    IO::CString<256u> text;
    IO::Location(path.c_str()).ToPath(&text);
    return text;
}

void MakeFile(const TemporaryFolder& root, const std::string& relative)
{
    fs::create_directories(fs::path(root.PathOf(relative)).parent_path());
    root.WriteFile(relative, "plug-in");
}

void MakeFolder(const TemporaryFolder& root, const std::string& relative)
{
    fs::create_directories(root.PathOf(relative));
}

void MakeLink(const TemporaryFolder& root, const std::string& target, const std::string& link)
{
    fs::create_directory_symlink(root.PathOf(target), root.PathOf(link));
}

// The application at A/B/Cinema 4D.app of a fresh folder; its plug-in folder is A/B/plugins.
class C4DPluginTest : public HostTest {
protected:
    std::string App() const { return root.PathOf("A/B/Cinema 4D.app"); }

    TemporaryFolder root;
};

}  // namespace

TEST_F(C4DPluginTest, FindsAMatchingFileAnywhereInThePluginsFolderButUnderRes)
{
    struct Case {
        const char* name;
        std::function<void(const TemporaryFolder&)> make;
        bool found;
    };
    const Case cases[] = {
        {"a dylib in the plugins folder", [](const TemporaryFolder& t) { MakeFile(t, "A/B/plugins/ZELTO_import.dylib"); },
         true},
        {"an xlib deep below it", [](const TemporaryFolder& t) { MakeFile(t, "A/B/plugins/x/y/ZELTO_import_R26.xlib"); },
         true},
        {"under a res folder", [](const TemporaryFolder& t) { MakeFile(t, "A/B/plugins/x/res/ZELTO_import.dylib"); },
         false},
        {"a folder named like the plug-in", [](const TemporaryFolder& t) { MakeFolder(t, "A/B/plugins/ZELTO_import.xlib"); },
         false},
        {"the wrong letter case", [](const TemporaryFolder& t) { MakeFile(t, "A/B/plugins/zelto_import.dylib"); }, false},
        {"another plug-in only", [](const TemporaryFolder& t) { MakeFile(t, "A/B/plugins/Other/Other.dylib"); }, false},
        {"beside the application, not in plugins", [](const TemporaryFolder& t) { MakeFile(t, "A/B/ZELTO_import.dylib"); },
         false},
        {"in the plugins folder of another level", [](const TemporaryFolder& t) { MakeFile(t, "A/plugins/ZELTO_import.dylib"); },
         false},
        {"no plugins folder", [](const TemporaryFolder& t) { MakeFolder(t, "A/B/Cinema 4D.app"); }, false},
        {"a plugins file, not a folder", [](const TemporaryFolder& t) { MakeFile(t, "A/B/plugins"); }, false},
        {"a link loop and a link to the plug-in elsewhere",
         [](const TemporaryFolder& t) {
             MakeFolder(t, "A/B/plugins/loop");
             MakeLink(t, "A/B/plugins", "A/B/plugins/loop/again");
             MakeFile(t, "Elsewhere/ZELTO_import.dylib");
             MakeLink(t, "Elsewhere", "A/B/plugins/linked");
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root.PathOf("A"));
        fs::remove_all(root.PathOf("Elsewhere"));
        c.make(root);
        EXPECT_EQ(FindC4Dplugin(HostPathText(App())), c.found);
    }
}

TEST_F(C4DPluginTest, ASearchThatCannotBeMadeCountsAsMissing)
{
    MakeFile(root, "A/B/plugins/ZELTO_import.dylib");
    HostControl::InjectError("IO::TreeEnumerator::Do", IO::AccessDeniedErr, 0, 1);
    EXPECT_FALSE(FindC4Dplugin(HostPathText(App())));
    EXPECT_TRUE(FindC4Dplugin(HostPathText(App())));

    EXPECT_FALSE(FindC4Dplugin(IO::CString<256u>()));
    EXPECT_FALSE(FindC4Dplugin(HostPathText("/"))) << "the root has no folder above it";
    if (!fs::exists("/plugins")) {
        EXPECT_FALSE(FindC4Dplugin(HostPathText("/Cinema 4D.app"))) << "an application at the root: /plugins";
    }
}

TEST_F(C4DPluginTest, TheWalkEndsAtTheFirstMatch)
{
    MakeFile(root, "A/B/plugins/a/ZELTO_import.dylib");
    MakeFile(root, "A/B/plugins/b/ZELTO_import.xlib");
    GS::HashSet<GS::UniString> patterns;
    patterns.Add(c4dPlugMac);
    patterns.Add(c4dPlugXMac);
    RecursiveFilePatternFind search(IO::Folder(IO::Location(root.PathOf("A/B/plugins").c_str())), patterns,
                                    IO::Name(c4dPlugSkippedFolder));
    EXPECT_EQ(search.Do(), NoError);
    EXPECT_EQ(search.GetMatchCount(), 1u);
}
