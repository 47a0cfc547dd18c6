// The stand-in host's project: what it answers, and that every handle it hands out can be freed
// completely by the function the add-on uses for it.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BM.hpp"
#include "DatabaseWrappers.hpp"
#include "EnvironmentWrappers.hpp"
#include "HostParameters.hpp"
#include "HostProject.hpp"
#include "HostRecordTexts.hpp"
#include "LibPartWrappers.hpp"
#include "common/AddonTestEnvironment.hpp"

namespace {

using ZeltoHost::HostLibPart;
using ZeltoHost::HostParameter;
using ZeltoHost::HostProject;

API_Guid GuidNumbered(UInt32 number)
{
    API_Guid guid = APINULLGuid;
    guid.time_low = number;
    guid.node[5] = 0x42;
    return guid;
}

template <typename Record>
Record Zeroed()
{
    Record record;
    std::memset(&record, 0, sizeof record);
    return record;
}

std::vector<char> BytesOf(const std::vector<double>& values)
{
    const char* begin = reinterpret_cast<const char*>(values.data());
    return std::vector<char>(begin, begin + values.size() * sizeof(double));
}

Int32 RecordCount(API_AddParType** handle)
{
    return BMGetHandleSize(reinterpret_cast<GSConstHandle>(handle)) / static_cast<Int32>(sizeof(API_AddParType));
}

class HostProjectTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        liveBlocksBefore = BMLiveBlockCount();
        ZeltoHost::InstallProject(project);
    }

    void TearDown() override
    {
        EXPECT_EQ(BMLiveBlockCount(), liveBlocksBefore) << "a handle was left behind";
        HostTest::TearDown();
    }

    // A lamp library part with a height, a text and an array among its defaults.
    Int32 AddLampPart()
    {
        HostLibPart part;
        part.typeID = 5;
        part.documentName = GS::UniString("Ceiling Lamp");
        part.fileName = GS::UniString("Ceiling Lamp.gsm");
        part.location = IO::Location("/library/Ceiling Lamp.gsm");
        part.ownUnID = "{11111111-2222-3333-4444-555555555555}-{66666666-7777-8888-9999-000000000000}";
        part.a = 0.6;
        part.b = 0.4;
        part.parameters.push_back(HostParameter::Number("ZZYZX", 2, 0.25));
        part.parameters.push_back(HostParameter::Text("TAVO_item_no", GS::UniString("12-A")));
        part.parameters.push_back(HostParameter::Array("levels", 2, 2, 1, BytesOf({1.5, 2.5})));
        return project.AddLibPart(part);
    }

    HostProject project;
    Int64 liveBlocksBefore = 0;
};

}  // namespace

// ---- Elements -------------------------------------------------------------------------------------

TEST_F(HostProjectTest, ElementIsFoundByItsGuidOnly)
{
    ZeltoHost::HostElement& lamp = project.AddElement(7, GuidNumbered(1));
    lamp.record.header.floorInd = 2;
    lamp.record.lamp.libInd = 3;
    lamp.record.lamp.level = 0.5;
    project.AddElement(1, GuidNumbered(2));

    API_Element element = Zeroed<API_Element>();
    element.header.guid = GuidNumbered(1);
    ASSERT_EQ(project.GetElement(&element), NoError);
    EXPECT_EQ(std::memcmp(&element, &project.elements[0].record, sizeof element), 0);
    EXPECT_EQ(element.lamp.level, 0.5);

    API_Elem_Head header = Zeroed<API_Elem_Head>();
    header.guid = GuidNumbered(2);
    ASSERT_EQ(project.GetElementHeader(&header), NoError);
    EXPECT_EQ(header.typeID, 1);

    for (const API_Guid& unknown : {GuidNumbered(3), APINULLGuid}) {
        API_Element missing = Zeroed<API_Element>();
        missing.header.guid = unknown;
        EXPECT_EQ(project.GetElement(&missing), APIERR_BADID);
        EXPECT_EQ(missing.header.typeID, 0);
    }
    EXPECT_EQ(project.GetElement(nullptr), APIERR_BADPARS);
}

TEST_F(HostProjectTest, ElementLookupFollowsAddedAndChangedElements)
{
    project.AddElement(1, GuidNumbered(1));
    ASSERT_NE(project.FindElement(GuidNumbered(1)), nullptr);  // the index is made here
    for (UInt32 number = 2; number <= 500; ++number)
        project.AddElement(1, GuidNumbered(number));
    project.AddElement(2, GuidNumbered(7));  // a duplicate GUID: the first element stays the answer

    EXPECT_EQ(project.FindElement(GuidNumbered(500)), &project.elements[499]);
    EXPECT_EQ(project.FindElement(GuidNumbered(7))->record.header.typeID, 1);

    project.elements[9].record.header.guid = GuidNumbered(9999);
    EXPECT_EQ(project.FindElement(GuidNumbered(10)), nullptr);
    EXPECT_EQ(project.FindElement(GuidNumbered(9999)), &project.elements[9]);

    project.elements.pop_back();  // the duplicate
    project.elements.pop_back();  // number 500
    EXPECT_EQ(project.FindElement(GuidNumbered(500)), nullptr);
    EXPECT_EQ(project.FindElement(GuidNumbered(499)), &project.elements[498]);

    // Changed in place and never looked up by its old GUID: found at the latest once the lookups
    // since the last index have paid for a new one.
    project.elements[19].record.header.guid = GuidNumbered(8888);
    const ZeltoHost::HostElement* found = nullptr;
    for (std::size_t lookup = 0; lookup <= project.elements.size() && found == nullptr; ++lookup)
        found = project.FindElement(GuidNumbered(8888));
    EXPECT_EQ(found, &project.elements[19]);
}

TEST_F(HostProjectTest, ElementListHoldsTheElementsOfOneTypeInProjectOrder)
{
    project.AddElement(26, GuidNumbered(10));
    project.AddElement(27, GuidNumbered(11));
    project.AddElement(26, GuidNumbered(12));
    GS::Array<API_Guid> cameras;
    cameras.Push(GuidNumbered(99));  // whatever the caller held is replaced
    ASSERT_EQ(project.GetElementList(API_ElemType{26, 0, APINULLGuid}, &cameras), NoError);
    ASSERT_EQ(cameras.GetSize(), 2u);
    EXPECT_TRUE(cameras[0] == GuidNumbered(10));
    EXPECT_TRUE(cameras[1] == GuidNumbered(12));

    GS::Array<API_Guid> walls;
    EXPECT_EQ(project.GetElementList(API_ElemType{1, 0, APINULLGuid}, &walls), NoError);
    EXPECT_TRUE(walls.IsEmpty());
}

TEST_F(HostProjectTest, MemoHandsOutTheElementsParametersAndFreesCompletely)
{
    ZeltoHost::HostElement& lamp = project.AddElement(7, GuidNumbered(1));
    lamp.parameters.push_back(HostParameter::Number("ZZYZX", 2, 1.75));
    lamp.parameters.push_back(HostParameter::Text("TAVO_item_no", GS::UniString("12-A")));
    lamp.parameters.push_back(HostParameter::Array("levels", 2, 1, 3, BytesOf({1.0, 2.0, 3.0})));
    project.AddElement(1, GuidNumbered(2));

    API_ElementMemo memo = Zeroed<API_ElementMemo>();
    ASSERT_EQ(project.GetElementMemo(GuidNumbered(1), &memo), NoError);
    ASSERT_NE(memo.params, nullptr);
    ASSERT_EQ(RecordCount(memo.params), 3);
    const API_AddParType* records = *memo.params;
    EXPECT_STREQ(records[0].name, "ZZYZX");
    EXPECT_EQ(records[0].value.real, 1.75);
    EXPECT_EQ(records[1].typeID, ZeltoHost::StringParameterType);
    EXPECT_EQ(ZeltoHost::ReadUnits(records[1].value.uStr).ToUtf8(), "12-A");
    EXPECT_NE(records[2].typeMod, 0);
    ASSERT_NE(records[2].value.array, nullptr);
    ASSERT_EQ(BMGetHandleSize(records[2].value.array), static_cast<Int32>(3 * sizeof(double)));
    EXPECT_EQ(reinterpret_cast<const double*>(*records[2].value.array)[2], 3.0);
    EXPECT_EQ(ACAPI_DisposeElemMemoHdls(&memo), NoError);
    EXPECT_EQ(memo.params, nullptr);

    // An element without parameters still has a (empty) parameter list; unknown ones have no memo.
    ASSERT_EQ(project.GetElementMemo(GuidNumbered(2), &memo), NoError);
    EXPECT_EQ(RecordCount(memo.params), 0);
    EXPECT_EQ(ACAPI_DisposeElemMemoHdls(&memo), NoError);
    API_ElementMemo none = Zeroed<API_ElementMemo>();
    EXPECT_EQ(project.GetElementMemo(GuidNumbered(3), &none), APIERR_BADID);
    EXPECT_EQ(none.params, nullptr);
    EXPECT_EQ(ACAPI_DisposeElemMemoHdls(&none), NoError);
}

TEST_F(HostProjectTest, ElementTypeNamesComeFromTheProject)
{
    project.elementTypeNames[6] = GS::UniString("Object");
    GS::UniString name;
    EXPECT_EQ(project.GetElementTypeName(API_ElemType{6, 0, APINULLGuid}, name), NoError);
    EXPECT_EQ(name.ToUtf8(), "Object");
    EXPECT_EQ(project.GetElementTypeName(API_ElemType{5, 0, APINULLGuid}, name), APIERR_BADELEMENTTYPE);
}

// ---- Library parts ----------------------------------------------------------------------------------

TEST_F(HostProjectTest, LibraryPartIsReadByIndexThroughTheWrapper)
{
    const Int32 index = AddLampPart();
    API_LibPart part = Zeroed<API_LibPart>();
    part.index = index;
    ASSERT_EQ(LibPart::Get(&part), NoError);
    std::unique_ptr<IO::Location> location(part.location);  // the host made it for the caller
    EXPECT_EQ(part.typeID, 5);
    EXPECT_EQ(ZeltoHost::ReadUnits(part.docu_UName).ToUtf8(), "Ceiling Lamp");
    EXPECT_EQ(ZeltoHost::ReadUnits(part.file_UName).ToUtf8(), "Ceiling Lamp.gsm");
    ASSERT_NE(location, nullptr);
    EXPECT_EQ(location->ToUtf8Path(), "/library/Ceiling Lamp.gsm");

    int count = 0;
    EXPECT_EQ(LibPart::GetNum(&count), NoError);
    EXPECT_EQ(count, 1);
    for (Int32 bad : {0, 2, -1}) {
        API_LibPart missing = Zeroed<API_LibPart>();
        missing.index = bad;
        EXPECT_EQ(LibPart::Get(&missing), APIERR_BADINDEX) << bad;
        EXPECT_EQ(missing.location, nullptr);
    }
}

TEST_F(HostProjectTest, LibraryPartSearch)
{
    HostLibPart texture;
    texture.typeID = 11;
    texture.documentName = GS::UniString("Brick");
    texture.fileName = GS::UniString("brick.jpg");
    texture.location = IO::Location("/library/brick.jpg");
    project.AddLibPart(texture);
    const Int32 lamp = AddLampPart();

    struct Case {
        const char* what;
        API_LibTypeID type;
        const char* documentName;
        const char* fileName;
        const char* ownUnID;
        GSErrCode result;
        Int32 index;
    };
    const Case cases[] = {
        {"document name, letter case disregarded", 0, "ceiling LAMP", "", "", NoError, lamp},
        {"file name when the document name is empty", 11, "", "BRICK.JPG", "", NoError, 1},
        {"unique id before the names", 0, "Brick", "", "{11111111-2222-3333-4444-555555555555}-{66666666-7777-8888-9999-000000000000}", NoError, lamp},
        {"type must match when set", 11, "Ceiling Lamp", "", "", APIERR_BADNAME, 0},
        {"unknown name", 0, "Chair", "", "", APIERR_BADNAME, 0},
        {"nothing to search by", 0, "", "", "", APIERR_BADNAME, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        API_LibPart part = Zeroed<API_LibPart>();
        part.typeID = c.type;
        ZeltoHost::WriteUnits(GS::UniString(c.documentName), part.docu_UName);
        ZeltoHost::WriteUnits(GS::UniString(c.fileName), part.file_UName);
        std::strcpy(part.ownUnID, c.ownUnID);
        IO::Location location;  // the caller's own: filled in place
        part.location = &location;
        EXPECT_EQ(LibPart::Search(&part, false, false), c.result);
        EXPECT_EQ(part.location, &location);
        if (c.result == NoError) {
            EXPECT_EQ(part.index, c.index);
            EXPECT_EQ(location, project.libParts[static_cast<std::size_t>(c.index) - 1].location);
        }
    }
}

TEST_F(HostProjectTest, DefaultParametersComeInAHandleThatDisposalFreesWithItsArrays)
{
    const Int32 index = AddLampPart();
    double a = 0.0;
    double b = 0.0;
    int count = 0;
    API_AddParType** params = nullptr;
    ASSERT_EQ(LibPart::GetParams(index, &a, &b, &count, &params), NoError);
    EXPECT_EQ(a, 0.6);
    EXPECT_EQ(b, 0.4);
    EXPECT_EQ(count, 3);
    ASSERT_EQ(RecordCount(params), 3);
    EXPECT_STREQ((*params)[0].name, "ZZYZX");
    EXPECT_EQ((*params)[0].value.real, 0.25);
    EXPECT_EQ((*params)[2].dim1, 2);
    EXPECT_EQ(ACAPI_DisposeAddParHdl(&params), NoError);
    EXPECT_EQ(params, nullptr);
    EXPECT_EQ(ACAPI_DisposeAddParHdl(&params), NoError);
    EXPECT_EQ(ACAPI_DisposeAddParHdl(nullptr), NoError);

    EXPECT_EQ(LibPart::GetParams(index + 1, &a, &b, &count, &params), APIERR_BADINDEX);
    EXPECT_EQ(LibPart::GetParams(index, &a, &b, &count, nullptr), APIERR_BADPARS);
}

TEST_F(HostProjectTest, MemoryRunningOutLeavesNoHandleBehind)
{
    const Int32 index = AddLampPart();
    // The first allocation (the list) or the second (the array's items) fails.
    for (int skip : {0, 1}) {
        SCOPED_TRACE(skip);
        HostControl::InjectError("BM::Allocate", ErrMemoryFull, skip, 1);
        double a = 0.0;
        double b = 0.0;
        Int32 count = 0;
        API_AddParType** params = nullptr;
        EXPECT_EQ(project.GetLibPartParams(index, &a, &b, &count, &params), APIERR_MEMFULL);
        EXPECT_EQ(params, nullptr);
        HostControl::ClearFailures();
    }
}

TEST_F(HostProjectTest, ADisposalThatReportsAFailureStillReleasesTheHandles)
{
    const Int32 index = AddLampPart();
    ZeltoHost::HostElement& lamp = project.AddElement(7, GuidNumbered(1));
    lamp.parameters.push_back(HostParameter::Array("levels", 2, 1, 3, BytesOf({1.0, 2.0, 3.0})));
    const Int64 blocksBefore = BMLiveBlockCount();

    double a = 0.0;
    double b = 0.0;
    int count = 0;
    API_AddParType** params = nullptr;
    ASSERT_EQ(LibPart::GetParams(index, &a, &b, &count, &params), NoError);
    API_ElementMemo memo = Zeroed<API_ElementMemo>();
    ASSERT_EQ(project.GetElementMemo(GuidNumbered(1), &memo), NoError);
    ASSERT_GT(BMLiveBlockCount(), blocksBefore);

    HostControl::InjectError("ACAPI_DisposeAddParHdl", APIERR_GENERAL);
    HostControl::InjectError("ACAPI_DisposeElemMemoHdls", APIERR_MEMFULL);
    EXPECT_EQ(ACAPI_DisposeAddParHdl(&params), APIERR_GENERAL);
    EXPECT_EQ(ACAPI_DisposeElemMemoHdls(&memo), APIERR_MEMFULL);
    EXPECT_EQ(params, nullptr);
    EXPECT_EQ(memo.params, nullptr);
    EXPECT_EQ(BMLiveBlockCount(), blocksBefore) << "the failure is reported, the memory is released";
}

// ---- Attributes -----------------------------------------------------------------------------------------

TEST_F(HostProjectTest, AttributeIsReadWithItsNameInBothForms)
{
    project.AddAttribute(1, 1, GS::UniString("Default layer"));
    ZeltoHost::HostAttribute& brick = project.AddAttribute(5, 3, GS::UniString("Brick, red"));
    brick.record.material.surfaceRed = 0.8;

    API_Attribute attribute = Zeroed<API_Attribute>();
    attribute.header.typeID = 5;
    attribute.header.index = 3;
    ASSERT_EQ(project.GetAttribute(&attribute), NoError);
    EXPECT_STREQ(attribute.header.name, "Brick, red");
    EXPECT_EQ(attribute.material.surfaceRed, 0.8);
    EXPECT_EQ(attribute.header.uniStringNamePtr, nullptr);

    GS::UniString name;
    attribute = Zeroed<API_Attribute>();
    attribute.header.typeID = 5;
    attribute.header.index = 3;
    attribute.header.uniStringNamePtr = &name;
    ASSERT_EQ(project.GetAttribute(&attribute), NoError);
    EXPECT_EQ(name.ToUtf8(), "Brick, red");
    EXPECT_EQ(attribute.header.uniStringNamePtr, &name);

    attribute.header.typeID = 1;  // the index exists for another type only
    EXPECT_EQ(project.GetAttribute(&attribute), APIERR_BADINDEX);
}

TEST_F(HostProjectTest, AttributeSearchTakesTheTypeAndTheExactName)
{
    project.AddAttribute(5, 3, GS::UniString("Brick"));
    project.AddAttribute(1, 4, GS::UniString("Brick"));

    API_Attr_Head header = Zeroed<API_Attr_Head>();
    header.typeID = 1;
    std::strcpy(header.name, "Brick");
    ASSERT_EQ(project.SearchAttribute(&header), NoError);
    EXPECT_EQ(header.index, 4);

    GS::UniString name("Brick");
    header = Zeroed<API_Attr_Head>();
    header.typeID = 5;
    header.uniStringNamePtr = &name;
    ASSERT_EQ(project.SearchAttribute(&header), NoError);
    EXPECT_EQ(header.index, 3);

    for (const char* other : {"brick", "", "Glass"}) {
        header = Zeroed<API_Attr_Head>();
        header.typeID = 5;
        std::strcpy(header.name, other);
        EXPECT_EQ(project.SearchAttribute(&header), APIERR_BADNAME) << other;
        EXPECT_EQ(header.index, 0);
    }
}

TEST_F(HostProjectTest, AttributesOfATypeInTheHostsOrder)
{
    project.AddAttribute(1, 1, GS::UniString("Default layer"));
    project.AddAttribute(5, 1, GS::UniString("Brick"));
    project.AddAttribute(1, 7, GS::UniString(std::string(300, 'L').c_str()));
    GS::Array<API_Attribute> layers;
    ASSERT_EQ(project.GetAttributesByType(1, layers), NoError);
    ASSERT_EQ(layers.GetSize(), 2u);
    EXPECT_EQ(layers[0].header.index, 1);
    EXPECT_STREQ(layers[0].header.name, "Default layer");
    EXPECT_EQ(layers[1].header.index, 7);
    EXPECT_EQ(std::string(layers[1].header.name), std::string(255, 'L'));  // cut to its field
    EXPECT_EQ(layers[1].header.uniStringNamePtr, nullptr);
}

// ---- Stories, project information, windows, folders, offset -----------------------------------------------

TEST_F(HostProjectTest, StoriesComeInAHandleLowestFirst)
{
    project.AddStory(-1, -3.0, GS::UniString("Basement"));
    project.AddStory(0, 0.0, GS::UniString("Ground"));
    project.AddStory(1, 3.0, GS::UniString());
    API_StoryInfo info = Zeroed<API_StoryInfo>();
    ASSERT_EQ(project.GetStorySettings(&info), NoError);
    EXPECT_EQ(info.firstStory, -1);
    EXPECT_EQ(info.lastStory, 1);
    ASSERT_EQ(BMGetHandleSize(reinterpret_cast<GSConstHandle>(info.data)), static_cast<Int32>(3 * sizeof(API_StoryType)));
    const API_StoryType* stories = *info.data;
    EXPECT_EQ(stories[0].index, -1);
    EXPECT_EQ(stories[0].level, -3.0);
    EXPECT_EQ(ZeltoHost::ReadUnits(stories[0].uName).ToUtf8(), "Basement");
    EXPECT_EQ(stories[2].uName[0], 0);
    GSHandle data = reinterpret_cast<GSHandle>(info.data);
    BMKillHandle(&data);

    HostProject empty;
    ASSERT_EQ(empty.GetStorySettings(&info), NoError);
    EXPECT_LT(info.lastStory, info.firstStory);
    data = reinterpret_cast<GSHandle>(info.data);
    BMKillHandle(&data);
}

TEST_F(HostProjectTest, ProjectInformationThroughTheWrapper)
{
    struct Case {
        const char* what;
        const char* file;
        const char* teamFile;
        bool untitled;
        const char* name;
    };
    const Case cases[] = {
        {"untitled", nullptr, nullptr, true, nullptr},
        {"a project file", "/projects/House.pln", nullptr, false, "House.pln"},
        {"teamwork: the shared project first", "/projects/House.pln", "/team/House Team.plp", false,
         "House Team.plp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        project.info.location = IO::Location(c.file);
        project.info.teamLocation = IO::Location(c.teamFile);
        API_ProjectInfo info{};
        ASSERT_EQ(Environment::Project(&info), NoError);
        // The caller owns what the host made.
        std::unique_ptr<IO::Location> location(info.location);
        std::unique_ptr<IO::Location> teamLocation(info.location_team);
        std::unique_ptr<GS::UniString> path(info.projectPath);
        std::unique_ptr<GS::UniString> name(info.projectName);
        EXPECT_EQ(info.untitled, c.untitled);
        EXPECT_EQ(info.teamwork, c.teamFile != nullptr);
        EXPECT_EQ(location != nullptr, c.file != nullptr);
        EXPECT_EQ(teamLocation != nullptr, c.teamFile != nullptr);
        if (c.name != nullptr) {
            ASSERT_NE(name, nullptr);
            EXPECT_EQ(name->ToUtf8(), c.name);
        } else {
            EXPECT_EQ(name, nullptr);
            EXPECT_EQ(path, nullptr);
        }
    }
}

TEST_F(HostProjectTest, WindowsChangeThroughTheWrappers)
{
    API_WindowInfo window = Zeroed<API_WindowInfo>();
    window.index = 9;
    ASSERT_EQ(Database::GetCurrentWindow(&window), NoError);
    EXPECT_EQ(window.typeID, APIWind_FloorPlanID);
    EXPECT_EQ(window.index, 0);

    window = Zeroed<API_WindowInfo>();
    window.typeID = APIWind_3DModelID;
    EXPECT_EQ(Database::ChangeCurrentWindow(&window), NoError);
    EXPECT_EQ(project.currentWindow, APIWind_3DModelID);

    window.typeID = 0;
    EXPECT_EQ(Database::ChangeCurrentWindow(&window), APIERR_BADWINDOW);
    EXPECT_EQ(project.currentWindow, APIWind_3DModelID);
}

TEST_F(HostProjectTest, SpecialFoldersAndOffset)
{
    project.specialFolders[HostProject::DirectExportFolder] = IO::Location("/home/user/Documents");
    project.specialFolders[HostProject::UpdateCheckFolder] = IO::Location("/tmp/updates");
    API_SpecFolderID id = HostProject::UpdateCheckFolder;
    IO::Location folder;
    ASSERT_EQ(Environment::GetSpecialFolder(&id, &folder), NoError);
    EXPECT_EQ(folder.ToUtf8Path(), "/tmp/updates");
    id = 3;
    EXPECT_EQ(Environment::GetSpecialFolder(&id, &folder), APIERR_BADID);
    EXPECT_EQ(folder.ToUtf8Path(), "/tmp/updates");

    project.offset = API_Coord{100.5, -20.0};
    API_Coord offset{};
    ASSERT_EQ(project.GetOffset(&offset), NoError);
    EXPECT_EQ(offset.x, 100.5);
    EXPECT_EQ(offset.y, -20.0);
}

TEST(HostRecordTexts, FieldsAreCutWholeCharactersWithANul)
{
    char bytes[6];
    std::memset(bytes, 'x', sizeof bytes);
    ZeltoHost::WriteBytes(GS::UniString::FromUtf8("abc\xC3\xA9\xC3\xA9"), bytes);  // "abcéé": 7 bytes
    EXPECT_STREQ(bytes, "abc\xC3\xA9");
    GS::uchar_t units[3];
    ZeltoHost::WriteUnits(GS::UniString::FromUtf8("a\xF0\x9F\x99\x82"), units);  // "a" and a surrogate pair
    EXPECT_EQ(units[0], 'a');
    EXPECT_EQ(units[1], 0);
    const char full[4] = {'a', 'b', 'c', 'd'};  // no NUL: read to the field's end
    EXPECT_EQ(ZeltoHost::ReadBytes(full).ToUtf8(), "abcd");
}
