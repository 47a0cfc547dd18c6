// The key=value reader of the version file: how lines, keys and values are taken apart, which line
// wins, the line ends it accepts, and what a missing, empty or failing file answers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "IOErrors.hpp"
#include "ZELTO_export_VersionFile.hpp"
#include "common/AddonTestEnvironment.hpp"
#include "common/TemporaryFolder.hpp"

namespace {

constexpr const char* Missing = "(missing)";

class VersionFileTest : public HostTest {
protected:
    IO::Location Write(const std::string& bytes) const
    {
        folder.WriteFile("version.ini", bytes);
        return IO::Location(folder.PathOf("version.ini").c_str());
    }
    // The value the reader gives for the key, or Missing when it falls back on the default; the
    // same bytes in memory must read alike.
    std::string Lookup(const std::string& bytes, const char* key) const
    {
        WRL::MAIni fromFile(Write(bytes));
        EXPECT_EQ(fromFile.GetStatus(), NoError);
        const std::string value = fromFile.GetString(key, Missing);
        WRL::MAIni fromMemory(bytes);
        EXPECT_EQ(fromMemory.GetStatus(), NoError);
        EXPECT_EQ(fromMemory.GetString(key, Missing), value) << "the bytes in memory read otherwise";
        return value;
    }

    TemporaryFolder folder;
};

struct LookupCase {
    const char* what;
    std::string bytes;
    const char* key;
    std::string expected;
};

TEST_F(VersionFileTest, LookupsTakeTheTrimmedValueOfTheFirstMatchingLine)
{
    const std::string versionFile = "name=Zelto Export\nversion=2.63\ndate=2026-01-05\ndownloadMac=https://x/y.zip\n";
    const std::vector<LookupCase> cases = {
        {"each key of a version file", versionFile, "name", "Zelto Export"},
        {"", versionFile, "version", "2.63"},
        {"", versionFile, "date", "2026-01-05"},
        {"", versionFile, "downloadMac", "https://x/y.zip"},
        {"keys in any letter case", "VERSION=2.63\n", "version", "2.63"},
        {"", "version=2.63\n", "DownloadMAC", Missing},
        {"", "DownLoadMac=u\n", "downloadMac", "u"},
        {"blanks around '=' and at the end", "version = 2.63 \n", "version", "2.63"},
        {"inner blanks stay", "  name =  Zelto  Export  \n", "name", "Zelto  Export"},
        {"other keys between and another order", "x=1\ndate=d\n\nfoo\nversion=3\n", "version", "3"},
        {"a value with '='", "a=b=c\n", "a", "b=c"},
        {"a URL with a query", "downloadMac=https://h/p?a=1&b=2\n", "downloadMac", "https://h/p?a=1&b=2"},
        {"an empty value", "version=\n", "version", ""},
        {"a value of blanks only keeps one blank", "version=   \n", "version", " "},
        {"an empty key matches no key", "=2.63\n", "version", Missing},
        {"the first line wins", "version=1\nversion=2\n", "version", "1"},
        {"a missing key", "name=x\n", "version", Missing},
        {"blank and section lines are passed over", "   \n[Zelto]\nversion=4\n", "version", "4"},
        {"a section line is no key", "[version]\n", "[version]", Missing},
        {"a tab before the key stays part of it", "\tname=x\n", "name", Missing},
        {"", "\tname=x\n", "\tname", "x"},
        {"CR LF", "name=a\r\nversion=5\r\n", "version", "5"},
        {"CR", "name=a\rversion=5\r", "version", "5"},
        {"the byte 0x17", "name=a\x17version=5\x17", "version", "5"},
        {"a last line without a line end", "name=a\nversion=5", "version", "5"},
        {"empty lines and runs of line ends", "\r\n\r\n\n\nversion=6\r\n\r\n", "version", "6"},
    };
    for (const LookupCase& lookup : cases) {
        SCOPED_TRACE(std::string(lookup.what) + ": " + lookup.key);
        EXPECT_EQ(Lookup(lookup.bytes, lookup.key), lookup.expected);
    }
}

TEST_F(VersionFileTest, TheDefaultPointerItselfComesBackWhenTheKeyIsMissing)
{
    WRL::MAIni reader(Write("name=x\n"));
    const char* fallback = "UNKNOWN";
    EXPECT_EQ(reader.GetString("version", fallback), fallback);
}

TEST_F(VersionFileTest, LookupsComeInAnyOrderAndEachStartsAtTheTop)
{
    WRL::MAIni reader(Write("name=n\nversion=v\ndate=d\n"));
    EXPECT_STREQ(reader.GetString("date", Missing), "d");
    EXPECT_STREQ(reader.GetString("name", Missing), "n");
    EXPECT_STREQ(reader.GetString("version", Missing), "v");
    EXPECT_STREQ(reader.GetString("name", Missing), "n");
}

// The rest of an over-long line is dropped: read as a line of its own, the tail of a long download
// address could pass for a version key.
TEST_F(VersionFileTest, OverLongLinesKeepTheirFirst255CharactersAndDropTheRest)
{
    const std::string first253 = std::string(253, 'a');
    const std::string longUrl = "downloadMac=https://h/" + std::string(233, 'p') + "version=9.99";
    const std::vector<LookupCase> cases = {
        {"a value cut at 255 characters", "k=" + first253 + "tail=zz\n", "k", first253},
        {"the tail is no line", "k=" + first253 + "tail=zz\n", "tail", Missing},
        {"the tail of a long URL is no version key", longUrl + "\nname=n\n", "version", Missing},
        {"the next line reads whole", longUrl + "\nname=n\n", "name", "n"},
        {"", longUrl + "\r\nversion=2.63\r\n", "version", "2.63"},
        {"a long last line without a line end", "name=n\nx=" + std::string(300, 'x'), "name", "n"},
        {"exactly 255 characters", "k=" + first253 + "\nversion=1\n", "k", first253},
        {"", "k=" + first253 + "\nversion=1\n", "version", "1"},
        {"a long line across the block boundary", std::string(4200, 'a') + "=x\nversion=5\n", "version", "5"},
    };
    for (const LookupCase& lookup : cases) {
        SCOPED_TRACE(std::string(lookup.what) + ": " + lookup.key);
        EXPECT_EQ(Lookup(lookup.bytes, lookup.key), lookup.expected);
    }
}

// Whether the value of the last lookup lost the end of its line, for file and memory alike.
struct CutCase {
    const char* what;
    std::string bytes;
    const char* key;
    bool cut;
};

TEST_F(VersionFileTest, TheReaderTellsWhetherTheLastValueLostTheEndOfItsLine)
{
    const std::string value253 = std::string(253, 'a');  // "k=" and these fill the 255 characters
    const std::vector<CutCase> cases = {
        {"a short line", "k=v\n", "k", false},
        {"a line of exactly 255 characters", "k=" + value253 + "\nnext=1\n", "k", false},
        {"", "k=" + value253, "k", false},
        {"256 characters", "k=" + value253 + "b\n", "k", true},
        {"a long last line without a line end", "k=" + value253 + std::string(50, 'b'), "k", true},
        {"a long line across the block boundary", "k=" + std::string(5000, 'a') + "\n", "k", true},
        {"the line after a long one", "k=" + value253 + "b\nnext=1\n", "next", false},
        {"a missing key after a long line", "k=" + value253 + "b\n", "missing", false},
        {"only blanks past the 255th character", "k=" + value253 + "   \n", "k", false},
        {"blanks, then more", "k=" + value253 + "  b\n", "k", true},
    };
    for (const CutCase& c : cases) {
        SCOPED_TRACE(c.what);
        WRL::MAIni fromFile(Write(c.bytes));
        fromFile.GetString(c.key, Missing);
        EXPECT_EQ(fromFile.LastValueWasCut(), c.cut);
        WRL::MAIni fromMemory(c.bytes);
        fromMemory.GetString(c.key, Missing);
        EXPECT_EQ(fromMemory.LastValueWasCut(), c.cut);
    }

    SCOPED_TRACE("each lookup tells of its own value");
    const std::string bytes = "long=" + std::string(300, 'x') + "\nshort=y\n";
    WRL::MAIni reader(bytes);
    EXPECT_FALSE(reader.LastValueWasCut()) << "before any lookup";
    reader.GetString("long", Missing);
    EXPECT_TRUE(reader.LastValueWasCut());
    reader.GetString("short", Missing);
    EXPECT_FALSE(reader.LastValueWasCut());
    reader.GetString("long", Missing);
    reader.GetInt("short", 0);
    EXPECT_TRUE(reader.LastValueWasCut()) << "only GetString hands out a value that can be cut";
}

TEST_F(VersionFileTest, ALeadingByteOrderMarkIsSkipped)
{
    const std::string mark = "\xEF\xBB\xBF";
    const std::string markedKey = mark + "version";
    const std::vector<LookupCase> cases = {
        {"before the first key", mark + "version=2.63\n", "version", "2.63"},
        {"before an empty line", mark + "\r\nversion=2.63\n", "version", "2.63"},
        {"alone", mark, "version", Missing},
        {"only at the start", "name=n\n" + mark + "version=1\n", "version", Missing},
        {"", "name=n\n" + mark + "version=1\n", markedKey.c_str(), "1"},
        {"a partial mark stays", "\xEF\xBBversion=1\n", "version", Missing},
    };
    for (const LookupCase& lookup : cases) {
        SCOPED_TRACE(lookup.what);
        EXPECT_EQ(Lookup(lookup.bytes, lookup.key), lookup.expected);
    }
}

TEST_F(VersionFileTest, LinesAcrossTheBlockBoundaryReadWhole)
{
    std::string bytes = "pad=" + std::string(4085, 'p') + "\n";
    bytes += "version=2.63\nname=after\n";  // from byte 4090 on, across the first block's end
    EXPECT_EQ(Lookup(bytes, "version"), "2.63");
    EXPECT_EQ(Lookup(bytes, "name"), "after");
    EXPECT_EQ(Lookup(bytes, "missing"), Missing);
    EXPECT_EQ(Lookup(bytes + std::string(5000, '\n') + "last=1", "last"), "1") << "a third block";
}

TEST_F(VersionFileTest, NumbersAndBoolsReadTheStartOfTheValue)
{
    WRL::MAIni reader(Write("count = 12abc\nbig=-70000\nword=abc\nyes=1\nno=0\n"));
    EXPECT_EQ(reader.GetInt("count", -1), 12);
    EXPECT_EQ(reader.GetLong("big", -1), -70000L);
    EXPECT_EQ(reader.GetInt("word", -1), -1);
    EXPECT_EQ(reader.GetInt("missing", -1), -1);
    EXPECT_TRUE(reader.GetBool("yes", false));
    EXPECT_FALSE(reader.GetBool("no", true));
    EXPECT_TRUE(reader.GetBool("word", true));
    EXPECT_FALSE(reader.GetBool("missing", false));
}

TEST_F(VersionFileTest, AMissingEmptyOrUnopenableFileAnswersEveryLookupWithItsDefault)
{
    {
        WRL::MAIni reader(IO::Location(folder.PathOf("absent.ini").c_str()));
        EXPECT_NE(reader.GetStatus(), NoError);
        EXPECT_STREQ(reader.GetString("version", Missing), Missing);
        EXPECT_EQ(reader.GetInt("version", 7), 7);
    }
    EXPECT_EQ(Lookup("", "version"), Missing);
    {
        WRL::MAIni reader(Write(""));
        EXPECT_EQ(reader.GetStatus(), NoError);
        EXPECT_EQ(reader.GetLong("version", 8L), 8L);
        EXPECT_TRUE(reader.GetBool("version", true));
    }
    for (const char* failure : {"IO::File::Open", "IO::File::GetDataLength"}) {
        SCOPED_TRACE(failure);
        HostControl::ClearFailures();
        HostControl::InjectError(failure, IO::AccessDeniedErr);
        WRL::MAIni reader(Write("version=2.63\n"));
        EXPECT_EQ(reader.GetStatus(), IO::AccessDeniedErr) << "a file that cannot be read is reported";
        EXPECT_STREQ(reader.GetString("version", Missing), Missing);
    }
    HostControl::ClearFailures();
}

TEST_F(VersionFileTest, AReadErrorFailsOnlyThatLookup)
{
    WRL::MAIni reader(Write("version=2.63\n"));
    ASSERT_EQ(reader.GetStatus(), NoError);
    HostControl::InjectError("IO::File::ReadBin", IO::AccessDeniedErr);
    EXPECT_STREQ(reader.GetString("version", Missing), Missing);
    HostControl::ClearFailures();
    EXPECT_STREQ(reader.GetString("version", Missing), "2.63");
}

}  // namespace
