// The light pass: one record per light of a known type of every valid element, carrying the
// element's object number from the validity table, so it names the same object as the element's
// own record. A light's number is its position among all of the element's lights, skipped ones
// included.
#include <cmath>

#include "ApiString.hpp"
#include "LightTypes.hpp"
#include "MAExporter.hpp"
#include "MAWriter.hpp"
#include "PassProgress.hpp"
#include "ZELTO_export_Parameters.hpp"
#include "ZELTO_export_Resources.hpp"

namespace WRL {

namespace {

// From the unscaled host distances; a value that is not finite (a zero denominator, a NaN from the
// host) would be no attenuation at all, so it goes out as 1.0.
double Attenuation(double minDistance, double maxDistance, double distanceFalloff)
{
    const double attenuation = 1.0 / (((maxDistance - minDistance) * 0.5 - minDistance) * distanceFalloff + 1.0);
    return std::isfinite(attenuation) ? attenuation : 1.0;
}

// The full cone from the host's half angle, in degrees.
double ConeAngle(double halfAngleRadians)
{
    return 2.0 * halfAngleRadians * DegreesPerRadian;
}

}  // namespace

Int32 MAExporter::CountLightPhases() const
{
    return parameters->exportLights ? 1 : 0;
}

void MAExporter::ExportLights()
{
    if (!parameters->exportLights)
        return;
    const ApiString recordName(resource->elementNames[SaveLight]);
    RunOverLights(SaveLig, [this, &recordName](ModelerAPI::Light& light, Int32 objectNumber, Int32 lightNumber) {
        GetLight(light, objectNumber, recordName.GetChar(), lightNumber);
    });
}

// One run: every light of every valid element, in model order, with the element's object number.
// Also the texture pass's run over the light attachments.
void MAExporter::RunOverLights(Int32 titleItem, const LightOperation& lightOperation)
{
    const Int32 elementCount = validity.ElementCount();
    OpenPhase(ProgressText(titleItem), elementCount);
    ModelerAPI::Element element;
    ModelerAPI::Light light;
    for (Int32 elementNumber = 1; elementNumber <= elementCount; ++elementNumber) {
        if (!validity.IsValid(elementNumber))
            continue;
        model->GetElement(elementNumber, &element);
        const Int32 objectNumber = validity.ObjectNumber(elementNumber);
        const Int32 lightCount = element.GetLightCount();
        for (Int32 lightNumber = 1; lightNumber <= lightCount; ++lightNumber) {
            element.GetLight(lightNumber, &light);
            lightOperation(light, objectNumber, lightNumber);
        }
        ReportItem(elementNumber);
        PollCancel();
    }
}

// Positions get the offset and the scale, distances the scale; the radius and the distances behind
// the attenuation stay as the host gives them.
bool MAExporter::GetLight(ModelerAPI::Light& light, const int& objectIndex, const char* name, const int& lightNumber)
{
    const Int32 typeCode = LightTypeCode(light.GetType());
    if (typeCode == NoLightTypeCode)
        return false;
    ++totals.Lights;

    const double maxDistance = light.GetMaxDistance();
    const double minDistance = light.GetMinDistance();
    const double distanceFalloff = light.GetDistanceFalloff();
    ModelerAPI::ParameterList extraParameters;
    light.GetExtraParameters(&extraParameters);
    const ModelerAPI::Vertex position = light.GetPosition(ModelerAPI::CoordinateSystem::World);
    const ModelerAPI::Vector direction = light.GetDirection(ModelerAPI::CoordinateSystem::World);
    const ModelerAPI::Color color = light.GetColor();
    const double scale = parameters->scale;

    writer->WriteLight(objectIndex, typeCode, name, lightNumber, color.red, color.green, color.blue,
                       coordinates.X(position.x), coordinates.Y(position.y), coordinates.Z(position.z),
                       (position.x + offset.x + direction.x * maxDistance) * scale,
                       (position.y + offset.y + direction.y * maxDistance) * scale,
                       (position.z + direction.z * maxDistance) * scale, light.CastsShadow(),
                       Attenuation(minDistance, maxDistance, distanceFalloff), light.GetRadius(),
                       ConeAngle(light.GetFalloffAngle1()), ConeAngle(light.GetFalloffAngle2()),
                       light.GetAngleFalloff(), coordinates.Length(minDistance), coordinates.Length(maxDistance),
                       distanceFalloff, extraParameters);
    return true;
}

}  // namespace WRL
