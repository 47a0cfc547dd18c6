// The export engine's driver: construction, the phases the process window is told about against
// the phases that run, the cancel polls of the element runs, and how failures leave the engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>

#include "BM.hpp"
#include "DGSettingsDialogScript.hpp"
#include "HostControl.hpp"
#include "IOErrors.hpp"
#include "MAExporterTest.hpp"

using namespace engine_test;

namespace {

class EngineDriverTest : public EngineTest {};

// Init's phase count and the number of phases begun before the window closed.
struct PhaseTally {
    int announced = -1;
    int begun = 0;
};

PhaseTally TallyPhases(const Events& events)
{
    PhaseTally tally;
    for (const std::string& event : events) {
        if (event.rfind("Init ", 0) == 0)
            tally.announced = std::stoi(event.substr(event.rfind(' ') + 1));
        else if (event.rfind("Next ", 0) == 0)
            ++tally.begun;
    }
    return tally;
}

bool HasPhase(const Events& events, const std::string& title)
{
    for (const std::string& event : events)
        if (event.rfind("Next \"" + title + "\"", 0) == 0)
            return true;
    return false;
}

// The title of the phase in which the first cancel was noticed, "" when none was.
std::string PhaseOfCancel(const Events& events)
{
    std::string phase;
    for (const std::string& event : events) {
        if (event.rfind("Next \"", 0) == 0)
            phase = event.substr(6, event.find('"', 6) - 6);
        if (event == "IsCanceled yes")
            return phase;
    }
    return "";
}

}  // namespace

TEST_F(EngineDriverTest, MissingModelOrTargetIsANullPointerFailure)
{
    IO::Location target(TargetPath().c_str());
    API_IOParams io{};
    io.fileLoc = &target;
    ModelerAPI::Model modelerModel;
    try {
        WRL::MAExporter exporter(nullptr, &io, false, IO::Name("P"));
        FAIL() << "no exception";
    } catch (const GS::NullPointerException& failure) {
        EXPECT_EQ(failure.GetErrorCode(), -50);
    }
    try {
        WRL::MAExporter exporter(&modelerModel, nullptr, false, IO::Name("P"));
        FAIL() << "no exception";
    } catch (const GS::NullPointerException& failure) {
        EXPECT_EQ(failure.GetErrorCode(), -50);
    }
}

// However the file cannot be made, the run ends as a file failure (-108) after one line that names
// the step that failed, its file and the host's error; the process window never opens.
TEST_F(EngineDriverTest, AWriterThatCannotBeMadeIsAFileFailureLoggedOnce)
{
    ModelerAPI::Model modelerModel;
    struct Case {
        const char* name;
        std::string target;
        std::function<void()> arrange;
        std::string step;
    };
    const std::string missing = folder.PathOf("no such folder/House.Zelto");
    const Case cases[] = {
        {"a missing folder", missing, [] {}, "Cannot write the export target " + missing + ": IO::AccessDeniedErr"},
        {"a target that is a folder", TargetPath(),
         [this] { std::filesystem::create_directory(folder.PathOf("House.Zelto")); },
         "The export target " + TargetPath() + " is not a file that can be replaced: IO::WrongTypeErr"},
        {"a temporary file that cannot be made", TargetPath(),
         [] { HostControl::InjectError("IO::fileSystem::CreateFile", IO::DiskFullErr); },
         "Cannot make a temporary file beside " + TargetPath() + ": IO::DiskFullErr"},
        {"a temporary file that cannot be opened", TargetPath(),
         [] { HostControl::InjectError("IO::File::Open", IO::AccessDeniedErr); },
         "Cannot open the temporary file " + folder.Path() + "/.House.Zelto."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HostControl::ClearFailures();
        Recorder().Clear();
        log.clear();
        c.arrange();
        IO::Location target(c.target.c_str());
        IO::Name name("House.Zelto");
        API_IOParams io{};
        io.fileLoc = &target;
        io.fileName = &name;
        try {
            WRL::MAExporter exporter(&modelerModel, &io, false, IO::Name("P"));
            ADD_FAILURE() << "no exception";
        } catch (const GS::OutOfMemoryException& failure) {
            EXPECT_EQ(failure.GetErrorCode(), -108);
        }
        EXPECT_TRUE(ProcessEvents().empty());
        std::filesystem::remove_all(folder.PathOf("House.Zelto"));
        EXPECT_EQ(log.size(), 1u);
        for (const std::string& line : log) {
            EXPECT_EQ(line.rfind("Zelto_export:: Cannot create the export file: OutOfMemoryException (-108", 0), 0u)
                << line;
            EXPECT_NE(line.find(c.step), std::string::npos) << line;
        }
    }
}

TEST_F(EngineDriverTest, ACompletedExportClosesTheWindowOnceAfterTheTrailer)
{
    AddElement(1);
    const zelto_reader::File file = Export();
    EXPECT_EQ(file.counts.objects, 1);
    ASSERT_FALSE(ProcessEvents().empty());
    EXPECT_EQ(ProcessEvents().front().rfind("Init \"Saving Zelto file\"", 0), 0u);
    EXPECT_EQ(ProcessEvents().back(), "Close");
    EXPECT_EQ(std::count(ProcessEvents().begin(), ProcessEvents().end(), "Close"), 1);
    EXPECT_FALSE(window.IsOpen());
}

TEST_F(EngineDriverTest, TheSaveAsRoadRunsTheExportWithTheStoredSettings)
{
    AddElement(1);
    const Outcome outcome = Run(false, [](WRL::MAExporter& exporter) { exporter.ExportScene(); });
    EXPECT_EQ(outcome.kind, Outcome::Kind::Completed);
    EXPECT_EQ(zelto_reader::ReadFile(TargetPath()).counts.objects, 1);
}

// Confirmed settings that the preferences cannot keep are exported all the same, and the failed
// store is logged with the key it stopped at; a cancelled dialog still ends the export as a cancel.
TEST_F(EngineDriverTest, TheSaveAsRoadExportsConfirmedSettingsThatCannotBeStored)
{
    AddElement(1);
    HostControl::InjectError("GSPref::Write:Export Unit", -1);
    std::string error;
    ASSERT_TRUE(ScriptSettingsDialog({{"unit", "custom"}, {"scale", "7.5"}}, true, &error)) << error;

    const Outcome outcome = Run(false, [](WRL::MAExporter& exporter) { exporter.ExportScene(); });

    ASSERT_EQ(outcome.kind, Outcome::Kind::Completed);
    EXPECT_DOUBLE_EQ(zelto_reader::ReadFile(TargetPath()).header.scale, 7.5);
    EXPECT_TRUE(Logged("Cannot store the export setting \"Export Unit\""));
    EXPECT_TRUE(Logged("could not all be stored; exporting with them"));

    ASSERT_TRUE(ScriptSettingsDialog({}, false, &error)) << error;
    EXPECT_EQ(Run(false, [](WRL::MAExporter& exporter) { exporter.ExportScene(); }).kind,
              Outcome::Kind::Cancelled);
}

// Every combination of the settings that decide passes, a model with and without textures, and
// stories and layers that the host can or cannot give.
TEST_F(EngineDriverTest, TheWindowIsToldExactlyThePhasesThatRun)
{
    AddElement(1);
    project.AddStory(0, 0.0, "Ground");
    project.AddAttribute(1, 1, "Layer");
    for (Int32 materialType = 1; materialType <= 3; ++materialType)
        for (int flags = 0; flags < 64; ++flags) {
            Settings settings;
            settings.materialType = materialType;
            settings.exportTextures = (flags & 1) != 0;
            settings.exportLights = (flags & 2) != 0;
            settings.exportCameras = (flags & 4) != 0;
            const bool withTexture = (flags & 8) != 0;
            const bool storiesReadable = (flags & 16) != 0;
            const bool layersReadable = (flags & 32) != 0;
            SCOPED_TRACE("material type " + std::to_string(materialType) + ", flags " + std::to_string(flags));
            Recorder().Clear();
            HostControl::ClearFailures();
            Store(settings);
            model.textures.clear();
            if (withTexture)
                model.textures.push_back(ZeltoHost::TextureData());
            if (!storiesReadable)
                HostControl::InjectError("ACAPI_ProjectSetting_GetStorySettings", APIERR_GENERAL);
            if (!layersReadable)
                HostControl::InjectError("ACAPI_Attribute_GetAttributesByType", APIERR_GENERAL);

            ASSERT_EQ(Run().kind, Outcome::Kind::Completed);
            const PhaseTally tally = TallyPhases(ProcessEvents());
            EXPECT_EQ(tally.announced, tally.begun);
            EXPECT_EQ(HasPhase(ProcessEvents(), StoriesTitle), storiesReadable);
            EXPECT_EQ(HasPhase(ProcessEvents(), LayersTitle), layersReadable);
        }
}

TEST_F(EngineDriverTest, ElementRunsPollForACancelAtEveryThousandthElementOnly)
{
    for (int i = 0; i < 2500; ++i)
        AddElement(1);
    Export();
    int polls = 0;
    for (const std::string& event : ProcessEvents())
        polls += event.rfind("IsCanceled", 0) == 0 ? 1 : 0;
    // Bounds, elements and the three mesh runs, each at elements 1000 and 2000; no stories or layers.
    EXPECT_EQ(polls, 5 * 2);
}

// A cancel noticed at the 1000th element of each run over the elements: the export ends with
// WRL::Cancel, the window is closed, and a file that was at the target stays as it was.
TEST_F(EngineDriverTest, ACancelAtTheThousandthElementOfEachRunEndsTheExport)
{
    for (int i = 0; i < 1000; ++i)
        AddElement(1);
    struct Case {
        int poll;
        const char* phase;
    };
    const Case cases[] = {{1, BoundsTitle}, {2, ElementsTitle}, {3, PointsTitle}, {4, UvwTitle}, {5, PolygonsTitle}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.phase);
        Recorder().Clear();
        folder.WriteFile("House.Zelto", "the previous export");
        window.CancelAtPoll(c.poll);

        const Outcome outcome = Run();

        EXPECT_EQ(outcome.kind, Outcome::Kind::Cancelled);
        EXPECT_EQ(outcome.code, -7003);
        EXPECT_EQ(PhaseOfCancel(ProcessEvents()), c.phase);
        EXPECT_FALSE(window.IsOpen());
        ASSERT_GE(ProcessEvents().size(), 2u);
        EXPECT_EQ(ProcessEvents()[ProcessEvents().size() - 2], "Close");  // by the pass
        EXPECT_EQ(ProcessEvents().back().rfind("Close", 0), 0u);           // again by the driver
        EXPECT_EQ(folder.ReadFile("House.Zelto"), "the previous export");
    }
}

TEST_F(EngineDriverTest, StoriesAndLayersPollAfterEveryItem)
{
    AddElement(1);
    project.AddStory(0, 0.0, "Ground");
    project.AddStory(1, 3.0, "First");
    project.AddAttribute(1, 1, "Layer");
    project.AddAttribute(1, 2, "Walls");
    struct Case {
        int poll;
        const char* phase;
    };
    for (const auto& c : {Case{1, StoriesTitle}, Case{2, StoriesTitle}, Case{3, LayersTitle}, Case{4, LayersTitle}}) {
        SCOPED_TRACE(c.poll);
        Recorder().Clear();
        window.CancelAtPoll(c.poll);
        EXPECT_EQ(Run().kind, Outcome::Kind::Cancelled);
        EXPECT_EQ(PhaseOfCancel(ProcessEvents()), c.phase);
        EXPECT_FALSE(window.IsOpen());
    }
}

// Failures of every kind inside the passes end as a general failure (-7003) after the original was
// logged in one line, with the window closed and no file at the target. A Real that would not be
// finite in the file, whichever record it belongs to, is such a failure too: the line names the
// record and the value.
TEST_F(EngineDriverTest, FailuresInsideThePassesBecomeAGeneralFailure)
{
    AddElement(1);
    AddElement(1);
    struct Case {
        const char* name;
        std::function<void(ZeltoHost::ModelData&)> plan;
        std::string logged;
        std::string place = "";  // where the export failed, in the same line
    };
    using Kind = ZeltoHost::ModelFault::Kind;
    auto modelFault = [](ZeltoHost::ModelRead read, Kind kind) {
        return [read, kind](ZeltoHost::ModelData& data) {
            ZeltoHost::ModelFault fault;
            fault.read = read;
            fault.kind = kind;
            fault.code = -4711;
            data.faults.push_back(fault);
        };
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto storeAtScale100 = [](Settings settings) {  // far values overflow at this scale
        settings.scale = 100.0;
        Store(settings);
    };
    const Case cases[] = {
        {"host exception from a model read", modelFault(ZeltoHost::ModelRead::Vertex, Kind::HostException),
         "GeneralException (-4711"},
        {"out of memory in a model read", modelFault(ZeltoHost::ModelRead::BodyCount, Kind::OutOfMemory), "bad_alloc"},
        {"other exception from a model read", modelFault(ZeltoHost::ModelRead::Element, Kind::OtherException),
         "Export failed in \"Computing the scene bounds\": injected model read failure"},
        {"host exception out of a host call",
         [](ZeltoHost::ModelData&) {
             HostControl::Failure failure;
             failure.kind = HostControl::Failure::Kind::HostException;
             failure.code = -4712;
             HostControl::Inject("ACAPI_Element_GetElemTypeName", failure);
         },
         "(-4712"},
        {"write error", [](ZeltoHost::ModelData&) { HostControl::InjectError("IO::File::WriteBin", IO::DiskFullErr); },
         "Cannot write the export file: IO::DiskFullErr"},
        {"a vertex that overflows once scaled",
         [&](ZeltoHost::ModelData& data) {
             storeAtScale100(Settings());
             data.elements[1].bodies[0].vertices[2].x = 1e307;
         },
         "The scene bounds record's value inf is not a finite number",
         "Export failed in \"Computing the scene bounds\""},
        {"a vertex far out that no polygon uses",
         [&](ZeltoHost::ModelData& data) {
             storeAtScale100(Settings());
             data.elements[0].bodies[0].vertices.push_back({0.0, -1e307, 0.0});
         },
         "The point record's value -inf is not a finite number",
         "Export failed in \"Saving points\""},
        {"a project offset that overflows once scaled",
         [&](ZeltoHost::ModelData&) {
             Settings settings;
             settings.useOffset = true;
             storeAtScale100(settings);
             project.offset = {0.0, 1e307};
         },
         "The scene bounds record's value inf is not a finite number",
         "Export failed in \"Computing the scene bounds\""},
        {"a story level that overflows once scaled",
         [&](ZeltoHost::ModelData&) {
             storeAtScale100(Settings());
             project.AddStory(0, 1e307, "Sky");
         },
         "The story record's value inf is not a finite number",
         "Export failed in \"Saving stories\""},
        {"a light far out",
         [&](ZeltoHost::ModelData& data) {
             Settings settings;
             settings.exportLights = true;
             storeAtScale100(settings);
             ZeltoHost::LightData light;
             light.type = 9400;
             light.position = {1e307, 0.0, 0.0};
             data.elements[0].lights.push_back(light);
         },
         "The light record's value inf is not a finite number",
         "Export failed in \"Saving lights\""},
        {"a light falloff that is not a number",
         [&](ZeltoHost::ModelData& data) {
             Settings settings;
             settings.exportLights = true;
             storeAtScale100(settings);
             ZeltoHost::LightData light;
             light.type = 9400;
             light.distanceFalloff = nan;  // the attenuation becomes 1.0; the falloff itself is written
             data.elements[0].lights.push_back(light);
         },
         "The light record's value nan is not a finite number",
         "Export failed in \"Saving lights\""},
        {"a camera far out",
         [&](ZeltoHost::ModelData&) {
             Settings settings;
             settings.exportCameras = true;
             storeAtScale100(settings);
             project.AddElement(26, GuidNumber(90)).record.camera.persp.target.x = -1e307;
         },
         "The camera record's value -inf is not a finite number",
         "Export failed in \"Saving cameras\""},
        {"a texture coordinate that is not a number",
         [&](ZeltoHost::ModelData& data) {
             storeAtScale100(Settings());
             data.elements[0].bodies[0].textureCoordinates = {{0.0, 0.0}, {nan, 0.0}, {1.0, 1.0}, {0.0, 1.0}};
         },
         "The texture coordinate record's value nan is not a finite number",
         "Export failed in \"Saving texture coordinates\""},
    };
    const ZeltoHost::ModelData healthy = model;
    const ZeltoHost::HostProject healthyProject = project;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Recorder().Clear();
        HostControl::ClearFailures();
        log.clear();
        model = healthy;
        project = healthyProject;
        Store(Settings());
        c.plan(model);

        const Outcome outcome = Run();

        EXPECT_EQ(outcome.kind, Outcome::Kind::GeneralFailure);
        EXPECT_EQ(outcome.code, -7003);
        EXPECT_EQ(LinesHolding({c.logged, c.place}), 1) << (log.empty() ? std::string("nothing logged") : log.back());
        EXPECT_FALSE(window.IsOpen());
        ASSERT_FALSE(ProcessEvents().empty());
        EXPECT_EQ(ProcessEvents().back(), "Close");
        EXPECT_FALSE(folder.Exists("House.Zelto"));
    }
}

// What fails after the last pass is the export file's own failure, told as such in one line, never
// as the last pass's: the trailer and the final write, the file's close, its move to the target.
TEST_F(EngineDriverTest, FailuresAfterTheLastPassNameTheExportFile)
{
    AddElement(1);
    struct Case {
        const char* point;  // the one failing host call; the small file is written in one block
        const char* place;
        std::string cause;
    };
    const Case cases[] = {
        {"IO::File::WriteBin", "Export failed while writing the export file",
         "Cannot write the export file: IO::DiskFullErr"},
        {"IO::File::Flush", "Export failed while closing the export file",
         "Cannot write the export file to disk: IO::DiskFullErr"},
        {"IO::File::Close", "Export failed while closing the export file",
         "Cannot close the export file: IO::DiskFullErr"},
        {"IO::fileSystem::Rename", "Export failed while putting the export file in place",
         "Cannot put the export file at " + TargetPath() + ": IO::DiskFullErr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.point);
        Recorder().Clear();
        HostControl::ClearFailures();
        log.clear();
        folder.WriteFile("House.Zelto", "the previous export");
        HostControl::InjectError(c.point, IO::DiskFullErr);

        const Outcome outcome = Run();

        EXPECT_EQ(outcome.kind, Outcome::Kind::GeneralFailure);
        EXPECT_EQ(outcome.code, -7003);
        EXPECT_EQ(LinesHolding({"IO::DiskFullErr"}), 1) << (log.empty() ? std::string("nothing logged") : log.back());
        EXPECT_EQ(LinesHolding({"Zelto_export:: " + std::string(c.place) + ": GeneralException (-7003",
                                "Zelto_export:: " + c.cause}),
                  1)
            << (log.empty() ? std::string("nothing logged") : log.back());
        EXPECT_EQ(LinesHolding({"Export failed in"}), 0) << "the last pass did not fail";
        EXPECT_FALSE(window.IsOpen());
        EXPECT_EQ(folder.ReadFile("House.Zelto"), "the previous export");
    }
}

TEST_F(EngineDriverTest, TheOffsetIsReadOnlyWhenAskedForAndAFailedReadCountsAsNoOffset)
{
    AddElement(1, {MakeBody({{1, 2, 3}, {2, 2, 3}, {2, 3, 3}}, {{{1, 2, 3}}})});
    project.offset = {10.0, -20.0};

    Export();
    EXPECT_EQ(Recorder().CountOf("ACAPI_ProjectSetting_GetOffset"), 0u);

    Settings settings;
    settings.useOffset = true;
    Store(settings);
    Recorder().Clear();
    HostControl::InjectError("ACAPI_ProjectSetting_GetOffset", APIERR_GENERAL);
    const zelto_reader::File file = Export();
    EXPECT_EQ(Recorder().CountOf("ACAPI_ProjectSetting_GetOffset"), 1u);
    EXPECT_TRUE(Logged("Error: Cannot get offset: #"));
    ASSERT_EQ(file.points.size(), 3u);
    EXPECT_DOUBLE_EQ(file.points[0].x, 1.0);
    EXPECT_DOUBLE_EQ(file.points[0].y, 2.0);
}

TEST_F(EngineDriverTest, EveryHostHandleIsReleased)
{
    const Int32 lamp = AddElement(7);
    project.AddStory(0, 0.0, "Ground");
    project.AddStory(1, 3.0, "First");
    ZeltoHost::HostLibPart part;
    part.documentName = "Lamp";
    part.parameters.push_back(ZeltoHost::HostParameter::Number("ZZYZX", 2, 0.5));
    ProjectRecord(lamp).lamp.libInd = project.AddLibPart(part);
    ProjectElement(lamp).parameters.push_back(ZeltoHost::HostParameter::Text("TAVO_item_no", "12-A"));

    const Int64 blocksBefore = BMLiveBlockCount();
    Export();
    EXPECT_EQ(BMLiveBlockCount(), blocksBefore);

    // Also when the library part's parameters cannot be read after the memo was.
    HostControl::InjectError("ACAPI_LibraryPart_GetParams", APIERR_GENERAL);
    Export();
    EXPECT_EQ(BMLiveBlockCount(), blocksBefore);
}
