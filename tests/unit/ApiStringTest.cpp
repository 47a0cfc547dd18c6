// ApiString: the text with its 8-bit and UTF-16 copies, which must follow every change.
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "ApiString.hpp"

namespace {

// The text's mutators are out of reach, so nothing can change the text behind the copies' back.
static_assert(!std::is_convertible_v<ApiString&, GS::UniString&>, "the text must not be writable from outside");
static_assert(!std::is_convertible_v<ApiString*, GS::UniString*>, "the text must not be writable from outside");

std::u16string UnitsOf(const unsigned short* units)
{
    std::u16string result;
    for (; units != nullptr && *units != 0; ++units)
        result.push_back(static_cast<char16_t>(*units));
    return result;
}

// Both copies hold the text.
void ExpectCopiesOf(const ApiString& string, const std::u16string& units)
{
    ASSERT_NE(string.GetChar(), nullptr);
    ASSERT_NE(string.GetWChar(), nullptr);
    EXPECT_EQ(std::string(string.GetChar()), GS::Utf16ToUtf8(units));
    EXPECT_EQ(UnitsOf(string.GetWChar()), units);
    EXPECT_EQ(string.GetText().Units(), units);
}

GS::UniString Text(const std::u16string& units)
{
    return GS::UniString(reinterpret_cast<const GS::uchar_t*>(units.c_str()));
}

struct Addresses {
    const char* cStr;
    const unsigned short* uStr;
};

Addresses AddressesOf(const ApiString& string)
{
    return {string.GetChar(), string.GetWChar()};
}

}  // namespace

TEST(ApiStringTest, EmptyTextHasASingleTerminatorInEachCopy)
{
    const ApiString empty;
    ASSERT_NE(empty.GetChar(), nullptr);
    ASSERT_NE(empty.GetWChar(), nullptr);
    EXPECT_EQ(empty.GetChar()[0], '\0');
    EXPECT_EQ(empty.GetWChar()[0], 0);
    EXPECT_TRUE(empty.IsEmpty());

    const ApiString fromEmptyText{GS::UniString()};
    EXPECT_EQ(fromEmptyText.GetChar()[0], '\0');
    EXPECT_EQ(fromEmptyText.GetWChar()[0], 0);
}

TEST(ApiStringTest, CopiesHoldTheTextInUtf8AndUtf16)
{
    const std::vector<std::u16string> texts = {
        u"Lamp", u"Spot light 2", u"K\u00fcche \u00e4\u00f6", u"\u6728\u6750", u"sun \U0001F31E", std::u16string(500, u'x')};
    for (const std::u16string& units : texts) {
        SCOPED_TRACE(GS::Utf16ToUtf8(units));
        const ApiString string(Text(units));
        ExpectCopiesOf(string, units);
        EXPECT_EQ(std::strlen(string.GetChar()), GS::Utf16ToUtf8(units).size());
        EXPECT_EQ(string.GetLength(), units.size());
    }
}

TEST(ApiStringTest, EqualAssignmentsKeepTheCopies)
{
    ApiString string(Text(u"Camera \u00e4"));
    const Addresses before = AddressesOf(string);

    string = Text(u"Camera \u00e4");
    string = "Camera \xC3\xA4";
    const std::u16string units = u"Camera \u00e4";
    string = reinterpret_cast<const unsigned short*>(units.c_str());
    string = string;  // the object itself

    EXPECT_EQ(string.GetChar(), before.cStr);
    EXPECT_EQ(string.GetWChar(), before.uStr);
    ExpectCopiesOf(string, u"Camera \u00e4");
}

TEST(ApiStringTest, EveryChangeRemakesBothCopies)
{
    ApiString string(Text(u"first"));
    const std::u16string utf16 = u"fourth \u00fc";
    const ApiString other(Text(u"first"));

    struct Change {
        const char* what;
        void (*apply)(ApiString& target, const ApiString& other, const std::u16string& utf16);
        std::u16string expected;
    };
    const std::vector<Change> changes = {
        {"text object", [](ApiString& s, const ApiString&, const std::u16string&) { s = Text(u"second"); }, u"second"},
        {"C string", [](ApiString& s, const ApiString&, const std::u16string&) { s = "third \xC3\xA4"; }, u"third \u00e4"},
        {"UTF-16", [](ApiString& s, const ApiString&, const std::u16string& u) {
             s = reinterpret_cast<const unsigned short*>(u.c_str());
         }, u"fourth \u00fc"},
        {"Set with an equal text", [](ApiString& s, const ApiString&, const std::u16string&) { s.Set(Text(u"fourth \u00fc")); },
         u"fourth \u00fc"},
        {"ApiString", [](ApiString& s, const ApiString& o, const std::u16string&) { s = o; }, u"first"},
        {"ApiString with an equal text", [](ApiString& s, const ApiString& o, const std::u16string&) { s = o; }, u"first"},
        {"empty C string", [](ApiString& s, const ApiString&, const std::u16string&) { s = ""; }, u""},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        const Addresses before = AddressesOf(string);
        change.apply(string, other, utf16);
        EXPECT_NE(string.GetChar(), before.cStr);
        EXPECT_NE(string.GetWChar(), before.uStr);
        ExpectCopiesOf(string, change.expected);
    }
}

TEST(ApiStringTest, NullTextsAssignTheEmptyText)
{
    ApiString string(Text(u"named"));
    string = static_cast<const char*>(nullptr);
    ExpectCopiesOf(string, u"");
    string.Set(Text(u"named"));
    string = static_cast<const unsigned short*>(nullptr);
    ExpectCopiesOf(string, u"");
}

TEST(ApiStringTest, ACopyOwnsItsOwnBuffers)
{
    ApiString original(Text(u"Sun"));
    {
        ApiString copy(original);
        EXPECT_NE(copy.GetChar(), original.GetChar());
        EXPECT_NE(copy.GetWChar(), original.GetWChar());
        ExpectCopiesOf(copy, u"Sun");
        copy = "Moon";
        ExpectCopiesOf(copy, u"Moon");
    }
    ExpectCopiesOf(original, u"Sun");  // still readable after the copy is gone
}

TEST(ApiStringTest, DeleteDropsTheCopiesAndCreateRemakesThem)
{
    ApiString string(Text(u"Lamp \u00e9"));
    string.Delete();
    EXPECT_EQ(string.GetChar(), nullptr);
    EXPECT_EQ(string.GetWChar(), nullptr);
    string.Delete();  // twice is harmless
    string.Create();
    ExpectCopiesOf(string, u"Lamp \u00e9");

    // Remaking one copy alone replaces it without leaking the old one.
    string.CreateChar();
    string.CreateWChar();
    ExpectCopiesOf(string, u"Lamp \u00e9");
}

TEST(ApiStringTest, ReadOnlyMembersSeeTheText)
{
    const ApiString string(Text(u"Spot \u00e4"));
    EXPECT_FALSE(string.IsASCII());
    EXPECT_EQ(string.FindFirst(GS::UniString("\xC3\xA4")), 5u);
    EXPECT_EQ(string.Compare(GS::UniString("SPOT \xC3\x84"), GS::CaseInsensitive), GS::UniString::Equal);
    EXPECT_STREQ(string.ToCStr(CC_UTF8).Get(), "Spot \xC3\xA4");
}
