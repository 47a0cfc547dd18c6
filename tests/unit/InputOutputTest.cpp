// The stand-in host's file layer: locations and names, files in their open modes, folders, the
// file-system object, the macOS bridge, and the failures tests can plan at each operation.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "ACAPinc.h"
#include "GSException.hpp"
#include "InputOutput.hpp"
#include "common/AddonTestEnvironment.hpp"
#include "common/TemporaryFolder.hpp"

namespace {

class InputOutputTest : public HostTest {
protected:
    IO::Location LocationOf(const std::string& name) const { return IO::Location(temp.PathOf(name).c_str()); }

    TemporaryFolder temp;
};

std::string ReadAll(IO::File& file)
{
    UInt64 length = 0;
    EXPECT_EQ(file.GetDataLength(&length), NoError);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    EXPECT_EQ(file.ReadBin(bytes.data(), static_cast<USize>(length)), NoError);
    return bytes;
}

// ---- Locations and names --------------------------------------------------------------------------

TEST(IOLocation, ParsesAbsolutePathsIntoOneNormalForm)
{
    struct Case {
        const char* text;
        const char* path;  // empty: no location
    };
    const Case cases[] = {
        {"/a/b", "/a/b"},   {"/a//b/", "/a/b"}, {"/", "/"},     {"//", "/"},
        {"/./a/.", "/a"},   {"/a/../b", "/a/../b"},             {"", ""},
        {"relative/x", ""}, {"./x", ""},        {nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text != nullptr ? c.text : "(null)");
        const IO::Location location(c.text);
        EXPECT_EQ(location.ToUtf8Path(), c.path);
        EXPECT_EQ(location.GetStatus(), *c.path == '\0' ? IO::BadLocationErr : NoError);
        EXPECT_EQ(location.ToDisplayText(), GS::UniString(c.path));
    }
}

TEST(IOLocation, AppendsOnlyLegalNamesSoNoNameLeavesItsFolder)
{
    const GS::uchar_t withNul[] = {'a', 0, 'b'};
    const IO::Name illegal[] = {IO::Name(""), IO::Name("."), IO::Name(".."), IO::Name("a/b"),
                                IO::Name(GS::UniString(withNul, 3)), IO::Name(std::string(256, 'n').c_str())};
    for (const IO::Name& name : illegal) {
        SCOPED_TRACE(name.ToUtf8());
        IO::Location location("/base");
        EXPECT_EQ(location.AppendToLocal(name), IO::BadNameErr);
        EXPECT_EQ(location.ToUtf8Path(), "/base");
        EXPECT_TRUE(IO::Location(IO::Location("/base"), name).IsEmpty());
    }
    // Only the separator and NUL are refused, as on the platform: what a save dialog accepts is legal.
    const std::string legal[] = {"Plan 12:30.Zelto", "tab\there", "x\x7f", ".hidden", "...", std::string(255, 'n')};
    for (const std::string& name : legal) {
        SCOPED_TRACE(name);
        IO::Location location("/base");
        EXPECT_EQ(location.AppendToLocal(IO::Name(name.c_str())), NoError);
        EXPECT_EQ(location.ToUtf8Path(), "/base/" + name);
    }
    IO::Location location("/base");
    EXPECT_EQ(location.AppendToLocal(IO::Name("file.txt")), NoError);
    EXPECT_EQ(location.ToUtf8Path(), "/base/file.txt");
    IO::Location root("/");
    EXPECT_EQ(root.AppendToLocal(IO::Name("top")), NoError);
    EXPECT_EQ(root.ToUtf8Path(), "/top");
    IO::Location empty;
    EXPECT_EQ(empty.AppendToLocal(IO::Name("x")), IO::BadLocationErr);
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(IOLocation, EditsItsLastLocalName)
{
    IO::Location location("/a/b/c.txt");
    IO::Name last;
    ASSERT_EQ(location.GetLastLocalName(&last), NoError);
    EXPECT_EQ(last.ToString(), GS::UniString("c.txt"));
    EXPECT_EQ(location.SetLastLocalName(IO::Name("d.bin")), NoError);
    EXPECT_EQ(location.ToUtf8Path(), "/a/b/d.bin");
    EXPECT_EQ(location.SetLastLocalName(IO::Name("..")), IO::BadNameErr);
    EXPECT_EQ(location.DeleteLastLocalName(), NoError);
    EXPECT_EQ(location.ToUtf8Path(), "/a/b");
    IO::Location top("/a");
    EXPECT_EQ(top.DeleteLastLocalName(), NoError);
    EXPECT_EQ(top.ToUtf8Path(), "/");
    // The root has no name to take, replace or delete.
    EXPECT_EQ(top.GetLastLocalName(&last), IO::BadLocationErr);
    EXPECT_EQ(top.DeleteLastLocalName(), IO::BadLocationErr);
    EXPECT_EQ(top.SetLastLocalName(IO::Name("x")), IO::BadLocationErr);
    EXPECT_EQ(top.ToUtf8Path(), "/");
}

TEST(IOLocation, AppendsARelativeLocationWholeOrNotAtAll)
{
    IO::Location location("/base");
    EXPECT_EQ(location.AppendToLocal(IO::RelativeLocation("Textures//Wood/./oak.jpg")), NoError);
    EXPECT_EQ(location.ToUtf8Path(), "/base/Textures/Wood/oak.jpg");

    IO::Location guarded("/base");
    EXPECT_EQ(guarded.AppendToLocal(IO::RelativeLocation("sub/../../etc")), IO::BadNameErr);
    EXPECT_EQ(guarded.ToUtf8Path(), "/base");
    EXPECT_EQ(IO::RelativeLocation("a//b/").ToDisplayText(), GS::UniString("a/b"));
}

TEST(IOLocation, WritesItsPathOnlyIntoBuffersItFits)
{
    const IO::Location location("/abc/def");  // 8 bytes
    char fits[9] = "xxxxxxxx";
    EXPECT_EQ(location.ToPath(fits, sizeof fits), NoError);
    EXPECT_STREQ(fits, "/abc/def");
    char tooSmall[8] = "xxxxxxx";
    EXPECT_EQ(location.ToPath(tooSmall, sizeof tooSmall), IO::TooLongErr);
    EXPECT_STREQ(tooSmall, "");  // never a cut path that names another entry

    IO::CString<256> shortPath;
    ASSERT_EQ(location.ToPath(&shortPath), NoError);
    EXPECT_STREQ(shortPath.Get(), "/abc/def");
    EXPECT_FALSE(shortPath.IsOnHeap());
    const std::string longText = "/" + std::string(300, 'p');
    IO::CString<256> longPath;
    ASSERT_EQ(IO::Location(longText.c_str()).ToPath(&longPath), NoError);
    EXPECT_EQ(std::string(longPath.Get()), longText);
    EXPECT_TRUE(longPath.IsOnHeap());
    IO::CString<256> none;
    EXPECT_EQ(IO::Location().ToPath(&none), IO::BadLocationErr);
    EXPECT_EQ(none.Get(), nullptr);
}

TEST(IOLocation, IsLegalInTheNativeFileSystemWithinItsLimits)
{
    EXPECT_TRUE(IO::Location("/a/b").IsLegalInNativeFileSystem());
    EXPECT_FALSE(IO::Location().IsLegalInNativeFileSystem());
    EXPECT_TRUE(IO::Location(("/" + std::string(255, 'n')).c_str()).IsLegalInNativeFileSystem());
    EXPECT_FALSE(IO::Location(("/" + std::string(256, 'n')).c_str()).IsLegalInNativeFileSystem());
    std::string longest;
    while (longest.size() < 1023)
        longest += "/" + std::string(std::min<std::size_t>(100, 1022 - longest.size()), 'x');
    ASSERT_EQ(longest.size(), 1023u);
    EXPECT_TRUE(IO::Location(longest.c_str()).IsLegalInNativeFileSystem());
    EXPECT_FALSE(IO::Location((longest + "y").c_str()).IsLegalInNativeFileSystem());
}

TEST(IOName, SplitsExtensionsAtTheLastInnerDot)
{
    struct Case {
        const char* name;
        bool hasExtension;
        const char* extension;
        const char* base;
    };
    const Case cases[] = {
        {"a.b.c", true, "c", "a.b"},   {"photo.JPG", true, "JPG", "photo"}, {"plain", false, "", "plain"},
        {".profile", false, "", ".profile"}, {"a.", false, "", "a."},        {"", false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IO::Name name(c.name);
        EXPECT_EQ(name.HasExtension(), c.hasExtension);
        EXPECT_EQ(name.GetExtension(), GS::UniString(c.extension));
        EXPECT_EQ(name.GetBase(), GS::UniString(c.base));
        name.DeleteExtension();
        EXPECT_EQ(name.ToString(), GS::UniString(c.base));
    }
    IO::Name name("House");
    name.AppendExtension("Zelto");
    EXPECT_EQ(name.ToString(), GS::UniString("House.Zelto"));
    name.AppendExtension("");
    EXPECT_EQ(name.ToString(), GS::UniString("House.Zelto"));
}

TEST(IOName, MakesIllegalNamesLegal)
{
    struct Case {
        std::string name;
        std::string legal;
    };
    const Case cases[] = {
        {"ok name.txt", "ok name.txt"}, {"a/b:c", "a_b:c"}, {"line\nbreak", "line\nbreak"},
        {"", "_"},                      {".", "_"},         {"..", "__"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IO::Name name(c.name.c_str());
        EXPECT_EQ(name.IsLegal(), c.name == c.legal);
        name.MakeLegal();
        EXPECT_EQ(name.ToUtf8(), c.legal);
        EXPECT_TRUE(name.IsLegal());
    }
    // A long name is cut to 255 bytes on a character boundary and keeps its extension.
    std::string longName;
    for (int i = 0; i < 200; ++i)
        longName += "\xC3\xA9";  // é, two bytes each
    longName += ".jpg";
    IO::Name name(longName.c_str());
    name.MakeLegal();
    EXPECT_TRUE(name.IsLegal());
    EXPECT_LE(name.ToUtf8().size(), 255u);
    EXPECT_EQ(name.GetExtension(), GS::UniString("jpg"));
    EXPECT_EQ(name.GetBase().ToUtf8().size() % 2, 0u);
}

// ---- Files ----------------------------------------------------------------------------------------

TEST_F(InputOutputTest, FindsMakesOrRefusesTheFileOnConstruction)
{
    temp.WriteFile("there.txt", "x");
    EXPECT_EQ(IO::File(LocationOf("there.txt"), IO::File::Fail).GetStatus(), NoError);

    EXPECT_EQ(IO::File(LocationOf("missing.txt"), IO::File::Fail).GetStatus(), IO::NotFoundErr);
    EXPECT_FALSE(temp.Exists("missing.txt"));

    EXPECT_EQ(IO::File(LocationOf("made.txt"), IO::File::Create).GetStatus(), NoError);
    EXPECT_TRUE(temp.Exists("made.txt"));
    EXPECT_EQ(temp.ReadFile("made.txt"), "");

    EXPECT_EQ(IO::File(LocationOf("no-folder/made.txt"), IO::File::Create).GetStatus(), IO::NotFoundErr);
    EXPECT_EQ(IO::File(IO::Location(temp.Path().c_str()), IO::File::Create).GetStatus(), IO::WrongTypeErr);
    EXPECT_EQ(IO::File(IO::Location(), IO::File::Create).GetStatus(), IO::BadLocationErr);
}

TEST_F(InputOutputTest, OpenModesReadWriteOrEmptyTheFile)
{
    struct Case {
        IO::File::OpenMode mode;
        bool fileExists;
        GSErrCode openResult;
        const char* contentsAfterWrite;  // null: the file is read
    };
    const Case cases[] = {
        {IO::File::ReadMode, true, NoError, nullptr},
        {IO::File::ReadMode, false, IO::NotFoundErr, nullptr},
        {IO::File::WriteMode, true, NoError, "new"},  // old bytes beyond the new ones do not survive
        {IO::File::WriteMode, false, IO::NotFoundErr, nullptr},
        {IO::File::WriteEmptyMode, true, NoError, "new"},
        {IO::File::WriteEmptyMode, false, NoError, "new"},  // made by the open
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << (c.fileExists ? " existing" : " missing"));
        if (c.fileExists)
            temp.WriteFile("f.bin", "old contents");
        IO::File file(LocationOf("f.bin"), IO::File::Fail);
        EXPECT_EQ(file.Open(c.mode, IO::ReportAccessDenied), c.openResult);
        EXPECT_EQ(file.GetStatus(), c.openResult);
        EXPECT_EQ(file.IsOpen(), c.openResult == NoError);
        if (c.openResult == NoError && c.contentsAfterWrite == nullptr) {
            EXPECT_EQ(ReadAll(file), "old contents");
        }
        if (c.openResult == NoError && c.contentsAfterWrite != nullptr) {
            EXPECT_EQ(file.WriteBin("new", 3), NoError);
            EXPECT_EQ(file.Close(), NoError);
            EXPECT_EQ(temp.ReadFile("f.bin"), c.contentsAfterWrite);
        }
        if (c.openResult != NoError) {
            EXPECT_EQ(temp.Exists("f.bin"), c.fileExists);
        }
        ::unlink(temp.PathOf("f.bin").c_str());
    }
}

TEST_F(InputOutputTest, RefusesOperationsThatDoNotSuitTheOpenState)
{
    temp.WriteFile("f.bin", "abc");
    IO::File file(LocationOf("f.bin"));
    char byte = 0;
    EXPECT_EQ(file.ReadBin(&byte, 1), IO::NotOpenErr);
    EXPECT_EQ(file.WriteBin("x", 1), IO::NotOpenErr);
    EXPECT_EQ(file.Seek(0), IO::NotOpenErr);
    EXPECT_EQ(file.Close(), IO::NotOpenErr);

    ASSERT_EQ(file.Open(IO::File::ReadMode), NoError);
    EXPECT_EQ(file.Open(IO::File::ReadMode), IO::AlreadyOpenErr);
    EXPECT_EQ(file.WriteBin("x", 1), IO::WrongOpenModeErr);
    EXPECT_EQ(file.Write(Int32(1)), IO::WrongOpenModeErr);
    char bytes[8] = {};
    USize read = 99;
    EXPECT_EQ(file.ReadBin(bytes, sizeof bytes, &read), IO::EndOfFileErr);
    EXPECT_EQ(read, 3u);
    EXPECT_STREQ(bytes, "abc");
    EXPECT_EQ(file.Close(), NoError);

    IO::File writer(LocationOf("f.bin"));
    ASSERT_EQ(writer.Open(IO::File::WriteEmptyMode), NoError);
    EXPECT_EQ(writer.ReadBin(bytes, 1), IO::WrongOpenModeErr);
    EXPECT_EQ(writer.Read(byte), IO::WrongOpenModeErr);
}

TEST_F(InputOutputTest, WritesALargeBufferWholeAndReadsItBack)
{
    std::vector<char> block(16 * 1024 * 1024 + 7);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>((i * 131) ^ (i >> 11));
    {
        IO::File file(LocationOf("big.bin"), IO::File::Create);
        ASSERT_EQ(file.Open(IO::File::WriteEmptyMode), NoError);
        USize written = 0;
        EXPECT_EQ(file.WriteBin(block.data(), static_cast<USize>(block.size()), &written), NoError);
        EXPECT_EQ(written, block.size());
        EXPECT_EQ(file.Flush(), NoError);
        EXPECT_EQ(file.Close(), NoError);
    }
    IO::File file(LocationOf("big.bin"));
    UInt64 length64 = 0;
    UInt32 length32 = 0;
    EXPECT_EQ(file.GetDataLength(&length64), NoError);  // also on a closed file
    EXPECT_EQ(file.GetDataLength(&length32), NoError);
    EXPECT_EQ(length64, block.size());
    EXPECT_EQ(length32, block.size());
    ASSERT_EQ(file.Open(IO::File::ReadMode), NoError);
    std::vector<char> back(block.size());
    EXPECT_EQ(file.ReadBin(back.data(), static_cast<USize>(back.size())), NoError);
    EXPECT_TRUE(back == block);
}

TEST_F(InputOutputTest, ReportsAWriteTheDiskCannotTake)
{
    // The system's always-full device fails every write with ENOSPC.
    IO::File full(IO::Location("/dev/full"));
    ASSERT_EQ(full.GetStatus(), NoError);
    ASSERT_EQ(full.Open(IO::File::WriteMode), NoError);
    USize written = 99;
    EXPECT_EQ(full.WriteBin("data", 4, &written), IO::DiskFullErr);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(full.Write(UInt32(7)), IO::DiskFullErr);
}

TEST_F(InputOutputTest, ChannelValuesAreLittleEndian)
{
    {
        IO::File file(LocationOf("values.bin"), IO::File::Create);
        ASSERT_EQ(file.Open(IO::File::WriteEmptyMode), NoError);
        EXPECT_EQ(file.Write(true), NoError);
        EXPECT_EQ(file.Write(false), NoError);
        EXPECT_EQ(file.Write(Int32(-2)), NoError);
        EXPECT_EQ(file.Write(UInt32(0x01020304u)), NoError);
        EXPECT_EQ(file.Write(1.5), NoError);
        EXPECT_EQ(file.Write('z'), NoError);
        EXPECT_EQ(file.Write(UInt8(0xFF)), NoError);
        EXPECT_EQ(file.Close(), NoError);
    }
    const std::string expected("\x01\x00"
                               "\xFE\xFF\xFF\xFF"
                               "\x04\x03\x02\x01"
                               "\x00\x00\x00\x00\x00\x00\xF8\x3F"
                               "z\xFF",
                               20);
    EXPECT_EQ(temp.ReadFile("values.bin"), expected);

    IO::File file(LocationOf("values.bin"));
    ASSERT_EQ(file.Open(IO::File::ReadMode), NoError);
    bool first = false, second = true;
    Int32 negative = 0;
    UInt32 unsignedValue = 0;
    double real = 0.0;
    char letter = 0;
    UInt8 byte = 0;
    EXPECT_EQ(file.Read(first), NoError);
    EXPECT_EQ(file.Read(second), NoError);
    EXPECT_EQ(file.Read(negative), NoError);
    EXPECT_EQ(file.Read(unsignedValue), NoError);
    EXPECT_EQ(file.Read(real), NoError);
    EXPECT_EQ(file.Read(letter), NoError);
    EXPECT_EQ(file.Read(byte), NoError);
    EXPECT_TRUE(first);
    EXPECT_FALSE(second);
    EXPECT_EQ(negative, -2);
    EXPECT_EQ(unsignedValue, 0x01020304u);
    EXPECT_EQ(real, 1.5);
    EXPECT_EQ(letter, 'z');
    EXPECT_EQ(byte, 0xFF);
    EXPECT_EQ(file.Read(byte), IO::EndOfFileErr);
}

TEST_F(InputOutputTest, SeeksAndTellsThePosition)
{
    temp.WriteFile("f.bin", "0123456789");
    IO::File file(LocationOf("f.bin"));
    ASSERT_EQ(file.Open(IO::File::ReadMode), NoError);
    EXPECT_EQ(file.Seek(6), NoError);
    UInt64 position = 0;
    EXPECT_EQ(file.GetPosition(&position), NoError);
    EXPECT_EQ(position, 6u);
    char c = 0;
    EXPECT_EQ(file.Read(c), NoError);
    EXPECT_EQ(c, '6');
    EXPECT_EQ(file.GetPosition(&position), NoError);
    EXPECT_EQ(position, 7u);
}

TEST_F(InputOutputTest, PlannedFailuresStopTheOperationWithTheirCode)
{
    constexpr GSErrCode planned = -4242;
    struct Case {
        const char* point;
        std::string contentsAfter;  // of a file that held "old" and was to get "new"
    };
    // Each run: construct on an existing file, open for writing, write "new", flush, close.
    const Case cases[] = {
        {"IO::File::Locate", "old"},
        {"IO::File::Open", "old"},
        {"IO::File::WriteBin", ""},
        {"IO::File::Flush", "new"},
        {"IO::File::Close", "new"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.point);
        HostControl::ResetAll();
        temp.WriteFile("f.bin", "old");
        HostControl::InjectError(c.point, planned);
        GSErrCode first = NoError;
        {
            IO::File file(LocationOf("f.bin"));
            first = file.GetStatus();
            if (first == NoError)
                first = file.Open(IO::File::WriteMode);
            if (first == NoError)
                first = file.WriteBin("new", 3);
            if (first == NoError)
                first = file.Flush();
            if (first == NoError) {
                first = file.Close();
                EXPECT_FALSE(file.IsOpen());  // closed all the same
                EXPECT_EQ(file.GetStatus(), planned);
            }
        }
        EXPECT_EQ(first, planned);
        EXPECT_EQ(temp.ReadFile("f.bin"), c.contentsAfter);
    }
}

TEST_F(InputOutputTest, PlannedFailuresCoverReadsLengthsAndCreation)
{
    constexpr GSErrCode planned = -4243;
    temp.WriteFile("f.bin", "abcd");
    IO::File file(LocationOf("f.bin"));
    ASSERT_EQ(file.Open(IO::File::ReadMode), NoError);

    HostControl::InjectError("IO::File::GetDataLength", planned, 0, 1);
    UInt64 length = 77;
    EXPECT_EQ(file.GetDataLength(&length), planned);
    EXPECT_EQ(length, 77u);
    EXPECT_EQ(file.GetDataLength(&length), NoError);

    HostControl::InjectError("IO::File::ReadBin", planned, 1, 1);  // the second read fails
    char bytes[2] = {};
    EXPECT_EQ(file.ReadBin(bytes, 1), NoError);
    EXPECT_EQ(file.ReadBin(bytes, 1), planned);
    EXPECT_EQ(file.ReadBin(bytes, 1), NoError);
    EXPECT_EQ(bytes[0], 'b');  // the failed read took nothing

    HostControl::InjectError("IO::File::Read", planned);
    char c = 0;
    EXPECT_EQ(file.Read(c), planned);
    HostControl::InjectError("IO::File::Seek", planned);
    EXPECT_EQ(file.Seek(0), planned);
    HostControl::InjectError("IO::File::IsOpenable", planned);
    EXPECT_FALSE(file.IsOpenable(IO::File::ReadMode));

    HostControl::InjectError("IO::File::Create", planned);
    EXPECT_EQ(IO::File(LocationOf("new.bin"), IO::File::Create).GetStatus(), planned);
    EXPECT_FALSE(temp.Exists("new.bin"));
}

TEST_F(InputOutputTest, PlannedExceptionsLeaveTheFileLayer)
{
    temp.WriteFile("f.bin", "x");
    HostControl::Failure failure;
    failure.kind = HostControl::Failure::Kind::HostException;
    failure.code = -7003;
    HostControl::Inject("IO::File::Open", failure);
    IO::File file(LocationOf("f.bin"));
    EXPECT_THROW(file.Open(IO::File::ReadMode), GS::GeneralException);
    EXPECT_FALSE(file.IsOpen());
}

TEST_F(InputOutputTest, TellsWhetherAFileIsOpenable)
{
    temp.WriteFile("f.bin", "x");
    EXPECT_TRUE(IO::File(LocationOf("f.bin")).IsOpenable(IO::File::ReadMode));
    EXPECT_TRUE(IO::File(LocationOf("f.bin")).IsOpenable(IO::File::WriteMode));
    const IO::File missing(LocationOf("missing.bin"));
    EXPECT_FALSE(missing.IsOpenable(IO::File::ReadMode));
    EXPECT_FALSE(missing.IsOpenable(IO::File::WriteMode));
    EXPECT_TRUE(missing.IsOpenable(IO::File::WriteEmptyMode));
    EXPECT_FALSE(IO::File(LocationOf("no-folder/x.bin")).IsOpenable(IO::File::WriteEmptyMode));
}

// ---- Folders --------------------------------------------------------------------------------------

struct Entry {
    std::string name;
    bool isFolder;
    bool operator==(const Entry& other) const { return name == other.name && isFolder == other.isFolder; }
};

bool CollectEntry(const IO::Folder&, const IO::Name& name, bool isFolder, void* userData)
{
    static_cast<std::vector<Entry>*>(userData)->push_back({name.ToUtf8(), isFolder});
    return true;
}

bool StopAfterFirst(const IO::Folder&, const IO::Name& name, bool isFolder, void* userData)
{
    static_cast<std::vector<Entry>*>(userData)->push_back({name.ToUtf8(), isFolder});
    return false;
}

TEST_F(InputOutputTest, FolderIsFoundMadeOrRefused)
{
    EXPECT_EQ(IO::Folder(IO::Location(temp.Path().c_str())).GetStatus(), NoError);
    EXPECT_EQ(IO::Folder(LocationOf("sub")).GetStatus(), IO::NotFoundErr);
    EXPECT_FALSE(temp.Exists("sub"));
    EXPECT_EQ(IO::Folder(LocationOf("sub"), IO::Folder::Create).GetStatus(), NoError);
    EXPECT_EQ(IO::Folder(LocationOf("sub")).GetStatus(), NoError);
    EXPECT_EQ(IO::Folder(LocationOf("a/b"), IO::Folder::Create).GetStatus(), IO::NotFoundErr);
    temp.WriteFile("file", "x");
    EXPECT_EQ(IO::Folder(LocationOf("file"), IO::Folder::Create).GetStatus(), IO::WrongTypeErr);

    HostControl::InjectError("IO::Folder::Create", -4244);
    EXPECT_EQ(IO::Folder(LocationOf("other"), IO::Folder::Create).GetStatus(), -4244);
    EXPECT_FALSE(temp.Exists("other"));
}

TEST_F(InputOutputTest, FolderWalksItsOwnEntriesInNameOrder)
{
    temp.WriteFile("b.txt", "");
    temp.WriteFile("a.txt", "");
    ASSERT_EQ(::mkdir(temp.PathOf("z-sub").c_str(), 0777), 0);
    temp.WriteFile("z-sub/inner.txt", "");
    ASSERT_EQ(::symlink(temp.PathOf("z-sub").c_str(), temp.PathOf("link").c_str()), 0);

    const IO::Folder folder(IO::Location(temp.Path().c_str()));
    std::vector<Entry> entries;
    EXPECT_EQ(folder.Enumerate(&CollectEntry, &entries), NoError);
    const std::vector<Entry> expected = {{"a.txt", false}, {"b.txt", false}, {"link", false}, {"z-sub", true}};
    EXPECT_EQ(entries, expected);

    entries.clear();
    EXPECT_EQ(folder.Enumerate(&StopAfterFirst, &entries), NoError);
    EXPECT_EQ(entries.size(), 1u);

    HostControl::InjectError("IO::Folder::Enumerate", -4245);
    entries.clear();
    EXPECT_EQ(folder.Enumerate(&CollectEntry, &entries), -4245);
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(IO::Folder(LocationOf("missing")).Enumerate(&CollectEntry, &entries), IO::NotFoundErr);
}

// ---- The file-system object -----------------------------------------------------------------------

TEST_F(InputOutputTest, DeletesFilesLinksAndEmptyFolders)
{
    temp.WriteFile("f.bin", "x");
    EXPECT_EQ(IO::fileSystem.Delete(LocationOf("f.bin"), IO::FileSystem::Unsafe, IO::ReportAccessDenied), NoError);
    EXPECT_FALSE(temp.Exists("f.bin"));
    EXPECT_EQ(IO::fileSystem.Delete(LocationOf("f.bin")), IO::NotFoundErr);

    ASSERT_EQ(::mkdir(temp.PathOf("full").c_str(), 0777), 0);
    temp.WriteFile("full/keep.txt", "kept");
    EXPECT_EQ(IO::fileSystem.Delete(LocationOf("full")), IO::NotEmptyErr);
    EXPECT_EQ(temp.ReadFile("full/keep.txt"), "kept");

    ASSERT_EQ(::symlink(temp.PathOf("full/keep.txt").c_str(), temp.PathOf("link").c_str()), 0);
    EXPECT_EQ(IO::fileSystem.Delete(LocationOf("link")), NoError);
    EXPECT_FALSE(temp.Exists("link"));
    EXPECT_TRUE(temp.Exists("full/keep.txt"));  // the link goes, not what it points to

    ASSERT_EQ(::mkdir(temp.PathOf("empty").c_str(), 0777), 0);
    EXPECT_EQ(IO::fileSystem.Delete(LocationOf("empty")), NoError);
    EXPECT_FALSE(temp.Exists("empty"));

    HostControl::InjectError("IO::fileSystem::Delete", -4246);
    EXPECT_EQ(IO::fileSystem.Delete(LocationOf("full/keep.txt")), -4246);
    EXPECT_TRUE(temp.Exists("full/keep.txt"));
    EXPECT_EQ(IO::fileSystem.Delete(IO::Location()), IO::BadLocationErr);
}

TEST_F(InputOutputTest, RenamesATemporaryFileOverItsTarget)
{
    temp.WriteFile("House.Zelto", "previous export");
    temp.WriteFile("House.Zelto.part", "complete export");
    EXPECT_EQ(IO::fileSystem.Rename(LocationOf("House.Zelto.part"), IO::Name("House.Zelto")), NoError);
    EXPECT_EQ(temp.ReadFile("House.Zelto"), "complete export");
    EXPECT_FALSE(temp.Exists("House.Zelto.part"));

    temp.WriteFile("again.part", "newer");
    HostControl::InjectError("IO::fileSystem::Rename", -4247);
    EXPECT_EQ(IO::fileSystem.Rename(LocationOf("again.part"), IO::Name("House.Zelto")), -4247);
    EXPECT_EQ(temp.ReadFile("House.Zelto"), "complete export");
    EXPECT_TRUE(temp.Exists("again.part"));
}

TEST_F(InputOutputTest, RenameAndMoveRefuseWhatTheyCannotDoSafely)
{
    temp.WriteFile("a.txt", "a");
    ASSERT_EQ(::mkdir(temp.PathOf("folder").c_str(), 0777), 0);
    EXPECT_EQ(IO::fileSystem.Rename(LocationOf("a.txt"), IO::Name("folder")), IO::WrongTypeErr);
    EXPECT_EQ(IO::fileSystem.Rename(LocationOf("a.txt"), IO::Name("../escape")), IO::BadNameErr);
    EXPECT_EQ(IO::fileSystem.Rename(LocationOf("missing"), IO::Name("b.txt")), IO::NotFoundErr);
    EXPECT_EQ(IO::fileSystem.Rename(LocationOf("a.txt"), IO::Name("a.txt")), NoError);
    EXPECT_EQ(temp.ReadFile("a.txt"), "a");

    EXPECT_EQ(IO::fileSystem.Move(LocationOf("a.txt"), LocationOf("folder/moved.txt")), NoError);
    EXPECT_EQ(temp.ReadFile("folder/moved.txt"), "a");
    EXPECT_FALSE(temp.Exists("a.txt"));
    ASSERT_EQ(::mkdir(temp.PathOf("other").c_str(), 0777), 0);
    temp.WriteFile("file", "f");
    EXPECT_EQ(IO::fileSystem.Move(LocationOf("other"), LocationOf("file")), IO::AlreadyExistsErr);
    EXPECT_EQ(temp.ReadFile("file"), "f");
}

TEST_F(InputOutputTest, CopiesAFileToANewTarget)
{
    temp.WriteFile("source.bin", std::string("bytes\0with nul", 14));
    EXPECT_EQ(IO::fileSystem.Copy(LocationOf("source.bin"), LocationOf("copy.bin")), NoError);
    EXPECT_EQ(temp.ReadFile("copy.bin"), std::string("bytes\0with nul", 14));
    EXPECT_EQ(temp.ReadFile("source.bin"), std::string("bytes\0with nul", 14));

    temp.WriteFile("taken.bin", "keep me");
    EXPECT_EQ(IO::fileSystem.Copy(LocationOf("source.bin"), LocationOf("taken.bin")), IO::AlreadyExistsErr);
    EXPECT_EQ(temp.ReadFile("taken.bin"), "keep me");
    EXPECT_EQ(IO::fileSystem.Copy(LocationOf("missing.bin"), LocationOf("x.bin")), IO::NotFoundErr);
    EXPECT_FALSE(temp.Exists("x.bin"));
    EXPECT_EQ(IO::fileSystem.Copy(IO::Location(temp.Path().c_str()), LocationOf("x.bin")), IO::WrongTypeErr);
    EXPECT_FALSE(temp.Exists("x.bin"));

    HostControl::InjectError("IO::fileSystem::Copy", -4248);
    EXPECT_EQ(IO::fileSystem.Copy(LocationOf("source.bin"), LocationOf("y.bin")), -4248);
    EXPECT_FALSE(temp.Exists("y.bin"));
}

TEST_F(InputOutputTest, CreatesEntriesAndTellsTheirTypes)
{
    EXPECT_EQ(IO::fileSystem.CreateFile(LocationOf("f")), NoError);
    EXPECT_EQ(IO::fileSystem.CreateFile(LocationOf("f")), IO::AlreadyExistsErr);
    EXPECT_EQ(IO::fileSystem.CreateFolder(LocationOf("d")), NoError);
    EXPECT_EQ(IO::fileSystem.CreateFolder(LocationOf("d")), IO::AlreadyExistsErr);
    ASSERT_EQ(::symlink(temp.PathOf("d").c_str(), temp.PathOf("l").c_str()), 0);
    ASSERT_EQ(::mkfifo(temp.PathOf("p").c_str(), 0600), 0);

    struct Case {
        const char* name;
        IO::FileSystem::EntryType type;
    };
    const Case cases[] = {{"f", IO::FileSystem::FileEntry},
                          {"d", IO::FileSystem::FolderEntry},
                          {"l", IO::FileSystem::LinkEntry},
                          {"p", IO::FileSystem::OtherEntry}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IO::FileSystem::EntryType type = IO::FileSystem::OtherEntry;
        EXPECT_EQ(IO::fileSystem.GetType(LocationOf(c.name), &type), NoError);
        EXPECT_EQ(type, c.type);
    }
    IO::FileSystem::EntryType type = IO::FileSystem::FileEntry;
    EXPECT_EQ(IO::fileSystem.GetType(LocationOf("missing"), &type), IO::NotFoundErr);
    HostControl::InjectError("IO::fileSystem::CreateFile", -4249);
    EXPECT_EQ(IO::fileSystem.CreateFile(LocationOf("g")), -4249);
    EXPECT_FALSE(temp.Exists("g"));
}

TEST_F(InputOutputTest, ReadsAndSetsPermissionsThroughLinks)
{
    temp.WriteFile("f", "x");
    ASSERT_EQ(::symlink(temp.PathOf("f").c_str(), temp.PathOf("l").c_str()), 0);
    for (const UInt32 permissions : {0600u, 0640u, 0755u, 0u}) {
        SCOPED_TRACE(permissions);
        EXPECT_EQ(IO::fileSystem.SetPermissions(LocationOf("l"), permissions), NoError);
        struct stat info {};
        ASSERT_EQ(::stat(temp.PathOf("f").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, permissions) << "the link leads to the file";
        UInt32 read = 01000;
        EXPECT_EQ(IO::fileSystem.GetPermissions(LocationOf("l"), &read), NoError);
        EXPECT_EQ(read, permissions);
    }
    UInt32 read = 0;
    EXPECT_EQ(IO::fileSystem.SetPermissions(LocationOf("f"), 04755), IO::BadParameterErr);
    EXPECT_EQ(IO::fileSystem.GetPermissions(LocationOf("missing"), &read), IO::NotFoundErr);
    EXPECT_EQ(IO::fileSystem.SetPermissions(LocationOf("missing"), 0644), IO::NotFoundErr);
    EXPECT_EQ(IO::fileSystem.GetPermissions(LocationOf("f"), nullptr), IO::BadParameterErr);
    HostControl::InjectError("IO::fileSystem::SetPermissions", -4250);
    EXPECT_EQ(IO::fileSystem.SetPermissions(LocationOf("f"), 0644), -4250);
    HostControl::InjectError("IO::fileSystem::GetPermissions", -4251);
    EXPECT_EQ(IO::fileSystem.GetPermissions(LocationOf("f"), &read), -4251);
}

// ---- The macOS bridge and the module's own location -----------------------------------------------

TEST_F(InputOutputTest, BridgeGivesPosixPathsAndFileURLs)
{
    IO::CString<256> path;
    EXPECT_EQ(IO::MacImplementationBridge::LocationToUTF8POSIXPath(IO::Location("/a b/c"), &path), NoError);
    EXPECT_STREQ(path.Get(), "/a b/c");
    EXPECT_EQ(IO::MacImplementationBridge::LocationToUTF8POSIXPath(IO::Location(), &path), IO::BadLocationErr);
    EXPECT_EQ(path.Get(), nullptr);

    const Int64 liveBefore = CFStandInLiveObjectCount();
    const CFURLRef url = IO::MacImplementationBridge::LocationToCFURL(IO::Location("/Apps/My App.app"));
    ASSERT_NE(url, nullptr);
    std::string text(static_cast<std::size_t>(CFURLGetBytes(url, nullptr, 0)), '\0');
    CFURLGetBytes(url, reinterpret_cast<UInt8*>(text.data()), static_cast<CFIndex>(text.size()));
    EXPECT_EQ(text, "file:///Apps/My%20App.app");
    CFRelease(url);
    EXPECT_EQ(CFStandInLiveObjectCount(), liveBefore);
    EXPECT_EQ(IO::MacImplementationBridge::LocationToCFURL(IO::Location()), nullptr);
}

TEST_F(InputOutputTest, TheModuleKnowsItsOwnFile)
{
    IO::Location own;
    ASSERT_EQ(ACAPI_GetOwnLocation(&own), NoError);
    EXPECT_TRUE(own.IsLegalInNativeFileSystem());
    EXPECT_EQ(IO::File(own).GetStatus(), NoError);
    EXPECT_EQ(ACAPI_GetOwnLocation(nullptr), APIERR_BADPARS);
}

}  // namespace
