#include "Material.hpp"

#include "ModelData.hpp"
#include "ModelReadChecks.hpp"

namespace ModelerAPI {

const ZeltoHost::MaterialData& Material::Data() const
{
    static const ZeltoHost::MaterialData none;
    return data != nullptr ? *data : none;
}

GS::UniString Material::GetName() const { return Data().name; }
Int32 Material::GetExternalReference() const { return Data().externalReference; }
Color Material::GetSurfaceColor() const { return Data().surfaceColor; }

void Material::GetTextureIndex(AttributeIndex& textureIndex) const
{
    if (Data().textureIndex == 0)
        textureIndex.SetInvalid(AttributeIndex::TextureIndex);
    else
        textureIndex.Set(AttributeIndex::TextureIndex, Data().textureIndex);
}

double Material::GetTextureRotationAngle() const { return Data().textureRotationAngle; }
double Material::GetTransparency() const { return Data().transparency; }
double Material::GetTransparencyAttenuation() const { return Data().transparencyAttenuation; }
double Material::GetEmissionAttenuation() const { return Data().emissionAttenuation; }
Color Material::GetEmissionColor() const { return Data().emissionColor; }
double Material::GetAmbientReflection() const { return Data().ambientReflection; }
double Material::GetDiffuseReflection() const { return Data().diffuseReflection; }
double Material::GetShining() const { return Data().shining; }
double Material::GetSpecularReflection() const { return Data().specularReflection; }
Color Material::GetSpecularColor() const { return Data().specularColor; }

void Material::GetExtraParameters(ParameterList* parameters) const
{
    ZeltoHost::CheckOutput(parameters, "ModelerAPI::Material::GetExtraParameters");
    parameters->SetData(&Data().extraParameters);
}

bool Material::operator==(const Material& other) const
{
    return Data() == other.Data();
}

}  // namespace ModelerAPI
