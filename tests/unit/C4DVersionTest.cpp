// The version of an application bundle from its Info.plist, and that it leaves no CoreFoundation
// object behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "CFStandIn.hpp"
#include "ZELTO_export_C4Dversion.hpp"
#include "common/AddonTestEnvironment.hpp"
#include "common/TemporaryFolder.hpp"

namespace {

std::string Plist(const std::string& dictionary)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist SYSTEM \"PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\">\n<dict>\n" +
           dictionary + "\n</dict>\n</plist>\n";
}

class C4DVersionTest : public HostTest {
protected:
    TemporaryFolder folder;
};

}  // namespace

TEST_F(C4DVersionTest, ReadsTheLeadingNumberOfTheBundleVersion)
{
    struct Case {
        const char* name;
        const char* plist;  // null: the bundle has no Info.plist
        int version;
    };
    const std::string nested = Plist(
        "<key>Document</key><dict><key>CFBundleVersion</key><string>99</string></dict>"
        "<!-- <key>CFBundleVersion</key><string>98</string> -->"
        "<key>Flags</key><array><string>x</string></array><key>Early</key><true/>"
        "<key>CFBundleVersion</key><string>26.107</string>");
    const std::string cases_plists[] = {
        Plist("<key>CFBundleName</key><string>Cinema 4D</string><key>CFBundleVersion</key><string>26.107</string>"),
        nested,
        Plist("<key>CFBundleVersion</key><string>  2024.2.0</string>"),
        Plist("<key>CFBundleVersion</key><string>R25 &amp; more</string>"),
        Plist("<key>CFBundleVersion</key><string>&#x32;&#51;</string>"),
        Plist("<key>CFBundleVersion</key><string>\xEF\xBC\x92\xEF\xBC\x96</string>"),
        Plist("<key>CFBundleVersion</key><string>99999999999</string>"),
        Plist("<key>CFBundleShortVersionString</key><string>26</string>"),
        Plist("<key>CFBundleVersion</key><integer>26</integer>"),
        "bplist00 binary",
    };
    const Case cases[] = {
        {"a plain version", cases_plists[0].c_str(), 26},
        {"nested values, comments and other types passed by", cases_plists[1].c_str(), 26},
        {"leading blanks", cases_plists[2].c_str(), 2024},
        {"no leading number", cases_plists[3].c_str(), 0},
        {"character references", cases_plists[4].c_str(), 23},
        {"not Mac Roman", cases_plists[5].c_str(), 0},
        {"a number beyond an int", cases_plists[6].c_str(), 0},
        {"no CFBundleVersion", cases_plists[7].c_str(), 0},
        {"a version that is no string", cases_plists[8].c_str(), 0},
        {"a binary property list", cases_plists[9].c_str(), 0},
        {"no Info.plist", nullptr, 0},
    };
    const Int64 objectsBefore = CFStandInLiveObjectCount();
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string bundle = folder.PathOf("C4D " + std::to_string(++n) + ".app");
        std::filesystem::create_directories(bundle + "/Contents");
        if (c.plist != nullptr)
            folder.WriteFile("C4D " + std::to_string(n) + ".app/Contents/Info.plist", c.plist);
        EXPECT_EQ(GetC4DVersion(bundle.c_str()), c.version);
    }
    folder.WriteFile("plain.app", "a file, no bundle");
    EXPECT_EQ(GetC4DVersion(folder.PathOf("plain.app").c_str()), 0);
    EXPECT_EQ(GetC4DVersion(folder.PathOf("missing.app").c_str()), 0);
    EXPECT_EQ(GetC4DVersion("relative.app"), 0);
    EXPECT_EQ(GetC4DVersion(nullptr), 0);
    EXPECT_EQ(CFStandInLiveObjectCount(), objectsBefore) << "every bundle, URL and string is released";
}
