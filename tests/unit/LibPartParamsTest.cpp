// Library-part parameter lookup over handles of parameter records as the host hands them out.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BM.hpp"
#include "LibPartParams.hpp"

namespace {

// A host handle of parameter records, freed with the object. extraBytes adds a trailing part of
// a record, which the lookup must ignore.
class ParameterHandle {
public:
    explicit ParameterHandle(const std::vector<API_AddParType>& records, std::size_t extraBytes = 0)
    {
        const std::size_t bytes = records.size() * sizeof(API_AddParType) + extraBytes;
        handle = BMAllocateHandle(static_cast<Int32>(bytes), ALLOCATE_CLEAR, 0);
        if (handle != nullptr && !records.empty())
            std::memcpy(*handle, records.data(), records.size() * sizeof(API_AddParType));
    }
    ~ParameterHandle() { BMKillHandle(&handle); }
    ParameterHandle(const ParameterHandle&) = delete;
    ParameterHandle& operator=(const ParameterHandle&) = delete;

    API_AddParType** Get() const { return reinterpret_cast<API_AddParType**>(handle); }
    char* Bytes() const { return *handle; }
    std::vector<char> Snapshot() const
    {
        return std::vector<char>(*handle, *handle + BMGetHandleSize(handle));
    }

private:
    GSHandle handle = nullptr;
};

API_AddParType Record(const char* name, API_AddParID type)
{
    API_AddParType record;
    std::memset(&record, 0, sizeof record);
    record.typeID = type;
    std::strncpy(record.name, name, sizeof record.name - 1);
    return record;
}

API_AddParType Number(const char* name, double value, API_AddParID type = APIParT_Length, UInt16 flags = 0)
{
    API_AddParType record = Record(name, type);
    record.value.real = value;
    record.flags = flags;
    return record;
}

API_AddParType Text(const char* name, const std::u16string& value)
{
    API_AddParType record = Record(name, APIParT_CString);
    for (std::size_t i = 0; i < value.size() && i < API_UAddParStrLen; ++i)
        record.value.uStr[i] = static_cast<GS::uchar_t>(value[i]);
    return record;
}

API_AddParType ArrayOf(API_AddParType record)
{
    record.typeMod = API_ParArray;
    record.dim1 = 2;
    record.dim2 = 1;
    record.value.array = nullptr;  // the lookup never reads array items
    return record;
}

// What each overload found for one name; values stay at their markers when not found.
struct Found {
    bool number = false;
    double value = -1.0;
    bool numberWithFlags = false;
    double flaggedValue = -1.0;
    bool cString = false;
    std::string cText = "unchanged";
    bool uniString = false;
    std::string uniText = "unchanged";
};

Found LookUp(API_AddParType** params, const char* name)
{
    Found found;
    found.number = GetLibPartParams(params, name, found.value);
    bool flag1 = false;
    bool flag2 = false;
    found.numberWithFlags = GetLibPartParams(params, name, found.flaggedValue, flag1, flag2);
    char buffer[256];
    std::strcpy(buffer, "unchanged");
    found.cString = GetLibPartParams(params, name, buffer[0]);
    found.cText = buffer;
    GS::UniString text("unchanged");
    found.uniString = GetLibPartParams(params, name, text);
    found.uniText = text.ToUtf8();
    return found;
}

void ExpectNothingFound(const Found& found)
{
    EXPECT_FALSE(found.number);
    EXPECT_FALSE(found.numberWithFlags);
    EXPECT_FALSE(found.cString);
    EXPECT_FALSE(found.uniString);
    EXPECT_EQ(found.value, -1.0);
    EXPECT_EQ(found.flaggedValue, -1.0);
    EXPECT_EQ(found.cText, "unchanged");
    EXPECT_EQ(found.uniText, "unchanged");
}

}  // namespace

TEST(LibPartParamsTest, MissingOrEmptyHandlesFindNothing)
{
    const ParameterHandle empty({});
    const ParameterHandle partial({}, sizeof(API_AddParType) - 1);
    std::memcpy(partial.Bytes() + offsetof(API_AddParType, name), "ZZYZX", 6);  // would match if read
    API_AddParType* noMaster = nullptr;

    const std::vector<std::pair<const char*, API_AddParType**>> cases = {
        {"null pointer", nullptr}, {"null handle", &noMaster}, {"no bytes", empty.Get()},
        {"less than a record", partial.Get()}};
    for (const auto& [what, params] : cases) {
        SCOPED_TRACE(what);
        ExpectNothingFound(LookUp(params, "ZZYZX"));
    }

    const ParameterHandle one({Number("ZZYZX", 2.0)});
    ExpectNothingFound(LookUp(one.Get(), nullptr));
}

TEST(LibPartParamsTest, FirstSuitableRecordInHandleOrderWins)
{
    struct Case {
        const char* what;
        std::vector<API_AddParType> records;
        const char* name;
        bool number;
        double value;
        bool text;
        std::string textValue;
    };
    const std::vector<Case> cases = {
        {"text before number", {Text("ZZYZX", u"tall"), Number("ZZYZX", 2.5)}, "ZZYZX", true, 2.5, true, "tall"},
        {"two numbers", {Number("ZZYZX", 1.5), Number("ZZYZX", 9.0)}, "ZZYZX", true, 1.5, false, ""},
        {"two texts", {Text("TAVO_item_no", u"12-A"), Text("TAVO_item_no", u"99")}, "TAVO_item_no", false, 0, true,
         "12-A"},
        {"letter case disregarded", {Number("zzYZx", 3.0), Text("tavo_ITEM_NO", u"7")}, "ZZYZX", true, 3.0, false, ""},
        {"letter case of texts", {Text("tavo_ITEM_NO", u"7")}, "TAVO_item_no", false, 0, true, "7"},
        {"arrays are passed over", {ArrayOf(Number("ZZYZX", 4.0)), ArrayOf(Text("ZZYZX", u"x")), Number("ZZYZX", 5.0)},
         "ZZYZX", true, 5.0, false, ""},
        {"only arrays", {ArrayOf(Number("ZZYZX", 4.0)), ArrayOf(Text("ZZYZX", u"x"))}, "ZZYZX", false, 0, false, ""},
        {"other names", {Number("A", 1.0), Text("B", u"b"), Number("ZZYZXX", 2.0), Number("ZZYZ", 3.0)}, "ZZYZX", false, 0,
         false, ""},
        {"any other type counts as numeric", {Number("on", 1.0, APIParT_Boolean), Number("pen", 7.0, APIParT_PenCol)}, "pen",
         true, 7.0, false, ""},
        {"empty text", {Text("TAVO_item_no", u"")}, "TAVO_item_no", false, 0, true, ""},
        {"non-ASCII text", {Text("lamp_type", u"K\u00fcche \u6728")}, "lamp_type", false, 0, true,
         "K\xC3\xBC" "che \xE6\x9C\xA8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ParameterHandle handle(c.records);
        const std::vector<char> before = handle.Snapshot();
        const Found found = LookUp(handle.Get(), c.name);
        EXPECT_EQ(found.number, c.number);
        EXPECT_EQ(found.numberWithFlags, c.number);
        if (c.number) {
            EXPECT_EQ(found.value, c.value);
            EXPECT_EQ(found.flaggedValue, c.value);
        }
        EXPECT_EQ(found.cString, c.text);
        EXPECT_EQ(found.uniString, c.text);
        EXPECT_EQ(found.cText, c.text ? c.textValue : "unchanged");
        EXPECT_EQ(found.uniText, c.text ? c.textValue : "unchanged");
        EXPECT_EQ(handle.Snapshot(), before);  // the lookup only reads
    }
}

TEST(LibPartParamsTest, TrailingPartOfARecordIsIgnored)
{
    API_AddParType trailing = Number("ZZYZX", 8.0);
    const ParameterHandle handle({Number("A", 1.0)}, sizeof(API_AddParType) / 2);
    std::memcpy(handle.Bytes() + sizeof(API_AddParType), &trailing, sizeof(API_AddParType) / 2);
    double value = -1.0;
    EXPECT_FALSE(GetLibPartParams(handle.Get(), "ZZYZX", value));
    EXPECT_EQ(value, -1.0);
}

TEST(LibPartParamsTest, FlagOutputsAreOnlyEverSetToTrue)
{
    struct Case {
        UInt16 flags;
        bool start;
        bool first;
        bool second;
    };
    const std::vector<Case> cases = {
        {0x0050, false, true, true}, {0x0020, false, false, false}, {0x0020, true, true, true},
        {0x0040, false, true, false}, {0x0080, false, false, true}, {0x0010, false, false, true},
        {0x0000, true, true, true},   {0xFFFF, false, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        const ParameterHandle handle({Number("ZZYZX", 2.0, APIParT_Length, c.flags)});
        double value = 0.0;
        bool first = c.start;
        bool second = c.start;
        EXPECT_TRUE(GetLibPartParams(handle.Get(), "ZZYZX", value, first, second));
        EXPECT_EQ(value, 2.0);
        EXPECT_EQ(first, c.first);
        EXPECT_EQ(second, c.second);
    }

    // Not found: the flags stay as the caller gave them.
    const ParameterHandle handle({Text("ZZYZX", u"x")});
    double value = 0.0;
    bool first = false;
    bool second = true;
    EXPECT_FALSE(GetLibPartParams(handle.Get(), "ZZYZX", value, first, second));
    EXPECT_FALSE(first);
    EXPECT_TRUE(second);
}

TEST(LibPartParamsTest, CharOutputIsCutTo255BytesInsideItsBuffer)
{
    const std::u16string longText(300, u'n');
    const ParameterHandle handle({Text("TAVO_item_no", longText)});
    std::vector<char> buffer(256 + 16, '#');
    EXPECT_TRUE(GetLibPartParams(handle.Get(), "TAVO_item_no", buffer[0]));
    EXPECT_EQ(std::string(buffer.data()), std::string(255, 'n'));
    for (std::size_t i = 256; i < buffer.size(); ++i)
        EXPECT_EQ(buffer[i], '#') << "written beyond the 256 bytes at " << i;
}

TEST(LibPartParamsTest, SizedCharOutputKeepsToItsSize)
{
    const ParameterHandle handle({Text("lamp_type", u"Spot \u00e4\u00e4")});  // "Spot " + two 2-byte characters
    struct Case {
        std::size_t size;
        bool found;
        std::string text;
    };
    const std::vector<Case> cases = {
        {64, true, "Spot \xC3\xA4\xC3\xA4"},
        {10, true, "Spot \xC3\xA4\xC3\xA4"},
        {9, true, "Spot \xC3\xA4"},  // whole characters only
        {8, true, "Spot \xC3\xA4"},
        {4, true, "Spo"},
        {1, true, ""},
        {0, false, "unchanged"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        std::vector<char> buffer(80, '#');
        std::strcpy(buffer.data(), "unchanged");
        EXPECT_EQ(GetLibPartParams(handle.Get(), "lamp_type", buffer.data(), c.size), c.found);
        EXPECT_EQ(std::string(buffer.data()), c.text);
        for (std::size_t i = std::max<std::size_t>(c.size, 10); i < buffer.size(); ++i)
            EXPECT_EQ(buffer[i], '#') << "written beyond the buffer at " << i;
    }
}

TEST(LibPartParamsTest, NamesAndTextsAreReadWithinTheirFields)
{
    // A name that fills its whole field without a NUL, followed by a description that an
    // unbounded read would take as part of the name.
    const std::string fullName(API_NameLen, 'N');
    API_AddParType named = Number("", 6.0);
    std::memcpy(named.name, fullName.data(), sizeof named.name);
    named.uDescname[0] = 'Q';

    // A text value that fills its whole field: the last record, so reading on would leave the handle.
    API_AddParType fullText = Text("long_text", std::u16string(API_UAddParStrLen, u't'));

    const ParameterHandle handle({named, fullText});
    double value = 0.0;
    EXPECT_TRUE(GetLibPartParams(handle.Get(), fullName.c_str(), value));
    EXPECT_EQ(value, 6.0);

    GS::UniString text;
    EXPECT_TRUE(GetLibPartParams(handle.Get(), "long_text", text));
    EXPECT_EQ(text.ToUtf8(), std::string(API_UAddParStrLen, 't'));
    char buffer[256];
    EXPECT_TRUE(GetLibPartParams(handle.Get(), "long_text", buffer[0]));
    EXPECT_EQ(std::string(buffer), std::string(255, 't'));
}
