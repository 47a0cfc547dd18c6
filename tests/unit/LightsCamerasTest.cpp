// The light, camera-set and camera passes as the export file shows them, the camera of the current
// 3D view, unreadable elements, cancels in each pass, and the offered camera orientation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "HostControl.hpp"
#include "MAExporterTest.hpp"
#include "Vector3.hpp"

using namespace engine_test;

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr const char* LightsTitle = "Saving lights";
constexpr const char* CameraSetsTitle = "Saving camera sets";
constexpr const char* CamerasTitle = "Saving cameras";

bool HasPhase(const Events& events, const std::string& title)
{
    for (const std::string& event : events)
        if (event.rfind("Next \"" + title + "\"", 0) == 0)
            return true;
    return false;
}

API_PerspPars View(double x, double y, double cameraZ, double targetX, double targetY, double targetZ,
                   double viewCone, double rollAngle)
{
    API_PerspPars view{};
    view.pos = {x, y};
    view.cameraZ = cameraZ;
    view.target = {targetX, targetY};
    view.targetZ = targetZ;
    view.viewCone = viewCone;
    view.rollAngle = rollAngle;
    view.distance = 99.0;  // not part of the record
    return view;
}

class EngineLightsCamerasTest : public EngineTest {
protected:
    ZeltoHost::LightData& AddLight(Int32 element, Int32 type)
    {
        ZeltoHost::LightData light;
        light.type = type;
        ModelElement(element).lights.push_back(light);
        return ModelElement(element).lights.back();
    }

    // Project elements of the camera passes; they have no model element.
    API_Guid AddCameraSet(UInt32 number, const char* name)
    {
        ZeltoHost::HostElement& set = project.AddElement(27, GuidNumber(number));
        const GS::UniString text(name);
        for (USize i = 0; i < text.GetLength() && i < 255; ++i)
            set.record.camset.name[i] = text[i];
        return GuidNumber(number);
    }
    void AddCamera(UInt32 number, const API_Guid& set, const API_PerspPars& view)
    {
        ZeltoHost::HostElement& camera = project.AddElement(26, GuidNumber(number));
        camera.record.camera.camSetGuid = set;
        camera.record.camera.persp = view;
    }

    void ServeProjection(const API_3DProjectionInfo& projection, GSErrCode result = NoError)
    {
        Host().ACAPI_View_Get3DProjectionSets = [projection, result](API_3DProjectionInfo* into) {
            *into = projection;  // also on failure, which must not be read
            return result;
        };
    }
};

}  // namespace

// Host types 9200, 9400 and 9300 give codes 0, 1 and 2; another type is skipped but keeps its
// number. The records carry the object number of the element's own record.
TEST_F(EngineLightsCamerasTest, LightsCarryTheirTypeCodeLightNumberAndObjectNumber)
{
    Settings settings;
    settings.exportLights = true;
    Store(settings);
    AddElement(1, {});
    const Int32 invalid = AddElement(1, {});
    ModelElement(invalid).invalid = true;
    AddLight(invalid, 9200);
    const Int32 lamp = AddElement(7, {});
    for (Int32 type : {9200, 9999, 9300, 9400})
        AddLight(lamp, type);

    const zelto_reader::File file = Export();

    ASSERT_EQ(file.lights.size(), 3u);
    const struct {
        int32_t code;
        int32_t number;
    } expected[] = {{0, 1}, {2, 3}, {1, 4}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(file.lights[i].typeCode, expected[i].code);
        EXPECT_EQ(file.lights[i].lightNumber, expected[i].number);
        EXPECT_EQ(file.lights[i].objectNumber, 1);
        EXPECT_EQ(file.lights[i].name, "Light");
    }
    EXPECT_EQ(file.counts.lights, 3);
    ASSERT_EQ(file.elements.size(), 2u);
}

// Positions get offset and scale, distances the scale; the radius and the distances behind the
// attenuation stay unscaled; cone angles are the full cone in degrees; parameters go out unreplaced.
TEST_F(EngineLightsCamerasTest, ALightsValuesAreOffsetScaledAndConverted)
{
    Settings settings;
    settings.exportLights = true;
    settings.scale = 100.0;
    settings.useOffset = true;
    Store(settings);
    project.offset = {10.0, -20.0};
    const Int32 lamp = AddElement(7, {});
    ZeltoHost::LightData& light = AddLight(lamp, 9300);
    light.color = {0.25, 0.5, 0.75};
    light.position = {1.0, 2.0, 3.0};
    light.direction = {0.0, 0.6, -0.8};
    light.minDistance = 1.0;
    light.maxDistance = 4.0;
    light.distanceFalloff = 0.5;
    light.castsShadow = true;
    light.radius = 0.3;
    light.falloffAngle1 = Pi / 4;
    light.falloffAngle2 = 0.0;
    light.angleFalloff = 0.7;
    light.extraParameters = {ZeltoHost::NumberParameter("Intensity", 2.5),
                             ZeltoHost::TextParameter("C4D_SHIMAGE_FILE", "wood")};

    const zelto_reader::File exported = Export();

    ASSERT_EQ(exported.lights.size(), 1u);
    const zelto_reader::Light& written = exported.lights[0];
    EXPECT_DOUBLE_EQ(written.color.green, 0.5);
    EXPECT_DOUBLE_EQ(written.position.x, 1100.0);
    EXPECT_DOUBLE_EQ(written.position.y, -1800.0);
    EXPECT_DOUBLE_EQ(written.position.z, 300.0);
    EXPECT_DOUBLE_EQ(written.target.x, 1100.0);
    EXPECT_DOUBLE_EQ(written.target.y, (2.0 - 20.0 + 0.6 * 4.0) * 100.0);
    EXPECT_DOUBLE_EQ(written.target.z, (3.0 - 0.8 * 4.0) * 100.0);
    EXPECT_TRUE(written.castsShadow);
    EXPECT_DOUBLE_EQ(written.attenuation, 0.8);
    EXPECT_DOUBLE_EQ(written.radius, 0.3);
    EXPECT_DOUBLE_EQ(written.coneAngle1, 90.0);
    EXPECT_DOUBLE_EQ(written.coneAngle2, 0.0);
    EXPECT_DOUBLE_EQ(written.angleFalloff, 0.7);
    EXPECT_DOUBLE_EQ(written.minDistance, 100.0);
    EXPECT_DOUBLE_EQ(written.maxDistance, 400.0);
    EXPECT_DOUBLE_EQ(written.distanceFalloff, 0.5);
    ASSERT_EQ(written.parameters.size(), 2u);
    EXPECT_EQ(written.parameters[0].name, "INTENSITY");
    EXPECT_DOUBLE_EQ(written.parameters[0].number, 2.5);
    EXPECT_EQ(written.parameters[1].text, "wood");
}

// 1 / (((max - min) / 2 - min) x falloff + 1), and 1.0 wherever that is not a finite number. (A
// falloff that is itself not finite goes into the record as well, and fails the export there.)
TEST_F(EngineLightsCamerasTest, TheAttenuationIsOneWhenItIsNotFinite)
{
    Settings settings;
    settings.exportLights = true;
    Store(settings);
    const struct {
        double minDistance, maxDistance, falloff, attenuation;
    } cases[] = {
        {0.0, 0.0, 3.0, 1.0},          {1.0, 9.0, 0.0, 1.0},     {0.0, 2.0, 1.0, 0.5},
        {1.0, 0.0, 2.0 / 3.0, 1.0},    {0.0, 2.0, -1.0, 1.0},    {0.0, 1.0, 1e308, 1.0 / (0.5 * 1e308 + 1.0)},
    };
    const Int32 lamp = AddElement(7, {});
    for (const auto& c : cases) {
        ZeltoHost::LightData& light = AddLight(lamp, 9400);
        light.minDistance = c.minDistance;
        light.maxDistance = c.maxDistance;
        light.distanceFalloff = c.falloff;
    }

    const zelto_reader::File file = Export();

    ASSERT_EQ(file.lights.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_DOUBLE_EQ(file.lights[i].attenuation, cases[i].attenuation) << i;
}

TEST_F(EngineLightsCamerasTest, TheLightPhaseOpensWhenLightsAreExportedEvenWithoutLights)
{
    AddElement(1, {});
    for (bool exportLights : {false, true}) {
        SCOPED_TRACE(exportLights);
        Recorder().processEvents.clear();
        Settings settings;
        settings.exportLights = exportLights;
        Store(settings);
        const zelto_reader::File file = Export();
        EXPECT_TRUE(file.lights.empty());
        EXPECT_EQ(HasPhase(ProcessEvents(), LightsTitle), exportLights);
    }
}

// Only the current view: one record with id 0, no GUID and no set, the two angles as the host holds
// them. A parallel view, or a projection the host cannot give, yields no record.
TEST_F(EngineLightsCamerasTest, TheCurrentViewCameraIsWrittenOnlyForAPerspectiveView)
{
    Settings settings;
    settings.exportCurrent3DCamera = true;
    settings.scale = 10.0;
    settings.useOffset = true;
    Store(settings);
    project.offset = {1.0, 2.0};
    AddCameraSet(90, "Not exported");
    API_3DProjectionInfo projection{};
    projection.isPersp = true;
    projection.u_persp = View(3.0, 4.0, 1.7, 8.0, 9.0, 1.2, 0.9, 0.1);
    ServeProjection(projection);

    const zelto_reader::File file = Export();

    ASSERT_EQ(file.cameras.size(), 1u);
    const zelto_reader::Camera& camera = file.cameras[0];
    EXPECT_EQ(camera.name, "3D View Camera");
    EXPECT_EQ(camera.id, 0);
    EXPECT_EQ(camera.guid, "");
    EXPECT_EQ(camera.cameraSet, -1);
    EXPECT_DOUBLE_EQ(camera.position.x, 40.0);
    EXPECT_DOUBLE_EQ(camera.position.y, 60.0);
    EXPECT_DOUBLE_EQ(camera.position.z, 17.0);
    EXPECT_DOUBLE_EQ(camera.target.x, 90.0);
    EXPECT_DOUBLE_EQ(camera.target.y, 110.0);
    EXPECT_DOUBLE_EQ(camera.target.z, 12.0);
    EXPECT_DOUBLE_EQ(camera.angle1, 0.9);
    EXPECT_DOUBLE_EQ(camera.angle2, 0.1);
    EXPECT_TRUE(file.cameraSets.empty());
    EXPECT_EQ(file.counts.cameras, 1);
    EXPECT_FALSE(HasPhase(ProcessEvents(), CamerasTitle));

    projection.isPersp = false;
    ServeProjection(projection);
    EXPECT_TRUE(Export().cameras.empty());

    projection.isPersp = true;
    ServeProjection(projection, APIERR_GENERAL);
    EXPECT_TRUE(Export().cameras.empty());
}

// Camera sets by their position among the sets written; camera ids count the cameras written;
// angles in degrees; the view camera comes first when both settings are on.
TEST_F(EngineLightsCamerasTest, CameraElementsNameTheirSetByItsPosition)
{
    Settings settings;
    settings.exportCameras = true;
    settings.exportCurrent3DCamera = true;
    Store(settings);
    const API_Guid first = AddCameraSet(50, "Front");
    const API_Guid second = AddCameraSet(51, "Garden");
    AddCamera(60, second, View(1, 2, 3, 4, 5, 6, Pi / 2, Pi / 6));
    AddCamera(61, GuidNumber(77), View(0, 0, 0, 0, 1, 0, 0, 0));
    AddCamera(62, first, View(0, 0, 0, 0, 1, 0, Pi, 0));
    API_3DProjectionInfo projection{};
    projection.isPersp = true;
    ServeProjection(projection);

    const zelto_reader::File file = Export();

    ASSERT_EQ(file.cameraSets.size(), 2u);
    EXPECT_EQ(file.cameraSets[0].name, "Front");
    EXPECT_EQ(file.cameraSets[1].name, "Garden");
    ASSERT_EQ(file.cameras.size(), 4u);
    EXPECT_EQ(file.cameras[0].id, 0);
    const struct {
        int32_t id;
        const char* guid;
        int32_t set;
        double angle1;
    } expected[] = {{1, "{0000003C-0000-0000-0000-00000000005A}", 1, 90.0},
                    {2, "{0000003D-0000-0000-0000-00000000005A}", -1, 0.0},
                    {3, "{0000003E-0000-0000-0000-00000000005A}", 0, 180.0}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const zelto_reader::Camera& camera = file.cameras[i + 1];
        EXPECT_EQ(camera.name, "Camera");
        EXPECT_EQ(camera.id, expected[i].id);
        EXPECT_EQ(camera.guid, expected[i].guid);
        EXPECT_EQ(camera.cameraSet, expected[i].set);
        EXPECT_DOUBLE_EQ(camera.angle1, expected[i].angle1);
    }
    EXPECT_DOUBLE_EQ(file.cameras[1].angle2, 30.0);
    EXPECT_DOUBLE_EQ(file.cameras[1].position.z, 3.0);
    EXPECT_DOUBLE_EQ(file.cameras[1].target.y, 5.0);
    EXPECT_EQ(file.counts.cameraSets, 2);
    EXPECT_EQ(file.counts.cameras, 4);
}

// An element that cannot be read is skipped and the pass goes on; a camera of a skipped set has no
// set number; ids stay consecutive. A list the host cannot give writes nothing.
TEST_F(EngineLightsCamerasTest, UnreadableCamerasAndSetsAreSkipped)
{
    Settings settings;
    settings.exportCameras = true;
    Store(settings);
    AddCameraSet(50, "Lost");
    const API_Guid kept = AddCameraSet(51, "Kept");
    AddCamera(60, kept, View(0, 0, 0, 0, 1, 0, 0, 0));
    AddCamera(61, kept, View(0, 0, 0, 0, 1, 0, 0, 0));
    AddCamera(62, GuidNumber(50), View(0, 0, 0, 0, 1, 0, 0, 0));
    Host().ACAPI_Element_Get = [this](API_Element* element, UInt64 /*mask*/) -> GSErrCode {
        if (element->header.guid == GuidNumber(50) || element->header.guid == GuidNumber(61))
            return APIERR_BADID;
        return project.GetElement(element);
    };

    zelto_reader::File file = Export();

    ASSERT_EQ(file.cameraSets.size(), 1u);
    EXPECT_EQ(file.cameraSets[0].name, "Kept");
    ASSERT_EQ(file.cameras.size(), 2u);
    EXPECT_EQ(file.cameras[0].id, 1);
    EXPECT_EQ(file.cameras[0].cameraSet, 0);
    EXPECT_EQ(file.cameras[0].guid, "{0000003C-0000-0000-0000-00000000005A}");
    EXPECT_EQ(file.cameras[1].id, 2);
    EXPECT_EQ(file.cameras[1].cameraSet, -1);
    EXPECT_EQ(file.cameras[1].guid, "{0000003E-0000-0000-0000-00000000005A}");
    EXPECT_TRUE(Logged("Cannot read the element"));

    HostControl::ClearFailures();
    Recorder().processEvents.clear();
    HostControl::InjectError("ACAPI_Element_GetElemList", APIERR_GENERAL);
    file = Export();
    EXPECT_TRUE(file.cameraSets.empty());
    EXPECT_TRUE(file.cameras.empty());
    EXPECT_TRUE(HasPhase(ProcessEvents(), CameraSetsTitle));
    EXPECT_TRUE(HasPhase(ProcessEvents(), CamerasTitle));
}

// A cancel noticed at any poll of the three passes ends the export as a cancel, window closed.
TEST_F(EngineLightsCamerasTest, ACancelInEachPassEndsTheExport)
{
    Settings settings;
    settings.exportLights = true;
    settings.exportCameras = true;
    Store(settings);
    AddLight(AddElement(1, {}), 9400);
    AddElement(1, {});
    const API_Guid set = AddCameraSet(50, "Set");
    AddCamera(60, set, View(0, 0, 0, 0, 1, 0, 0, 0));

    const std::vector<std::string> cancelledPhases = PhaseOfEachCancel();
    const auto count = [&](const char* title) {
        return std::count(cancelledPhases.begin(), cancelledPhases.end(), std::string(title));
    };
    EXPECT_EQ(count(LightsTitle), 2);
    EXPECT_EQ(count(CameraSetsTitle), 1);
    EXPECT_EQ(count(CamerasTitle), 1);
}

// ---- CalcOrientation --------------------------------------------------------------------------------

namespace {

using Vector = Geometry::Vector3<double>;

// Rodrigues' rotation of v about a unit axis.
Vector Rotate(const Vector& v, const Vector& axis, double angle)
{
    return v * std::cos(angle) + Geometry::Cross(axis, v) * std::sin(angle) +
           axis * (Geometry::Dot(axis, v) * (1.0 - std::cos(angle)));
}

void ExpectNear(const Vector& actual, const Vector& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
    EXPECT_NEAR(actual.z, expected.z, 1e-9);
}

}  // namespace

TEST(CalcOrientationTest, KnownViews)
{
    const struct {
        const char* what;
        Vector eye, target;
        double roll;
        Vector axis;
        double angle;
    } cases[] = {
        {"straight ahead", {0, 0, 0}, {0, 5, 0}, 0.0, {0, 1, 0}, 0.0},
        {"eye on the target", {2, 2, 2}, {2, 2, 2}, 0.0, {0, 1, 0}, 0.0},
        {"to the right", {0, 0, 0}, {3, 0, 0}, 0.0, {0, 0, -1}, Pi / 2},
        {"up", {1, 1, 1}, {1, 1, 4}, 0.0, {1, 0, 0}, Pi / 2},
        {"ahead, rolled", {0, 0, 0}, {0, 1, 0}, 90.0, {0, 1, 0}, Pi / 2},
        {"backwards", {0, 0, 0}, {0, -1, 0}, 0.0, {0, 0, 1}, Pi},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Vector axis;
        double angle = -1.0;
        WRL::MAExporter::CalcOrientation(c.eye, c.target, c.roll, &axis, &angle);
        ExpectNear(axis, c.axis);
        EXPECT_NEAR(angle, c.angle, 1e-9);
    }
}

// Whatever the view and roll, the rotation turns (0, 1, 0) into the viewing direction.
TEST(CalcOrientationTest, TheRotationTurnsForwardIntoTheViewingDirection)
{
    const Vector targets[] = {{1, 2, 3}, {-4, 0.5, 2}, {0.1, -3, -1}, {0, 0, -2}};
    for (const Vector& target : targets)
        for (double roll : {0.0, 30.0, -135.0}) {
            Vector axis;
            double angle = 0.0;
            WRL::MAExporter::CalcOrientation({0, 0, 0}, target, roll, &axis, &angle);
            EXPECT_NEAR(axis.GetLength(), 1.0, 1e-9);
            EXPECT_GE(angle, 0.0);
            EXPECT_LE(angle, Pi + 1e-12);
            ExpectNear(Rotate({0, 1, 0}, axis, angle), target * (1.0 / target.GetLength()));
        }
}

TEST(CalcOrientationTest, NullOutputsAreANullPointerFailure)
{
    Vector axis;
    double angle = 0.0;
    for (int which = 0; which < 2; ++which) {
        try {
            WRL::MAExporter::CalcOrientation({0, 0, 0}, {0, 1, 0}, 0.0, which == 0 ? nullptr : &axis,
                                             which == 1 ? nullptr : &angle);
            FAIL() << "no exception";
        } catch (const GS::NullPointerException& failure) {
            EXPECT_EQ(failure.GetErrorCode(), -50);
        }
    }
}
