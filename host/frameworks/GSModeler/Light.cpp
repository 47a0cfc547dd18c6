#include "Light.hpp"

#include "ModelData.hpp"
#include "ModelCoordinates.hpp"
#include "ModelReadChecks.hpp"

namespace ModelerAPI {

const ZeltoHost::LightData& Light::Data() const
{
    static const ZeltoHost::LightData none;
    return data != nullptr ? *data : none;
}

void Light::SetData(const ZeltoHost::LightData* light, const ZeltoHost::ElementData* owner)
{
    data = light;
    element = owner;
}

Light::Type Light::GetType() const { return static_cast<Type>(Data().type); }
Color Light::GetColor() const { return Data().color; }

Vertex Light::GetPosition(CoordinateSystem system) const
{
    return ZeltoHost::InSystem(Data().position, element, system, "ModelerAPI::Light::GetPosition");
}

// Element-local coordinates only move the origin, so a direction reads the same in both.
Vector Light::GetDirection(CoordinateSystem system) const
{
    ZeltoHost::CheckSystem(system, "ModelerAPI::Light::GetDirection");
    return Data().direction;
}

double Light::GetMinDistance() const { return Data().minDistance; }
double Light::GetMaxDistance() const { return Data().maxDistance; }
double Light::GetDistanceFalloff() const { return Data().distanceFalloff; }
bool Light::CastsShadow() const { return Data().castsShadow; }
double Light::GetRadius() const { return Data().radius; }
double Light::GetFalloffAngle1() const { return Data().falloffAngle1; }
double Light::GetFalloffAngle2() const { return Data().falloffAngle2; }
double Light::GetAngleFalloff() const { return Data().angleFalloff; }

void Light::GetExtraParameters(ParameterList* parameters) const
{
    ZeltoHost::CheckOutput(parameters, "ModelerAPI::Light::GetExtraParameters");
    parameters->SetData(&Data().extraParameters);
}

}  // namespace ModelerAPI
