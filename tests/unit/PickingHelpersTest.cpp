// Interactive picking and menu marks against a scripted user: each click the host is asked for is
// answered from a queue, and a small element table stands for the plan.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "ACAPinc.h"
#include "BM.hpp"
#include "HostReportWindow.hpp"
#include "LogHelpers.hpp"
#include "MenuMarkHelpers.hpp"
#include "PickingHelpers.hpp"
#include "common/AddonTestEnvironment.hpp"

namespace {

constexpr API_ElemTypeID WallType = 1;
constexpr API_ElemTypeID ObjectType = 6;
constexpr API_ElemTypeID SectionType = 29;
constexpr API_NeigID WallNeig = 1;
constexpr API_NeigID ObjectNeig = 13;
constexpr API_NeigID SectionNeig = 55;

API_Guid GuidOf(UInt32 number)
{
    API_Guid guid = APINULLGuid;
    guid.time_low = number;
    return guid;
}

API_Neig NeigOf(API_NeigID neigId, UInt32 guidNumber, Int32 partType = 0)
{
    API_Neig neig{};
    neig.neigID = neigId;
    neig.guid = GuidOf(guidNumber);
    neig.elemPartType = partType;
    neig.elemPartIndex = partType != 0 ? 3 : 0;
    return neig;
}

struct Click {
    GSErrCode error = NoError;
    API_Coord3D pos{};
    API_Neig neig{};
};

Click ClickOn(const API_Neig& neig, double x = 1.0, double y = 2.0)
{
    return Click{NoError, API_Coord3D{x, y, 0.5}, neig};
}

Click FailedClick(GSErrCode error)
{
    return Click{error, API_Coord3D{}, API_Neig{}};
}

class PickingHelpersTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        ZeltoHost::InstallReportWindow();
        liveBlocks = BMLiveBlockCount();
        Host().ACAPI_UserInput_GetPoint = [this](API_GetPointType* point, auto, auto) {
            pointInputs.push_back(*point);
            if (clicks.empty())
                return APIERR_CANCEL;
            const Click click = clicks.front();
            clicks.pop_front();
            point->pos = click.pos;
            point->neig = click.neig;
            return click.error;
        };
        Host().ACAPI_Element_NeigIDToElemType = [this](API_NeigID neigId, API_ElemType& type) {
            const auto found = neigTypes.find(neigId);
            if (found == neigTypes.end())
                return APIERR_BADPARS;
            type = API_ElemType{};
            type.typeID = found->second;
            return NoError;
        };
        Host().ACAPI_Element_SearchElementByCoord = [this](const API_ElemSearchPars* search, API_Guid* found) {
            searches.push_back(*search);
            if (searchFinds == APINULLGuid)
                return APIERR_BADPARS;
            *found = searchFinds;
            return NoError;
        };
        Host().ACAPI_Element_GetHeader = [this](API_Elem_Head* header, UInt64) {
            const auto found = storedTypes.find(header->guid.time_low);
            if (found == storedTypes.end())
                return APIERR_BADID;
            header->typeID = found->second;
            return NoError;
        };
        Host().ACAPI_Element_Get = [this](API_Element* element, UInt64) {
            const auto found = sectionParents.find(element->header.guid.time_low);
            if (found == sectionParents.end())
                return APIERR_BADID;
            element->header.typeID = SectionType;
            element->sectElem.parentType = found->second;
            return NoError;
        };
    }
    void TearDown() override
    {
        EXPECT_EQ(BMLiveBlockCount(), liveBlocks) << "memory handles leaked";
        HostTest::TearDown();
    }

    std::deque<Click> clicks;
    std::vector<API_GetPointType> pointInputs;
    std::vector<API_ElemSearchPars> searches;
    std::map<API_NeigID, API_ElemTypeID> neigTypes = {
        {WallNeig, WallType}, {ObjectNeig, ObjectType}, {SectionNeig, SectionType}};
    std::map<UInt32, API_ElemTypeID> storedTypes;
    std::map<UInt32, API_ElemTypeID> sectionParents;
    API_Guid searchFinds = APINULLGuid;
    Int64 liveBlocks = 0;
};

std::string Code(GSErrCode error)
{
    return std::to_string(static_cast<int>(error));
}

// ---- ClickAPoint ---------------------------------------------------------------------------------

TEST_F(PickingHelpersTest, ClickAPointAnswersThePickedPlaceAndReportsOnlyRealErrors)
{
    struct Case {
        Click click;
        bool picked;
        std::vector<std::string> reports;
    };
    const std::vector<Case> cases = {
        {ClickOn(API_Neig{}, 3.5, -4.25), true, {}},
        {FailedClick(APIERR_CANCEL), false, {}},
        {FailedClick(APIERR_BADPARS), false, {"Error in APICmd_GetPointID: " + Code(APIERR_BADPARS)}},
    };
    for (const Case& c : cases) {
        HostControl::TheRecorder().reports.clear();
        clicks = {c.click};
        API_Coord point{-1.0, -1.0};
        EXPECT_EQ(ClickAPoint("Click a point", &point), c.picked);
        EXPECT_EQ(Recorder().reports, c.reports);
        if (c.picked) {
            EXPECT_EQ(point.x, 3.5);
            EXPECT_EQ(point.y, -4.25);
        } else {
            EXPECT_EQ(point.x, -1.0) << "a failed pick leaves the point alone";
        }
    }
}

TEST_F(PickingHelpersTest, PromptsAreCutToTheRecordAndOptionFlagsCleared)
{
    const std::string longPrompt(400, 'p');
    clicks = {ClickOn(API_Neig{})};
    API_Coord point{};
    ASSERT_TRUE(ClickAPoint(longPrompt.c_str(), &point));
    ASSERT_EQ(pointInputs.size(), 1u);
    EXPECT_EQ(std::string(pointInputs[0].prompt), longPrompt.substr(0, 255));
    EXPECT_FALSE(pointInputs[0].changeFilter);
    EXPECT_FALSE(pointInputs[0].changePlane);
}

// ---- GetAnArc ------------------------------------------------------------------------------------

class GetAnArcTest : public PickingHelpersTest {
protected:
    void SetUp() override
    {
        PickingHelpersTest::SetUp();
        clicks = {ClickOn(API_Neig{}, 1.0, 1.0)};
        Host().ACAPI_UserInput_GetLine = [this](API_GetLineType* line, auto) {
            lineInputs.push_back(*line);
            line->pos = API_Coord3D{4.0, 1.0, 0.0};
            return lineError;
        };
        Host().ACAPI_UserInput_GetArc = [this](API_GetArcType* arc, auto) {
            arcInputs.push_back(*arc);
            arc->pos = API_Coord3D{1.0, 4.0, 0.0};
            arc->negArc = true;
            return arcError;
        };
    }

    GSErrCode lineError = NoError;
    GSErrCode arcError = NoError;
    std::vector<API_GetLineType> lineInputs;
    std::vector<API_GetArcType> arcInputs;
};

TEST_F(GetAnArcTest, EachInputStartsWhereThePreviousEnded)
{
    API_Coord centre{}, start{}, end{};
    bool negative = false;
    ASSERT_TRUE(GetAnArc("Arc", &centre, &start, &end, &negative));
    ASSERT_EQ(lineInputs.size(), 1u);
    EXPECT_EQ(lineInputs[0].startCoord.x, 1.0);
    EXPECT_EQ(lineInputs[0].startCoord.y, 1.0);
    ASSERT_EQ(arcInputs.size(), 1u);
    EXPECT_EQ(arcInputs[0].origo.x, 1.0);
    EXPECT_EQ(arcInputs[0].startCoord.x, 4.0);
    EXPECT_TRUE(arcInputs[0].startCoordGiven);
    EXPECT_EQ(std::string(arcInputs[0].prompt), "Arc");

    EXPECT_EQ(centre.x, 1.0);
    EXPECT_EQ(centre.y, 1.0);
    EXPECT_EQ(start.x, 4.0);
    EXPECT_EQ(start.y, 1.0);
    EXPECT_EQ(end.x, 1.0);
    EXPECT_EQ(end.y, 4.0);
    EXPECT_TRUE(negative);
}

TEST_F(GetAnArcTest, NullOutputsAreSkipped)
{
    API_Coord end{};
    EXPECT_TRUE(GetAnArc("Arc", nullptr, nullptr, &end, nullptr));
    EXPECT_EQ(end.y, 4.0);
}

TEST_F(GetAnArcTest, AFailedInputEndsSilentlyWithoutOutputs)
{
    struct Case {
        GSErrCode pointError;
        GSErrCode lineError;
        GSErrCode arcError;
        std::size_t lineCalls;
        std::size_t arcCalls;
    };
    const std::vector<Case> cases = {
        {APIERR_CANCEL, NoError, NoError, 0, 0},
        {APIERR_BADPARS, NoError, NoError, 0, 0},
        {NoError, APIERR_CANCEL, NoError, 1, 0},
        {NoError, NoError, APIERR_GENERAL, 1, 1},
    };
    for (const Case& c : cases) {
        clicks = {c.pointError == NoError ? ClickOn(API_Neig{}) : FailedClick(c.pointError)};
        lineError = c.lineError;
        arcError = c.arcError;
        lineInputs.clear();
        arcInputs.clear();
        API_Coord centre{-7.0, -7.0};
        EXPECT_FALSE(GetAnArc("Arc", &centre, nullptr, nullptr, nullptr));
        EXPECT_EQ(lineInputs.size(), c.lineCalls);
        EXPECT_EQ(arcInputs.size(), c.arcCalls);
        EXPECT_EQ(centre.x, -7.0);
    }
    EXPECT_TRUE(Recorder().reports.empty());
}

// ---- ClickAnElem ---------------------------------------------------------------------------------

TEST_F(PickingHelpersTest, ClickAnElemAcceptsOnlyTheWantedType)
{
    struct Case {
        const char* name;
        API_ElemTypeID wanted;
        API_Neig clicked;
        bool accepted;
        API_ElemTypeID type;
    };
    const std::vector<Case> cases = {
        {"any type takes a wall", 0, NeigOf(WallNeig, 5), true, WallType},
        {"a wall is a wall", WallType, NeigOf(WallNeig, 5), true, WallType},
        {"a wall is no object", ObjectType, NeigOf(WallNeig, 5), false, WallType},
        {"a neighbour the host cannot type", 0, NeigOf(999, 5), false, 0},
        {"a section of a wall counts as a wall", WallType, NeigOf(SectionNeig, 20), true, SectionType},
        {"a section of an object is no wall", WallType, NeigOf(SectionNeig, 21), false, SectionType},
        {"a section the host cannot read", WallType, NeigOf(SectionNeig, 22), false, SectionType},
    };
    sectionParents = {{20, WallType}, {21, ObjectType}};
    for (const Case& c : cases) {
        clicks = {ClickOn(c.clicked, 8.0, 9.0)};
        API_Neig neig{};
        API_ElemType type{};
        API_Guid guid = APINULLGuid;
        API_Coord3D coord{};
        EXPECT_EQ(ClickAnElem("Pick", c.wanted, &neig, &type, &guid, &coord, false), c.accepted) << c.name;
        EXPECT_EQ(type.typeID, c.type) << c.name;
        EXPECT_EQ(neig.neigID, c.clicked.neigID) << c.name;
        EXPECT_TRUE(guid == c.clicked.guid) << c.name;
        EXPECT_EQ(coord.x, 8.0) << c.name;
        EXPECT_EQ(coord.z, 0.5) << c.name;
    }
    EXPECT_TRUE(searches.empty()) << "a click that names an element needs no search";
    EXPECT_TRUE(Recorder().reports.empty());
}

TEST_F(PickingHelpersTest, AClickOnEmptySpaceSearchesThePickedPlace)
{
    struct Case {
        const char* name;
        API_ElemTypeID wanted;
        API_Guid found;
        bool accepted;
        API_NeigID neigId;
    };
    storedTypes = {{31, WallType}};
    const std::vector<Case> cases = {
        {"nothing there", ObjectType, APINULLGuid, false, 0},
        {"an object of the wanted type", ObjectType, GuidOf(30), true, ObjectNeig},
        {"any type: the header tells a wall", 0, GuidOf(31), true, WallNeig},
        {"any type: no header", 0, GuidOf(32), false, 0},
    };
    for (const Case& c : cases) {
        searches.clear();
        searchFinds = c.found;
        clicks = {ClickOn(API_Neig{}, 6.0, 7.0)};
        API_Neig neig = NeigOf(77, 77);
        EXPECT_EQ(ClickAnElem("Pick", c.wanted, &neig, nullptr, nullptr, nullptr, false), c.accepted) << c.name;
        EXPECT_EQ(neig.neigID, c.neigId) << c.name;
        ASSERT_EQ(searches.size(), 1u) << c.name;
        EXPECT_EQ(searches[0].type.typeID, c.wanted) << c.name;
        EXPECT_EQ(searches[0].filterBits, 6u) << c.name;
        EXPECT_EQ(searches[0].loc.x, 6.0) << c.name;
        EXPECT_EQ(searches[0].loc.y, 7.0) << c.name;
        EXPECT_EQ(searches[0].z, 1000000.0) << c.name;
    }
}

TEST_F(PickingHelpersTest, ClickAnElemDropsTheElementPartOnlyWhenAsked)
{
    for (const bool dropPart : {false, true}) {
        clicks = {ClickOn(NeigOf(WallNeig, 5, 4))};
        API_Neig neig{};
        ASSERT_TRUE(ClickAnElem("Pick", WallType, &neig, nullptr, nullptr, nullptr, dropPart));
        EXPECT_EQ(neig.elemPartType, dropPart ? 0 : 4);
        EXPECT_EQ(neig.elemPartIndex, dropPart ? 0 : 3);
    }
}

TEST_F(PickingHelpersTest, ClickAnElemReportsCancelAndErrors)
{
    struct Case {
        GSErrCode error;
        std::string report;
    };
    const std::vector<Case> cases = {
        {APIERR_CANCEL, "Canceled"},
        {APIERR_GENERAL, "Error in APIIo_GetPointID: " + Code(APIERR_GENERAL)},
    };
    for (const Case& c : cases) {
        HostControl::TheRecorder().reports.clear();
        clicks = {FailedClick(c.error)};
        API_Neig neig = NeigOf(WallNeig, 5);
        EXPECT_FALSE(ClickAnElem("Pick", 0, &neig, nullptr, nullptr, nullptr, false));
        EXPECT_EQ(Recorder().reports, std::vector<std::string>{c.report});
        EXPECT_EQ(neig.neigID, WallNeig) << "a failed click leaves the outputs alone";
    }
}

// ---- ClickElements_Neig / ClickElements_ElemHead -------------------------------------------------

std::vector<API_Neig> NeigsIn(GSConstHandle handle, int count)
{
    std::vector<API_Neig> neigs(static_cast<std::size_t>(count));
    std::memcpy(neigs.data(), *handle, neigs.size() * sizeof(API_Neig));
    return neigs;
}

TEST_F(PickingHelpersTest, ClickElementsGathersUntilTheFirstUnwantedClick)
{
    struct Case {
        const char* name;
        Click ending;
    };
    const std::vector<Case> cases = {
        {"cancel", FailedClick(APIERR_CANCEL)},
        {"another type", ClickOn(NeigOf(ObjectNeig, 9))},
        {"empty space", ClickOn(API_Neig{})},
    };
    for (const Case& c : cases) {
        clicks = {ClickOn(NeigOf(WallNeig, 5, 4)), ClickOn(NeigOf(WallNeig, 6)), c.ending,
                  ClickOn(NeigOf(WallNeig, 7))};
        int count = -1;
        GSHandle handle = ClickElements_Neig("Walls", WallType, &count);
        ASSERT_NE(handle, nullptr) << c.name;
        ASSERT_EQ(count, 2) << c.name;
        EXPECT_EQ(BMGetHandleSize(handle), static_cast<Int32>(2 * sizeof(API_Neig))) << c.name;
        const std::vector<API_Neig> neigs = NeigsIn(handle, count);
        EXPECT_TRUE(neigs[0].guid == GuidOf(5)) << c.name;
        EXPECT_EQ(neigs[0].elemPartType, 0) << c.name << ": the whole element is meant";
        EXPECT_TRUE(neigs[1].guid == GuidOf(6)) << c.name;
        EXPECT_EQ(clicks.size(), 1u) << c.name << ": no click is asked after the series ended";
        BMKillHandle(&handle);
    }
}

TEST_F(PickingHelpersTest, ClickElementsOneAcceptedClickThenCancel)
{
    clicks = {ClickOn(NeigOf(ObjectNeig, 3))};
    int count = 0;
    GSHandle handle = ClickElements_Neig("Objects", 0, &count);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(NeigsIn(handle, 1)[0].neigID, ObjectNeig);
    BMKillHandle(&handle);
}

TEST_F(PickingHelpersTest, ClickElementsWithNothingAcceptedGivesNull)
{
    clicks = {FailedClick(APIERR_CANCEL)};
    int count = -1;
    EXPECT_EQ(ClickElements_Neig("Walls", WallType, &count), nullptr);
    EXPECT_EQ(count, 0);
    clicks = {FailedClick(APIERR_CANCEL)};
    EXPECT_EQ(ClickElements_Neig("Walls", WallType, nullptr), nullptr);
}

TEST_F(PickingHelpersTest, ClickElementsWithoutMemoryAsksForNoClick)
{
    HostControl::InjectError("BM::Allocate", ErrMemoryFull);
    clicks = {ClickOn(NeigOf(WallNeig, 5))};
    int count = -1;
    EXPECT_EQ(ClickElements_Neig("Walls", WallType, &count), nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(pointInputs.empty());
}

TEST_F(PickingHelpersTest, ClickElementsAsHeadersCarriesOnlyTheGuids)
{
    clicks = {ClickOn(NeigOf(WallNeig, 5, 4)), ClickOn(NeigOf(WallNeig, 6))};
    int count = -1;
    GSHandle handle = ClickElements_ElemHead("Walls", WallType, &count);
    ASSERT_NE(handle, nullptr);
    ASSERT_EQ(count, 2);
    ASSERT_EQ(BMGetHandleSize(handle), static_cast<Int32>(2 * sizeof(API_Elem_Head)));
    std::vector<API_Elem_Head> heads(2);
    std::memcpy(heads.data(), *handle, 2 * sizeof(API_Elem_Head));
    for (std::size_t i = 0; i < heads.size(); ++i) {
        API_Elem_Head expected;
        std::memset(&expected, 0, sizeof(expected));
        expected.guid = GuidOf(static_cast<UInt32>(5 + i));
        EXPECT_EQ(std::memcmp(&heads[i], &expected, sizeof(expected)), 0) << i;
    }
    BMKillHandle(&handle);
}

TEST_F(PickingHelpersTest, ClickElementsAsHeadersFailsCleanly)
{
    int count = -1;
    EXPECT_EQ(ClickElements_ElemHead("Walls", WallType, &count), nullptr) << "nothing clicked";
    EXPECT_EQ(count, 0);

    // The neighbour handle is allocated once and then grown; the header handle is the next allocation.
    HostControl::InjectError("BM::Allocate", ErrMemoryFull, 1);
    clicks = {ClickOn(NeigOf(WallNeig, 5))};
    count = -1;
    EXPECT_EQ(ClickElements_ElemHead("Walls", WallType, &count), nullptr) << "no memory for the headers";
    EXPECT_EQ(count, 0);
}

// ---- Neighbour and element type conversions ------------------------------------------------------

TEST_F(PickingHelpersTest, ElemHeadToNeigFollowsTheTypeTable)
{
    struct Case {
        API_ElemTypeID typeId;
        bool known;
        API_NeigID neigId;
        Int32 index;
    };
    const std::vector<Case> cases = {
        {1, true, 1, 1},     {2, true, 5, 0},     {4, true, 10, 0},   {5, true, 12, 0},   {6, true, 13, 1},
        {26, true, 53, 1},   {29, true, 55, 1},   {30, true, 77, 1},  {35, true, 84, 1},  {44, true, 117, 0},
        {47, true, 137, 1},  {58, true, 154, 1},  {63, true, 156, 1}, {71, true, 172, 1}, {27, false, 0, 0},
        {28, false, 0, 0},   {36, false, 0, 0},   {59, false, 0, 0},  {62, false, 0, 0},  {72, false, 0, 0},
        {-1, false, 0, 0},
    };
    for (const Case& c : cases) {
        API_Elem_Head head{};
        head.typeID = c.typeId;
        head.guid = GuidOf(40);
        API_Neig neig = NeigOf(99, 99, 4);
        EXPECT_EQ(ElemHead_To_Neig(&neig, head), c.known) << c.typeId;
        EXPECT_EQ(neig.neigID, c.neigId) << c.typeId;
        EXPECT_EQ(neig.inIndex, c.index) << c.typeId;
        EXPECT_EQ(neig.elemPartType, 0) << c.typeId;
        EXPECT_TRUE(neig.guid == GuidOf(40)) << c.typeId;
    }
    EXPECT_EQ(Recorder().CountOf("ACAPI_Element_GetHeader"), 0u) << "typed headers need no host call";
}

TEST_F(PickingHelpersTest, ElemHeadToNeigReadsAnUntypedHeader)
{
    storedTypes = {{41, 4}};
    API_Elem_Head head{};
    API_Neig neig{};

    EXPECT_FALSE(ElemHead_To_Neig(&neig, head)) << "no type and no GUID";
    EXPECT_EQ(Recorder().CountOf("ACAPI_Element_GetHeader"), 0u);

    head.guid = GuidOf(41);
    EXPECT_TRUE(ElemHead_To_Neig(&neig, head));
    EXPECT_EQ(neig.neigID, 10);
    EXPECT_EQ(neig.inIndex, 0);

    head.guid = GuidOf(42);
    EXPECT_FALSE(ElemHead_To_Neig(&neig, head)) << "the host knows no such element";
    EXPECT_TRUE(neig.guid == GuidOf(42));
    EXPECT_FALSE(ElemHead_To_Neig(nullptr, head));
}

TEST_F(PickingHelpersTest, NeigToElemIdIsZeroWhenTheHostKnowsNone)
{
    EXPECT_EQ(Neig_To_ElemID(ObjectNeig).typeID, ObjectType);
    const API_ElemType unknown = Neig_To_ElemID(12345);
    EXPECT_EQ(unknown.typeID, 0);
    EXPECT_EQ(unknown.variationID, 0);
    EXPECT_TRUE(unknown.classificationID == APINULLGuid);
}

// ---- Menu marks ----------------------------------------------------------------------------------

class MenuMarkHelpersTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        Host().ACAPI_MenuItem_GetMenuItemFlags = [this](const API_MenuItemRef* item, UInt32* flags, auto) {
            *flags = this->flags[{item->menuResID, item->itemIndex}];
            return NoError;
        };
        Host().ACAPI_MenuItem_SetMenuItemFlags = [this](const API_MenuItemRef* item, UInt32* flags, auto) {
            this->flags[{item->menuResID, item->itemIndex}] = *flags;
            return NoError;
        };
    }

    UInt32 FlagsOf(short menu, Int32 item) { return flags[{menu, item}]; }

    std::map<std::pair<short, Int32>, UInt32> flags;
};

TEST_F(MenuMarkHelpersTest, GetMenuItemMarkReadsTheMarkBitOfThatItem)
{
    const std::vector<std::pair<UInt32, int>> cases = {{0, 0}, {0x01, 0}, {0x02, 1}, {0x03, 1}, {0xFC, 0}};
    for (const auto& [itemFlags, mark] : cases) {
        flags = {{{32500, 2}, itemFlags}, {{32500, 1}, 0x02}, {{32501, 2}, 0x02}};
        EXPECT_EQ(GetMenuItemMark(32500, 2), mark) << itemFlags;
    }
}

TEST_F(MenuMarkHelpersTest, InvertingTwiceRestoresTheFlags)
{
    for (const UInt32 start : {0x00u, 0x01u, 0x02u, 0x13u}) {
        flags = {{{32500, 3}, start}};
        const int first = InvertMenuItemMark(32500, 3);
        EXPECT_EQ(first, (start & 0x02) != 0 ? 0 : 1);
        EXPECT_EQ(FlagsOf(32500, 3), start ^ 0x02u);
        EXPECT_EQ(InvertMenuItemMark(32500, 3), 1 - first);
        EXPECT_EQ(FlagsOf(32500, 3), start);
    }
}

TEST_F(MenuMarkHelpersTest, DisableEnableChangesOnlyTheDisabledBit)
{
    struct Case {
        UInt32 start;
        bool disable;
        UInt32 result;
    };
    const std::vector<Case> cases = {
        {0x03, false, 0x02}, {0x02, true, 0x03}, {0x00, true, 0x01}, {0x01, true, 0x01}, {0x10, false, 0x10},
    };
    for (const Case& c : cases) {
        flags = {{{32500, 4}, c.start}};
        EXPECT_EQ(DisableEnableMenuItem(32500, 4, c.disable), NoError);
        EXPECT_EQ(FlagsOf(32500, 4), c.result) << c.start << " " << c.disable;
    }
}

// A mark is 1 or 0 and nothing else: an error code in its place would read as "checked". Enabling
// and disabling answer the host's error.
TEST_F(MenuMarkHelpersTest, AFailedFlagReadChangesNothingAndAnswersNoMark)
{
    std::vector<std::string> logged;
    SetLogSink([&](LogLevel, const char* message) { logged.emplace_back(message); });
    HostControl::InjectError("ACAPI_MenuItem_GetMenuItemFlags", APIERR_BADID);
    flags = {{{32500, 4}, 0x03}};
    EXPECT_EQ(InvertMenuItemMark(32500, 4), 0);
    EXPECT_EQ(DisableEnableMenuItem(32500, 4, false), APIERR_BADID);
    EXPECT_EQ(DisableEnableMenuItem(32500, 4, true), APIERR_BADID);
    EXPECT_EQ(GetMenuItemMark(32500, 4), 0);
    EXPECT_EQ(FlagsOf(32500, 4), 0x03u);
    EXPECT_EQ(Recorder().CountOf("ACAPI_MenuItem_SetMenuItemFlags"), 0u);
    EXPECT_EQ(logged, std::vector<std::string>(4, "Error: Cannot get menu item flags (32500/4) #APIERR_BADID"));
    SetLogSink(nullptr);
}

// The item keeps its mark when the host refuses the new flags, and the answer says so.
TEST_F(MenuMarkHelpersTest, InvertingAnswersTheMarkTheItemKeepsWhenTheWriteFails)
{
    std::vector<std::string> logged;
    SetLogSink([&](LogLevel, const char* message) { logged.emplace_back(message); });
    HostControl::InjectError("ACAPI_MenuItem_SetMenuItemFlags", APIERR_REFUSEDCMD);
    for (const UInt32 start : {0x00u, 0x03u}) {
        logged.clear();
        flags = {{{32500, 5}, start}};
        EXPECT_EQ(InvertMenuItemMark(32500, 5), (start & 0x02) != 0 ? 1 : 0) << start;
        EXPECT_EQ(FlagsOf(32500, 5), start);
        EXPECT_EQ(logged, std::vector<std::string>{"Error: Cannot set menu item flags (32500/5) #APIERR_REFUSEDCMD"});
    }
    SetLogSink(nullptr);
}

TEST_F(MenuMarkHelpersTest, DisableEnableAnswersTheWriteError)
{
    HostControl::InjectError("ACAPI_MenuItem_SetMenuItemFlags", APIERR_BADID);
    flags = {{{32500, 4}, 0x02}};
    EXPECT_EQ(DisableEnableMenuItem(32500, 4, true), APIERR_BADID);
    EXPECT_EQ(FlagsOf(32500, 4), 0x02u);
}

}  // namespace
