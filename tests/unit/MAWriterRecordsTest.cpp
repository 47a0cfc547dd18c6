// The writer's records: point, element, texture-coordinate and polygon records, the two string
// forms with their cuts at character boundaries, and the first-match lookups of the record lists.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>
#include <string>

#include "GSException.hpp"
#include "MAWriterTest.hpp"
#include "ModelerAPI.hpp"

namespace {

using MAWriterRecordsTest = MAWriterTest;

const std::string SampleGuidText = "{1A2B3C4D-0001-0002-0A0B-00112233AABB}";

// Whether every character of text is whole UTF-8.
bool IsWholeUtf8(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

std::string Repeat(const std::string& part, std::size_t times)
{
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += part;
    return text;
}

Int32 LittleEndianInt32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(at + i))) << (8 * i);
    return static_cast<Int32>(value);
}

TEST_F(MAWriterRecordsTest, PointIsXThenZThenY)
{
    auto writer = MakeWriter();
    writer->WritePoint(1.0, 2.0, -0.5, "point");
    const std::string expected = B({0, 0, 0, 0, 0, 0, 0xF0, 0x3F})   // x 1.0
                                 + B({0, 0, 0, 0, 0, 0, 0xE0, 0xBF})  // z -0.5
                                 + B({0, 0, 0, 0, 0, 0, 0x00, 0x40}); // y 2.0
    EXPECT_EQ(FinishAndRead(*writer), expected);
}

TEST_F(MAWriterRecordsTest, PlainElementRecordIs56BytesWithLookedUpPositions)
{
    auto writer = MakeWriter();
    writer->WriteClass(0, "A");
    writer->WriteClass(5, "B");
    writer->WriteStory(-1, "Down", 0, 0);
    writer->WriteStory(0, "Ground", 0, 0);
    writer->WriteStory(1, "Up", 0, 0);
    writer->WriteLayer(40000, "Far");
    writer->WriteLayer(7, "Near");
    const bool no = false;
    writer->WriteObjects(7, 5, 1, SampleGuid(), no, "ignored", 1, 2, 3, 4, 5, 6, no, 7, 8, 9, 10, no);
    const std::string bytes = FinishAndRead(*writer);

    // Layer 7 at 1, class 5 at 1, story 1 at 2; the GUID as AsciiString (38 characters + NUL); has data 0.
    const std::string expected = B({1, 0, 0, 0}) + B({1, 0, 0, 0}) + B({2, 0, 0, 0}) + B({39, 0, 0, 0}) +
                                 SampleGuidText + B({0}) + B({0});
    ASSERT_EQ(expected.size(), 56u);
    ASSERT_GE(bytes.size(), 56u);
    EXPECT_EQ(bytes.substr(bytes.size() - 56), expected);
}

TEST_F(MAWriterRecordsTest, ZombieRecordWithoutListsIsAllZeroPositionsAndTheNullGuid)
{
    auto writer = MakeWriter();
    const bool no = false;
    writer->WriteObjects(0, 0, 0, APINULLGuid, no, "", 0, 0, 0, 0, 0, 0, no, 0, 0, 0, 0, no);
    const std::string expected = B({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}) + B({39, 0, 0, 0}) +
                                 "{00000000-0000-0000-0000-000000000000}" + B({0}) + B({0});
    EXPECT_EQ(FinishAndRead(*writer), expected);
}

TEST_F(MAWriterRecordsTest, LibraryPartBlockFollowsTheHasDataByte)
{
    auto writer = MakeWriter();
    writer->WriteStory(0, "Ground", 300.0, 280.0);
    const std::string storyRecord = Encoded().Int32(0).String("0. Ground").Real(300.0).Real(280.0).Bytes();

    // A host flag byte that is neither 0 nor 1 still goes out as 1.
    bool flag = false;
    const unsigned char hostByte = 2;
    std::memcpy(&flag, &hostByte, 1);
    const bool yes = true;
    const bool no = false;
    writer->WriteObjects(3, 6, 0, SampleGuid(), yes, "Chair", 150.0, 250.0, 50.0, 90.0, 60.0, 45.0, flag, 55.0,
                         40.0, 80.0, 75.0, no);

    const std::string expected = Encoded()
                                     .Int32(0)
                                     .Int32(0)
                                     .Int32(0)
                                     .Ascii(SampleGuidText)
                                     .Bool(1)
                                     .String("Chair")
                                     .Real(150.0)
                                     .Real(250.0)
                                     .Real(350.0)  // level 50 on a story at 300
                                     .Real(90.0)
                                     .Real(60.0)
                                     .Real(45.0)
                                     .Bool(1)
                                     .Real(55.0)
                                     .Real(40.0)
                                     .Real(80.0)
                                     .Real(75.0)
                                     .Bool(0)
                                     .Bytes();
    EXPECT_EQ(FinishAndRead(*writer), storyRecord + expected);
}

TEST_F(MAWriterRecordsTest, LevelIsKeptAsItIsWithoutStories)
{
    auto writer = MakeWriter();
    const bool yes = true;
    writer->WriteObjects(0, 0, 0, SampleGuid(), yes, "", 0, 0, -0.0, 0, 0, 0, yes, 0, 0, 0, 0, yes);
    const std::string bytes = FinishAndRead(*writer);
    const std::size_t zAt = 12 + 4 + 39 + 1 + 4 + 8 + 8;
    EXPECT_EQ(bytes.substr(zAt, 8), B({0, 0, 0, 0, 0, 0, 0, 0x80}));  // -0.0 stays -0.0
}

TEST_F(MAWriterRecordsTest, PolygonRecordCarriesShaderPositionObjectAndPointNumbers)
{
    auto writer = MakeWriter();
    writer->NoteMaterialShaderPosition(5, 2);
    writer->NoteMaterialShaderPosition(5, 9);  // a later note for the same material does not count
    writer->NoteMaterialShaderPosition(6, 2);  // two materials written as one shader record

    writer->WriteCoordIndexParam(4, 7, 3);  // material 5
    writer->WriteCoordIndexPointNumber(0);
    writer->WriteCoordIndexPointNumber(8);
    writer->WriteCoordIndexPointNumber(std::numeric_limits<Int32>::max());
    writer->WriteCoordIndexParam(5, 7, 3);   // material 6, same shader record
    writer->WriteCoordIndexParam(-1, 0, 3);  // material 0: no note, written as -1
    writer->WriteCoordIndexParam(8, 0, 3);   // material 9: no note, written as 8

    const std::string expected = B({2, 0, 0, 0}) + B({7, 0, 0, 0}) + B({3, 0, 0, 0}) + B({0, 0, 0, 0}) +
                                 B({8, 0, 0, 0}) + B({0xFF, 0xFF, 0xFF, 0x7F}) +
                                 B({2, 0, 0, 0}) + B({7, 0, 0, 0}) + B({3, 0, 0, 0}) +
                                 B({0xFF, 0xFF, 0xFF, 0xFF}) + B({0, 0, 0, 0}) + B({3, 0, 0, 0}) +
                                 B({8, 0, 0, 0}) + B({0, 0, 0, 0}) + B({3, 0, 0, 0});
    EXPECT_EQ(FinishAndRead(*writer), expected);
}

TEST_F(MAWriterRecordsTest, PointNumberBeyondInt32FailsInsteadOfWrapping)
{
    auto writer = MakeWriter();
    for (const Int64 number : {Int64(std::numeric_limits<Int32>::max()) + 1, Int64(-1) - std::numeric_limits<Int32>::max() - 1}) {
        try {
            writer->WriteCoordIndexPointNumber(number);
            ADD_FAILURE() << "no failure for " << number;
        } catch (const GS::GeneralException& failure) {
            EXPECT_EQ(failure.GetErrorCode(), -7003);
        }
    }
}

// No Real that is not finite reaches the file, whichever record it would be part of: the write fails
// (-7003) naming the record and the value. The largest, the smallest and signed zero values are
// written as they are.
TEST_F(MAWriterRecordsTest, RealsThatAreNotFiniteFailTheRecordNamingIt)
{
    using WriteWith = std::function<void(WRL::MAWriter& writer, double value)>;
    struct Record {
        const char* name;
        WriteWith write;
    };
    const bool no = false;
    const ModelerAPI::ParameterList noParameters;
    const Record records[] = {
        {"header",
         [this](WRL::MAWriter& writer, double value) {
             parameters->scale = value;
             writer.WriteHeader("House", "Proj");
         }},
        {"point", [](WRL::MAWriter& writer, double value) { writer.WritePoint(1.0, 2.0, value, "point"); }},
        {"texture coordinate",
         [](WRL::MAWriter& writer, double value) {
             ModelerAPI::TextureCoordinate uv{0.5, value};
             writer.WriteUvw(true, &uv);
         }},
        {"story", [](WRL::MAWriter& writer, double value) { writer.WriteStory(0, "Ground", 0.0, value); }},
        {"element",
         [no](WRL::MAWriter& writer, double value) {
             writer.WriteObjects(0, 6, 0, SampleGuid(), true, "Chair", 0, 0, 0, 0, value, 0, no, 0, 0, 0, 0, no);
         }},
        {"light",
         [&noParameters](WRL::MAWriter& writer, double value) {
             writer.WriteLight(0, 1, "Lamp", 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, false, 1.0, value, 0, 0, 0, 0, 0, 0,
                               noParameters);
         }},
        {"camera",
         [](WRL::MAWriter& writer, double value) {
             writer.WriteCamera("Camera", 1, 0, value, 0, 0, 0, 0, 45.0, 0.0, APINULLGuid, APINULLGuid);
         }},
    };
    const double infinity = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        const char* text;
    } badValues[] = {{infinity, "inf"}, {-infinity, "-inf"}, {std::numeric_limits<double>::quiet_NaN(), "nan"}};
    for (const Record& record : records) {
        for (const auto& bad : badValues) {
            SCOPED_TRACE(std::string(record.name) + " " + bad.text);
            auto writer = MakeWriter();
            try {
                record.write(*writer, bad.value);
                ADD_FAILURE() << "written";
            } catch (const GS::GeneralException& failure) {
                EXPECT_EQ(failure.GetErrorCode(), -7003);
                EXPECT_EQ(std::string(failure.GetMessage()), std::string("Zelto_export:: The ") + record.name +
                                                                 " record's value " + bad.text +
                                                                 " is not a finite number");
            }
        }
    }

    // A level that is finite, but not once the story's elevation is added to it.
    {
        auto writer = MakeWriter();
        writer->WriteStory(0, "High", 1e308, 0.0);
        EXPECT_THROW(writer->WriteObjects(0, 6, 0, SampleGuid(), true, "Chair", 0, 0, 1e308, 0, 0, 0, no, 0, 0, 0, 0,
                                          no),
                     GS::GeneralException);
    }

    auto writer = MakeWriter();
    Encoded expected;
    for (const double value : {std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::denorm_min(), -0.0}) {
        writer->WriteReal(value, "test");
        expected.Real(value);
    }
    EXPECT_EQ(FinishAndRead(*writer), expected.Bytes());
}

TEST_F(MAWriterRecordsTest, TextureCoordinatesNearZeroBecomeZeroInTheFileAndForTheCaller)
{
    auto writer = MakeWriter();
    writer->WriteUvwBegin(3);
    ModelerAPI::TextureCoordinate small{3e-11, 0.5};
    ModelerAPI::TextureCoordinate kept{-2e-10, 1.0};
    writer->WriteUvw(false, &small);
    writer->WriteUvw(false, &kept);
    writer->WriteUvw(true, nullptr);
    EXPECT_EQ(small.u, 0.0);
    EXPECT_EQ(kept.u, -2e-10);

    const std::string expected = B({3, 0, 0, 0}) + B({0, 0, 0, 0, 0, 0, 0, 0}) +
                                 B({0, 0, 0, 0, 0, 0, 0xE0, 0x3F}) +             // 0, 0.5
                                 Encoded().Real(-2e-10).Bytes() + B({0, 0, 0, 0, 0, 0, 0xF0, 0x3F}) +  // 1.0
                                 std::string(16, '\0');                          // no coordinate: (0, 0)
    EXPECT_EQ(FinishAndRead(*writer), expected);
}

TEST_F(MAWriterRecordsTest, StringIsCutAtACharacterBoundaryWithinItsLimit)
{
    const std::string e2 = "\xC3\xA9";             // é, 2 bytes
    const std::string e3 = "\xE2\x82\xAC";         // €, 3 bytes
    const std::string e4 = "\xF0\x9F\x98\x80";     // an emoji, 4 bytes
    struct Case {
        const char* label;
        std::string text;
        std::size_t written;  // bytes the String carries
    };
    const Case cases[] = {
        {"empty", "", 0},
        {"short", "Wall", 4},
        {"exactly 1023", std::string(1023, 'a'), 1023},
        {"1500 ASCII", std::string(1500, 'a'), 1023},
        {"2-byte character ending at 1023", std::string(1021, 'a') + e2 + "z", 1023},
        {"2-byte character across 1023", std::string(1022, 'a') + e2, 1022},
        {"3-byte character across 1023", std::string(1021, 'a') + e3, 1021},
        {"4-byte character across 1023", std::string(1020, 'a') + e4 + "z", 1020},
        {"all 2-byte, 600 characters", Repeat(e2, 600), 1022},
        {"all 3-byte, 400 characters", Repeat(e3, 400), 1023},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        {
            auto writer = MakeWriter();
            writer->WriteBinUnicode(c.text.c_str());
            const std::string bytes = FinishAndRead(*writer);
            ASSERT_EQ(bytes.size(), 4 + c.written);
            EXPECT_EQ(LittleEndianInt32(bytes, 0), static_cast<Int32>(c.written));
            EXPECT_EQ(bytes.substr(4), c.text.substr(0, c.written));
            EXPECT_TRUE(IsWholeUtf8(bytes.substr(4)));
        }
        std::remove(temp.PathOf(TargetName).c_str());
    }
}

TEST_F(MAWriterRecordsTest, NullAndEmptyTextsHaveTheirShortForms)
{
    auto writer = MakeWriter();
    writer->WriteBinUnicode(nullptr);
    writer->WriteBinAscii("");
    writer->WriteBinAscii(nullptr);
    writer->WriteBinAscii("ab");
    EXPECT_EQ(FinishAndRead(*writer),
              B({0, 0, 0, 0}) + B({1, 0, 0, 0, 0}) + B({1, 0, 0, 0, 0}) + B({3, 0, 0, 0}) + "ab" + B({0}));
}

TEST_F(MAWriterRecordsTest, FixedWidthFieldsArePaddedAndCut)
{
    auto writer = MakeWriter();
    writer->WriteFixedText("2.62", 8);
    writer->WriteFixedText("ABCDEFGHIJ", 4);         // cut, one NUL kept
    writer->WriteFixedText("a\xC3\xA9", 3);          // é would leave no room for the NUL
    writer->WriteBytes("\x01\x02", 2);
    writer->WriteBytes(nullptr, 3);
    writer->WriteUInt32(0xFFFFFFFEu);
    EXPECT_EQ(FinishAndRead(*writer), std::string("2.62\0\0\0\0", 8) + std::string("ABC\0", 4) +
                                          std::string("a\0\0", 3) + B({1, 2}) + B({0, 0, 0}) +
                                          B({0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST_F(MAWriterRecordsTest, StoryNameAndListCopiesAreCutAtCharacterBoundaries)
{
    const std::string e2 = "\xC3\xA9";
    const std::string longName = Repeat(e2, 300);  // 600 bytes
    auto writer = MakeWriter();
    writer->WriteStory(12, longName.c_str(), 0.0, 0.0);
    writer->WriteLayer(3, longName.c_str());
    writer->WriteClass(4, longName.c_str());
    const std::string bytes = FinishAndRead(*writer);

    // "12. " and 125 characters of 2 bytes: 254 bytes, since a 126th would end at byte 256.
    const std::string numbered = "12. " + Repeat(e2, 125);
    const std::string storyRecord = Encoded().Int32(12).String(numbered).Real(0.0).Real(0.0).Bytes();
    // The layer and class records carry the whole name; only the list copies are cut.
    const std::string layerRecord = Encoded().String(longName).Bytes();
    const std::string classRecord = Encoded().Int32(4).String(longName).Bytes();
    EXPECT_EQ(bytes, storyRecord + layerRecord + classRecord);

    const std::string listCopy = Repeat(e2, 127);  // 254 bytes and the NUL
    EXPECT_EQ(std::string(writer->Stories()[0].name), listCopy);
    EXPECT_EQ(std::string(writer->Layers()[0].name), listCopy);
    EXPECT_EQ(std::string(writer->Classes()[0].name), listCopy);
}

TEST_F(MAWriterRecordsTest, LookupsFindTheFirstEntryForWholeIndices)
{
    auto writer = MakeWriter();
    struct Entry {
        Int32 index;
        double elevation;
    };
    // 40000 and -25536 share their low 16 bits; 1 and 40000 both occur twice.
    const Entry entries[] = {{1, 10.0}, {40000, 20.0}, {1, 30.0}, {-7, 40.0}, {-25536, 50.0}, {40000, 60.0}};
    for (const Entry& entry : entries) {
        writer->WriteLayer(entry.index, "layer");
        writer->WriteStory(entry.index, "story", entry.elevation, 0.0);
        writer->WriteClass(entry.index, "class");
    }
    struct Case {
        Int32 index;
        Int32 position;  // 0 also when no entry has the index
    };
    const Case cases[] = {{1, 0}, {40000, 1}, {-7, 3}, {-25536, 4}, {2, 0}, {65536 + 1, 0}, {-1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(writer->LayerPosition(c.index), c.position);
        EXPECT_EQ(writer->StoryPosition(c.index), c.position);
        EXPECT_EQ(writer->ClassPosition(c.index), c.position);
    }
    EXPECT_DOUBLE_EQ(writer->StoryElevation(writer->StoryPosition(-25536)), 50.0);
    EXPECT_DOUBLE_EQ(writer->StoryElevation(writer->StoryPosition(40000)), 20.0);
    EXPECT_EQ(writer->StoryElevation(99), 0.0);
    EXPECT_EQ(writer->StoryElevation(-1), 0.0);
    EXPECT_EQ(writer->Stories().GetSize(), 6u);
}

}  // namespace
