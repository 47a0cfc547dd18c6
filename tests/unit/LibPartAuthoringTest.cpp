// Authoring a library part through the stand-in host: lines that land in the section being
// written, parameter records filled field by field, and text sections read back as lines.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "BM.hpp"
#include "HostProject.hpp"
#include "LibPartAuthoring.hpp"
#include "LibPartWrappers.hpp"
#include "LogHelpers.hpp"
#include "common/AddonTestEnvironment.hpp"

namespace {

using ZeltoHost::HostLibPart;
using ZeltoHost::HostLibPartSection;

constexpr unsigned int ScriptSection = 0x33445343;  // 3DSC

std::u16string Units(const GS::uchar_t* field)
{
    return std::u16string(reinterpret_cast<const char16_t*>(field));
}

std::vector<std::string> Texts(const GS::Array<GS::UniString>& lines)
{
    std::vector<std::string> texts;
    for (const GS::UniString& line : lines)
        texts.push_back(line.ToUtf8());
    return texts;
}

HostLibPartSection SectionOf(unsigned int type, const std::string& data, UInt16 subIdent = 0)
{
    HostLibPartSection section;
    section.header.sectType = static_cast<Int32>(type);
    section.header.subIdent = subIdent;
    section.data = data;
    return section;
}

class LibPartAuthoringTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ZeltoHost::InstallProject(project);
        SetLogSink([this](LogLevel, const char* message) { logged.emplace_back(message); });
        liveBlocks = BMLiveBlockCount();
    }
    void TearDown() override
    {
        EXPECT_EQ(BMLiveBlockCount(), liveBlocks) << "memory handles leaked";
        HostTest::TearDown();
    }

    // A new library part in the host with a section of the type open for writing.
    void BeginSection(unsigned int type)
    {
        API_LibPart record;
        std::memset(&record, 0, sizeof record);
        record.typeID = 4;
        ASSERT_EQ(LibPart::Create(&record), NoError);
        OpenSection(type);
    }
    void OpenSection(unsigned int type)
    {
        API_LibPartSection section;
        std::memset(&section, 0, sizeof section);
        section.sectType = static_cast<Int32>(type);
        ASSERT_EQ(LibPart::NewSection(&section), NoError);
    }
    // Ends the section and saves the part; its record as the toolkit is given it.
    API_LibPart EndAndSave()
    {
        API_LibPart record;
        std::memset(&record, 0, sizeof record);
        EXPECT_EQ(LibPart::EndSection(), NoError);
        EXPECT_EQ(LibPart::Save(&record), NoError);
        return record;
    }
    const std::string& WrittenSoFar() const { return project.libPartBuilder.Sections().back().data; }

    // A library part of the project holding the sections; its record as the toolkit is given it.
    API_LibPart PartWith(std::vector<HostLibPartSection> sections)
    {
        HostLibPart part;
        part.sections = std::move(sections);
        API_LibPart record;
        std::memset(&record, 0, sizeof record);
        record.index = project.AddLibPart(std::move(part));
        return record;
    }

    ZeltoHost::HostProject project;
    std::vector<std::string> logged;
    Int64 liveBlocks = 0;
};

// ---- Section lines ----------------------------------------------------------------------------------

TEST_F(LibPartAuthoringTest, LinesLandWholeInTheSectionAndComeBackAsLines)
{
    const std::string longLine(300, 'x');
    BeginSection(DescriptionSection);
    EXPECT_EQ(AddLibpartLine("first"), NoError);
    EXPECT_EQ(AddLibpartLine(GS::UniString::FromUtf8("Küche mit Eßplatz")), NoError);
    EXPECT_EQ(AddLibpartLine(longLine.c_str()), NoError);
    EXPECT_EQ(AddLibpartLine(static_cast<const char*>(nullptr)), NoError);
    EXPECT_EQ(AddLibpartLine("last"), NoError);
    const std::string expected = "first\nKüche mit Eßplatz\n" + longLine + "\n\nlast\n";
    EXPECT_EQ(WrittenSoFar(), expected) << "a long line keeps its end and the next line is not glued on";
    const API_LibPart part = EndAndSave();

    GS::Array<GS::UniString> lines;
    EXPECT_EQ(GetLibpartDescription(part, lines), NoError);
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{"first", "Küche mit Eßplatz", longLine, "", "last"}));
    EXPECT_TRUE(logged.empty());
}

TEST_F(LibPartAuthoringTest, AddLibpartLineAnswersTheHostsWriteResult)
{
    EXPECT_EQ(AddLibpartLine("no section is open"), APIERR_REFUSEDCMD);
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0], "Error: Cannot write Libpart Section: #APIERR_REFUSEDCMD");

    BeginSection(ScriptSection);
    HostControl::InjectError("ACAPI_LibraryPart_WriteSection", APIERR_MEMFULL, 0, 1);
    EXPECT_EQ(AddLibpartLine(GS::UniString("lost")), APIERR_MEMFULL);
    EXPECT_EQ(AddLibpartLine("kept"), NoError);
    EXPECT_EQ(WrittenSoFar(), "kept\n");
    EndAndSave();
}

TEST_F(LibPartAuthoringTest, AddToLibpartLineAppendsOrBreaksTheLine)
{
    struct Case {
        const char* line;
        const char* word;
        bool blank;
        unsigned int maxLength;
        const char* newLine;
        const char* written;
    };
    const std::vector<Case> cases = {
        {"  a", "bc", false, 100, "  abc", ""},
        {"  a", "bc", false, 4, "  bc", "  a\n"},
        {"abc", "de", true, 9, "abc de", ""},  // 3 + 1 + 2 < 9 - 1 - 1
        {"abc", "de", true, 8, "de", "abc\n"},
        // A maximum below the blank and the end must break the line, not wrap around to a huge one.
        {"abc", "de", true, 1, "de", "abc\n"},
        {"abc", "de", false, 0, "de", "abc\n"},
        // A line with nothing to show is not written as a blank line.
        {"", "ab", true, 5, "ab", ""},
        {"    ", "word", false, 3, "    word", ""},
        {"", "ab", true, 10, " ab", ""},
    };
    BeginSection(ScriptSection);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("'") + c.line + "' + '" + c.word + "' max " + std::to_string(c.maxLength));
        ASSERT_EQ(LibPart::EndSection(), NoError);
        OpenSection(ScriptSection);
        GS::UniString line(c.line);
        EXPECT_EQ(AddToLibpartLine(line, GS::UniString(c.word), c.blank, c.maxLength), NoError);
        EXPECT_EQ(line.ToUtf8(), c.newLine);
        EXPECT_EQ(WrittenSoFar(), c.written);
    }
    EndAndSave();
}

TEST_F(LibPartAuthoringTest, AFailedWriteKeepsTheLineBeingBuilt)
{
    BeginSection(ScriptSection);
    HostControl::InjectError("ACAPI_LibraryPart_WriteSection", APIERR_MEMFULL);
    GS::UniString line("  full line");
    EXPECT_EQ(AddToLibpartLine(line, GS::UniString("word"), true, 8), APIERR_MEMFULL);
    EXPECT_EQ(line.ToUtf8(), "  full line");
    EXPECT_EQ(logged.size(), 1u);
    HostControl::ClearFailures();
    EndAndSave();
}

// ---- Parameter records -------------------------------------------------------------------------------

TEST_F(LibPartAuthoringTest, ParameterRecordsAreFilledFieldByField)
{
    const std::u16string description = u"Breite";
    const std::u16string woodName = u"Eiche";
    const auto* desc = reinterpret_cast<const unsigned short*>(description.c_str());
    const auto* wood = reinterpret_cast<const unsigned short*>(woodName.c_str());
    struct Case {
        const char* what;
        std::function<void(API_AddParType*)> fill;
        API_AddParID type;
        UInt16 flags;
        std::string name;
        std::u16string description;
        double real;           // checked when text is null
        const char16_t* text;  // the value text, or null for a number
    };
    const std::vector<Case> cases = {
        {"8-bit, number",
         [](API_AddParType* p) { AddLibpartParameter(p, APIParT_Length, 0x40, "width", "Width of it", 2.5, "no"); },
         APIParT_Length, 0x40, "width", u"Width of it", 2.5, nullptr},
        {"8-bit, text",
         [](API_AddParType* p) { AddLibpartParameter(p, APIParT_CString, 0, "mat", "Material", 9.0, "Eßtisch"); },
         APIParT_CString, 0, "mat", u"Material", 0.0, u"Eßtisch"},
        {"8-bit, null texts",
         [](API_AddParType* p) { AddLibpartParameter(p, APIParT_CString, 1, nullptr, nullptr, 0.0, nullptr); },
         APIParT_CString, 1, "", u"", 0.0, u""},
        {"double", [&](API_AddParType* p) { AddLibpartParameter(p, APIParT_Angle, 2, "turn", desc, 90.5); },
         APIParT_Angle, 2, "turn", u"Breite", 90.5, nullptr},
        {"bool true", [&](API_AddParType* p) { AddLibpartParameter(p, APIParT_Boolean, 0, "on", desc, true); },
         APIParT_Boolean, 0, "on", u"Breite", 1.0, nullptr},
        {"bool false", [&](API_AddParType* p) { AddLibpartParameter(p, APIParT_Boolean, 0, "on", desc, false); },
         APIParT_Boolean, 0, "on", u"Breite", 0.0, nullptr},
        {"int", [&](API_AddParType* p) { AddLibpartParameter(p, APIParT_Integer, 0, "n", desc, -7); },
         APIParT_Integer, 0, "n", u"Breite", -7.0, nullptr},
        {"UTF-16 text", [&](API_AddParType* p) { AddLibpartParameter(p, APIParT_CString, 0, "wood", desc, wood); },
         APIParT_CString, 0, "wood", u"Breite", 0.0, u"Eiche"},
        {"null UTF-16 texts",
         [&](API_AddParType* p) {
             AddLibpartParameter(p, APIParT_CString, 0, "t", nullptr, static_cast<const unsigned short*>(nullptr));
         },
         APIParT_CString, 0, "t", u"", 0.0, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        API_AddParType record;
        std::memset(&record, 0xA5, sizeof record);
        c.fill(&record);
        EXPECT_EQ(record.typeID, c.type);
        EXPECT_EQ(record.typeMod, API_ParSimple);
        EXPECT_EQ(record.flags, c.flags);
        EXPECT_EQ(std::string(record.name), c.name);
        EXPECT_EQ(Units(record.uDescname), c.description);
        if (c.text != nullptr)
            EXPECT_EQ(Units(record.value.uStr), c.text);
        else
            EXPECT_EQ(record.value.real, c.real);
    }

    API_AddParType untouched;
    std::memset(&untouched, 0xA5, sizeof untouched);
    AddLibpartParameter(&untouched, APIParT_Length, 0, "d", desc);
    EXPECT_EQ(untouched.value.uStr[0], 0xA5A5) << "the description-only form leaves the value";
    AddLibpartParameter(nullptr, APIParT_Length, 0, "d", desc, 1.0);  // nothing to fill, nothing happens
}

TEST_F(LibPartAuthoringTest, LongTextsAreCutToTheirFieldsAndAlwaysTerminated)
{
    const std::string longName(40, 'n');
    const std::string longAnsi(300, 'd');
    const std::u16string longUnits(300, u'u');
    // A character of two units whose second unit would be the 256th.
    const std::u16string pairAtTheCut = std::u16string(254, u'p') + u"\U0001F600";
    const auto* units = reinterpret_cast<const unsigned short*>(longUnits.c_str());
    const auto* pair = reinterpret_cast<const unsigned short*>(pairAtTheCut.c_str());

    API_AddParType ansi;
    std::memset(&ansi, 0xA5, sizeof ansi);
    AddLibpartParameter(&ansi, APIParT_CString, 0, longName.c_str(), longAnsi.c_str(), 0.0, longAnsi.c_str());
    EXPECT_EQ(std::string(ansi.name), std::string(31, 'n'));
    EXPECT_EQ(Units(ansi.uDescname), std::u16string(255, u'd'));
    EXPECT_EQ(Units(ansi.value.uStr), std::u16string(255, u'd'));

    API_AddParType unicode;
    std::memset(&unicode, 0xA5, sizeof unicode);
    AddLibpartParameter(&unicode, APIParT_CString, 0, "u", units, units);
    EXPECT_EQ(Units(unicode.uDescname), std::u16string(255, u'u'));
    EXPECT_EQ(Units(unicode.value.uStr), std::u16string(255, u'u'));

    AddLibpartParameter(&unicode, APIParT_CString, 0, "u", pair, pair);
    EXPECT_EQ(Units(unicode.uDescname), std::u16string(254, u'p')) << "no half character at the cut";
    EXPECT_EQ(Units(unicode.value.uStr), std::u16string(254, u'p'));
}

TEST_F(LibPartAuthoringTest, AnArrayParameterOwnsACopyOfTheItems)
{
    const std::vector<double> values = {1.0, 2.5, 3.0, 4.0, 5.0, 6.0};
    GSHandle items = BMAllocateHandle(static_cast<Int32>(values.size() * sizeof(double)), 0, 0);
    std::memcpy(*items, values.data(), values.size() * sizeof(double));
    const std::u16string description = u"Raster";

    API_AddParType record;
    std::memset(&record, 0, sizeof record);
    EXPECT_EQ(AddLibpartParameterArray(&record, APIParT_Length, 0x10, "grid",
                                       reinterpret_cast<const unsigned short*>(description.c_str()), 2, 3, &items),
              NoError);
    EXPECT_EQ(record.typeMod, API_ParArray);
    EXPECT_EQ(record.flags, 0x10);
    EXPECT_EQ(std::string(record.name), "grid");
    EXPECT_EQ(Units(record.uDescname), u"Raster");
    EXPECT_EQ(record.dim1, 2);
    EXPECT_EQ(record.dim2, 3);
    ASSERT_NE(record.value.array, nullptr);
    EXPECT_NE(record.value.array, items);
    ASSERT_EQ(BMGetHandleSize(record.value.array), BMGetHandleSize(items));
    EXPECT_EQ(std::memcmp(*record.value.array, *items, values.size() * sizeof(double)), 0);

    BMKillHandle(&record.value.array);
    EXPECT_EQ(std::memcmp(*items, values.data(), values.size() * sizeof(double)), 0) << "the caller's stays";
    BMKillHandle(&items);
    EXPECT_TRUE(logged.empty());
}

TEST_F(LibPartAuthoringTest, AnArrayWithoutItemsOrMemoryHoldsNoItems)
{
    GSHandle noItems = nullptr;
    GSHandle items = BMAllocateHandle(16, ALLOCATE_CLEAR, 0);
    struct Case {
        const char* what;
        char*** items;
        const char* failurePoint;
        GSErrCode result;
    };
    const std::vector<Case> cases = {
        {"no handle", nullptr, nullptr, APIERR_BADPARS},
        {"a null handle", &noItems, nullptr, APIERR_BADPARS},
        {"no memory for the copy", &items, "BM::Allocate", ErrMemoryFull},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostControl::ClearFailures();
        if (c.failurePoint != nullptr)
            HostControl::InjectError(c.failurePoint, ErrMemoryFull);
        logged.clear();
        API_AddParType record;
        std::memset(&record, 0xA5, sizeof record);
        EXPECT_EQ(AddLibpartParameterArray(&record, APIParT_Length, 0, "grid", nullptr, 2, 1, c.items), c.result);
        EXPECT_EQ(record.value.array, nullptr);
        EXPECT_EQ(record.dim1, 2);
        EXPECT_EQ(logged.size(), 1u);
    }
    HostControl::ClearFailures();
    EXPECT_EQ(AddLibpartParameterArray(nullptr, APIParT_Length, 0, "grid", nullptr, 2, 1, &items), APIERR_BADPARS);
    BMKillHandle(&items);
}

// ---- Text sections read back ---------------------------------------------------------------------------

TEST_F(LibPartAuthoringTest, ScriptsComeBackAsTheHostHoldsThem)
{
    // The host's section handles carry no NUL of their own: a read must stop at the handle's end.
    const API_LibPart part = PartWith({
        SectionOf(DescriptionSection, "line one\r\nline two\nthree"),
        SectionOf(KeywordsSection, std::string("Tür, Fenster\nRahmen") + std::string(1, '\0') + "hidden"),
        SectionOf(ScriptSection, "", 1),
        SectionOf(ScriptSection, "BLOCK 1, 1, 1\n"),
    });
    struct Case {
        std::function<GSErrCode(GS::Array<GS::UniString>&)> read;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {[&](GS::Array<GS::UniString>& out) { return GetLibpartDescription(part, out); },
         {"line one", "line two", "three"}},
        {[&](GS::Array<GS::UniString>& out) { return GetLibpartKeywords(part, out); }, {"Tür, Fenster", "Rahmen"}},
        {[&](GS::Array<GS::UniString>& out) { return GetLibpartScript(part, ScriptSection, out); }, {"BLOCK 1, 1, 1"}},
    };
    for (const Case& c : cases) {
        GS::Array<GS::UniString> lines{GS::UniString("old")};
        EXPECT_EQ(c.read(lines), NoError);
        EXPECT_EQ(Texts(lines), c.lines);
    }
    EXPECT_TRUE(logged.empty());
}

TEST_F(LibPartAuthoringTest, ASectionReadAsTextOrWithoutTextKeepsTheRightLines)
{
    const API_LibPart part = PartWith({});
    GS::UniString hostText;
    Host().ACAPI_LibraryPart_GetSection = [&](Int32, API_LibPartSection*, GSHandle*, GS::UniString* text,
                                              GS::UniString*) {
        *text = hostText;
        return NoError;
    };
    GS::Array<GS::UniString> lines{GS::UniString("old")};
    EXPECT_EQ(GetLibpartDescription(part, lines), NoError);
    EXPECT_EQ(Texts(lines), std::vector<std::string>{"old"}) << "nothing came back: the output stays";

    hostText = GS::UniString("first\nsecond");
    EXPECT_EQ(GetLibpartDescription(part, lines), NoError);
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{"first", "second"}));
}

TEST_F(LibPartAuthoringTest, AFailedSectionReadIsLoggedAndLeavesTheOutput)
{
    const API_LibPart part = PartWith({SectionOf(DescriptionSection, "text")});
    GS::Array<GS::UniString> lines{GS::UniString("old")};
    EXPECT_EQ(GetLibpartKeywords(part, lines), APIERR_NOLIBSECT);
    EXPECT_EQ(Texts(lines), std::vector<std::string>{"old"});
    EXPECT_EQ(logged, std::vector<std::string>{"Error: Cannot get Libpart Section: #APIERR_NOLIBSECT"});

    // A host that hands out a content handle along with its error: the handle is still freed.
    Host().ACAPI_LibraryPart_GetSection = [](Int32, API_LibPartSection*, GSHandle* content, GS::UniString*,
                                             GS::UniString*) {
        *content = BMAllocateHandle(4, 0, 0);
        return APIERR_MEMFULL;
    };
    EXPECT_EQ(GetLibpartDescription(part, lines), APIERR_MEMFULL);
    EXPECT_EQ(Texts(lines), std::vector<std::string>{"old"});
}

}  // namespace
