// Names of host values: error codes, library-part, attribute and section types, element type
// names from the host, GUID text and the library-part index of element records.
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "common/AddonTestEnvironment.hpp"
#include "HostNames.hpp"
#include "IOErrors.hpp"

namespace {

#if ZELTO_ACAPI_VERSION <= 25
const std::string UnknownError = "???";
const std::string UnknownLibPartType = "???";
const std::string UnknownAttributeType = "???";
#else
const std::string UnknownError = "Unknown Error";
const std::string UnknownLibPartType = "Unknown library part type";
const std::string UnknownAttributeType = "Unknown attribute type";
#endif

// The host's named error codes: runs of consecutive codes, each given by its first code.
struct ErrorRun {
    UInt32 firstCode;
    std::vector<std::string> names;
};

const std::vector<ErrorRun>& ErrorRuns()
{
    static const std::vector<ErrorRun> runs = {
        {0x81060001u, {"APIERR_GENERAL", "APIERR_MEMFULL", "APIERR_CANCEL"}},
        {0x81060065u,
         {"APIERR_BADID", "APIERR_BADINDEX", "APIERR_BADNAME", "APIERR_BADPARS", "APIERR_BADPOLY",
          "APIERR_BADDATABASE", "APIERR_BADWINDOW", "APIERR_BADKEYCODE", "APIERR_BADPLATFORMSIGN", "APIERR_BADPLANE",
          "APIERR_BADUSERID", "APIERR_BADVALUE", "APIERR_BADELEMENTTYPE", "APIERR_IRREGULARPOLY"}},
        {0x810600C9u,
         {"APIERR_NO3D", "APIERR_NOMORE", "APIERR_NOPLAN", "APIERR_NOLIB", "APIERR_NOLIBSECT", "APIERR_NOSEL",
          "APIERR_NOTEDITABLE", "APIERR_NOTSUBTYPEOF", "APIERR_NOTEQUALMAIN", "APIERR_NOTEQUALREVISION",
          "APIERR_NOTEAMWORKPROJECT"}},
        {0x810600DCu,
         {"APIERR_NOUSERDATA", "APIERR_MOREUSER", "APIERR_LINKEXIST", "APIERR_LINKNOTEXIST", "APIERR_WINDEXIST",
          "APIERR_WINDNOTEXIST", "APIERR_UNDOEMPTY", "APIERR_REFERENCEEXIST", "APIERR_NAMEALREADYUSED"}},
        {0x8106012Du,
         {"APIERR_ATTREXIST", "APIERR_DELETED", "APIERR_LOCKEDLAY", "APIERR_HIDDENLAY", "APIERR_INVALFLOOR",
          "APIERR_NOTMINE", "APIERR_NOACCESSRIGHT",
#if ZELTO_ACAPI_VERSION <= 23
          "APIERR_BADPROPERTYFORELEM", "APIERR_BADCLASSIFICATIONFORELEM"
#else
          "APIERR_BADPROPERTY", "APIERR_BADCLASSIFICATION"
#endif
         }},
        {0x81060191u,
         {"APIERR_MODULNOTINSTALLED", "APIERR_MODULCMDMINE", "APIERR_MODULCMDNOTSUPPORTED",
          "APIERR_MODULCMDVERSNOTSUPPORTED", "APIERR_NOMODULEDATA"}},
        {0x810601F5u, {"APIERR_PAROVERLAP", "APIERR_PARMISSING", "APIERR_PAROVERFLOW", "APIERR_PARIMPLICIT"}},
        {0x810601FEu,
         {"APIERR_RUNOVERLAP", "APIERR_RUNMISSING", "APIERR_RUNOVERFLOW", "APIERR_RUNIMPLICIT",
          "APIERR_RUNPROTECTED"}},
        {0x81060208u, {"APIERR_EOLOVERLAP"}},
        {0x81060212u, {"APIERR_TABOVERLAP"}},
        {0x81060385u,
         {"APIERR_NOTINIT", "APIERR_NESTING", "APIERR_NOTSUPPORTED", "APIERR_REFUSEDCMD", "APIERR_REFUSEDPAR",
          "APIERR_READONLY", "APIERR_SERVICEFAILED", "APIERR_COMMANDFAILED", "APIERR_NEEDSUNDOSCOPE"}},
        {0x810603E9u, {"APIERR_MISSINGCODE", "APIERR_MISSINGDEF"}},
    };
    return runs;
}

std::string ErrorName(UInt32 code)
{
    const int signedCode = static_cast<Int32>(code);
    return ErrID_To_Name(signedCode);
}

std::string Hex(UInt32 code)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", code);
    return text;
}

}  // namespace

TEST(ErrorNames, EveryCodeOfEveryRunHasItsHostName)
{
    for (const ErrorRun& run : ErrorRuns()) {
        for (std::size_t i = 0; i < run.names.size(); ++i) {
            const UInt32 code = run.firstCode + static_cast<UInt32>(i);
            EXPECT_EQ(ErrorName(code), run.names[i]) << Hex(code);
        }
    }
}

TEST(ErrorNames, CodesJustOutsideEachRunAreUnknown)
{
    for (const ErrorRun& run : ErrorRuns()) {
        const UInt32 before = run.firstCode - 1;
        const UInt32 after = run.firstCode + static_cast<UInt32>(run.names.size());
        EXPECT_EQ(ErrorName(before), UnknownError) << Hex(before);
        EXPECT_EQ(ErrorName(after), UnknownError) << Hex(after);
    }
}

TEST(ErrorNames, ExactlySeventyThreeHostCodesAreNamed)
{
    int named = 0;
    for (UInt32 code = 0x81060000u; code <= 0x81060FFFu; ++code) {
        if (ErrorName(code) != UnknownError)
            ++named;
    }
    EXPECT_EQ(named, 73);
}

TEST(ErrorNames, GapsInsideRunsAreUnknown)
{
    for (UInt32 code : {0x81060004u, 0x810600D4u, 0x810600DBu, 0x810601F9u, 0x810601FDu, 0x81060203u,
                        0x81060207u})
        EXPECT_EQ(ErrorName(code), UnknownError) << Hex(code);
}

TEST(ErrorNames, ZeroIsNoErrorAndOtherFamiliesAreUnknown)
{
    EXPECT_STREQ(ErrID_To_Name(0), "NO_ERROR");
    // Positive values, among them the host codes with the sign bit cleared, and codes of other
    // families, the file layer's neighbours included.
    for (int code : {1, 7003, 0x01060001, 0x01060003, INT_MAX, -1, -50, -108, -7003, INT_MIN, -5100, -5115, -5119,
                     -5121, 5103})
        EXPECT_EQ(std::string(ErrID_To_Name(code)), UnknownError) << code;
}

TEST(ErrorNames, FileLayerCodesThatTheFileHelpersPassOnAreNamed)
{
    const std::pair<GSErrCode, const char*> named[] = {
        {IO::NotFoundErr, "IO::NotFoundErr"},         {IO::AlreadyExistsErr, "IO::AlreadyExistsErr"},
        {IO::AccessDeniedErr, "IO::AccessDeniedErr"}, {IO::WrongTypeErr, "IO::WrongTypeErr"},
        {IO::NotEmptyErr, "IO::NotEmptyErr"},         {IO::BadLocationErr, "IO::BadLocationErr"},
        {IO::BadNameErr, "IO::BadNameErr"},           {IO::NotOpenErr, "IO::NotOpenErr"},
        {IO::AlreadyOpenErr, "IO::AlreadyOpenErr"},   {IO::WrongOpenModeErr, "IO::WrongOpenModeErr"},
        {IO::EndOfFileErr, "IO::EndOfFileErr"},       {IO::DiskFullErr, "IO::DiskFullErr"},
        {IO::TooLongErr, "IO::TooLongErr"},           {IO::BadParameterErr, "IO::BadParameterErr"},
        {IO::GeneralIOErr, "IO::GeneralIOErr"},
    };
    for (const auto& [code, name] : named)
        EXPECT_STREQ(ErrID_To_Name(code), name) << code;
}

TEST(ErrorNames, HostConstantsOfTheHeaderCarryTheirOwnNames)
{
    EXPECT_STREQ(ErrID_To_Name(APIERR_GENERAL), "APIERR_GENERAL");
    EXPECT_STREQ(ErrID_To_Name(APIERR_CANCEL), "APIERR_CANCEL");
    EXPECT_STREQ(ErrID_To_Name(APIERR_NOTSUPPORTED), "APIERR_NOTSUPPORTED");
    EXPECT_STREQ(ErrID_To_Name(APIERR_MISSINGDEF), "APIERR_MISSINGDEF");
}

TEST(LibPartTypeNames, TableOfThisHostVersion)
{
    std::vector<std::string> expected = {"Zombie", "Spec",     "Window", "Door",  "Object", "Lamp", "Room",
                                         "Property", "PlanSign", "Label", "Macro", "Pict", "List Scheme", "Skylight"};
#if ZELTO_ACAPI_VERSION >= 26
    expected.push_back("Opening");
#endif
    for (std::size_t type = 0; type < expected.size(); ++type) {
        const API_LibTypeID id = static_cast<API_LibTypeID>(type);
        EXPECT_EQ(LibID_To_Name(id), expected[type]) << type;
    }
    for (API_LibTypeID outside : {static_cast<API_LibTypeID>(expected.size()), 15, 100, -1, INT_MIN})
        EXPECT_EQ(LibID_To_Name(outside), UnknownLibPartType) << outside;
}

TEST(AttributeTypeNames, TableOfThisHostVersion)
{
#if ZELTO_ACAPI_VERSION <= 23
    const std::vector<std::string> expected = {
        "Zombie",        "Pen",     "Layer",     "Linetype",        "Filltype",           "Composite Wall",
        "Surface",       "City",    "Layer Combination", "Zone Category", "Font",          "Profile",
        "Pen table",     "Dimension style", "Model View options", "MEP System", "Operation Profile",
        "Building Material", "Mark-Up Style"};
#elif ZELTO_ACAPI_VERSION <= 25
    const std::vector<std::string> expected = {
        "Zombie",        "Pen",     "Layer",     "Linetype",        "Filltype",           "Composite Wall",
        "Surface",       "City",    "Layer Combination", "Zone Category", "Font",          "Profile",
        "Pen table",     "Dimension style", "Model View options", "MEP System", "Operation Profile",
        "Building Material"};
#elif ZELTO_ACAPI_VERSION == 26
    const std::vector<std::string> expected = {
        "Zombie",  "Pen",     "Layer",             "Linetype",      "Filltype", "Composite Wall",
        "Surface", "Layer Combination", "Zone Category", "Font",     "Profile",  "Pen table",
        "Dimension style", "Model View options", "MEP System", "Operation Profile", "Building Material"};
#else
    const std::vector<std::string> expected = {
        "Zombie",  "Pen",     "Layer",             "Linetype",      "Filltype", "Composite Wall",
        "Surface", "Layer Combination", "Zone Category", "Font",     "Profile",  "Pen table",
        "Dimension style"};
#endif
    for (std::size_t type = 0; type < expected.size(); ++type) {
        const API_AttrTypeID id = static_cast<API_AttrTypeID>(type);
        EXPECT_EQ(AttrID_To_Name(id), expected[type]) << type;
    }
    for (API_AttrTypeID outside : {static_cast<API_AttrTypeID>(expected.size()), 19, -1, INT_MIN})
        EXPECT_EQ(AttrID_To_Name(outside), UnknownAttributeType) << outside;
}

TEST(LibPartSectionNames, KnownCodesSpellTheirLettersOthersAreUnknown)
{
    auto code = [](const char* letters) {
        return (static_cast<unsigned int>(static_cast<unsigned char>(letters[0])) << 24) |
               (static_cast<unsigned int>(static_cast<unsigned char>(letters[1])) << 16) |
               (static_cast<unsigned int>(static_cast<unsigned char>(letters[2])) << 8) |
               static_cast<unsigned int>(static_cast<unsigned char>(letters[3]));
    };
    for (const char* known : {"HEAD", "PARD", "COMD", "DESD", "1DSC", "2DDR", "2DSC", "3DSC", "PRSC",
                              "UISC", "VLSC", "3DBN", "PROP", "CTXT", "PICT", "GIFF", "GDLP", "TYPE",
                              "MCRS", "ANCS", "FMSC", "BMSC", "MGRT", "LURL", "CPYR"})
        EXPECT_STREQ(LibPartSectToChar(code(known)), known);
    // A code spelled the other way round, a lower-case spelling, a valid-looking unknown code and 0.
    for (unsigned int unknown : {code("DAEH"), code("head"), code("ABCD"), 0u, 0xFFFFFFFFu})
        EXPECT_STREQ(LibPartSectToChar(unknown), "????") << unknown;
}

TEST(GuidText, UpperCaseHexInGroupsWithoutBraces)
{
    const API_Guid guid = {0x1a2b3c4du, 0x0e0fu, 0xa0b1u, 0xc2u, 0xd3u, {0xe4, 0xf5, 0x06, 0x17, 0x28, 0x39}};
    EXPECT_STREQ(ApiGuidToChar(guid), "1A2B3C4D-0E0F-A0B1-C2D3-E4F506172839");
    EXPECT_STREQ(ApiGuidToChar(APINULLGuid), "00000000-0000-0000-0000-000000000000");
}

TEST(GuidText, EveryCallReusesTheOneBuffer)
{
    const API_Guid first = {1, 2, 3, 4, 5, {6, 7, 8, 9, 10, 11}};
    const API_Guid second = {0xFFFFFFFFu, 0xFFFFu, 0xFFFFu, 0xFF, 0xFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}};
    const char* firstText = ApiGuidToChar(first);
    EXPECT_STREQ(firstText, "00000001-0002-0003-0405-060708090A0B");
    const char* secondText = ApiGuidToChar(second);
    EXPECT_EQ(firstText, secondText);
    EXPECT_STREQ(firstText, "FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF");
}

namespace {

API_Element ElementOfType(API_ElemTypeID typeID, Int32 libInd)
{
    API_Element element;
    std::memset(&element, 0, sizeof element);
    element.header.typeID = typeID;
    // Every record that has a library-part index gets one, so a wrong choice shows.
    element.window.libInd = libInd;
    element.object.libInd = libInd;
    element.libPartElem.libInd = libInd;
    return element;
}

}  // namespace

TEST(ElementLibPartIndex, TakenFromTheRecordOfTheElementType)
{
    for (API_ElemTypeID typeID : {4, 5, 6, 7, 17}) {
        const API_Element element = ElementOfType(typeID, 42 + typeID);
        EXPECT_EQ(Element_To_LibPartIndex(&element), 42 + typeID) << typeID;
    }
}

TEST(ElementLibPartIndex, OtherTypesAndNoElementGiveZero)
{
    for (API_ElemTypeID typeID : {0, 1, 2, 3, 8, 16, 18, 29, -1}) {
        const API_Element element = ElementOfType(typeID, 42);
        EXPECT_EQ(Element_To_LibPartIndex(&element), 0) << typeID;
    }
    EXPECT_EQ(Element_To_LibPartIndex(nullptr), 0);
}

class ElementTypeNames : public HostTest {
protected:
    API_ElemType Wall() const { return API_ElemType{2, 0, APINULLGuid}; }
};

TEST_F(ElementTypeNames, HostNameIsReturnedAndTheCallTakesThisVersionsRoute)
{
    API_ElemTypeID askedFor = -1;
    Host().ACAPI_Element_GetElemTypeName = [&](const API_ElemType& type, GS::UniString& name) -> GSErrCode {
        askedFor = type.typeID;
        name = GS::UniString("Wall");
        return NoError;
    };
    EXPECT_EQ(ElemID_To_Name(Wall()).ToUtf8(), "Wall");
    EXPECT_EQ(ElemID_To_LocalizedName(Wall()).ToUtf8(), "Wall");
    EXPECT_EQ(askedFor, 2);

    const std::vector<HostControl::HostCall> calls = Recorder().CallsOf("ACAPI_Element_GetElemTypeName");
    ASSERT_EQ(calls.size(), 2u);
#if ZELTO_ACAPI_VERSION >= 27  // named functions
    EXPECT_EQ(calls[0].dispatcher, "");
#else
    EXPECT_EQ(calls[0].dispatcher, "ACAPI_Element");
    EXPECT_EQ(calls[0].selector, static_cast<std::uint32_t>('ETNm'));
#endif
}

TEST_F(ElementTypeNames, FailedCallKeepsThePartialNameOrShowsQuestionMarks)
{
    Host().ACAPI_Element_GetElemTypeName = [](const API_ElemType&, GS::UniString& name) -> GSErrCode {
        name = GS::UniString("Wa");
        return APIERR_BADELEMENTTYPE;
    };
    EXPECT_EQ(ElemID_To_Name(Wall()).ToUtf8(), "Wa");
    EXPECT_EQ(ElemID_To_LocalizedName(Wall()).ToUtf8(), "???");
}

TEST_F(ElementTypeNames, RefusedCallGivesAnEmptyNameOrQuestionMarks)
{
    Host().ACAPI_Element_GetElemTypeName = [](const API_ElemType&, GS::UniString& name) -> GSErrCode {
        name = GS::UniString("never seen");
        return NoError;
    };
    HostControl::InjectError("ACAPI_Element_GetElemTypeName", APIERR_NOTSUPPORTED);
    EXPECT_EQ(ElemID_To_Name(Wall()).ToUtf8(), "");
    EXPECT_EQ(ElemID_To_LocalizedName(Wall()).ToUtf8(), "???");
}
