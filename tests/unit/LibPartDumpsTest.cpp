// Dumps of a library part's sections and parameters into the stand-in host's report window.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "BM.hpp"
#include "HostParameters.hpp"
#include "HostProject.hpp"
#include "HostReportWindow.hpp"
#include "LibPartDumps.hpp"
#include "LogHelpers.hpp"
#include "common/AddonTestEnvironment.hpp"

namespace {

using ZeltoHost::HostLibPart;
using ZeltoHost::HostLibPartSection;
using ZeltoHost::HostParameter;
using Lines = std::vector<std::string>;

HostLibPartSection SectionOf(const char* type, UInt16 subIdent, Int16 version)
{
    HostLibPartSection section;
    section.header.sectType = static_cast<Int32>(UInt32(UInt8(type[0])) << 24 | UInt32(UInt8(type[1])) << 16 |
                                                 UInt32(UInt8(type[2])) << 8 | UInt32(UInt8(type[3])));
    section.header.subIdent = subIdent;
    section.header.version = version;
    section.data = "data";
    return section;
}

HostParameter Flagged(HostParameter parameter, UInt16 flags)
{
    parameter.record.flags = flags;
    return parameter;
}

std::vector<char> Reals(const std::vector<double>& values)
{
    const char* bytes = reinterpret_cast<const char*>(values.data());
    return std::vector<char>(bytes, bytes + values.size() * sizeof(double));
}

std::vector<char> Texts(const std::u16string& joined)  // items separated by their NULs
{
    const char* bytes = reinterpret_cast<const char*>(joined.data());
    return std::vector<char>(bytes, bytes + joined.size() * sizeof(char16_t));
}

class LibPartDumpsTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ZeltoHost::InstallProject(project);
        ZeltoHost::InstallReportWindow();
        SetLogSink([this](LogLevel, const char* message) { logged.emplace_back(message); });
        liveBlocks = BMLiveBlockCount();
    }
    void TearDown() override
    {
        EXPECT_EQ(BMLiveBlockCount(), liveBlocks) << "memory handles leaked";
        HostTest::TearDown();
    }

    Int32 AddPart(API_LibTypeID type, std::vector<HostLibPartSection> sections = {},
                  ZeltoHost::HostParameterList parameters = {})
    {
        HostLibPart part;
        part.typeID = type;
        part.a = 1.0;
        part.b = 2.25;
        part.details.fixSize = true;
        part.details.autoHotspot = false;
        part.sections = std::move(sections);
        part.parameters = std::move(parameters);
        return project.AddLibPart(std::move(part));
    }
    API_LibPart RecordOf(Int32 index) const
    {
        API_LibPart record;
        std::memset(&record, 0, sizeof record);
        record.index = index;
        return record;
    }
    const Lines& Reports() { return Recorder().reports; }

    ZeltoHost::HostProject project;
    Lines logged;
    Int64 liveBlocks = 0;
};

// ---- Sections ------------------------------------------------------------------------------------------

TEST_F(LibPartDumpsTest, EachSectionGetsOneLineInBothDumps)
{
    const Int32 index = AddPart(4, {SectionOf("CTXT", 0, 1), SectionOf("GDLP", 7, 3), SectionOf("ABCD", 0, -2)});
    GS::Array<API_LibPartSection*> unused;
    EXPECT_EQ(PrintLibpartSections(RecordOf(index), unused), NoError);
    EXPECT_EQ(Reports(), (Lines{"sectType: 'CTXT', subIndent: 0, version: 1",
                                "sectType: 'GDLP', subIndent: 7, version: 3",
                                "sectType: 'ABCD', subIndent: 0, version: -2"}));
    Recorder().reports.clear();
    EXPECT_EQ(CheckLibPartSections(index), NoError);
    EXPECT_EQ(Reports(), (Lines{"sectType: CTXT, subIndent: 0, version: 1", "sectType: GDLP, subIndent: 7, version: 3",
                                "sectType: ????, subIndent: 0, version: -2"}));
    EXPECT_EQ(Recorder().CountOf("ACAPI_LibraryPart_GetSection"), 6u);
    EXPECT_TRUE(logged.empty());
}

TEST_F(LibPartDumpsTest, ASectionThatCannotBeReadIsStillShown)
{
    const Int32 index = AddPart(4, {SectionOf("CTXT", 0, 1), SectionOf("KWRD", 0, 2)});
    HostControl::InjectError("ACAPI_LibraryPart_GetSection", APIERR_MEMFULL, 1, 1);
    GS::Array<API_LibPartSection*> unused;
    EXPECT_EQ(PrintLibpartSections(RecordOf(index), unused), NoError);
    EXPECT_EQ(Reports(), (Lines{"sectType: 'CTXT', subIndent: 0, version: 1",
                                "sectType: 'KWRD', subIndent: 0, version: 2"}));
    EXPECT_EQ(logged, Lines{"Error: Cannot get Libpart Section: 'KWRD' #APIERR_MEMFULL"});

    Recorder().reports.clear();
    HostControl::InjectError("ACAPI_LibraryPart_GetSection", APIERR_MEMFULL, 0, 1);
    EXPECT_EQ(CheckLibPartSections(index), NoError);
    EXPECT_EQ(Reports(), (Lines{"sectType: CTXT, subIndent: 0, version: 1, err: APIERR_MEMFULL",
                                "sectType: ????, subIndent: 0, version: 2"}));
}

TEST_F(LibPartDumpsTest, AFailedSectionListIsReturnedAndReportsNothing)
{
    const Int32 index = AddPart(4, {SectionOf("CTXT", 0, 1)});
    GS::Array<API_LibPartSection*> unused;
    struct Case {
        Int32 index;
        const char* failurePoint;
        GSErrCode code;
    };
    const std::vector<Case> cases = {
        {index, "ACAPI_LibraryPart_GetSectionList", APIERR_MEMFULL},
        {index + 1, nullptr, APIERR_BADINDEX},
    };
    for (const Case& c : cases) {
        HostControl::ClearFailures();
        if (c.failurePoint != nullptr)
            HostControl::InjectError(c.failurePoint, c.code);
        logged.clear();
        EXPECT_EQ(PrintLibpartSections(RecordOf(c.index), unused), c.code);
        EXPECT_EQ(CheckLibPartSections(c.index), c.code);
        EXPECT_TRUE(Reports().empty());
        EXPECT_EQ(logged.size(), 2u);
    }
}

// ---- Parameters ----------------------------------------------------------------------------------------

TEST_F(LibPartDumpsTest, EveryParameterTypeIsShownByTheTypeTable)
{
    const double nan = std::nan("");
    const Int32 index = AddPart(
        4, {},
        {
            HostParameter::Number("count", APIParT_Integer, 3.9),
            HostParameter::Number("below", APIParT_PenCol, -3.9),
            Flagged(HostParameter::Number("width", APIParT_Length, 2.5), 0x40),
            HostParameter::Number("colour", APIParT_ColRGB, 0.125),
            HostParameter::Text("material", GS::UniString::FromUtf8("Eßtisch")),
            Flagged(HostParameter::Number("sep", APIParT_Separator, 0.0), 0x01),
            HostParameter::Number("odd", API_ZombieParT, 1.0),
            HostParameter::Number("unknown", 99, 1.0),
            HostParameter::Number("huge", APIParT_Integer, 1e10),
            HostParameter::Number("none", APIParT_Boolean, nan),
            HostParameter::Array("grid", APIParT_Length, 2, 3, Reals({0.5, 1.0, 1.5, 2.0, 2.5, -3.0})),
            HostParameter::Array("pens", APIParT_PenCol, 1, 2, Reals({4.7, 1e12})),
            Flagged(HostParameter::Array("names", APIParT_CString, 1, 2, Texts(std::u16string(u"a\0Tür\0", 6))),
                    0x02),
        });
    DumpLibPartParameters(index, 4);
    EXPECT_EQ(Reports(), (Lines{
                             "    a 1.0000",
                             "    b 2.2500",
                             "    count 0x00 3",
                             "    below 0x00 -3",
                             "    width 0x40 2.500000",
                             "    colour 0x00 0.125000",
                             "    material 0x00 \"Eßtisch\"",
                             "    sep 0x01 -------------------",
                             "    odd 0x00 ???????",
                             "    unknown 0x00 ???????",
                             "    huge 0x00 10000000000",
                             "    none 0x00 nan",
                             "    grid: [2][3] 0x00",
                             "       [1][1] 0.500000",
                             "       [1][2] 1.000000",
                             "       [1][3] 1.500000",
                             "       [2][1] 2.000000",
                             "       [2][2] 2.500000",
                             "       [2][3] -3.000000",
                             "    pens: [1][2] 0x00",
                             "       [1][1] 4",
                             "       [1][2] 1000000000000",
                             "    names: [1][2] 0x02",
                             "       [1][1] \"a\"",
                             "       [1][2] \"Tür\"",
                             "    fixSize 1",
                             "    autohotspot 0",
                         }));
    EXPECT_TRUE(logged.empty());
}

TEST_F(LibPartDumpsTest, ArrayItemsAreReadOnlyAsFarAsTheHandleHoldsThem)
{
    const Int32 index = AddPart(
        1, {},
        {
            HostParameter::Array("short", APIParT_Length, 2, 2, Reals({1.0, 2.0, 3.0})),
            HostParameter::Array("words", APIParT_CString, 3, 1, Texts(u"one")),  // no NUL at the end
            HostParameter::Array("empty", APIParT_Length, 0, 3, {}),
            HostParameter::Array("odd", APIParT_Length, 1, 1, {'x', 'y'}),
        });
    DumpLibPartParameters(index, 1);
    EXPECT_EQ(Reports(), (Lines{
                             "    a 1.0000",
                             "    b 2.2500",
                             "    short: [2][2] 0x00",
                             "       [1][1] 1.000000",
                             "       [1][2] 2.000000",
                             "       [2][1] 3.000000",
                             "    words: [3][1] 0x00",
                             "       [1][1] \"one\"",
                             "    empty: [0][3] 0x00",
                             "    odd: [1][1] 0x00",
                         }));
    EXPECT_EQ(logged, (Lines{"Error: Libpart parameter 'short' holds 3 of its 4 items",
                             "Error: Libpart parameter 'words' holds 1 of its 3 items",
                             "Error: Libpart parameter 'odd' holds 0 of its 1 items"}));
}

TEST_F(LibPartDumpsTest, DetailsAreReadForSomeLibraryPartTypesAndShownForFewer)
{
    struct Case {
        API_LibTypeID type;
        std::size_t detailCalls;
        bool shown;
    };
    const std::vector<Case> cases = {
        {4, 1, true}, {5, 1, true}, {6, 1, true}, {9, 1, true},    // object, lamp, room, label
        {2, 1, false}, {3, 1, false},                              // window, door
        {1, 0, false}, {7, 0, false}, {11, 0, false}, {14, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        HostControl::ResetAll();
        const Int32 index = AddPart(c.type);
        DumpLibPartParameters(index, c.type);
        EXPECT_EQ(Recorder().CountOf("ACAPI_LibraryPart_GetDetails"), c.detailCalls);
        Lines expected{"    a 1.0000", "    b 2.2500"};
        if (c.shown)
            expected.insert(expected.end(), {"    fixSize 1", "    autohotspot 0"});
        EXPECT_EQ(Reports(), expected);
    }
}

TEST_F(LibPartDumpsTest, HostFailuresOfTheParameterDump)
{
    const Int32 index = AddPart(5, {}, {HostParameter::Number("h", APIParT_Length, 1.0)});
    HostControl::InjectError("ACAPI_LibraryPart_GetParams", APIERR_BADINDEX);
    DumpLibPartParameters(index, 5);
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(logged, Lines{"ACAPI_LibPart_GetParams"});
    EXPECT_EQ(Recorder().CountOf("ACAPI_LibraryPart_GetDetails"), 0u);

    HostControl::ResetAll();
    logged.clear();
    HostControl::InjectError("ACAPI_LibraryPart_GetDetails", APIERR_GENERAL);
    DumpLibPartParameters(index, 5);
    EXPECT_EQ(Reports(), (Lines{"    a 1.0000", "    b 2.2500", "    h 0x00 1.000000"}));
    EXPECT_EQ(logged, Lines{"Error: Cannot get Libpart details: #APIERR_GENERAL"});
}

TEST_F(LibPartDumpsTest, OneParameterLineByItsIndices)
{
    const std::u16string text = u"Glas";
    const auto* glass = reinterpret_cast<const unsigned short*>(text.c_str());
    struct Case {
        API_AddParID type;
        const char* name;
        unsigned short flags;
        double value;
        const unsigned short* text;
        int i, j;
        const char* line;
    };
    const std::vector<Case> cases = {
        {APIParT_Separator, "sep", 1, 0.0, nullptr, 0, 0, "    sep 0x01 -------------------"},
        {APIParT_Title, "head", 0xAB, 0.0, glass, 0, 0, "    head 0xAB \"Glas\""},
        {APIParT_CString, "none", 0, 0.0, nullptr, 0, 0, "    none 0x00 \"\""},
        {APIParT_Intens, nullptr, 0, 99.99, nullptr, 0, 0, "     0x00 99"},
        {APIParT_Angle, nullptr, 0, 2.5, nullptr, 2, 1, "       [2][1] 2.500000"},
        {APIParT_Length, "arr", 5, 0.0, nullptr, -2, -3, "    arr: [2][3] 0x05"},
        // A first dimension of 0 still makes a header, not an item [0][-3].
        {APIParT_Length, "arr", 5, 0.0, nullptr, 0, -3, "    arr: [0][3] 0x05"},
    };
    for (const Case& c : cases) {
        Recorder().reports.clear();
        DumpOneLibpartParam(c.type, c.name, c.flags, c.value, c.text, c.i, c.j);
        EXPECT_EQ(Reports(), Lines{c.line});
    }
}

TEST_F(LibPartDumpsTest, LongLinesAreCutToTheirBuffers)
{
    const std::string name(300, 'n');
    DumpOneLibpartParam(APIParT_Length, name.c_str(), 0, 1.0, nullptr, 0, 0);
    ASSERT_EQ(Reports().size(), 1u);
    // The head is cut to 255 bytes, and so is the line made of it and the value.
    EXPECT_EQ(Reports()[0], "    " + std::string(251, 'n'));
}

}  // namespace
