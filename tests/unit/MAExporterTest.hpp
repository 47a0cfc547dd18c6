// Shared ground of the export engine's tests: a host project and a 3D model built in code (each
// model element with its project element of the same GUID), the export settings in the host's
// preferences, one export run through WRL::MAExporter, and the result read back with the
// independent reader only.
#ifndef TESTS_MAEXPORTERTEST_HPP
#define TESTS_MAEXPORTERTEST_HPP

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "GSException.hpp"
#include "GSPref.hpp"
#include "GSPrefHost.hpp"
#include "HostProject.hpp"
#include "LogHelpers.hpp"
#include "MAExporter.hpp"
#include "ModelData.hpp"
#include "ModelerAPI.hpp"
#include "ProcessWindow.hpp"
#include "ZELTO_export_Cancel.hpp"
#include "ZELTO_export_Parameters.hpp"
#include "ZeltoReader.hpp"
#include "common/AddonTestEnvironment.hpp"
#include "common/TemporaryFolder.hpp"

namespace engine_test {

using Events = std::vector<std::string>;

inline API_Guid GuidNumber(UInt32 number)
{
    API_Guid guid = APINULLGuid;
    guid.time_low = number;
    guid.node[5] = 0x5A;
    return guid;
}

// The text form the element records carry.
inline std::string GuidText(UInt32 number)
{
    char text[64];
    std::snprintf(text, sizeof text, "{%08X-0000-0000-0000-00000000005A}", number);
    return text;
}

// A body of the given vertices and polygons (each a list of convex rings of 1-based vertex indices).
inline ZeltoHost::BodyData MakeBody(std::vector<ModelerAPI::Vertex> vertices,
                                    const std::vector<std::vector<std::vector<Int32>>>& polygons,
                                    Int32 materialIndex = 0)
{
    ZeltoHost::BodyData body;
    body.vertices = std::move(vertices);
    for (const auto& rings : polygons)
        ZeltoHost::AddPolygon(body, rings, materialIndex);
    return body;
}

// A unit square at height z with its corner at (x, y): four vertices, one convex polygon. Polygons
// name no material unless asked to (a material the model lacks is no valid model).
inline ZeltoHost::BodyData SquareBody(double x = 0.0, double y = 0.0, double z = 0.0, Int32 materialIndex = 0)
{
    return MakeBody({{x, y, z}, {x + 1, y, z}, {x + 1, y + 1, z}, {x, y + 1, z}}, {{{1, 2, 3, 4}}}, materialIndex);
}

struct Settings {
    Int32 materialType = 1;
    bool exportTextures = false;
    bool exportLights = false;
    bool exportCameras = false;
    bool exportCurrent3DCamera = false;
    double scale = 1.0;
    bool useOffset = false;
    Int32 unit = 2;
};

// How an export run ended.
struct Outcome {
    enum class Kind { Completed, Cancelled, GeneralFailure, OtherFailure };
    Kind kind = Kind::Completed;
    GSErrCode code = NoError;
    std::string name;
};

class EngineTest : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        GSPref::SetUserDataFolder(preferences.Path());
        ZeltoHost::InstallProject(project);
        ZeltoHost::InstallProcessWindow(window);
        SetLogSink([this](LogLevel /*level*/, const char* message) { log.push_back(message); });
        Store(Settings());
    }
    void TearDown() override
    {
        EXPECT_EQ(GSPref::CountOpenRoots(), 0);
        GSPref::SetUserDataFolder("");
        HostTest::TearDown();
    }

    // Adds element number n (from 1) to the model and, under the same GUID, to the project.
    Int32 AddElement(API_ElemTypeID typeId, std::vector<ZeltoHost::BodyData> bodies = {SquareBody()})
    {
        const UInt32 number = static_cast<UInt32>(model.elements.size() + 1);
        ZeltoHost::ElementData element;
        element.guid = GuidNumber(number);
        element.bodies = std::move(bodies);
        model.elements.push_back(std::move(element));
        project.AddElement(typeId, GuidNumber(number));
        return static_cast<Int32>(number);
    }
    ZeltoHost::ElementData& ModelElement(Int32 number) { return model.elements.at(static_cast<std::size_t>(number - 1)); }
    API_Element& ProjectRecord(Int32 number)
    {
        for (ZeltoHost::HostElement& element : project.elements)
            if (element.record.header.guid == GuidNumber(static_cast<UInt32>(number)))
                return element.record;
        throw std::logic_error("no project element " + std::to_string(number));
    }
    ZeltoHost::HostElement& ProjectElement(Int32 number)
    {
        for (ZeltoHost::HostElement& element : project.elements)
            if (element.record.header.guid == GuidNumber(static_cast<UInt32>(number)))
                return element;
        throw std::logic_error("no project element " + std::to_string(number));
    }

    static void Store(const Settings& settings)
    {
        GSPref::IRoot* root = nullptr;
        ASSERT_EQ(GSPref::OpenRootKey(0, &root), NoError);
        root->WriteInt32(WRL::REG_Folder, WRL::REG_MaterialType, settings.materialType);
        root->WriteBool(WRL::REG_Folder, WRL::REG_Textures, settings.exportTextures);
        root->WriteBool(WRL::REG_Folder, WRL::REG_Lights, settings.exportLights);
        root->WriteBool(WRL::REG_Folder, WRL::REG_Cameras, settings.exportCameras);
        root->WriteBool(WRL::REG_Folder, WRL::REG_3Dcameras, settings.exportCurrent3DCamera);
        root->WriteInt32(WRL::REG_Folder, WRL::REG_Scale, static_cast<Int32>(settings.scale * 1000000.0 + 0.5));
        root->WriteBool(WRL::REG_Folder, WRL::REG_Offset, settings.useOffset);
        root->WriteInt32(WRL::REG_Folder, WRL::REG_Unit, settings.unit);
        GSPref::CloseRootKey(root);
    }

    std::string TargetPath() const { return folder.PathOf("House.Zelto"); }

    // One export run through MainExporter (or through the given entry point), its way out recorded.
    Outcome Run(bool direct = false, const std::function<void(WRL::MAExporter&)>& entry = nullptr)
    {
        ModelerAPI::Model modelerModel;
        modelerModel.Attach(std::make_shared<const ZeltoHost::ModelData>(model));
        IO::Location target(TargetPath().c_str());
        IO::Name fileName("House.Zelto");
        API_IOParams io{};
        io.fileLoc = &target;
        io.fileName = &fileName;
        Outcome outcome;
        try {
            WRL::MAExporter exporter(&modelerModel, &io, direct, IO::Name("Villa Project"));
            if (entry)
                entry(exporter);
            else
                exporter.MainExporter();
        } catch (const WRL::Cancel& cancel) {
            outcome = {Outcome::Kind::Cancelled, cancel.GetErrorCode(), cancel.GetName()};
        } catch (const GS::GeneralException& failure) {
            outcome = {Outcome::Kind::GeneralFailure, failure.GetErrorCode(), failure.GetName()};
        } catch (const GS::GSException& failure) {
            outcome = {Outcome::Kind::OtherFailure, failure.GetErrorCode(), failure.GetName()};
        }
        return outcome;
    }

    // A run that must complete; the file as the independent reader sees it.
    zelto_reader::File Export(bool direct = false)
    {
        const Outcome outcome = Run(direct);
        EXPECT_EQ(outcome.kind, Outcome::Kind::Completed)
            << outcome.name << " " << outcome.code << ": " << (log.empty() ? std::string("nothing logged") : log.back());
        if (outcome.kind != Outcome::Kind::Completed)
            throw std::runtime_error("the export did not complete");
        return zelto_reader::ReadFile(TargetPath());
    }

    const Events& ProcessEvents() { return Recorder().processEvents; }

    // Cancels the export at poll 1, 2, ... until a run completes; every cancelled run must end as a
    // cancel with the window closed. The title of the phase that each cancel fell in, in poll order.
    std::vector<std::string> PhaseOfEachCancel()
    {
        std::vector<std::string> cancelledPhases;
        for (int poll = 1; poll <= 100; ++poll) {
            SCOPED_TRACE(poll);
            Recorder().processEvents.clear();
            window.CancelAtPoll(poll);
            const Outcome outcome = Run();
            if (outcome.kind == Outcome::Kind::Completed)
                break;
            EXPECT_EQ(outcome.kind, Outcome::Kind::Cancelled);
            EXPECT_EQ(outcome.code, -7003);
            EXPECT_FALSE(window.IsOpen());
            std::string phase;
            for (const std::string& event : ProcessEvents()) {
                if (event.rfind("Next \"", 0) == 0)
                    phase = event.substr(6, event.find('"', 6) - 6);
                if (event == "IsCanceled yes")
                    break;
            }
            cancelledPhases.push_back(phase);
        }
        return cancelledPhases;
    }

    // Whether some log message holds the text.
    bool Logged(const std::string& text) const { return LinesHolding({text}) > 0; }
    // How many log messages hold every one of the texts.
    int LinesHolding(std::initializer_list<std::string> texts) const
    {
        int lines = 0;
        for (const std::string& message : log) {
            bool holdsAll = true;
            for (const std::string& text : texts)
                holdsAll = holdsAll && message.find(text) != std::string::npos;
            lines += holdsAll ? 1 : 0;
        }
        return lines;
    }

    ZeltoHost::ModelData model;
    ZeltoHost::HostProject project;
    ZeltoHost::ProcessWindow window;
    TemporaryFolder folder;
    TemporaryFolder preferences;
    std::vector<std::string> log;
};

// Titles of the process window's phases, as the add-on's resource file holds them.
constexpr const char* BoundsTitle = "Computing the scene bounds";
constexpr const char* ClassesTitle = "Saving classes";
constexpr const char* StoriesTitle = "Saving stories";
constexpr const char* LayersTitle = "Saving layers";
constexpr const char* ElementsTitle = "Saving elements";
constexpr const char* PointsTitle = "Saving points";
constexpr const char* UvwTitle = "Saving texture coordinates";
constexpr const char* PolygonsTitle = "Saving polygons";

}  // namespace engine_test

#endif
