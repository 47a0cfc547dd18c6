// The host's 3D save-as through the add-on's handler, end to end with every built module: the file
// that a confirmed export leaves, what a cancel or a failure leaves (nothing new, and an older file
// at the target untouched), the project name in the header, and the settings menu command.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "DGSettingsDialogScript.hpp"
#include "GSPref.hpp"
#include "GSPrefHost.hpp"
#include "ModuleFixture.hpp"
#include "SceneLoader.hpp"
#include "ZeltoReader.hpp"

namespace {

namespace fs = std::filesystem;

constexpr short AddOnMenu = 32510;
constexpr Int32 ExportSettingsItem = 4;

// A small project: two stories, two layers, a wall and a chair, one material.
constexpr const char* SmallScene = R"({
  "project": {
    "info": {"file": "House.pln"},
    "window": "3d",
    "stories": [{"index": 0, "level": 0.0, "name": "Ground floor"}, {"index": 1, "level": 3.0, "name": "First floor"}],
    "layers": [{"index": 1, "name": "General"}, {"index": 2, "name": "Walls"}],
    "materials": [{"index": 3, "name": "Brick", "color": [0.8, 0.2, 0.1]}],
    "libraryParts": [{"index": 1, "type": 4, "name": "Chair", "a": 0.5, "b": 0.5,
                      "parameters": [{"name": "ZZYZX", "number": 0.9}]}],
    "elements": [
      {"guid": "5A000000-0000-4000-8000-000000000001", "type": 1, "story": 0, "layer": 2},
      {"guid": "5A000000-0000-4000-8000-000000000002", "type": 6, "story": 1, "layer": 1, "libPart": 1,
       "position": [1.0, 1.0], "size": [0.5, 0.5], "parameters": [{"name": "ZZYZX", "number": 1.0}]}
    ]
  },
  "model": {
    "elements": [
      {"guid": "5A000000-0000-4000-8000-000000000001",
       "bodies": [{"vertices": [[0, 0, 0], [4, 0, 0], [4, 0, 3], [0, 0, 3]],
                   "polygons": [{"material": 1, "corners": [1, 2, 3, 4]}]}]},
      {"guid": "5A000000-0000-4000-8000-000000000002",
       "bodies": [{"vertices": [[1, 1, 3], [1.5, 1, 3], [1, 1.5, 3]], "polygons": [{"material": 1, "corners": [1, 2, 3]}]}]}
    ],
    "materials": [{"name": "Brick", "externalReference": 3, "surfaceColor": [0.8, 0.2, 0.1]}]
  }
})";

std::string ReadWholeFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Names of the entries in a folder, sorted: what an export left there.
std::vector<std::string> EntriesOf(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A value of the add-on's preference folder, read past the add-on; nullopt when it is not stored.
std::optional<Int32> StoredInt32(const char* key)
{
    GSPref::IRoot* root = nullptr;
    if (GSPref::OpenRootKey(GSPref::UserDomain, &root) != NoError)
        return std::nullopt;
    Int32 value = 0;
    const GSErrCode result = root->ReadInt32("Zelto", key, &value, 0, GSPref::FailWhenAbsent);
    GSPref::CloseRootKey(root);
    return result == NoError ? std::optional<Int32>(value) : std::nullopt;
}

std::optional<bool> StoredBool(const char* key)
{
    GSPref::IRoot* root = nullptr;
    if (GSPref::OpenRootKey(GSPref::UserDomain, &root) != NoError)
        return std::nullopt;
    bool value = false;
    const GSErrCode result = root->ReadBool("Zelto", key, &value, false, GSPref::FailWhenAbsent);
    GSPref::CloseRootKey(root);
    return result == NoError ? std::optional<bool>(value) : std::nullopt;
}

API_Guid NumberedGuid(UInt32 number)
{
    API_Guid guid{};
    guid.time_low = 0x5B000000u;
    guid.time_hi_and_version = 0x4000;
    guid.clock_seq_hi_and_reserved = 0x80;
    std::memcpy(guid.node, &number, sizeof number);
    return guid;
}

}  // namespace

class SaveAsTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        char folderTemplate[] = "/tmp/zelto-saveas-XXXXXX";
        ASSERT_NE(mkdtemp(folderTemplate), nullptr);
        root = folderTemplate;
        fs::create_directories(Home());
        fs::create_directories(Out());
        GSPref::SetUserDataFolder(Home().string());
        DGScriptedUser::Reset();
        LoadModule();
        std::string error;
        ASSERT_EQ(host->RunStartupProtocol(&error), NoError) << error;
    }

    void TearDown() override
    {
        ModuleTest::TearDown();
        DGScriptedUser::Reset();
        GSPref::SetUserDataFolder("");
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    fs::path Home() const { return root / "home"; }
    fs::path Out() const { return root / "out"; }
    fs::path Target() const { return Out() / "House.Zelto"; }

    void LoadSmallScene()
    {
        std::string error;
        ASSERT_TRUE(ZeltoHost::LoadSceneText(SmallScene, root.string(), "small.json", host->Project(), host->Model(),
                                             &error))
            << error;
    }

    // A model of count walls, each with one triangle, so that the runs over the elements poll for a
    // cancel (they poll at every thousandth element).
    void LoadLargeModel(int count)
    {
        host->Project().AddStory(0, 0.0, "Ground floor");
        host->Project().AddAttribute(1, 1, "General");
        ZeltoHost::ModelData& model = host->Model().Data();
        for (int i = 1; i <= count; ++i) {
            const API_Guid guid = NumberedGuid(static_cast<UInt32>(i));
            host->Project().AddElement(1, guid).record.header.layer = 1;
            ZeltoHost::ElementData element;
            element.guid = guid;
            ZeltoHost::BodyData body;
            const double x = i;
            body.vertices = {{x, 0.0, 0.0}, {x + 0.5, 0.0, 0.0}, {x, 0.0, 1.0}};
            ZeltoHost::AddPolygon(body, {{1, 2, 3}}, 0);
            element.bodies.push_back(body);
            model.elements.push_back(element);
        }
    }

    GSErrCode SaveAs(const fs::path& target) { return host->SaveAs3D(IO::Location(target.c_str())); }

    // What the user does in the next settings dialog.
    void PlanSettingsDialog(const std::vector<std::pair<std::string, std::string>>& settings, bool confirm)
    {
        std::string error;
        ASSERT_TRUE(ScriptSettingsDialog(settings, confirm, &error)) << error;
    }

    // The number of the first cancel poll made after the named phase began, in a run of the export
    // to a scratch file; 0 when that phase made no poll.
    int FirstPollOfPhase(const std::string& phaseTitle)
    {
        Recorder().processEvents.clear();
        host->Process().CancelAtPoll(0);
        EXPECT_EQ(SaveAs(root / "scratch.Zelto"), NoError);
        fs::remove(root / "scratch.Zelto");
        int polls = 0;
        bool inPhase = false;
        for (const std::string& event : Recorder().processEvents) {
            if (event.rfind("Next ", 0) == 0)
                inPhase = event.rfind("Next \"" + phaseTitle + "\"", 0) == 0;
            if (event.rfind("IsCanceled", 0) == 0) {
                ++polls;
                if (inPhase)
                    return polls;
            }
        }
        return 0;
    }

    fs::path root;
};

INSTANTIATE_TEST_SUITE_P(AllModules, SaveAsTest, ::testing::ValuesIn(BuiltModuleVersions()), VersionName);

TEST_P(SaveAsTest, ConfirmedExportWritesAFileTheReaderConsumesExactly)
{
    LoadSmallScene();
    ASSERT_EQ(SaveAs(Target()), NoError);

    const zelto_reader::File file = zelto_reader::ReadFile(Target().string());
    EXPECT_EQ(file.header.marker, "ZLTOBIN");
    EXPECT_EQ(file.header.fileName, "House");
    EXPECT_EQ(file.header.projectName, "House.pln");
    EXPECT_FALSE(file.header.direct) << "a save-as is not the direct export";
    EXPECT_EQ(file.header.apiVersion, GetParam());
    EXPECT_EQ(file.counts.objects, 2);
    EXPECT_EQ(file.counts.stories, 2);
    EXPECT_EQ(file.counts.layers, 2);
    EXPECT_EQ(file.counts.polygons, 2);
    EXPECT_EQ(EntriesOf(Out()), std::vector<std::string>{"House.Zelto"}) << "no temporary file stays behind";
    EXPECT_FALSE(host->Process().IsOpen());
    EXPECT_EQ(ZeltoHost::HostModel::LiveAttributeReaders(), 0) << "the attribute set reader is released";
}

TEST_P(SaveAsTest, ConfirmedExportReplacesAnOlderFile)
{
    LoadSmallScene();
    WriteWholeFile(Target(), "an older export");
    ASSERT_EQ(SaveAs(Target()), NoError);
    EXPECT_NO_THROW(zelto_reader::ReadFile(Target().string()));
    EXPECT_EQ(EntriesOf(Out()), std::vector<std::string>{"House.Zelto"});
}

TEST_P(SaveAsTest, AnyNameThatTheSaveDialogAcceptsIsExported)
{
    LoadSmallScene();
    const std::string longest = std::string(249, 'n') + ".Zelto";  // 255 bytes, the most a name holds
    for (const std::string& name : {std::string("Plan 12:30.Zelto"), std::string("tab\there.Zelto"), longest}) {
        SCOPED_TRACE(name);
        fs::remove_all(Out());
        fs::create_directories(Out());
        ASSERT_EQ(SaveAs(Out() / name), NoError);
        EXPECT_EQ(zelto_reader::ReadFile((Out() / name).string()).counts.objects, 2);
        EXPECT_EQ(EntriesOf(Out()), std::vector<std::string>{name});
    }
}

TEST_P(SaveAsTest, SettingsConfirmedInTheDialogAreStoredAndUsed)
{
    LoadSmallScene();
    PlanSettingsDialog({{"unit", "6"}, {"scale", "2.5"}, {"lights", "1"}, {"material-type", "1"}}, true);
    ASSERT_EQ(SaveAs(Target()), NoError);

    const DGDialogRecord* shown = DGScriptedUser::LastRecordOf(DGSettingsDialog::ResourceId);
    ASSERT_NE(shown, nullptr) << "the save-as shows the settings dialog";
    EXPECT_EQ(shown->result, 1);
    EXPECT_EQ(StoredInt32("Export Unit"), 6);
    EXPECT_EQ(StoredInt32("Export Scale"), 2500000) << "the scale is stored in millionths";
    EXPECT_EQ(StoredBool("Export Lights"), true);
    EXPECT_EQ(StoredInt32("Export Materials Type"), 1);

    const zelto_reader::File file = zelto_reader::ReadFile(Target().string());
    EXPECT_EQ(file.header.unit, 6);
    EXPECT_DOUBLE_EQ(file.header.scale, 2.5);
}

TEST_P(SaveAsTest, CancelledDialogLeavesNoFileAndKeepsAnOlderOne)
{
    LoadSmallScene();
    for (const bool olderFile : {false, true}) {
        SCOPED_TRACE(olderFile ? "an older file at the target" : "no file at the target");
        if (olderFile)
            WriteWholeFile(Target(), "an older export");
        PlanSettingsDialog({{"unit", "6"}}, false);
        EXPECT_EQ(SaveAs(Target()), APIERR_CANCEL);
        if (olderFile)
            EXPECT_EQ(ReadWholeFile(Target()), "an older export");
        else
            EXPECT_TRUE(EntriesOf(Out()).empty()) << "the file the writer had begun is gone";
        EXPECT_EQ(StoredInt32("Export Unit"), std::nullopt) << "a cancelled dialog stores nothing";
        EXPECT_TRUE(Recorder().processEvents.empty()) << "no pass ran";
    }
}

TEST_P(SaveAsTest, SettingsThatCannotBeStoredEndTheExportAsCancelled)
{
    LoadSmallScene();
    WriteWholeFile(Target(), "an older export");
    HostControl::InjectError("GSPref::Write:Export Scale", GSPref::StoreWriteErr);
    EXPECT_EQ(SaveAs(Target()), APIERR_CANCEL);
    EXPECT_EQ(ReadWholeFile(Target()), "an older export");
    EXPECT_EQ(EntriesOf(Out()), std::vector<std::string>{"House.Zelto"});
}

TEST_P(SaveAsTest, HeaderNamesTheProjectFileOrTheDefaultName)
{
    struct Case {
        const char* title;
        const char* projectFile;  // empty: untitled
        const char* teamFile;     // empty: not a teamwork project
        const char* expected;
    };
    const Case cases[] = {
        {"solo project", "/Projects/House.pln", "", "House.pln"},
        {"teamwork project: the shared project's name", "/Local/Copy.pln", "/Server/Office.plp", "Office.plp"},
        {"untitled project: list 32500 item 5", "", "", "Untitled"},
    };
    LoadSmallScene();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        host->Project().info.location = IO::Location(*c.projectFile != '\0' ? c.projectFile : nullptr);
        host->Project().info.teamLocation = IO::Location(*c.teamFile != '\0' ? c.teamFile : nullptr);
        ASSERT_EQ(SaveAs(Target()), NoError);
        EXPECT_EQ(zelto_reader::ReadFile(Target().string()).header.projectName, c.expected);
    }
}

TEST_P(SaveAsTest, ProjectInformationTheHostCannotGiveFallsBackToTheDefaultName)
{
    LoadSmallScene();
    HostControl::InjectError("ACAPI_ProjectOperation_Project", APIERR_GENERAL);
    ASSERT_EQ(SaveAs(Target()), NoError);
    EXPECT_EQ(zelto_reader::ReadFile(Target().string()).header.projectName, "Untitled");
}

TEST_P(SaveAsTest, CancelInTheProcessWindowDuringThePolygonRunKeepsTheOlderFile)
{
    LoadLargeModel(1000);
    const int poll = FirstPollOfPhase("Saving polygons");
    ASSERT_GT(poll, 0) << "the polygon run polls at its thousandth element";

    WriteWholeFile(Target(), "an older export");
    Recorder().processEvents.clear();
    host->Process().CancelAtPoll(poll);
    EXPECT_EQ(SaveAs(Target()), APIERR_CANCEL);

    EXPECT_FALSE(host->Process().IsOpen()) << "the process window is closed before the handler returns";
    EXPECT_EQ(host->Process().PhaseTitle(), "Saving polygons");
    EXPECT_EQ(ReadWholeFile(Target()), "an older export");
    EXPECT_EQ(EntriesOf(Out()), std::vector<std::string>{"House.Zelto"});
    EXPECT_EQ(ZeltoHost::HostModel::LiveAttributeReaders(), 0);
}

TEST_P(SaveAsTest, FailuresGiveTheGeneralErrorAndLeaveTheTargetAsItWas)
{
    struct Case {
        const char* title;
        void (*plan)(ZeltoHost::HostApp& host);
    };
    const Case cases[] = {
        {"host exception from a polygon read",
         [](ZeltoHost::HostApp& host) {
             ZeltoHost::ModelFault fault;
             fault.read = ZeltoHost::ModelRead::Polygon;
             fault.kind = ZeltoHost::ModelFault::Kind::HostException;
             host.Model().Data().faults.push_back(fault);
         }},
        {"out of memory while reading vertices",
         [](ZeltoHost::HostApp& host) {
             ZeltoHost::ModelFault fault;
             fault.read = ZeltoHost::ModelRead::Vertex;
             fault.kind = ZeltoHost::ModelFault::Kind::OutOfMemory;
             host.Model().Data().faults.push_back(fault);
         }},
        {"exception outside the host's family",
         [](ZeltoHost::HostApp& host) {
             ZeltoHost::ModelFault fault;
             fault.read = ZeltoHost::ModelRead::Element;
             fault.kind = ZeltoHost::ModelFault::Kind::OtherException;
             host.Model().Data().faults.push_back(fault);
         }},
        {"write error", [](ZeltoHost::HostApp&) { HostControl::InjectError("IO::File::WriteBin", -36); }},
        {"the model cannot be filled", [](ZeltoHost::HostApp&) { HostControl::InjectError("EXPGetModel", Error); }},
    };
    for (const Case& c : cases) {
        for (const bool olderFile : {false, true}) {
            SCOPED_TRACE(std::string(c.title) + (olderFile ? ", older file at the target" : ", no file yet"));
            host.reset();
            HostControl::ResetAll();
            host = std::make_unique<ZeltoHost::HostApp>(GetParam());
            LoadModule();
            ASSERT_EQ(host->RunStartupProtocol(nullptr), NoError);
            LoadSmallScene();
            fs::remove(Target());
            if (olderFile)
                WriteWholeFile(Target(), "an older export");
            c.plan(*host);

            EXPECT_EQ(SaveAs(Target()), APIERR_GENERAL);
            HostControl::ClearFailures();
            if (olderFile) {
                EXPECT_EQ(ReadWholeFile(Target()), "an older export");
                EXPECT_EQ(EntriesOf(Out()), std::vector<std::string>{"House.Zelto"});
            } else {
                EXPECT_TRUE(EntriesOf(Out()).empty()) << "nothing is left behind";
            }
            EXPECT_FALSE(host->Process().IsOpen());
            EXPECT_EQ(ZeltoHost::HostModel::LiveAttributeReaders(), 0);
        }
    }
}

TEST_P(SaveAsTest, TargetThatCannotBeWrittenGivesTheGeneralError)
{
    LoadSmallScene();
    WriteWholeFile(root / "plain-file", "not a folder");
    const fs::path targets[] = {root / "missing-folder" / "House.Zelto", root / "plain-file" / "House.Zelto"};
    for (const fs::path& target : targets) {
        SCOPED_TRACE(target.string());
        EXPECT_EQ(SaveAs(target), APIERR_GENERAL);
        EXPECT_FALSE(fs::exists(target));
    }
    EXPECT_EQ(ReadWholeFile(root / "plain-file"), "not a folder");
}

TEST_P(SaveAsTest, MissingTargetOrSightGivesTheGeneralError)
{
    LoadSmallScene();
    APIIO3DCommandProc* handler = host->FileTypeHandler3D(1);
    ASSERT_NE(handler, nullptr);
    EXPECT_EQ(handler(nullptr, host->Model().Sight()), APIERR_GENERAL);

    API_IOParams noLocation{};
    EXPECT_EQ(handler(&noLocation, host->Model().Sight()), APIERR_GENERAL);

    host->Model().hasSight = false;
    EXPECT_EQ(SaveAs(Target()), APIERR_GENERAL);
    EXPECT_TRUE(EntriesOf(Out()).empty());
}

TEST_P(SaveAsTest, SettingsMenuCommandReturnsZeroOnlyWhenConfirmedAndSaved)
{
    struct Case {
        const char* title;
        bool confirm;
        const char* failingWrite;  // a preference key whose write fails, or null
        GSErrCode expected;
        std::optional<Int32> storedUnit;
    };
    const Case cases[] = {
        {"confirmed and saved", true, nullptr, NoError, 5},
        {"cancelled", false, nullptr, APIERR_GENERAL, std::nullopt},
        {"confirmed, but the settings cannot be stored", true, "GSPref::Write:Export Unit", APIERR_GENERAL,
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        fs::remove(GSPref::GetPreferenceFilePath());
        HostControl::ClearFailures();
        if (c.failingWrite != nullptr)
            HostControl::InjectError(c.failingWrite, GSPref::StoreWriteErr);
        PlanSettingsDialog({{"unit", "5"}}, c.confirm);
        EXPECT_EQ(host->InvokeMenuCommand(AddOnMenu, ExportSettingsItem), c.expected);
        HostControl::ClearFailures();
        EXPECT_NE(DGScriptedUser::LastRecordOf(DGSettingsDialog::ResourceId), nullptr);
        EXPECT_EQ(StoredInt32("Export Unit"), c.storedUnit);
        EXPECT_TRUE(EntriesOf(Out()).empty()) << "the settings command exports nothing";
    }
}

TEST_P(SaveAsTest, MenuItemsWithoutAnActionReturnZero)
{
    for (const Int32 item : {2, 5, 7, 0}) {
        SCOPED_TRACE(item);
        Recorder().calls.clear();
        EXPECT_EQ(host->InvokeMenuCommand(AddOnMenu, item), NoError);
        EXPECT_TRUE(Recorder().calls.empty()) << "the item does nothing";
    }
}
