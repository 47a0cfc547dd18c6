// The host's 3D save-as through the add-on's handler, end to end with every built module: the file
// that a confirmed export leaves, what a cancel or a failure leaves (nothing new, and an older file
// at the target untouched), the project name in the header, and the settings menu command.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "DGSettingsDialogScript.hpp"
#include "ExportFolderFixture.hpp"
#include "GSPref.hpp"
#include "GSPrefHost.hpp"
#include "IOErrors.hpp"
#include "SceneLoader.hpp"
#include "SmallProject.hpp"
#include "WithoutPermissionOverride.hpp"
#include "ZeltoReader.hpp"

namespace {

namespace fs = std::filesystem;

constexpr short AddOnMenu = 32510;
constexpr Int32 ExportSettingsItem = 4;

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

class SaveAsTest : public ExportFolderTest {
protected:
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

// The user confirmed: the export runs with the confirmed settings although the preferences cannot
// keep them all (the keys before the failing one are stored, the others keep their values).
TEST_P(SaveAsTest, ConfirmedSettingsThatCannotBeStoredAreStillExported)
{
    LoadSmallScene();
    WriteWholeFile(Target(), "an older export");
    HostControl::InjectError("GSPref::Write:Export Scale", GSPref::StoreWriteErr);
    PlanSettingsDialog({{"unit", "custom"}, {"scale", "2.5"}, {"lights", "on"}}, true);

    EXPECT_EQ(SaveAs(Target()), NoError);

    const zelto_reader::File file = zelto_reader::ReadFile(Target().string());
    EXPECT_EQ(file.header.unit, 6);
    EXPECT_DOUBLE_EQ(file.header.scale, 2.5);
    EXPECT_EQ(EntriesOf(Out()), std::vector<std::string>{"House.Zelto"});
    EXPECT_EQ(StoredInt32("Export Unit"), 6);
    EXPECT_EQ(StoredInt32("Export Scale"), std::nullopt);
}

// A custom scale beyond what the preferences can hold is exported as typed; only its stored form
// stops at the Int32 limit.
TEST_P(SaveAsTest, AScaleTooLargeForThePreferencesIsExportedAsTyped)
{
    LoadSmallScene();
    PlanSettingsDialog({{"unit", "custom"}, {"scale", "3000"}}, true);

    ASSERT_EQ(SaveAs(Target()), NoError);

    const zelto_reader::File file = zelto_reader::ReadFile(Target().string());
    EXPECT_DOUBLE_EQ(file.header.scale, 3000.0);
    EXPECT_DOUBLE_EQ(file.bounds.max.x, 4.0 * 3000.0);
    EXPECT_DOUBLE_EQ(file.bounds.max.z, 3.0 * 3000.0);
    EXPECT_EQ(StoredInt32("Export Scale"), 2147483647);
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

// A failed save-as says once, in one line of the debug channel, what failed and where: however many
// layers the failure passes on its way to the handler's result.
TEST_P(SaveAsTest, AFailureIsLoggedOnceWithItsCauseAndPlace)
{
    struct Case {
        const char* title;
        std::function<void()> arrange;
        const char* error;
        std::string place;
    };
    const Case cases[] = {
        {"a target that is a folder", [this] { fs::create_directory(Target()); }, "IO::WrongTypeErr",
         "The export target " + Target().string() + " is not a file that can be replaced"},
        {"a temporary file that cannot be made",
         [] { HostControl::InjectError("IO::fileSystem::CreateFile", IO::DiskFullErr); }, "IO::DiskFullErr",
         "Zelto_export:: Cannot make a temporary file beside " + Target().string()},
        {"a full disk at the final write", [] { HostControl::InjectError("IO::File::WriteBin", IO::DiskFullErr); },
         "IO::DiskFullErr", "Zelto_export:: Export failed while writing the export file: "},
        {"a model that cannot be filled", [] { HostControl::InjectError("EXPGetModel", APIERR_MEMFULL); },
         "APIERR_MEMFULL", "Zelto_export:: EXPGetModel failed"},
    };
    LoadSmallScene();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        fs::remove_all(Target());
        c.arrange();
        Recorder().debugLines.clear();

        EXPECT_EQ(SaveAs(Target()), APIERR_GENERAL);

        HostControl::ClearFailures();
        std::vector<std::string> named;
        for (const std::string& line : Recorder().debugLines)
            if (line.find(c.error) != std::string::npos)
                named.push_back(line);
        EXPECT_EQ(named.size(), 1u);
        for (const std::string& line : named) {
            EXPECT_EQ(line.rfind("Zelto_export:: ", 0), 0u) << line;
            EXPECT_NE(line.find(c.place), std::string::npos) << line;
        }
    }
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

// ---- Odd targets, publishing last, and exports to one target at once ------------------------------

namespace {

std::uint32_t PermissionsOf(const fs::path& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? static_cast<std::uint32_t>(info.st_mode & 07777) : 0u;
}

bool IsRegularFile(const fs::path& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

TEST_P(SaveAsTest, OddTargetsAreRefusedUntouchedOrReplacedByARegularFile)
{
    struct Case {
        const char* title;
        std::function<void(const fs::path& target)> arrange;
        GSErrCode expected;
        std::function<void(const fs::path& target)> check;  // after the export
    };
    const fs::path elsewhere = root / "elsewhere.txt";
    const Case cases[] = {
        {"a pipe is refused and stays a pipe",
         [](const fs::path& target) { ASSERT_EQ(::mkfifo(target.c_str(), 0644), 0); }, APIERR_GENERAL,
         [](const fs::path& target) { EXPECT_TRUE(fs::is_fifo(fs::symlink_status(target))); }},
        {"a folder is refused with what it holds",
         [](const fs::path& target) {
             fs::create_directory(target);
             WriteWholeFile(target / "inside.txt", "kept");
         },
         APIERR_GENERAL,
         [](const fs::path& target) { EXPECT_EQ(ReadWholeFile(target / "inside.txt"), "kept"); }},
        {"a file in a read-only folder is kept",
         [](const fs::path& target) {
             WriteWholeFile(target, "an older export");
             fs::permissions(target.parent_path(), fs::perms(0555));
         },
         APIERR_GENERAL,
         [](const fs::path& target) {
             fs::permissions(target.parent_path(), fs::perms(0755));
             EXPECT_EQ(ReadWholeFile(target), "an older export");
         }},
        {"a private file keeps its permissions",
         [](const fs::path& target) {
             WriteWholeFile(target, "an older export");
             fs::permissions(target, fs::perms(0600));
         },
         NoError,
         [](const fs::path& target) {
             EXPECT_EQ(PermissionsOf(target), 0600u);
             EXPECT_TRUE(IsRegularFile(target));
         }},
        {"a symbolic link is replaced, not written through",
         [&elsewhere](const fs::path& target) {
             WriteWholeFile(elsewhere, "the link's file");
             fs::permissions(elsewhere, fs::perms(0640));
             fs::create_symlink(elsewhere, target);
         },
         NoError,
         [&elsewhere](const fs::path& target) {
             EXPECT_TRUE(IsRegularFile(target));
             EXPECT_EQ(PermissionsOf(target), 0640u) << "the permissions of the file the link led to";
             EXPECT_EQ(ReadWholeFile(elsewhere), "the link's file");
         }},
        {"a hard link is replaced, its other name keeps the older file",
         [&elsewhere](const fs::path& target) {
             WriteWholeFile(elsewhere, "the linked file");
             fs::create_hard_link(elsewhere, target);
         },
         NoError, [&elsewhere](const fs::path&) { EXPECT_EQ(ReadWholeFile(elsewhere), "the linked file"); }},
        {"a link that leads nowhere is replaced",
         [](const fs::path& target) { fs::create_symlink(target.parent_path() / "missing", target); }, NoError,
         [](const fs::path& target) { EXPECT_TRUE(IsRegularFile(target)); }},
    };
    LoadSmallScene();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        fs::remove(elsewhere);
        fs::remove_all(Out());
        fs::create_directories(Out());
        c.arrange(Target());
        {
            WithoutPermissionOverride asAUser;
            EXPECT_EQ(SaveAs(Target()), c.expected);
        }
        c.check(Target());
        EXPECT_EQ(EntriesOf(Out()), std::vector<std::string>{"House.Zelto"}) << "nothing is left beside the target";
        if (c.expected == NoError) {
            EXPECT_EQ(zelto_reader::ReadFile(Target().string()).counts.objects, 2);
        }
    }
}

TEST_P(SaveAsTest, TheFileIsPublishedOnlyAfterEverythingElseSucceeded)
{
    LoadSmallScene();
    WriteWholeFile(Target(), "an older export");
    HostControl::Failure failure;
    failure.kind = HostControl::Failure::Kind::HostException;
    failure.code = APIERR_GENERAL;
    HostControl::Inject("ACAPI_ProcessWindow_CloseProcessWindow", failure);
    EXPECT_EQ(SaveAs(Target()), APIERR_GENERAL);
    EXPECT_EQ(ReadWholeFile(Target()), "an older export") << "a failed export never replaced the target";
    EXPECT_EQ(EntriesOf(Out()), std::vector<std::string>{"House.Zelto"});

    // A window the host only reports it could not close does not cost the export.
    HostControl::InjectError("ACAPI_ProcessWindow_CloseProcessWindow", APIERR_GENERAL);
    EXPECT_EQ(SaveAs(Target()), NoError);
    EXPECT_EQ(zelto_reader::ReadFile(Target().string()).counts.objects, 2);
}

namespace {

// How one of several exports to one target ends, planned before it starts.
enum class PlannedEnd { Completes, FailsWriting, IsCancelled };

struct ConcurrentExport {
    double scale;  // tells the exports' files apart
    PlannedEnd end;
};

// The child's exit status for the handler's result.
constexpr int ExitCompleted = 10;
constexpr int ExitCancelled = 11;
constexpr int ExitFailed = 12;
constexpr int ExitOther = 13;

int ExitStatusFor(GSErrCode result)
{
    switch (result) {
        case NoError: return ExitCompleted;
        case APIERR_CANCEL: return ExitCancelled;
        case APIERR_GENERAL: return ExitFailed;
        default: return ExitOther;
    }
}

int ExpectedExitStatus(PlannedEnd end)
{
    switch (end) {
        case PlannedEnd::Completes: return ExitCompleted;
        case PlannedEnd::FailsWriting: return ExitFailed;
        case PlannedEnd::IsCancelled: return ExitCancelled;
    }
    return ExitOther;
}

}  // namespace

// Several hosts export one large scene to one target at once (each a process of its own, forked
// once the scene is loaded). While they run the target is read again and again: it only ever holds
// the older file or a complete file of an export that reports success, and each export reports
// what it did.
TEST_P(SaveAsTest, ExportsToOneTargetAtOnceOnlyEverLeaveACompleteFileThere)
{
    const ConcurrentExport exports[] = {
        {1.0, PlannedEnd::Completes},    {2.0, PlannedEnd::FailsWriting}, {3.0, PlannedEnd::Completes},
        {4.0, PlannedEnd::IsCancelled},  {5.0, PlannedEnd::Completes},    {6.0, PlannedEnd::Completes},
    };
    LoadLargeModel(15000);
    const std::string older = "an older export";
    WriteWholeFile(Target(), older);
    HostControl::TheRecorder().keepCalls = false;

    std::vector<pid_t> children;
    for (const ConcurrentExport& run : exports) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int status = ExitOther;
            try {
                std::string error;
                const std::vector<std::pair<std::string, std::string>> settings = {
                    {"unit", "6"}, {"scale", std::to_string(run.scale)}};
                if (ScriptSettingsDialog(settings, true, &error)) {
                    if (run.end == PlannedEnd::FailsWriting)
                        HostControl::InjectError("IO::File::WriteBin", IO::DiskFullErr, 0);
                    if (run.end == PlannedEnd::IsCancelled)
                        host->Process().CancelAtPoll(3);
                    status = ExitStatusFor(SaveAs(Target()));
                }
            } catch (...) {
            }
            ::_exit(status);
        }
        children.push_back(child);
    }

    std::vector<double> seenScales;
    bool seenNewFile = false;
    std::size_t running = children.size();
    std::vector<int> statuses(children.size(), -1);
    while (running > 0) {
        const std::string bytes = ReadWholeFile(Target());
        if (bytes == older) {
            EXPECT_FALSE(seenNewFile) << "the older file came back";
        } else {
            seenNewFile = true;
            try {
                seenScales.push_back(zelto_reader::ReadBytes(std::vector<uint8_t>(bytes.begin(), bytes.end())).header.scale);
            } catch (const std::exception& problem) {
                ADD_FAILURE() << "the target held an incomplete file (" << bytes.size() << " bytes): " << problem.what();
            }
        }
        for (std::size_t i = 0; i < children.size(); ++i) {
            int status = 0;
            if (statuses[i] == -1 && ::waitpid(children[i], &status, WNOHANG) == children[i]) {
                statuses[i] = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                --running;
            }
        }
    }

    std::vector<double> completedScales;
    for (std::size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE("export at scale " + std::to_string(exports[i].scale));
        EXPECT_EQ(statuses[i], ExpectedExitStatus(exports[i].end));
        if (statuses[i] == ExitCompleted)
            completedScales.push_back(exports[i].scale);
    }
    seenScales.push_back(zelto_reader::ReadFile(Target().string()).header.scale);
    for (const double scale : seenScales) {
        EXPECT_NE(std::find(completedScales.begin(), completedScales.end(), scale), completedScales.end())
            << "the target held the file of the export at scale " << scale << ", which did not report success";
    }
    EXPECT_EQ(EntriesOf(Out()), std::vector<std::string>{"House.Zelto"}) << "no temporary file stays behind";
}

TEST_P(SaveAsTest, APreferenceCloseThatThrowsIsLoggedAndTheExportGoesOn)
{
    LoadSmallScene();
    for (const bool confirm : {true, false}) {
        SCOPED_TRACE(confirm ? "confirmed" : "cancelled");
        WriteWholeFile(Target(), "an older export");
        Recorder().debugLines.clear();
        HostControl::Failure failure;
        failure.kind = HostControl::Failure::Kind::HostException;
        failure.code = GSPref::StoreWriteErr;
        HostControl::Inject("GSPref::Close", failure);
        PlanSettingsDialog({{"unit", "5"}}, confirm);
        EXPECT_EQ(SaveAs(Target()), confirm ? NoError : APIERR_CANCEL);
        HostControl::ClearFailures();
        if (confirm) {
            EXPECT_EQ(zelto_reader::ReadFile(Target().string()).header.unit, 5);
            EXPECT_EQ(StoredInt32("Export Unit"), 5) << "what was stored before the close stands";
        } else {
            EXPECT_EQ(ReadWholeFile(Target()), "an older export");
        }
        EXPECT_EQ(EntriesOf(Out()), std::vector<std::string>{"House.Zelto"}) << "the temporary file is removed";
        EXPECT_EQ(GSPref::CountOpenRoots(), 0);
        const auto named = std::find_if(Recorder().debugLines.begin(), Recorder().debugLines.end(),
                                        [](const std::string& line) {
                                            return line.find("Cannot close the preferences") != std::string::npos;
                                        });
        EXPECT_NE(named, Recorder().debugLines.end()) << "the failed close is logged";
    }
}
