// A material of the host model, as the 3D model holds it (colours, reflections, texture use and
// extra parameters).
#ifndef GSMODELER_MATERIAL_HPP
#define GSMODELER_MATERIAL_HPP

#include "AttributeIndex.hpp"
#include "ModelerAPITypes.hpp"
#include "Parameter.hpp"
#include "UniString.hpp"

namespace ModelerAPI {

class GSMODELER_DLL_EXPORT Material {
public:
    Material() = default;

    GS::UniString GetName() const;
    // A positive value is the index of the project material attribute the material came from.
    Int32 GetExternalReference() const;
    Color GetSurfaceColor() const;
    // Fills a texture index (kind 4); not valid when the material has no texture.
    void GetTextureIndex(AttributeIndex& textureIndex) const;
    // Radians.
    double GetTextureRotationAngle() const;

    double GetTransparency() const;
    double GetTransparencyAttenuation() const;
    double GetEmissionAttenuation() const;
    Color GetEmissionColor() const;
    double GetAmbientReflection() const;
    double GetDiffuseReflection() const;
    double GetShining() const;
    double GetSpecularReflection() const;
    Color GetSpecularColor() const;

    void GetExtraParameters(ParameterList* parameters) const;

    // The host's comparison by content: every property, the name and extra parameters included.
    bool operator==(const Material& other) const;
    bool operator!=(const Material& other) const { return !(*this == other); }

    // Host side.
    void SetData(const ZeltoHost::MaterialData* material) { data = material; }

private:
    const ZeltoHost::MaterialData& Data() const;

    const ZeltoHost::MaterialData* data = nullptr;
};

}  // namespace ModelerAPI

#endif
