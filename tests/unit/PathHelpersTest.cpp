// The toolkit's path and file-name helpers: extensions, joined paths, existence tests, sizes,
// macOS path forms, the temporary folder, the one-call text writer and the browser launch.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "BrowserHelpers.hpp"
#include "CFStandIn.hpp"
#include "FileNameHelpers.hpp"
#include "FileSizeHelpers.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"
#include "PathHelpers.hpp"
#include "TxtFileWriter.hpp"
#include "common/AddonTestEnvironment.hpp"
#include "common/TemporaryFolder.hpp"

namespace {

class PathHelpersTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        SetLogSink([this](LogLevel level, const char* message) {
            if (level == LogLevel_Error)
                errors.emplace_back(message);
        });
    }

    IO::Location LocationOf(const std::string& name) const { return IO::Location(temp.PathOf(name).c_str()); }

    TemporaryFolder temp;
    std::vector<std::string> errors;
};

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : variable(name)
    {
        if (const char* old = std::getenv(name))
            previous = old;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnvironment()
    {
        if (previous)
            setenv(variable.c_str(), previous->c_str(), 1);
        else
            unsetenv(variable.c_str());
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string variable;
    std::optional<std::string> previous;
};

std::string Utf8(const GS::UniString& text)
{
    return text.ToUtf8();
}

// ---- File names and extensions --------------------------------------------------------------------

TEST(FileNameHelpers, HasExtensionComparesTheTailByteForByte)
{
    struct Case {
        const char* name;
        const char* ext;
        bool expected;
    };
    const Case cases[] = {
        {"a.gsm", "gsm", true}, {"a.GSM", "gsm", false}, {"gsm", "gsm", false},   {"", "gsm", false},
        {".gsm", "gsm", true},  {"agsm", "gsm", false},  {"a.b.gsm", "gsm", true}, {"a.", "", true},
        {"a", "", false},       {"", "", false},         {nullptr, "gsm", false}, {"a.gsm", nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.name ? c.name : "(null)") << " / " << (c.ext ? c.ext : "(null)"));
        EXPECT_EQ(HasExtension(c.name, c.ext), c.expected);
    }
    EXPECT_TRUE(IsGSM("Door.gsm"));
    EXPECT_FALSE(IsGSM("Door.gsl"));
}

TEST(FileNameHelpers, RemoveExtensionCutsTheCStringAtItsLastDot)
{
    struct Case {
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {"a.b.c", "a.b"}, {".hidden", ""}, {"plain", "plain"}, {"dir.old/file", "dir"}, {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char buffer[32];
        std::memset(buffer, 'x', sizeof buffer);
        std::strcpy(buffer, c.name);
        const std::size_t oldLength = std::strlen(c.name);
        RemoveExtension(buffer);
        EXPECT_STREQ(buffer, c.expected);
        for (std::size_t i = std::strlen(c.expected); i <= oldLength; ++i)
            EXPECT_EQ(buffer[i], '\0') << "byte " << i;
        EXPECT_EQ(buffer[oldLength + 1], 'x');  // nothing beyond the old terminator is touched
    }
    RemoveExtension(static_cast<char*>(nullptr));
}

TEST(FileNameHelpers, TextFormsFollowTheHostNameRules)
{
    struct Case {
        const char* name;
        const char* removed;
        const char* changed;  // to "png"
        const char* extension;
    };
    const Case cases[] = {
        {"wood.jpg", "wood", "wood.png", "jpg"},
        {"archive.tar.gz", "archive.tar", "archive.tar.png", "gz"},
        {"noext", "noext", "noext.png", ""},
        {".profile", ".profile", ".profile.png", ""},
        {"Sky.HDR", "Sky", "Sky.png", "HDR"},
        {"", "", ".png", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Utf8(RemoveExtension(GS::UniString(c.name))), c.removed);
        EXPECT_EQ(Utf8(ChangeExtension(GS::UniString(c.name), GS::UniString("png"))), c.changed);
        EXPECT_EQ(Utf8(GetFileExtension(GS::UniString(c.name))), c.extension);
    }
}

TEST(FileNameHelpers, ConvertToValidFilenameLeavesLegalNamesAlone)
{
    struct Case {
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {"House 2024.Zelto", "House 2024.Zelto"},
        {"a/b:c.txt", "a_b:c.txt"},
        {"..", "__"},
        {"", "_"},
        {"\xC3\xA9t\xC3\xA9.txt", "\xC3\xA9t\xC3\xA9.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Utf8(ConvertToValidFilename(GS::UniString(c.name, CC_UTF8))), c.expected);
    }
}

// ---- Joined paths ---------------------------------------------------------------------------------

TEST(PathHelpers, AppendPathJoinsOneLocalNameAtATime)
{
    const GS::UniString base("/Users/me/Models");
    EXPECT_EQ(Utf8(AppendPath(base, GS::UniString("House.Zelto"))), "/Users/me/Models/House.Zelto");
    EXPECT_EQ(Utf8(AppendPath(base, IO::Name("House.Zelto"))), "/Users/me/Models/House.Zelto");
    EXPECT_EQ(Utf8(AppendPath(base, IO::RelativeLocation("Textures/oak.jpg"))), "/Users/me/Models/Textures/oak.jpg");
    EXPECT_EQ(Utf8(AppendPath(IO::Location("/Users/me"), GS::UniString("Models"))), "/Users/me/Models");
    EXPECT_EQ(Utf8(AppendPath(IO::Location("/Users/me"), GS::UniString("Models"), GS::UniString("a.txt"))),
              "/Users/me/Models/a.txt");
    EXPECT_EQ(Utf8(AppendPath(GS::UniString("/"), GS::UniString("top"))), "/top");
}

TEST(PathHelpers, AppendPathWithAnEmptyBaseReturnsTheSecondTextUnchanged)
{
    // No location is built, so even texts that are no legal name come back as they are.
    for (const char* text : {"House.Zelto", "a/b", "..", ""}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Utf8(AppendPath(GS::UniString(), GS::UniString(text))), text);
        EXPECT_EQ(Utf8(AppendPath(GS::UniString(), IO::Name(text))), text);
    }
    EXPECT_EQ(Utf8(AppendPath(GS::UniString(), IO::RelativeLocation("a//b"))), "a/b");
}

TEST(PathHelpers, AppendPathGivesNoTextForAJoinTheHostRefuses)
{
    const GS::UniString base("/Users/me");
    EXPECT_EQ(Utf8(AppendPath(base, GS::UniString("../../etc/passwd"))), "");
    EXPECT_EQ(Utf8(AppendPath(base, GS::UniString("sub/file"))), "");
    EXPECT_EQ(Utf8(AppendPath(base, IO::RelativeLocation("ok/../escape"))), "");
    EXPECT_EQ(Utf8(AppendPath(GS::UniString("relative/base"), GS::UniString("x"))), "");
    EXPECT_EQ(Utf8(AppendPath(IO::Location(), GS::UniString("x"))), "");
    EXPECT_EQ(Utf8(AppendPath(IO::Location("/a"), GS::UniString(".."), GS::UniString("x"))), "");
    EXPECT_EQ(Utf8(AppendPath(IO::Location("/a"), GS::UniString("b"), GS::UniString(""))), "");
}

// ---- Existence tests and conversions --------------------------------------------------------------

TEST_F(PathHelpersTest, ExistenceTestsTellFilesFromFolders)
{
    temp.WriteFile("file.txt", "x");
    ASSERT_EQ(::mkdir(temp.PathOf("folder").c_str(), 0777), 0);
    struct Case {
        std::string name;
        bool isFile;
        bool isFolder;
    };
    const Case cases[] = {{"file.txt", true, false}, {"folder", false, true}, {"missing", false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsFileExist(LocationOf(c.name)), c.isFile);
        EXPECT_EQ(IsFileExist(GS::UniString(temp.PathOf(c.name).c_str())), c.isFile);
        EXPECT_EQ(IsFolderExist(LocationOf(c.name)), c.isFolder);
        EXPECT_EQ(IsFolderExist(GS::UniString(temp.PathOf(c.name).c_str())), c.isFolder);
    }
    EXPECT_FALSE(IsFileExist(IO::Location()));
    EXPECT_FALSE(IsFolderExist(GS::UniString("")));
    EXPECT_FALSE(temp.Exists("missing"));  // a test never makes what it looks for

    HostControl::InjectError("IO::File::Locate", -4301);
    EXPECT_FALSE(IsFileExist(LocationOf("file.txt")));
}

TEST_F(PathHelpersTest, ConvertsLocationsForMacOSCalls)
{
    EXPECT_TRUE(IOLocationIsvalid(IO::Location("/a/b")));
    EXPECT_FALSE(IOLocationIsvalid(IO::Location()));
    EXPECT_EQ(Utf8(ToDisplayText(IO::Location("/a//b/"))), "/a/b");

    EXPECT_EQ(Utf8(ToPosixPath(IO::Location("/Applications/Cinema 4D.app"))), "/Applications/Cinema 4D.app");
    const std::string longPath = "/" + std::string(200, 'a') + "/" + std::string(200, 'b');  // beyond 256 bytes
    EXPECT_EQ(Utf8(ToPosixPath(IO::Location(longPath.c_str()))), longPath);
    EXPECT_EQ(Utf8(ToPosixPath(IO::Location())), "");
    HostControl::InjectError("IO::MacImplementationBridge::LocationToUTF8POSIXPath", -4302);
    EXPECT_EQ(Utf8(ToPosixPath(IO::Location("/a"))), "");
    HostControl::ClearFailures();

    const Int64 liveBefore = CFStandInLiveObjectCount();
    const CFURLRef url = ToCFURLRef(IO::Location("/Applications/Cinema 4D.app"));
    ASSERT_NE(url, nullptr);
    char text[128] = {};
    ASSERT_GT(CFURLGetBytes(url, reinterpret_cast<UInt8*>(text), sizeof text - 1), 0);
    EXPECT_STREQ(text, "file:///Applications/Cinema%204D.app");
    CFRelease(url);
    EXPECT_EQ(CFStandInLiveObjectCount(), liveBefore);
    EXPECT_EQ(ToCFURLRef(IO::Location()), nullptr);
}

TEST(PathHelpers, GetSystemTempPathReadsTMPDIR)
{
    {
        ScopedEnvironment unset("TMPDIR", nullptr);
        EXPECT_EQ(Utf8(GetSystemTempPath()), "/tmp");
    }
    {
        ScopedEnvironment set("TMPDIR", "/var/folders/xy/T/");
        EXPECT_EQ(Utf8(GetSystemTempPath()), "/var/folders/xy/T/");  // the trailing "/" stays
    }
    {
        ScopedEnvironment empty("TMPDIR", "");
        EXPECT_EQ(Utf8(GetSystemTempPath()), "/tmp");
    }
}

// ---- Sizes ----------------------------------------------------------------------------------------

TEST(FileSizeHelpers, FileSizeToStrUsesBinaryUnits)
{
    struct Case {
        UInt64 size;
        const char* text;
    };
    const Case cases[] = {
        {0, "0.00 B"},
        {1023, "1023.00 B"},
        {1024, "1.00 KB"},
        {1536, "1.50 KB"},
        {1048575, "1024.00 KB"},  // 1023 + 1023/1024
        {1048576, "1.00 MB"},
        {1048576 + 1024 * 256 + 1023, "1.25 MB"},  // the first remainder is dropped
        {UInt64(5) << 30, "5.00 GB"},
        {UInt64(1) << 40, "1.00 TB"},
        {UInt64(1) << 50, "1024.00 TB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        EXPECT_EQ(Utf8(FileSizeToStr(c.size)), c.text);
    }
}

TEST_F(PathHelpersTest, GetFileSizeReadsTheLengthOrSaysWhyNot)
{
    temp.WriteFile("sized.bin", std::string(1536, 's'));
    EXPECT_EQ(GetFileSize(LocationOf("sized.bin")), 1536u);
    EXPECT_EQ(GetFileSize(GS::UniString(temp.PathOf("sized.bin").c_str())), 1536u);
    EXPECT_EQ(Utf8(GetFileSizeStr(LocationOf("sized.bin"))), "1.50 KB");
    EXPECT_EQ(Utf8(GetFileSizeStr(GS::UniString(temp.PathOf("sized.bin").c_str()))), "1.50 KB");
    EXPECT_TRUE(Recorder().debugLines.empty());

    EXPECT_EQ(GetFileSize(LocationOf("missing.bin")), 0u);
    ASSERT_EQ(Recorder().debugLines.size(), 1u);
    EXPECT_EQ(Recorder().debugLines[0], "Can't get file size: '" + temp.PathOf("missing.bin") + "'\n");
    EXPECT_EQ(Utf8(GetFileSizeStr(LocationOf("missing.bin"))), "0.00 B");

    HostControl::InjectError("IO::File::GetDataLength", -4303);
    EXPECT_EQ(GetFileSize(LocationOf("sized.bin")), 0u);
}

// ---- The one-call text writer ---------------------------------------------------------------------

TEST_F(PathHelpersTest, WriteTxtFileWritesTheTextAndOneNewline)
{
    struct Case {
        const char* text;
        const char* existing;  // null: no file there yet
        std::string contents;
    };
    const Case cases[] = {
        {"", nullptr, "\n"},
        {"hello", nullptr, "hello\n"},
        {"short", "a much longer old text", "short\n"},
        {nullptr, nullptr, "\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text != nullptr ? c.text : "(null)");
        ::unlink(temp.PathOf("out.txt").c_str());
        if (c.existing != nullptr)
            temp.WriteFile("out.txt", c.existing);
        EXPECT_EQ(WriteTxtFile(LocationOf("out.txt"), c.text), 0);
        EXPECT_EQ(temp.ReadFile("out.txt"), c.contents);
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(PathHelpersTest, WriteTxtFileReturnsTheFailingStepsError)
{
    struct Case {
        const char* point;
        int skip;
        std::string step;
        std::string contents;  // what the file holds afterwards
    };
    const Case cases[] = {
        {"IO::File::Create", 0, "Create", "<none>"},
        {"IO::File::Open", 0, "Open", ""},
        {"IO::File::WriteBin", 0, "Write", ""},
        {"IO::File::WriteBin", 1, "Write", "text"},  // the newline fails
        {"IO::File::Close", 0, "Close", "text\n"},
    };
    constexpr GSErrCode planned = -4304;
    const std::string errorName = ErrID_To_Name(planned);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point << " after " << c.skip);
        HostControl::ResetAll();
        errors.clear();
        ::unlink(temp.PathOf("out.txt").c_str());
        HostControl::InjectError(c.point, planned, c.skip);
        EXPECT_EQ(WriteTxtFile(LocationOf("out.txt"), "text"), planned);
        EXPECT_EQ(errors, std::vector<std::string>{"Error: Cannot " + c.step + " File: out.txt  " + errorName});
        EXPECT_EQ(temp.Exists("out.txt") ? temp.ReadFile("out.txt") : std::string("<none>"), c.contents);
    }
}

TEST_F(PathHelpersTest, WriteTxtFileReportsAFileThatCannotBeMade)
{
    EXPECT_EQ(WriteTxtFile(LocationOf("no-folder/out.txt"), "x"), IO::NotFoundErr);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind("Error: Cannot Create File: out.txt  ", 0), 0u);
    ASSERT_EQ(::mkdir(temp.PathOf("folder").c_str(), 0777), 0);
    EXPECT_EQ(WriteTxtFile(LocationOf("folder"), "x"), IO::WrongTypeErr);

    // A real write failure, not a planned one: the always-full device.
    EXPECT_EQ(WriteTxtFile(IO::Location("/dev/full"), "x"), IO::DiskFullErr);
}

// ---- The browser ----------------------------------------------------------------------------------

TEST_F(PathHelpersTest, RunBrowserOpensOnlyWebAddresses)
{
    struct Case {
        const char* url;
        bool opened;
    };
    const Case cases[] = {
        {"https://zelto.example/products/zelto-exporter-for-archicad/changelog/", true},
        {"http://zelto.example/files/updates/", true},
        {"HTTPS://ZELTO.EXAMPLE/", true},
        {"https://zelto.example/search?q=a%20b&x=1#top", true},
        {"file:///etc/passwd", false},
        {"ftp://zelto.example/", false},
        {"javascript:alert(1)", false},
        {"/Applications/Calculator.app", false},
        {"open -a Terminal", false},
        {"", false},
        {"https://", false},
        {"https://zelto example/", false},          // no URL can be made of it
        {"https://zelto.example/\xC3\xA9", false},  // not percent-escaped
        {" https://zelto.example/", false},
    };
    const Int64 liveBefore = CFStandInLiveObjectCount();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        Recorder().openedUrls.clear();
        EXPECT_EQ(RunBrowser(GS::UniString(c.url, CC_UTF8)), c.opened);
        if (c.opened) {
            EXPECT_EQ(Recorder().openedUrls, std::vector<std::string>{c.url});
        } else {
            EXPECT_TRUE(Recorder().openedUrls.empty());
        }
        EXPECT_EQ(CFStandInLiveObjectCount(), liveBefore);  // the URL is released on every path
    }
}

TEST_F(PathHelpersTest, RunBrowserReportsASystemThatRefuses)
{
    const Int64 liveBefore = CFStandInLiveObjectCount();
    for (const char* point : {"CFURLCreateWithBytes", "LSOpenCFURLRef", "PlatformOpenURL"}) {
        SCOPED_TRACE(point);
        HostControl::ResetAll();
        HostControl::InjectError(point, -10814);
        EXPECT_FALSE(RunBrowser(GS::UniString("https://zelto.example/")));
        EXPECT_TRUE(Recorder().openedUrls.empty());
        EXPECT_EQ(CFStandInLiveObjectCount(), liveBefore);
    }
}

}  // namespace
