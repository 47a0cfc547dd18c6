// The camera-set and camera passes, from the project's elements of types 27 and 26, and the camera
// of the current 3D view. Camera sets go first, so that every camera can name its set by the set's
// position among the records written.
//
// An element that cannot be read is skipped (logged) and the pass goes on with the next; camera ids
// count the cameras written. The current view's two angles go out as the host holds them, the
// camera elements' angles in degrees.
#include <cmath>
#include <cstring>

#include "ApiString.hpp"
#include "CameraHostCalls.hpp"
#include "ElementWrappers.hpp"
#include "EngineHostCalls.hpp"
#include "EnvironmentWrappers.hpp"
#include "GSException.hpp"
#include "HostNames.hpp"
#include "HostTextFields.hpp"
#include "LogHelpers.hpp"
#include "MAExporter.hpp"
#include "MAWriter.hpp"
#include "PassProgress.hpp"
#include "Vector3.hpp"
#include "ZELTO_export_Cancel.hpp"
#include "ZELTO_export_Parameters.hpp"
#include "ZELTO_export_Resources.hpp"

namespace WRL {

namespace {

constexpr API_ElemTypeID CameraTypeId = 26;
constexpr API_ElemTypeID CameraSetTypeId = 27;
constexpr Int32 CurrentViewCameraId = 0;
constexpr double OrientationTolerance = 1e-5;

// The project element with this GUID; false (logged) when the host cannot give it.
bool ReadElement(const API_Guid& guid, API_Element& element)
{
    std::memset(&element, 0, sizeof element);
    element.header.guid = guid;
    const GSErrCode err = Element::Get(&element, 0);
    if (err != NoError) {
        LogMessageDebug("Zelto_export:: Cannot read the element %s, skipped: #%s\n", ApiGuidToChar(guid),
                        ErrID_To_Name(err));
        return false;
    }
    return true;
}

// A rotation as a unit quaternion: w the cosine part, v the axis part.
struct Rotation {
    double w = 1.0;
    Geometry::Vector3<double> v;
};

Rotation operator*(const Rotation& a, const Rotation& b)
{
    Rotation product;
    product.w = a.w * b.w - Geometry::Dot(a.v, b.v);
    product.v = b.v * a.w + a.v * b.w + Geometry::Cross(a.v, b.v);
    return product;
}

// The shortest turn from one unit direction to another.
Rotation TurnBetween(const Geometry::Vector3<double>& from, const Geometry::Vector3<double>& to)
{
    Rotation turn;
    const double cosine = Geometry::Dot(from, to);
    if (cosine < -1.0 + OrientationTolerance) {
        turn.w = 0.0;  // half a turn about an axis across from
        turn.v = Geometry::Vector3<double>(0.0, 0.0, 1.0);
        return turn;
    }
    turn.w = 1.0 + cosine;
    turn.v = Geometry::Cross(from, to);
    const double length = std::sqrt(turn.w * turn.w + Geometry::Dot(turn.v, turn.v));
    turn.w /= length;
    turn.v = turn.v * (1.0 / length);
    return turn;
}

}  // namespace

Int32 MAExporter::CountCameraPhases() const
{
    return parameters->exportCameras ? 2 : 0;  // camera sets, camera elements
}

void MAExporter::ExportCameraSets()
{
    if (!parameters->exportCameras)
        return;
    GS::Array<API_Guid> guids;
    const GSErrCode listed = EngineHost::GetElementList(CameraSetTypeId, &guids);
    OpenPhase(ProgressText(SaveCamSets), guids.GetSize());
    if (listed != NoError || guids.IsEmpty())
        return;
    API_Element element;
    for (GS::UIndex position = 0; position < guids.GetSize(); ++position) {
        if (ReadElement(guids[position], element)) {
            writer->WriteCameraSets(element.header.guid, TextOfUnits(element.camset.name));
            ++totals.CameraSet;
        }
        ReportItem(position + 1);
        PollCancel();
    }
}

void MAExporter::ExportCameras()
{
    if (parameters->exportCurrent3DCamera)
        ExportCurrentViewCamera();
    if (parameters->exportCameras)
        ExportCameraElements();
}

// Only a perspective view has a camera; a projection the host cannot give yields none.
void MAExporter::ExportCurrentViewCamera()
{
    API_3DProjectionInfo projection;
    std::memset(&projection, 0, sizeof projection);
    const GSErrCode err = Environment::Get3DProjectionSets(&projection);
    if (err != NoError) {
        LogMessageDebug("Zelto_export:: Cannot get the 3D projection: #%s\n", ErrID_To_Name(err));
        return;
    }
    if (!projection.isPersp)
        return;
    const API_PerspPars& view = projection.u_persp;
    const ApiString name(resource->elementNames[SaveCamera3D]);
    writer->WriteCamera(name.GetChar(), CurrentViewCameraId, coordinates.X(view.pos.x), coordinates.Y(view.pos.y),
                        coordinates.Z(view.cameraZ), coordinates.X(view.target.x), coordinates.Y(view.target.y),
                        coordinates.Z(view.targetZ), view.viewCone, view.rollAngle, APINULLGuid, APINULLGuid);
    ++totals.Camera;
}

void MAExporter::ExportCameraElements()
{
    GS::Array<API_Guid> guids;
    const GSErrCode listed = EngineHost::GetElementList(CameraTypeId, &guids);
    const ApiString name(resource->elementNames[SaveCamera]);
    OpenPhase(ProgressText(SaveCam), guids.GetSize());
    if (listed != NoError || guids.IsEmpty())
        return;
    Int32 cameraId = 0;
    API_Element element;
    for (GS::UIndex position = 0; position < guids.GetSize(); ++position) {
        if (ReadElement(guids[position], element)) {
            const API_PerspPars& view = element.camera.persp;
            writer->WriteCamera(name.GetChar(), ++cameraId, coordinates.X(view.pos.x), coordinates.Y(view.pos.y),
                                coordinates.Z(view.cameraZ), coordinates.X(view.target.x),
                                coordinates.Y(view.target.y), coordinates.Z(view.targetZ), ToDegrees(view.viewCone),
                                ToDegrees(view.rollAngle), element.camera.camSetGuid, element.header.guid);
            ++totals.Camera;
        }
        ReportItem(position + 1);
        PollCancel();
    }
}

void MAExporter::CalcOrientation(const Geometry::Vector3<double>& eye, const Geometry::Vector3<double>& target,
                                 double rollDegrees, Geometry::Vector3<double>* axis, double* angle)
{
    if (axis == nullptr || angle == nullptr)
        throw GS::NullPointerException("Zelto_export:: no output for the orientation", __FILE__, __LINE__,
                                       MissingInputErrorCode);
    const Geometry::Vector3<double> forward(0.0, 1.0, 0.0);
    Geometry::Vector3<double> direction = target - eye;
    const double length = direction.GetLength();
    direction = length < OrientationTolerance ? forward : direction * (1.0 / length);

    const double halfRoll = rollDegrees / DegreesPerRadian * 0.5;
    Rotation roll;
    roll.w = std::cos(halfRoll);
    roll.v = direction * std::sin(halfRoll);
    Rotation rotation = roll * TurnBetween(forward, direction);
    if (rotation.w < 0.0) {  // the same rotation, with an angle within 0..pi
        rotation.w = -rotation.w;
        rotation.v = rotation.v * -1.0;
    }

    const double sine = rotation.v.GetLength();
    if (std::fabs(sine) < OrientationTolerance && std::fabs(rotation.w) < OrientationTolerance) {
        *axis = forward;
        *angle = 0.0;
        return;
    }
    *angle = 2.0 * std::atan2(sine, rotation.w);
    *axis = *angle > OrientationTolerance ? rotation.v * (1.0 / sine) : forward;
}

}  // namespace WRL
