// Every host-API wrapper makes exactly one host call, with the caller's arguments, along the route
// of the host version it is built for, and hands back the host's result unchanged; the field
// accessors touch only their own field.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "DatabaseWrappers.hpp"
#include "ElementAccessors.hpp"
#include "EnvironmentWrappers.hpp"
#include "LibPartWrappers.hpp"
#include "Location.hpp"
#include "Progress.hpp"
#include "ToolboxAccessors.hpp"
#include "common/AddonTestEnvironment.hpp"

namespace {

using HostControl::HostArg;
using HostControl::HostCall;
using ZeltoHost::HostApi;

// What the wrappers are called with. Living in one object, every pointer a row hands over has a
// fixed address that the row can name.
struct Arguments {
    API_Box box{};
    API_Box3D box3D{};
    API_Tranmat transformation{};
    API_DatabaseUnId databaseId{};
    API_DatabaseUnId* databaseIds = nullptr;
    GS::Array<API_DatabaseUnId> databaseList;
    API_Elem_Head head{};
    API_WindowInfo window{};
    API_Guid parent{};
    API_Guid element{};
    GS::UniString text;
    GS::UniString password;
    API_GridType grid{};
    int count = 0;
    API_LibPart libPart{};
    double a = 0.0;
    double b = 0.0;
    API_AddParType** params = nullptr;
    API_AddParType* paramRecords = nullptr;
    API_LibPartSection section{};
    char** sectionHandle = nullptr;
    char** paramDefinition = nullptr;
    char bytes[8] = {};
    API_LibPartSection** sections = nullptr;
    API_LibPartDetails details{};
    GS::Array<API_LibPart> libParts;
    API_ToolBoxItem item{};
    API_SpecFolderID folderId = 6;
    IO::Location location;
    GS::Array<API_LibraryInfo> libraries;
    API_3DWindowInfo window3D{};
    API_3DStyle style;
    API_3DProjectionInfo projection{};
    char renderingSettings[16] = {};
    API_ProjectInfo project{};
    API_ServerApplicationInfo application;
    int version = 0;
    int byteCount = 0;
    unsigned short platform = 0;
};

// Stands for a record that the wrapper makes itself: the host must get a pointer to it.
HostArg LocalRecord()
{
    return HostArg::Text("a record of the wrapper's own");
}

HostArg Ptr(const void* pointer)
{
    return HostArg::Ptr(pointer);
}

HostArg Int(std::int64_t value)
{
    return HostArg::Int(value);
}

struct WrapperRow {
    std::string wrapper;
    std::string function;  // the host function it must reach
    std::function<GSErrCode()> call;
    std::vector<HostArg> expected;
};

std::vector<WrapperRow> AllWrappers(Arguments& x)
{
    return {
        // Database
        {"Database::GetExtent", "ACAPI_Element_GetExtent", [&] { return Database::GetExtent(&x.box, &x.databaseId); },
         {Ptr(&x.box), Ptr(&x.databaseId)}},
        {"Database::GetExtent3D", "ACAPI_Element_GetExtent3D", [&] { return Database::GetExtent3D(&x.box3D); },
         {Ptr(&x.box3D)}},
        {"Database::GetZoom", "ACAPI_View_GetZoom", [&] { return Database::GetZoom(&x.box, &x.transformation); },
         {Ptr(&x.box), Ptr(&x.transformation)}},
        {"Database::SetZoom", "ACAPI_View_SetZoom", [&] { return Database::SetZoom(&x.box, nullptr); },
         {Ptr(&x.box), Ptr(nullptr)}},
        {"Database::RedrawCurrentDatabase", "ACAPI_Database_RedrawCurrentDatabase",
         [&] { return Database::RedrawCurrentDatabase(); }, {}},
        {"Database::RebuildCurrentDatabase", "ACAPI_Database_RebuildCurrentDatabase",
         [&] { return Database::RebuildCurrentDatabase(); }, {}},
        {"Database::CalcBounds2D", "ACAPI_Element_CalcBounds", [&] { return Database::CalcBounds2D(&x.head, &x.box3D); },
         {Ptr(&x.head), Ptr(&x.box3D)}},
        {"Database::CalcBounds3D", "ACAPI_Element_CalcBounds", [&] { return Database::CalcBounds3D(&x.head, &x.box3D); },
         {Ptr(&x.head), Ptr(&x.box3D)}},
        {"Database::GetCurrentWindow", "ACAPI_Window_GetCurrentWindow",
         [&] { return Database::GetCurrentWindow(&x.window); }, {Ptr(&x.window)}},
        {"Database::ChangeCurrentWindow", "ACAPI_Window_ChangeWindow",
         [&] { return Database::ChangeCurrentWindow(&x.window); }, {Ptr(&x.window)}},
        {"Database::GetCurrentDatabase", "ACAPI_Database_GetCurrentDatabase",
         [&] { return Database::GetCurrentDatabase(&x.window); }, {Ptr(&x.window)}},
        {"Database::ChangeCurrentDatabase", "ACAPI_Database_ChangeCurrentDatabase",
         [&] { return Database::ChangeCurrentDatabase(&x.window); }, {Ptr(&x.window)}},
        {"Database::GetElementInfoString", "ACAPI_Element_GetElementInfoString",
         [&] { return Database::GetElementInfoString(&x.element, &x.text); }, {Ptr(&x.element), Ptr(&x.text)}},
        {"Database::GetDetailDatabases", "ACAPI_Database_GetDetailDatabases",
         [&] { return Database::GetDetailDatabases(&x.databaseIds, &x.databaseList); },
         {Ptr(&x.databaseIds), Ptr(&x.databaseList)}},
        {"Database::GetWorksheetDatabases", "ACAPI_Database_GetWorksheetDatabases",
         [&] { return Database::GetWorksheetDatabases(&x.databaseIds, &x.databaseList); },
         {Ptr(&x.databaseIds), Ptr(&x.databaseList)}},
        {"Database::GetDatabaseInfo", "ACAPI_Window_GetDatabaseInfo",
         [&] { return Database::GetDatabaseInfo(&x.window, &x.databaseId); }, {Ptr(&x.window), Ptr(&x.databaseId)}},
        {"Database::New", "ACAPI_Database_NewDatabase",
         [&] { return Database::New(&x.window, &x.parent, &x.element); },
         {Ptr(&x.window), Ptr(&x.parent), Ptr(&x.element)}},
        {"Database::Modify", "ACAPI_Database_ModifyDatabase", [&] { return Database::Modify(&x.window); },
         {Ptr(&x.window)}},
        {"Database::GetGridSettings", "ACAPI_Window_GetGridSettings", [&] { return Database::GetGridSettings(x.grid); },
         {Ptr(&x.grid)}},

        // LibPart
        {"LibPart::GetNum", "ACAPI_LibraryPart_GetNum", [&] { return LibPart::GetNum(&x.count); }, {Ptr(&x.count)}},
        {"LibPart::Search", "ACAPI_LibraryPart_Search", [&] { return LibPart::Search(&x.libPart, true, false); },
         {Ptr(&x.libPart), Int(1), Int(0)}},
        {"LibPart::Get", "ACAPI_LibraryPart_Get", [&] { return LibPart::Get(&x.libPart); }, {Ptr(&x.libPart)}},
        {"LibPart::GetParams", "ACAPI_LibraryPart_GetParams",
         [&] { return LibPart::GetParams(17, &x.a, &x.b, &x.count, &x.params); },
         {Int(17), Ptr(&x.a), Ptr(&x.b), Ptr(&x.count), Ptr(&x.params)}},
        {"LibPart::GetSection", "ACAPI_LibraryPart_GetSection",
         [&] { return LibPart::GetSection(-3, &x.section, &x.sectionHandle, &x.text, nullptr); },
         {Int(-3), Ptr(&x.section), Ptr(&x.sectionHandle), Ptr(&x.text), Ptr(nullptr)}},
        {"LibPart::UpdateSection", "ACAPI_LibraryPart_UpdateSection",
         [&] { return LibPart::UpdateSection(4, &x.section, x.sectionHandle, &x.text, &x.password); },
         {Int(4), Ptr(&x.section), Ptr(x.sectionHandle), Ptr(&x.text), Ptr(&x.password)}},
        {"LibPart::GetSectParamDef", "ACAPI_LibraryPart_GetSect_ParamDef",
         [&] {
             return LibPart::GetSectParamDef(&x.libPart, &x.paramRecords, &x.a, &x.b, x.sectionHandle,
                                             &x.paramDefinition, &x.password);
         },
         {Ptr(&x.libPart), Ptr(&x.paramRecords), Ptr(&x.a), Ptr(&x.b), Ptr(x.sectionHandle), Ptr(&x.paramDefinition),
          Ptr(&x.password)}},
        {"LibPart::Create", "ACAPI_LibraryPart_Create", [&] { return LibPart::Create(&x.libPart); },
         {Ptr(&x.libPart)}},
        {"LibPart::NewSection", "ACAPI_LibraryPart_NewSection", [&] { return LibPart::NewSection(&x.section); },
         {Ptr(&x.section)}},
        {"LibPart::EndSection", "ACAPI_LibraryPart_EndSection", [&] { return LibPart::EndSection(); }, {}},
        {"LibPart::AddSection", "ACAPI_LibraryPart_AddSection",
         [&] { return LibPart::AddSection(&x.section, x.sectionHandle, &x.text); },
         {Ptr(&x.section), Ptr(x.sectionHandle), Ptr(&x.text)}},
        {"LibPart::WriteSection", "ACAPI_LibraryPart_WriteSection",
         [&] { return LibPart::WriteSection(5, x.bytes); }, {Int(5), Ptr(x.bytes)}},
        {"LibPart::GetSectionList", "ACAPI_LibraryPart_GetSectionList",
         [&] { return LibPart::GetSectionList(9, &x.count, &x.sections); },
         {Int(9), Ptr(&x.count), Ptr(&x.sections)}},
        {"LibPart::GetDetails", "ACAPI_LibraryPart_GetDetails", [&] { return LibPart::GetDetails(2, &x.details); },
         {Int(2), Ptr(&x.details)}},
        {"LibPart::Save", "ACAPI_LibraryPart_Save", [&] { return LibPart::Save(&x.libPart); }, {Ptr(&x.libPart)}},
        {"LibPart::Register", "ACAPI_LibraryPart_Register", [&] { return LibPart::Register(&x.libPart); },
         {Ptr(&x.libPart)}},
        {"LibPart::RegisterAll", "ACAPI_LibraryPart_RegisterAll", [&] { return LibPart::RegisterAll(&x.libParts); },
         {Ptr(&x.libParts)}},

        // Environment
        {"Environment::GetToolBoxMode", "ACAPI_Toolbox_GetToolBoxMode",
         [&] { return Environment::GetToolBoxMode(x.item); }, {Ptr(&x.item)}},
        {"Environment::SetToolBoxMode(item)", "ACAPI_Toolbox_SetToolBoxMode",
         [&] { return Environment::SetToolBoxMode(x.item); }, {Ptr(&x.item)}},
        {"Environment::SetToolBoxMode(type)", "ACAPI_Toolbox_SetToolBoxMode",
         [&] { return Environment::SetToolBoxMode(API_ElemTypeID(7)); }, {LocalRecord()}},
        {"Environment::GetSpecialFolder", "ACAPI_ProjectSettings_GetSpecFolder",
         [&] { return Environment::GetSpecialFolder(&x.folderId, &x.location); },
         {Ptr(&x.folderId), Ptr(&x.location)}},
        {"Environment::GetLibraries", "ACAPI_LibraryManagement_GetLibraries",
         [&] { return Environment::GetLibraries(&x.libraries, &x.count); }, {Ptr(&x.libraries), Ptr(&x.count)}},
        {"Environment::SetLibraries", "ACAPI_LibraryManagement_SetLibraries",
         [&] { return Environment::SetLibraries(&x.libraries); }, {Ptr(&x.libraries)}},
        {"Environment::AddLibraries", "ACAPI_LibraryManagement_AddLibraries",
         [&] { return Environment::AddLibraries(&x.location); }, {Ptr(&x.location)}},
        {"Environment::LoadLibraries", "ACAPI_LibraryManagement_AddLibraries",
         [&] { return Environment::LoadLibraries(&x.location); }, {Ptr(&x.location)}},
        {"Environment::Get3DWindowSets", "ACAPI_View_Get3DWindowSets",
         [&] { return Environment::Get3DWindowSets(&x.window3D); }, {Ptr(&x.window3D)}},
        {"Environment::Change3DWindowSets", "ACAPI_View_Change3DWindowSets",
         [&] { return Environment::Change3DWindowSets(&x.window3D); }, {Ptr(&x.window3D)}},
        {"Environment::Get3DStyle", "ACAPI_View_Get3DStyle", [&] { return Environment::Get3DStyle(&x.style); },
         {Ptr(&x.style)}},
        {"Environment::Change3DStyle", "ACAPI_View_Change3DStyle",
         [&] { return Environment::Change3DStyle(&x.style); }, {Ptr(&x.style)}},
        {"Environment::Get3DProjectionSets", "ACAPI_View_Get3DProjectionSets",
         [&] { return Environment::Get3DProjectionSets(&x.projection); }, {Ptr(&x.projection)}},
        {"Environment::Change3DProjectionSets", "ACAPI_View_Change3DProjectionSets",
         [&] { return Environment::Change3DProjectionSets(&x.projection); }, {Ptr(&x.projection), Ptr(nullptr)}},
        {"Environment::GetRenderingSets", "ACAPI_Rendering_GetRenderingSets",
         [&] { return Environment::GetRenderingSets(x.renderingSettings, 3, &x.text); },
         {Ptr(x.renderingSettings), Int(3), Ptr(&x.text)}},
        {"Environment::ChangeRenderingSets", "ACAPI_Rendering_ChangeRenderingSets",
         [&] { return Environment::ChangeRenderingSets(x.renderingSettings, -2); },
         {Ptr(x.renderingSettings), Int(-2)}},
        {"Environment::Project", "ACAPI_ProjectOperation_Project", [&] { return Environment::Project(&x.project); },
         {Ptr(&x.project)}},
        {"Environment::GetServerApplicationInfo", "ACAPI_AddOnIdentification_Application",
         [&] { return Environment::GetServerApplicationInfo(x.application); }, {Ptr(&x.application)}},
        {"Environment::GetPreferencesPlatform", "ACAPI_Preferences_Platform",
         [&] { return Environment::GetPreferencesPlatform(&x.version, &x.byteCount, x.bytes, &x.platform); },
         {Ptr(&x.version), Ptr(&x.byteCount), Ptr(x.bytes), Ptr(&x.platform)}},

        // Progress: the numbers go to the host in locals of the wrapper, the increment in the
        // caller's own variable.
        {"Progress::Init", "ACAPI_ProcessWindow_InitProcessWindow",
         [&] { return Progress::Init(x.text, 13, nullptr); }, {Ptr(&x.text), LocalRecord(), Ptr(nullptr)}},
        {"Progress::Next", "ACAPI_ProcessWindow_SetNextProcessPhase",
         [&] { return Progress::Next(x.text, 72, nullptr); }, {Ptr(&x.text), LocalRecord(), Ptr(nullptr)}},
        {"Progress::SetValue", "ACAPI_ProcessWindow_SetProcessValue", [&] { return Progress::SetValue(5); },
         {LocalRecord()}},
        {"Progress::IncrementValue", "ACAPI_ProcessWindow_IncProcessValue",
         [&] { return Progress::IncrementValue(x.count); }, {Ptr(&x.count)}},
        {"Progress::Close", "ACAPI_ProcessWindow_CloseProcessWindow", [&] { return Progress::Close(); }, {}},
    };
}

API_OperationId OperationNamed(const std::string& function)
{
    for (int operation = 0; operation < APIOp_Count; ++operation) {
        if (function == HostApi::NameOf(static_cast<API_OperationId>(operation)))
            return static_cast<API_OperationId>(operation);
    }
    ADD_FAILURE() << "no host function " << function;
    return APIOp_Count;
}

void ExpectRoute(const HostCall& call, const std::string& function)
{
    EXPECT_EQ(call.function, function);
    const API_OperationId operation = OperationNamed(function);
    if (operation == APIOp_Count)
        return;
#if ZELTO_ACAPI_VERSION >= 27  // named functions
    EXPECT_EQ(call.dispatcher, "");
#else
    EXPECT_EQ(call.dispatcher, HostApi::DispatcherName(HostApi::DispatchFamilyOf(operation)));
    EXPECT_EQ(call.selector, HostApi::SelectorOf(operation));
#endif
}

void ExpectArguments(const std::vector<HostArg>& actual, const std::vector<HostArg>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("argument " + std::to_string(i + 1));
        if (expected[i] == LocalRecord()) {
            EXPECT_EQ(actual[i].kind, HostArg::Kind::Pointer);
            EXPECT_NE(actual[i].pointer, 0u);
        } else {
            EXPECT_TRUE(actual[i] == expected[i]) << "pointer " << actual[i].pointer << " integer " << actual[i].integer;
        }
    }
}

class WrapperTable : public HostTest {
protected:
    void TearDown() override
    {
        // The glue must not keep a table of this test's.
        SetImportedFuncAddrs(API_ProtocolFormat, HostApi::Instance().TableFor(AddonApiVersion));
        HostTest::TearDown();
    }

    // The host's table with the one entry through which this build reaches the function removed.
    API_FunctionTable TableWithout(const std::string& function) const
    {
        API_FunctionTable table = *HostApi::Instance().TableFor(AddonApiVersion);
        const API_OperationId operation = OperationNamed(function);
#if ZELTO_ACAPI_VERSION >= 27
        table.operations[operation] = nullptr;
#else
        const API_FamilyId family = HostApi::DispatchFamilyOf(operation);
        if (family == APIFamily_Count)
            table.operations[operation] = nullptr;
        else
            table.dispatchers[family] = nullptr;
#endif
        return table;
    }

    Arguments arguments;
};

}  // namespace

TEST_F(WrapperTable, EachWrapperMakesOneHostCallWithTheCallersArguments)
{
    for (const WrapperRow& row : AllWrappers(arguments)) {
        SCOPED_TRACE(row.wrapper);
        Recorder().Clear();
        EXPECT_EQ(row.call(), NoError);
        ASSERT_EQ(Recorder().calls.size(), 1u);
        ExpectRoute(Recorder().calls[0], row.function);
        ExpectArguments(Recorder().calls[0].args, row.expected);
    }
}

TEST_F(WrapperTable, HostResultComesBackUnchanged)
{
    GSErrCode code = APIErrorCode(0x81061000u);
    for (const WrapperRow& row : AllWrappers(arguments)) {
        SCOPED_TRACE(row.wrapper);
        ++code;  // a code of its own for every row, none of them a real host code
        HostControl::InjectError(row.function, code);
        EXPECT_EQ(row.call(), code);
        HostControl::ClearFailures();
    }
}

TEST_F(WrapperTable, HostWithoutTheFunctionAnswersNotSupported)
{
    for (const WrapperRow& row : AllWrappers(arguments)) {
        SCOPED_TRACE(row.wrapper);
        const API_FunctionTable table = TableWithout(row.function);
        ASSERT_EQ(SetImportedFuncAddrs(API_ProtocolFormat, &table), NoError);
        Recorder().Clear();
        EXPECT_EQ(row.call(), APIERR_NOTSUPPORTED);
        EXPECT_TRUE(Recorder().calls.empty());
        ASSERT_EQ(SetImportedFuncAddrs(API_ProtocolFormat, HostApi::Instance().TableFor(AddonApiVersion)), NoError);
    }
}

TEST_F(WrapperTable, ReSetZoomAnswersZeroWithoutAHostCall)
{
    short zoom = 42;
    EXPECT_EQ(Database::ReSetZoom(&zoom), NoError);
    EXPECT_EQ(zoom, 42);
    EXPECT_EQ(Database::ReSetZoom(nullptr), NoError);
    HostControl::InjectError("ACAPI_View_SetZoom", APIERR_GENERAL);
    EXPECT_EQ(Database::ReSetZoom(&zoom), NoError);
    EXPECT_TRUE(Recorder().calls.empty());
}

TEST_F(WrapperTable, BoundsIn2DAnd3DAreTheSameHostAnswer)
{
    Host().ACAPI_Element_CalcBounds = [](const API_Elem_Head* head, API_Box3D* bounds) -> GSErrCode {
        *bounds = API_Box3D{0.0, 0.0, 0.0, 1.0 * head->typeID, 2.0, 3.0};
        return head->typeID == 0 ? APIERR_BADID : NoError;
    };
    for (API_ElemTypeID typeId : {0, 6}) {
        API_Elem_Head head{};
        head.typeID = typeId;
        API_Box3D bounds2D{};
        API_Box3D bounds3D{};
        const GSErrCode result2D = Database::CalcBounds2D(&head, &bounds2D);
        EXPECT_EQ(Database::CalcBounds3D(&head, &bounds3D), result2D);
        EXPECT_EQ(std::memcmp(&bounds2D, &bounds3D, sizeof bounds2D), 0);
    }
}

TEST_F(WrapperTable, ToolboxModeOfATypeIsAnItemZeroButForTheType)
{
    API_ToolBoxItem seen;
    std::memset(&seen, 0xA5, sizeof seen);
    Host().ACAPI_Toolbox_SetToolBoxMode = [&](API_ToolBoxItem* item) -> GSErrCode {
        seen = *item;
        return NoError;
    };
    EXPECT_EQ(Environment::SetToolBoxMode(API_ElemTypeID(26)), NoError);

    API_ToolBoxItem expected;
    std::memset(&expected, 0, sizeof expected);
    expected.typeID = 26;
    EXPECT_EQ(std::memcmp(&seen, &expected, sizeof seen), 0);
}

// ---- Field accessors ---------------------------------------------------------------------------

namespace {

template <typename Record>
Record ZeroRecord()
{
    Record record;
    std::memset(&record, 0, sizeof record);
    return record;
}

// The accessor pair must change exactly the bytes that writing the field directly changes, and
// read the field back.
template <typename Record, typename Value>
void ExpectAccessorPair(const char* name, void (*set)(Record&, Value), Value (*get)(const Record&),
                        void (*setField)(Record&, Value))
{
    SCOPED_TRACE(name);
    Record throughAccessor = ZeroRecord<Record>();
    Record direct = ZeroRecord<Record>();
    EXPECT_EQ(get(throughAccessor), 0);
    set(throughAccessor, Value(-77));
    setField(direct, Value(-77));
    EXPECT_EQ(std::memcmp(&throughAccessor, &direct, sizeof direct), 0);
    EXPECT_EQ(get(direct), -77);
}

}  // namespace

TEST(ElementFieldAccessors, EachPairWritesAndReadsItsOwnField)
{
    ExpectAccessorPair<API_Elem_Head, API_ElemTypeID>(
        "type id of a header", SetTypeId, GetTypeId, [](API_Elem_Head& r, API_ElemTypeID v) { r.typeID = v; });
    ExpectAccessorPair<API_Elem_Head, API_ElemVariationID>(
        "variation id of a header", SetVariationId, GetVariationId,
        [](API_Elem_Head& r, API_ElemVariationID v) { r.variationID = v; });
    ExpectAccessorPair<API_Element, API_ElemTypeID>(
        "type id of an element", SetTypeId, GetTypeId, [](API_Element& r, API_ElemTypeID v) { r.header.typeID = v; });
    ExpectAccessorPair<API_Element, API_ElemVariationID>(
        "variation id of an element", SetVariationId, GetVariationId,
        [](API_Element& r, API_ElemVariationID v) { r.header.variationID = v; });
    ExpectAccessorPair<API_Element, API_ElemTypeID>(
        "section type id", SetSectTypeId, GetSectTypeId,
        [](API_Element& r, API_ElemTypeID v) { r.sectElem.parentType = v; });
    ExpectAccessorPair<API_ParamOwnerType, API_ElemTypeID>(
        "owner type id", SetTypeId, GetTypeId, [](API_ParamOwnerType& r, API_ElemTypeID v) { r.typeID = v; });
    ExpectAccessorPair<API_ToolBoxItem, API_ElemTypeID>(
        "toolbox type id", Toolbox::SetTypeId, Toolbox::GetTypeId,
        [](API_ToolBoxItem& r, API_ElemTypeID v) { r.typeID = v; });
    ExpectAccessorPair<API_ToolBoxItem, API_ElemVariationID>(
        "toolbox variation id", Toolbox::SetVariationId, Toolbox::GetVariationId,
        [](API_ToolBoxItem& r, API_ElemVariationID v) { r.variationID = v; });
}

TEST(ElementFieldAccessors, FreeToolboxSettersMatchTheToolboxOnes)
{
    API_ToolBoxItem free = ZeroRecord<API_ToolBoxItem>();
    API_ToolBoxItem toolbox = ZeroRecord<API_ToolBoxItem>();
    SetTypeId(free, API_ElemTypeID(7));
    SetVariationId(free, API_ElemVariationID(3));
    Toolbox::SetTypeId(toolbox, 7);
    Toolbox::SetVariationId(toolbox, 3);
    EXPECT_EQ(std::memcmp(&free, &toolbox, sizeof free), 0);
}

TEST(ElementFieldAccessors, ElementTypeIsTheFirstFieldOfTheRecord)
{
    // The export takes an element whose first field is 0 for invalid: the accessor must read just that.
    API_Element element = ZeroRecord<API_Element>();
    element.object.libInd = 12;
    EXPECT_EQ(GetTypeId(element), 0);
    const Int32 objectType = 6;
    std::memcpy(&element, &objectType, sizeof objectType);
    EXPECT_EQ(GetTypeId(element), 6);
    EXPECT_EQ(GetTypeId(element.header), 6);
}
