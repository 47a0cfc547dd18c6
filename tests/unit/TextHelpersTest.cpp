// Text helpers: wildcard matching, UTF-16 conversion into fixed buffers, trimming, splitting and
// the small text conversions.
#include <string>
#include <vector>

#include "HostControl.hpp"
#include "TextHelpers.hpp"
#include "common/AddonTestEnvironment.hpp"

namespace {

std::vector<std::string> Utf8Pieces(const GS::Array<GS::UniString>& pieces)
{
    std::vector<std::string> result;
    for (GS::UIndex i = 0; i < pieces.GetSize(); ++i)
        result.push_back(pieces[i].ToUtf8());
    return result;
}

GS::UniString Utf8(const char* text)
{
    return GS::UniString(text, CC_UTF8);
}

constexpr unsigned short Guard = 0xCCCC;

// A conversion buffer of size units with guard units on both sides, so a write outside shows.
class GuardedUnits {
public:
    explicit GuardedUnits(int size) : units(static_cast<std::size_t>(size > 0 ? size : 0) + 2 * GuardCount, Guard) {}
    unsigned short* Buffer() { return units.data() + GuardCount; }
    // The units up to the first 0 within the buffer; "no terminator" when there is none.
    std::u16string Text(int size) const
    {
        std::u16string text;
        for (int i = 0; i < size; ++i) {
            const unsigned short unit = units[GuardCount + static_cast<std::size_t>(i)];
            if (unit == 0)
                return text;
            text.push_back(static_cast<char16_t>(unit));
        }
        return u"no terminator";
    }
    bool GuardsIntact(int size) const
    {
        const std::size_t inside = static_cast<std::size_t>(size > 0 ? size : 0);
        for (std::size_t i = 0; i < GuardCount; ++i)
            if (units[i] != Guard || units[GuardCount + inside + i] != Guard)
                return false;
        return true;
    }

private:
    static constexpr std::size_t GuardCount = 4;
    std::vector<unsigned short> units;
};

class TextHelpersTest : public HostTest {};

}  // namespace

TEST(PatternMatchTest, MatchesWildcards)
{
    struct Case {
        const char* pattern;
        const char* text;
        bool matches;
    };
    const std::vector<Case> cases = {
        {"a?c", "abc", true},   {"a?c", "ac", false},   {"a*c", "abc", true},    {"a*c", "ac", true},
        {"a*c", "ab", false},   {"a*", "a", true},      {"a**", "a", true},      {"a**", "ab", true},
        {"**", "", true},       {"", "", true},         {"", "a", false},        {"*", "", true},
        {"*", "any text", true}, {"?", "", false},      {"?", "x", true},        {"??", "x", false},
        {"*?", "", false},      {"*?", "x", true},      {"abc", "abc", true},    {"abc", "abcd", false},
        {"abc", "ABC", false},  {"*a*b", "xxaxxb", true}, {"*a*b", "xxbxxa", false}, {"a*b*c", "abbbc", true},
        {"a*b*c", "acb", false}, {"*.plugin", "Importer.plugin", true}, {"*.plugin", "Importer.plugins", false},
        {"Zelto*.xdl", "Zelto_R21.xdl", true}, {"*ab", "aab", true}, {"*aab", "aaab", true},
        {"*\xC3\xA4", "K\xC3\xA4", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " vs " + c.text);
        EXPECT_EQ(PatternMatch(c.pattern, c.text), c.matches);
    }
}

TEST(PatternMatchTest, NullArgumentsMatchNothing)
{
    EXPECT_FALSE(PatternMatch(nullptr, "a"));
    EXPECT_FALSE(PatternMatch("*", nullptr));
    EXPECT_FALSE(PatternMatch(nullptr, nullptr));
}

TEST(PatternMatchTest, ManyStarsAgainstALongTextStillAnswer)
{
    // Trying every split would take about 200^12 steps here; the walk takes a few thousand.
    const std::string text(200, 'a');
    EXPECT_FALSE(PatternMatch("*a*a*a*a*a*a*a*a*a*a*a*b", text.c_str()));
    EXPECT_TRUE(PatternMatch("*a*a*a*a*a*a*a*a*a*a*a*a", text.c_str()));
}

TEST_F(TextHelpersTest, ConvertUnicodeStaysInsideTheBufferAndTerminates)
{
    struct Case {
        const char* text;
        int size;
        std::u16string expected;
        int count;
    };
    const std::vector<Case> cases = {
        {"abc", 10, u"abc", 3},            // fits: the count is the text's units
        {"abc", 4, u"abc", 4},             // exactly fills: counted with its terminator
        {"abcdef", 4, u"abc", 4},          // cut to size - 1 units
        {"abcdef", 1, u"", 1},
        {"", 1, u"", 1},
        {"", 8, u"", 0},
        {"K\xC3\xA4se", 10, u"K\u00e4se", 4},
        {"\xE6\x9C\xA8\xE6\x9D\x90", 4, u"\u6728", 2},  // the first three-byte character fits
        {nullptr, 5, u"", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text != nullptr ? c.text : "(null)") + " into " + std::to_string(c.size));
        GuardedUnits units(c.size);
        unsigned short* buffer = units.Buffer();
        int count = -1;
        ConvertUnicode(c.text, &buffer, count, c.size);
        EXPECT_EQ(units.Text(c.size), c.expected);
        EXPECT_EQ(count, c.count);
        EXPECT_TRUE(units.GuardsIntact(c.size));

        GuardedUnits plain(c.size);
        ConvertUnicode(c.text, plain.Buffer(), c.size);
        EXPECT_EQ(plain.Text(c.size), c.expected);
        EXPECT_TRUE(plain.GuardsIntact(c.size));
    }
}

TEST_F(TextHelpersTest, ConvertUnicodeTerminatesRightAfterTheText)
{
    GuardedUnits units(8);
    ConvertUnicode("ab", units.Buffer(), 8);
    EXPECT_EQ(units.Buffer()[0], u'a');
    EXPECT_EQ(units.Buffer()[1], u'b');
    EXPECT_EQ(units.Buffer()[2], 0);
}

TEST_F(TextHelpersTest, ConvertUnicodeWithoutRoomDoesNothing)
{
    for (const int size : {0, -1, -100}) {
        SCOPED_TRACE(size);
        GuardedUnits units(0);
        unsigned short* buffer = units.Buffer();
        int count = 42;
        ConvertUnicode("abc", &buffer, count, size);
        ConvertUnicode("abc", units.Buffer(), size);
        EXPECT_EQ(count, 42);
        EXPECT_TRUE(units.GuardsIntact(0));
    }
    int count = 42;
    unsigned short* noBuffer = nullptr;
    ConvertUnicode("abc", &noBuffer, count, 10);
    ConvertUnicode("abc", static_cast<unsigned short**>(nullptr), count, 10);
    ConvertUnicode("abc", static_cast<unsigned short*>(nullptr), 10);
    EXPECT_EQ(count, 42);
}

TEST_F(TextHelpersTest, ConvertUnicodeOutOfMemoryLeavesAnEmptyTerminatedText)
{
    HostControl::Failure outOfMemory;
    outOfMemory.kind = HostControl::Failure::Kind::OutOfMemory;
    for (const int failingCall : {0, 1}) {  // while counting, then while converting
        SCOPED_TRACE(failingCall);
        HostControl::ClearFailures();
        outOfMemory.skip = failingCall;
        HostControl::Inject("CHANSI2Unicode", outOfMemory);
        GuardedUnits units(6);
        for (int i = 0; i < 6; ++i)
            units.Buffer()[i] = 'x';
        unsigned short* buffer = units.Buffer();
        int count = -1;
        EXPECT_NO_THROW(ConvertUnicode("abc", &buffer, count, 6));
        EXPECT_EQ(units.Text(6), u"");
        EXPECT_EQ(count, 0);
        EXPECT_TRUE(units.GuardsIntact(6));
    }
}

TEST(TrimwhiteSpaceTest, TrimsAndCutsToTheBuffer)
{
    struct Case {
        const char* in;
        unsigned long outSize;
        std::string expected;
        unsigned long length;
    };
    const std::vector<Case> cases = {
        {"  ab  ", 10, "ab", 2},
        {" \t\nab c\r\n", 10, "ab c", 4},
        {"abc", 4, "abc", 3},
        {"0123456789", 5, "0123", 4},
        {"   x   ", 1, "", 0},
        {"      ", 10, "", 0},
        {"", 10, "", 0},
        {nullptr, 10, "", 0},
        {"\xC3\xA4 ", 10, "\xC3\xA4", 2},      // bytes above 127 are not white space
        {" \xA0x\xFF ", 10, "\xA0x\xFF", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.in != nullptr ? c.in : "(null)") + " into " + std::to_string(c.outSize));
        std::vector<char> out(c.outSize + 4, '#');
        EXPECT_EQ(TrimwhiteSpace(out.data(), c.outSize, c.in), c.length);
        EXPECT_EQ(std::string(out.data()), c.expected);
        for (std::size_t i = c.outSize; i < out.size(); ++i)
            EXPECT_EQ(out[i], '#') << "written beyond the buffer at " << i;
    }
}

TEST(TrimwhiteSpaceTest, ABufferOfNoBytesIsLeftAlone)
{
    char out[2] = {'#', '#'};
    EXPECT_EQ(TrimwhiteSpace(out, 0, "abc"), 0u);
    EXPECT_EQ(out[0], '#');
    EXPECT_EQ(TrimwhiteSpace(nullptr, 10, "abc"), 0u);
}

TEST(StringSeparatorTest, SplitsAtEverySeparator)
{
    struct Case {
        const char* text;
        const char* separator;
        std::vector<std::string> pieces;
    };
    const std::vector<Case> cases = {
        {"a,b,", ",", {"a", "b", ""}},
        {"abc", ",", {"abc"}},
        {"", ",", {""}},
        {",", ",", {"", ""}},
        {"a,,b", ",", {"a", "", "b"}},
        {"a::b::c", "::", {"a", "b", "c"}},
        {"a:b", "::", {"a:b"}},
        {"K\xC3\xA4se;Brot", ";", {"K\xC3\xA4se", "Brot"}},
        {"a,b", "", {"a,b"}},  // no separator to look for: the whole text
        {"", "", {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " at " + c.separator);
        EXPECT_EQ(Utf8Pieces(StringSeparator(Utf8(c.text), Utf8(c.separator))), c.pieces);
    }
}

TEST(SplitToLinesTest, KeepsEveryLine)
{
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"", {}},
        {"abc", {"abc"}},
        {"a\r\nb\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\r\rb", {"a", "", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\r", {"a", ""}},  // LF then CR: two breaks
        {"\n", {""}},
        {"\r\n", {""}},
        {"\n\n", {"", ""}},
        {"  x \r\n y", {"  x ", " y"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::string(c.text)));
        EXPECT_EQ(Utf8Pieces(SplitToLines(Utf8(c.text))), c.lines);
    }
}

TEST(TextConversionsTest, RemoveNewLinesTurnsEachBreakIntoOneBlank)
{
    EXPECT_EQ(RemoveNewLines(Utf8("a\r\nb\rc\nd")).ToUtf8(), "a b c d");
    EXPECT_EQ(RemoveNewLines(Utf8("\n\r")).ToUtf8(), "  ");
    EXPECT_EQ(RemoveNewLines(Utf8("\r\n\n")).ToUtf8(), "  ");
    EXPECT_EQ(RemoveNewLines(Utf8("plain")).ToUtf8(), "plain");
}

TEST(TextConversionsTest, DoubleToUniStringUsesSixSignificantDigits)
{
    const std::vector<std::pair<double, std::string>> cases = {
        {0.1, "0.1"}, {2.5, "2.5"}, {1000000.0, "1e+06"}, {-3.0, "-3"}, {1234567.0, "1.23457e+06"}, {0.0, "0"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(DoubleToUniString(value).ToUtf8(), text) << value;
}

TEST(TextConversionsTest, EscapeAndQuotes)
{
    EXPECT_EQ(Escape("a b  c").ToUtf8(), "a\\ b\\ \\ c");
    EXPECT_EQ(Escape("none").ToUtf8(), "none");
    EXPECT_EQ(Escape("").ToUtf8(), "");
    EXPECT_EQ(Escape(nullptr).ToUtf8(), "");
    EXPECT_EQ(ToSingleQuoted(Utf8("it")).ToUtf8(), "'it'");
    EXPECT_EQ(ToDoubleQuoted(Utf8("it")).ToUtf8(), "\"it\"");
    EXPECT_EQ(ToDoubleQuoted(GS::UniString()).ToUtf8(), "\"\"");
}

TEST(TextConversionsTest, GetBeginWhiteSpacesAndIsASCII)
{
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"  \tab ", "  \t"}, {"", ""}, {"ab ", ""}, {"   ", "   "}, {"\xE3\x80\x80x", "\xE3\x80\x80"}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(GetBeginWhiteSpaces(Utf8(text)).ToUtf8(), expected) << text;

    EXPECT_TRUE(IsASCII(Utf8("abc")));
    EXPECT_TRUE(IsASCII(GS::UniString()));
    EXPECT_FALSE(IsASCII(Utf8("K\xC3\xA4se")));
}
