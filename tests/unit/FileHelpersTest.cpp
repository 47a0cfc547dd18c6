// Whole-file copy, read and write helpers over the host's file layer.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "FileCopyHelpers.hpp"
#include "FileReadWriteHelpers.hpp"
#include "FileSystem.hpp"
#include "HostControl.hpp"
#include "IOErrors.hpp"
#include "LogHelpers.hpp"
#include "TemporaryCopy.hpp"
#include "TemporaryNames.hpp"
#include "WithoutPermissionOverride.hpp"
#include "common/AddonTestEnvironment.hpp"
#include "common/TemporaryFolder.hpp"

namespace {

constexpr int OwnFailure = -7003;

class FileHelpersTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        SetLogSink([this](LogLevel, const char* message) { logged.emplace_back(message); });
    }

    IO::Location At(const std::string& name) const { return IO::Location(folder.PathOf(name).c_str()); }
    IO::Location Folder() const { return IO::Location(folder.Path().c_str()); }

    // The one message logged, or "" when there was none or more than one.
    std::string OnlyMessage() const { return logged.size() == 1 ? logged[0] : std::string(); }
    std::string Quoted(const std::string& name) const { return "'" + At(name).ToDisplayText().ToUtf8() + "'"; }

    TemporaryFolder folder;
    std::vector<std::string> logged;
};

std::uint32_t PermissionsOf(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? static_cast<std::uint32_t>(info.st_mode & 07777) : 0u;
}

GS::Array<unsigned char> BytesOf(const std::string& text)
{
    GS::Array<unsigned char> bytes;
    for (const char c : text)
        bytes.Push(static_cast<unsigned char>(c));
    return bytes;
}

std::string TextOf(const GS::Array<unsigned char>& bytes)
{
    std::string text;
    for (const unsigned char b : bytes)
        text.push_back(static_cast<char>(b));
    return text;
}

// ----- readers -----

TEST_F(FileHelpersTest, ReadersTakeTheWholeFile)
{
    folder.WriteFile("a.txt", std::string("first\nsecond\r\nthird", 19));
    GS::UniString text;
    GS::Array<GS::UniString> lines;
    GS::Array<unsigned char> bytes;

    EXPECT_EQ(TextFileRead(At("a.txt"), text), 0);
    EXPECT_EQ(text.ToUtf8(), "first\nsecond\r\nthird");
    EXPECT_EQ(TextFileRead(At("a.txt"), lines), 0);
    EXPECT_EQ(lines.GetSize(), 3u);
    EXPECT_EQ(FileRead(At("a.txt"), bytes), 0);
    EXPECT_EQ(TextOf(bytes), "first\nsecond\r\nthird");
    EXPECT_TRUE(logged.empty());
}

TEST_F(FileHelpersTest, ATextEndsAtTheFirstNulButTheBytesGoOn)
{
    folder.WriteFile("nul.bin", std::string("ab\0cd", 5));
    GS::UniString text;
    GS::Array<unsigned char> bytes;
    EXPECT_EQ(TextFileRead(At("nul.bin"), text), 0);
    EXPECT_EQ(text.ToUtf8(), "ab");
    EXPECT_EQ(FileRead(At("nul.bin"), bytes), 0);
    EXPECT_EQ(TextOf(bytes), std::string("ab\0cd", 5));
}

TEST_F(FileHelpersTest, UTF8TextIsDecoded)
{
    folder.WriteFile("u.txt", "\xC3\xA9t\xC3\xA9");
    GS::UniString text;
    EXPECT_EQ(TextFileRead(At("u.txt"), text), 0);
    EXPECT_EQ(text.GetLength(), 3u);
}

// Every failure before the contents: the text keeps its value, the lines are emptied, the bytes
// keep theirs; the step's message names the file.
TEST_F(FileHelpersTest, ReadFailuresBeforeTheContents)
{
    struct Case {
        const char* name;
        const char* point;  // injected failure, or null
        bool writeEmpty;
        int expected;
        std::string message;  // with %f for the quoted display text
    };
    const std::vector<Case> cases = {
        {"missing", nullptr, false, OwnFailure, "File is not openeable: %f"},
        {"not openable", "IO::File::IsOpenable", false, OwnFailure, "File is not openeable: %f"},
        {"open", "IO::File::Open", false, IO::AccessDeniedErr, "File open error: %f #"},
        {"size", "IO::File::GetDataLength", false, IO::GeneralIOErr, "File size error: %f #"},
        {"empty", nullptr, true, OwnFailure, "File size is empty: %f"},
    };
    for (const Case& c : cases) {
        for (int reader = 0; reader < 3; ++reader) {
            SCOPED_TRACE(std::string(c.name) + " reader " + std::to_string(reader));
            HostControl::ResetAll();
            logged.clear();
            const std::string name = std::string(c.name) + ".txt";
            if (c.writeEmpty)
                folder.WriteFile(name, "");
            else if (c.point != nullptr)
                folder.WriteFile(name, "contents");
            if (c.point != nullptr)
                HostControl::InjectError(c.point, c.expected);

            GS::UniString text("kept");
            GS::Array<GS::UniString> lines{GS::UniString("old")};
            GS::Array<unsigned char> bytes = BytesOf("old");
            int result = 0;
            if (reader == 0)
                result = TextFileRead(At(name), text);
            else if (reader == 1)
                result = TextFileRead(At(name), lines);
            else
                result = FileRead(At(name), bytes);

            EXPECT_EQ(result, c.expected);
            EXPECT_EQ(text.ToUtf8(), "kept");
            EXPECT_EQ(lines.GetSize(), reader == 1 ? 0u : 1u);
            EXPECT_EQ(TextOf(bytes), "old");
            std::string expectedMessage = c.message;
            expectedMessage.replace(expectedMessage.find("%f"), 2, Quoted(name));
            EXPECT_EQ(OnlyMessage().rfind(expectedMessage, 0), 0u) << OnlyMessage();
        }
    }
}

TEST_F(FileHelpersTest, AFailingTextReadLeavesTheOutputs)
{
    folder.WriteFile("a.txt", "one\ntwo");
    HostControl::InjectError("IO::File::ReadBin", IO::EndOfFileErr);
    GS::UniString text("kept");
    GS::Array<GS::UniString> lines{GS::UniString("old")};
    EXPECT_EQ(TextFileRead(At("a.txt"), text), IO::EndOfFileErr);
    EXPECT_EQ(TextFileRead(At("a.txt"), lines), IO::EndOfFileErr);
    EXPECT_EQ(text.ToUtf8(), "kept");
    EXPECT_TRUE(lines.IsEmpty());
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(logged[0].rfind("File read error: " + Quoted("a.txt") + " #", 0), 0u) << logged[0];
}

TEST_F(FileHelpersTest, AFailingByteReadKeepsTheBytesBeforeIt)
{
    folder.WriteFile("a.bin", "abcdef");
    HostControl::InjectError("IO::File::Read", IO::GeneralIOErr, 3, 1);
    GS::Array<unsigned char> bytes = BytesOf("old");
    EXPECT_EQ(FileRead(At("a.bin"), bytes), IO::GeneralIOErr);
    EXPECT_EQ(TextOf(bytes), "abc");
    EXPECT_EQ(OnlyMessage().rfind("File read error: " + Quoted("a.bin") + " #", 0), 0u) << OnlyMessage();
}

TEST_F(FileHelpersTest, AFailingCloseComesAfterTheOutputIsFilled)
{
    folder.WriteFile("a.txt", "one\ntwo");
    GS::UniString text;
    GS::Array<GS::UniString> lines;
    GS::Array<unsigned char> bytes;
    HostControl::InjectError("IO::File::Close", IO::GeneralIOErr);
    EXPECT_EQ(TextFileRead(At("a.txt"), text), IO::GeneralIOErr);
    EXPECT_EQ(TextFileRead(At("a.txt"), lines), IO::GeneralIOErr);
    EXPECT_EQ(FileRead(At("a.txt"), bytes), IO::GeneralIOErr);
    EXPECT_EQ(text.ToUtf8(), "one\ntwo");
    EXPECT_EQ(lines.GetSize(), 2u);
    EXPECT_EQ(TextOf(bytes), "one\ntwo");
    ASSERT_EQ(logged.size(), 3u);
    EXPECT_EQ(logged[2].rfind("File close error: " + Quoted("a.txt") + " #", 0), 0u) << logged[2];
}

// ----- writers -----

TEST_F(FileHelpersTest, WritersMakeOrReplaceTheFile)
{
    EXPECT_EQ(TextFileWrite(At("t.txt"), "new text"), 0);
    EXPECT_EQ(folder.ReadFile("t.txt"), "new text");
    folder.WriteFile("t.txt", "a much longer old contents");
    EXPECT_EQ(TextFileWrite(At("t.txt"), "short"), 0);
    EXPECT_EQ(folder.ReadFile("t.txt"), "short");

    EXPECT_EQ(FileWrite(At("b.bin"), BytesOf(std::string("x\0y", 3))), 0);
    EXPECT_EQ(folder.ReadFile("b.bin"), std::string("x\0y", 3));
    EXPECT_EQ(FileWrite(At("b.bin"), GS::Array<unsigned char>()), 0);
    EXPECT_TRUE(folder.Exists("b.bin"));
    EXPECT_EQ(folder.ReadFile("b.bin"), "");
    EXPECT_TRUE(logged.empty());
}

TEST_F(FileHelpersTest, ANullTextWritesAnEmptyFile)
{
    folder.WriteFile("t.txt", "old");
    EXPECT_EQ(TextFileWrite(At("t.txt"), nullptr), 0);
    EXPECT_TRUE(folder.Exists("t.txt"));
    EXPECT_EQ(folder.ReadFile("t.txt"), "");
}

TEST_F(FileHelpersTest, WriteFailures)
{
    struct Case {
        const char* point;
        int code;
        int skip;
        std::string message;
        bool oldFileStays;
        bool fileRemains;
    };
    const std::vector<Case> cases = {
        {"IO::fileSystem::Delete", IO::AccessDeniedErr, 0, "File delete error: ", true, true},
        {"IO::fileSystem::CreateFile", IO::DiskFullErr, 0, "File creation error: ", false, false},
        {"IO::File::Open", IO::AccessDeniedErr, 0, "File open error: ", false, true},
        {"IO::File::Close", IO::GeneralIOErr, 0, "File close error: ", false, true},
    };
    for (const Case& c : cases) {
        for (int writer = 0; writer < 2; ++writer) {
            SCOPED_TRACE(std::string(c.point) + " writer " + std::to_string(writer));
            HostControl::ResetAll();
            logged.clear();
            folder.WriteFile("w.txt", "old");
            HostControl::InjectError(c.point, c.code, c.skip);
            const int result = writer == 0 ? TextFileWrite(At("w.txt"), "new") : FileWrite(At("w.txt"), BytesOf("new"));
            HostControl::ClearFailures();
            EXPECT_EQ(result, c.code);
            EXPECT_EQ(folder.Exists("w.txt"), c.fileRemains);
            if (c.oldFileStays) {
                EXPECT_EQ(folder.ReadFile("w.txt"), "old");
            }
            EXPECT_EQ(OnlyMessage().rfind(c.message + Quoted("w.txt") + " #", 0), 0u) << OnlyMessage();
        }
    }
}

TEST_F(FileHelpersTest, AFailingWriteLeavesAPartFile)
{
    folder.WriteFile("w.txt", "old");
    HostControl::InjectError("IO::File::WriteBin", IO::DiskFullErr);
    EXPECT_EQ(TextFileWrite(At("w.txt"), "new"), IO::DiskFullErr);
    EXPECT_EQ(OnlyMessage().rfind("File write error: " + Quoted("w.txt") + " #", 0), 0u) << OnlyMessage();
    EXPECT_EQ(folder.ReadFile("w.txt"), "");

    logged.clear();
    HostControl::ResetAll();
    HostControl::InjectError("IO::File::Write", IO::DiskFullErr, 2, 1);
    EXPECT_EQ(FileWrite(At("w.txt"), BytesOf("abcd")), IO::DiskFullErr);
    EXPECT_EQ(folder.ReadFile("w.txt"), "ab");
    EXPECT_EQ(OnlyMessage().rfind("File read write: " + Quoted("w.txt") + " #", 0), 0u) << OnlyMessage();
}

// ----- copies -----

class FileCopyTest : public FileHelpersTest {
protected:
    void SetUp() override
    {
        FileHelpersTest::SetUp();
        folder.WriteFile("one.txt", "1");
        folder.WriteFile("two.txt", "2");
        folder.WriteFile("three.txt", "3");
        target = folder.PathOf("target");
        ASSERT_EQ(std::filesystem::create_directory(target), true);
    }

    using Names = std::vector<std::string>;

    bool InTarget(const std::string& name) const { return folder.Exists("target/" + name); }
    // Every entry of the target folder, hidden ones included, by name in order.
    Names TargetEntries() const
    {
        Names names;
        for (const auto& entry : std::filesystem::directory_iterator(target))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    IO::Location Target() const { return IO::Location(target.c_str()); }
    std::string SourcePath(const std::string& name) const { return folder.PathOf(name); }

    std::string target;
};

TEST_F(FileCopyTest, CopiesEveryFileReplacingOldOnes)
{
    folder.WriteFile("target/two.txt", "old two");
    const GS::Array<IO::Location> files{At("one.txt"), At("two.txt")};
    EXPECT_EQ(CopyFiles(files, Target()), 0);
    EXPECT_EQ(folder.ReadFile("target/one.txt"), "1");
    EXPECT_EQ(folder.ReadFile("target/two.txt"), "2");

    GS::HashSet<IO::Location> set;
    set.Add(At("three.txt"));
    set.Add(At("one.txt"));
    EXPECT_EQ(CopyFiles(set, Target()), 0);
    EXPECT_EQ(folder.ReadFile("target/three.txt"), "3");

    EXPECT_EQ(CopyFileToFolder(At("two.txt"), Target()), 0);
    EXPECT_EQ(folder.ReadFile("target/two.txt"), "2");
    EXPECT_TRUE(logged.empty());
}

TEST_F(FileCopyTest, NothingToCopyTouchesNothing)
{
    EXPECT_EQ(CopyFiles(GS::Array<IO::Location>(), IO::Location()), 0);
    EXPECT_EQ(CopyFiles(GS::HashSet<IO::Location>(), IO::Location()), 0);
    EXPECT_TRUE(Recorder().calls.empty());
    EXPECT_TRUE(logged.empty());
}

TEST_F(FileCopyTest, TheFirstFailureEndsTheRun)
{
    struct Case {
        const char* point;
        int code;
        bool secondExistsBefore;
    };
    const std::vector<Case> cases = {
        {"IO::fileSystem::Copy", IO::DiskFullErr, false},
        {"IO::fileSystem::Rename", IO::AccessDeniedErr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.point);
        std::filesystem::remove_all(target);
        std::filesystem::create_directory(target);
        HostControl::ResetAll();
        logged.clear();
        if (c.secondExistsBefore)
            folder.WriteFile("target/two.txt", "old two");
        // The first file's copy and its move into place pass; the second's fails.
        HostControl::InjectError(c.point, c.code, 1, 1);
        const GS::Array<IO::Location> files{At("one.txt"), At("two.txt"), At("three.txt")};
        EXPECT_EQ(CopyFiles(files, Target()), c.code);
        EXPECT_EQ(folder.ReadFile("target/one.txt"), "1");
        if (c.secondExistsBefore) {
            EXPECT_EQ(folder.ReadFile("target/two.txt"), "old two");
        }
        EXPECT_EQ(TargetEntries(), (c.secondExistsBefore ? Names{"one.txt", "two.txt"} : Names{"one.txt"}));
        EXPECT_EQ(OnlyMessage().rfind("File copy error: '" + SourcePath("two.txt") + "' #", 0), 0u) << OnlyMessage();
    }
}

// However a copy fails, an older file of that name keeps its bytes and nothing is left beside it.
TEST_F(FileCopyTest, AFailedCopyKeepsTheOlderFileAndLeavesNothingBesideIt)
{
    const std::string large(IO::FileSystem::CopyBlockBytes * 2 + 5, 'x');
    struct Case {
        const char* title;
        std::string source;  // the bytes of the new two.txt
        bool unreadable;
        const char* point;  // a failure planned for it, or null
        int skip;
        GSErrCode expected;
        const char* errorName;
    };
    const std::vector<Case> cases = {
        {"an unreadable source", "2", true, nullptr, 0, IO::AccessDeniedErr, "IO::AccessDeniedErr"},
        {"a disk that fills part-way", large, false, "IO::fileSystem::Copy:Write", 1, IO::DiskFullErr,
         "IO::DiskFullErr"},
        {"a copy refused outright", "2", false, "IO::fileSystem::Copy", 0, IO::AccessDeniedErr, "IO::AccessDeniedErr"},
        {"a whole copy that cannot take the older file's place", "2", false, "IO::fileSystem::Rename", 0,
         IO::AccessDeniedErr, "IO::AccessDeniedErr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        HostControl::ResetAll();
        logged.clear();
        folder.WriteFile("target/two.txt", "old two");
        folder.WriteFile("two.txt", c.source);
        std::filesystem::permissions(SourcePath("two.txt"), std::filesystem::perms(c.unreadable ? 0000 : 0644));
        if (c.point != nullptr)
            HostControl::InjectError(c.point, c.expected, c.skip, 1);
        int result = 0;
        {
            WithoutPermissionOverride asAUser;
            result = CopyFileToFolder(At("two.txt"), Target());
        }
        std::filesystem::permissions(SourcePath("two.txt"), std::filesystem::perms(0644));

        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(folder.ReadFile("target/two.txt"), "old two");
        EXPECT_EQ(TargetEntries(), Names{"two.txt"});
        EXPECT_EQ(OnlyMessage(), "File copy error: '" + SourcePath("two.txt") + "' #" + c.errorName);
    }
}

// A host exception on the way leaves no half-made file behind either.
TEST_F(FileCopyTest, AnExceptionLeavesNothingBesideTheTarget)
{
    folder.WriteFile("target/one.txt", "old one");
    HostControl::Inject("IO::fileSystem::Rename", HostControl::Failure{HostControl::Failure::Kind::HostException,
                                                                       IO::GeneralIOErr});
    EXPECT_ANY_THROW(CopyFileToFolder(At("one.txt"), Target()));
    EXPECT_EQ(folder.ReadFile("target/one.txt"), "old one");
    EXPECT_EQ(TargetEntries(), Names{"one.txt"});
}

// A copy carries the source's permissions, whether it is new or takes an older file's place.
TEST_F(FileCopyTest, ACopyHasTheSourcesPermissions)
{
    const mode_t savedMask = ::umask(022);
    folder.WriteFile("target/one.txt", "old one");
    std::filesystem::permissions(folder.PathOf("target/one.txt"), std::filesystem::perms(0600));
    std::filesystem::permissions(SourcePath("one.txt"), std::filesystem::perms(0755));
    std::filesystem::permissions(SourcePath("two.txt"), std::filesystem::perms(0640));
    const GS::Array<IO::Location> files{At("one.txt"), At("two.txt")};
    EXPECT_EQ(CopyFiles(files, Target()), 0);
    ::umask(savedMask);
    EXPECT_EQ(PermissionsOf(folder.PathOf("target/one.txt")), 0755u);
    EXPECT_EQ(PermissionsOf(folder.PathOf("target/two.txt")), 0640u);
    EXPECT_EQ(TargetEntries(), (Names{"one.txt", "two.txt"}));
}

// The name beside the target leaves room for its own frame: the longest name is replaced as well.
TEST_F(FileCopyTest, AFileWithTheLongestNameIsReplaced)
{
    std::string name;
    for (int i = 0; i < 127; ++i)
        name += "\xC3\xA9";
    name += "a";
    ASSERT_EQ(name.size(), IO::Name::MaxNameBytes);
    folder.WriteFile(name, "new");
    folder.WriteFile("target/" + name, "old");
    EXPECT_EQ(CopyFileToFolder(At(name), Target()), 0);
    EXPECT_EQ(folder.ReadFile("target/" + name), "new");
    EXPECT_EQ(TargetEntries(), Names{name});
    EXPECT_TRUE(logged.empty());
}

TEST(TemporaryCopyNameTest, TheNameFitsAndIsCutBetweenCharacters)
{
    const std::string e = "\xC3\xA9";
    auto repeated = [](const std::string& piece, int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += piece;
        return text;
    };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"House.jpg", ".House.jpg.0123abcd.zelto-partial"},
        {std::string(255, 'a'), "." + std::string(231, 'a') + ".0123abcd.zelto-partial"},
        // 231 bytes would end inside a character: one fewer are kept.
        {repeated(e, 127) + "a", "." + repeated(e, 115) + ".0123abcd.zelto-partial"},
    };
    for (const auto& [target, expected] : cases) {
        const IO::Name name = MakeTemporaryName(IO::Name(target.c_str()), "0123abcd");
        EXPECT_EQ(name.ToUtf8(), expected);
        EXPECT_TRUE(name.IsLegal());
    }
}

TEST_F(FileCopyTest, AFileCopiedIntoItsOwnFolderIsKept)
{
    EXPECT_EQ(CopyFileToFolder(At("one.txt"), Folder()), 0);
    EXPECT_EQ(folder.ReadFile("one.txt"), "1");
}

TEST_F(FileCopyTest, AFileReachedThroughAnotherPathIsKept)
{
    // The source's own folder, seen through a link and spelled another way.
    std::filesystem::create_directory_symlink(folder.Path(), folder.PathOf("linked"));
    for (const IO::Location& sameFolder : {At("linked"), IO::Location((target + "/..").c_str())}) {
        SCOPED_TRACE(sameFolder.ToDisplayText().ToUtf8());
        EXPECT_EQ(CopyFileToFolder(At("one.txt"), sameFolder), 0);
        EXPECT_EQ(folder.ReadFile("one.txt"), "1") << "the source is never deleted";
    }
    EXPECT_TRUE(logged.empty());
}

TEST_F(FileCopyTest, AMissingSourceLeavesTheTargetAsItWas)
{
    folder.WriteFile("target/gone.txt", "old gone");
    EXPECT_EQ(CopyFileToFolder(At("gone.txt"), Target()), IO::NotFoundErr);
    EXPECT_EQ(folder.ReadFile("target/gone.txt"), "old gone");
    EXPECT_EQ(OnlyMessage().rfind("File copy error: '" + SourcePath("gone.txt") + "' #", 0), 0u) << OnlyMessage();
}

TEST_F(FileCopyTest, ASourceWithoutANameIsReported)
{
    const GS::Array<IO::Location> files{IO::Location()};
    EXPECT_NE(CopyFiles(files, Target()), 0);
    EXPECT_EQ(OnlyMessage().rfind("File copy error: ", 0), 0u) << OnlyMessage();
}

}  // namespace
