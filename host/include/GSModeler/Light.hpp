// A light of a model element.
#ifndef GSMODELER_LIGHT_HPP
#define GSMODELER_LIGHT_HPP

#include "ModelerAPITypes.hpp"
#include "Parameter.hpp"

namespace ModelerAPI {

class GSMODELER_DLL_EXPORT Light {
public:
    // The host's light types; a model may hold others as well.
    enum Type : Int32 {
        UndefinedLight = 0,
        DirectionLight = 9200,
        SpotLight = 9300,
        PointLight = 9400,
        SunLight = 9500
    };

    Light() = default;

    Type GetType() const;
    Color GetColor() const;
    Vertex GetPosition(CoordinateSystem system) const;
    Vector GetDirection(CoordinateSystem system) const;
    double GetMinDistance() const;
    double GetMaxDistance() const;
    double GetDistanceFalloff() const;
    bool CastsShadow() const;
    double GetRadius() const;
    // Half cone angles, radians.
    double GetFalloffAngle1() const;
    double GetFalloffAngle2() const;
    double GetAngleFalloff() const;
    void GetExtraParameters(ParameterList* parameters) const;

    // Host side.
    void SetData(const ZeltoHost::LightData* light, const ZeltoHost::ElementData* element);

private:
    const ZeltoHost::LightData& Data() const;

    const ZeltoHost::LightData* data = nullptr;
    const ZeltoHost::ElementData* element = nullptr;
};

}  // namespace ModelerAPI

#endif
