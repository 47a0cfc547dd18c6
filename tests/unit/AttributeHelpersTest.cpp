// Attribute helpers against a host that keeps a few named attributes.
#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "AttributeHelpers.hpp"
#include "common/AddonTestEnvironment.hpp"

namespace {

constexpr API_AttrTypeID MaterialType = 5;
constexpr API_AttrTypeID LayerType = 6;

class AttributeHelpersTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        Host().ACAPI_Attribute_Get = [this](API_Attribute* attribute) { return ServeGet(attribute); };
        Host().ACAPI_Attribute_Search = [this](API_Attr_Head* header) { return ServeSearch(header); };
    }

    void AddAttribute(API_AttrTypeID type, API_AttributeIndex index, const std::string& name)
    {
        attributes[{type, index}] = name;
    }

    // Whether the fields the helpers do not set reached the host as zero.
    static bool RestIsZero(const API_Attr_Head& header)
    {
        const API_Guid zeroGuid{};
        return header.flags == 0 && std::memcmp(&header.guid, &zeroGuid, sizeof zeroGuid) == 0;
    }

    void ExpectCalledThroughTheVersionsFamily(const std::string& function)
    {
        const std::vector<HostControl::HostCall> calls = Recorder().CallsOf(function);
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back().dispatcher, AddonApiVersion >= 27 ? "" : "ACAPI_Attribute");
    }

    std::map<std::pair<API_AttrTypeID, API_AttributeIndex>, std::string> attributes;
    std::vector<API_Attr_Head> received;
    bool failAfterFilling = false;  // the host fills the record and still reports an error

private:
    GSErrCode ServeGet(API_Attribute* attribute)
    {
        API_Attr_Head& header = attribute->header;
        received.push_back(header);
        const auto found = attributes.find({header.typeID, header.index});
        if (found == attributes.end())
            return APIERR_BADINDEX;
        if (header.uniStringNamePtr != nullptr)
            *header.uniStringNamePtr = GS::UniString(found->second.c_str(), CC_UTF8);
        else
            // A long name fills the whole field, without a NUL.
            std::memcpy(header.name, found->second.c_str(), std::min(found->second.size() + 1, sizeof header.name));
        return failAfterFilling ? APIERR_GENERAL : NoError;
    }

    GSErrCode ServeSearch(API_Attr_Head* header)
    {
        received.push_back(*header);
        const std::string wanted =
            header->uniStringNamePtr != nullptr ? header->uniStringNamePtr->ToUtf8() : std::string(header->name);
        for (const auto& [key, name] : attributes) {
            if (key.first == header->typeID && name == wanted) {
                header->index = key.second;
                return failAfterFilling ? APIERR_GENERAL : NoError;
            }
        }
        return APIERR_BADNAME;
    }
};

}  // namespace

TEST(AttributeIndexTest, IndexConversionsPassTheIntegerThrough)
{
    for (const int value : {7, 1, 0, -3, INT_MAX, INT_MIN}) {
        EXPECT_EQ(GetAttributeIndex(CreateAttributeIndex(value)), value);
    }
}

TEST_F(AttributeHelpersTest, GetAttributeNameReadsTheHostsName)
{
    AddAttribute(MaterialType, 3, "Oak \xC3\xA4");
    EXPECT_STREQ(GetAttributeName(MaterialType, CreateAttributeIndex(3)), "Oak \xC3\xA4");
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].typeID, MaterialType);
    EXPECT_EQ(received[0].index, 3);
    EXPECT_EQ(received[0].uniStringNamePtr, nullptr);
    EXPECT_EQ(received[0].name[0], '\0');
    EXPECT_TRUE(RestIsZero(received[0]));
    ExpectCalledThroughTheVersionsFamily("ACAPI_Attribute_Get");
}

TEST_F(AttributeHelpersTest, GetAttributeNameSharesOneBufferThatEachCallClears)
{
    AddAttribute(MaterialType, 1, "Brick");
    AddAttribute(LayerType, 1, "Walls");
    const char* first = GetAttributeName(MaterialType, 1);
    const char* second = GetAttributeName(LayerType, 1);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, "Walls");

    // A failed read leaves the empty name, not the previous one.
    EXPECT_STREQ(GetAttributeName(MaterialType, 99), "");
    EXPECT_STREQ(first, "");

    failAfterFilling = true;
    EXPECT_STREQ(GetAttributeName(MaterialType, 1), "");
}

TEST_F(AttributeHelpersTest, GetAttributeNameCutsANameThatFillsTheHostField)
{
    AddAttribute(MaterialType, 2, std::string(400, 'm'));  // the host leaves no NUL in its field
    const char* name = GetAttributeName(MaterialType, 2);
    EXPECT_EQ(std::string(name), std::string(255, 'm'));
}

TEST_F(AttributeHelpersTest, GetAttributeNameUniStringDeliversTheText)
{
    AddAttribute(MaterialType, 4, "Glas \xE2\x80\x93 blue");
    EXPECT_EQ(GetAttributeNameUniString(MaterialType, 4).ToUtf8(), "Glas \xE2\x80\x93 blue");
    ASSERT_EQ(received.size(), 1u);
    EXPECT_NE(received[0].uniStringNamePtr, nullptr);
    EXPECT_TRUE(RestIsZero(received[0]));

    EXPECT_TRUE(GetAttributeNameUniString(MaterialType, 5).IsEmpty());
    failAfterFilling = true;
    EXPECT_TRUE(GetAttributeNameUniString(MaterialType, 4).IsEmpty());
}

TEST_F(AttributeHelpersTest, SearchByCStringName)
{
    AddAttribute(MaterialType, 12, "Concrete");
    AddAttribute(LayerType, 30, "Concrete");
    AddAttribute(MaterialType, 13, std::string(255, 'n'));

    struct Case {
        API_AttrTypeID type;
        std::string name;
        int index;
    };
    const std::vector<Case> cases = {
        {MaterialType, "Concrete", 12},
        {LayerType, "Concrete", 30},
        {MaterialType, "Steel", 0},
        {MaterialType, std::string(255, 'n'), 13},  // the longest name that fits the field
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        received.clear();
        EXPECT_EQ(SearchAttributeName(c.type, c.name.c_str()), c.index);
        ASSERT_EQ(received.size(), 1u);
        EXPECT_EQ(received[0].typeID, c.type);
        EXPECT_EQ(received[0].index, 0);
        EXPECT_EQ(received[0].uniStringNamePtr, nullptr);
        EXPECT_TRUE(RestIsZero(received[0]));
    }
    ExpectCalledThroughTheVersionsFamily("ACAPI_Attribute_Search");

    failAfterFilling = true;
    EXPECT_EQ(SearchAttributeName(MaterialType, "Concrete"), 0);
}

TEST_F(AttributeHelpersTest, SearchRefusesNamesThatDoNotFitTheHostField)
{
    const std::string tooLong(256, 'n');
    EXPECT_EQ(SearchAttributeName(MaterialType, tooLong.c_str()), 0);
    EXPECT_EQ(SearchAttributeName(MaterialType, static_cast<const char*>(nullptr)), 0);
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(Recorder().CountOf("ACAPI_Attribute_Search"), 0u);
}

TEST_F(AttributeHelpersTest, SearchByTextObjectPassesACopy)
{
    const std::string longName(300, 'w');  // no field limit on this path
    AddAttribute(MaterialType, 8, "Walnut \xC3\xBC");
    AddAttribute(MaterialType, 9, longName);
    const GS::UniString walnut("Walnut \xC3\xBC", CC_UTF8);

    EXPECT_EQ(SearchAttributeName(MaterialType, walnut), 8);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_NE(received[0].uniStringNamePtr, nullptr);
    EXPECT_NE(received[0].uniStringNamePtr, &walnut);
    EXPECT_EQ(received[0].name[0], '\0');
    EXPECT_TRUE(RestIsZero(received[0]));

    EXPECT_EQ(SearchAttributeName(MaterialType, GS::UniString(longName.c_str(), CC_UTF8)), 9);
    EXPECT_EQ(SearchAttributeName(MaterialType, GS::UniString("Pine")), 0);
    failAfterFilling = true;
    EXPECT_EQ(SearchAttributeName(MaterialType, walnut), 0);
}
