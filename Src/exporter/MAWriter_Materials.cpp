// RGB, internal and Cinema 4D shader records, and the material list that merges materials of one
// name into one shader position.
#include <string>

#include "ExportText.hpp"
#include "ExtraParameterRecord.hpp"
#include "MAWriter.hpp"
#include "ModelerAPI.hpp"
#include "TextureList.hpp"
#include "ZELTO_export_Parameters.hpp"

namespace WRL {

namespace {

constexpr double DegreesPerRadian = 57.29577951308232;
constexpr Int32 HostAttributeQualifier = -2;

ModelerAPI::Material FetchMaterial(const ModelerAPI::Model& model, Int32 materialNumber)
{
    ModelerAPI::Material material;
    model.GetMaterial(ModelerAPI::AttributeIndex(ModelerAPI::AttributeIndex::MaterialIndex, materialNumber,
                                                 HostAttributeQualifier),
                      &material);
    return material;
}

constexpr const char* RgbShaderRecord = "RGB shader";
constexpr const char* InternalShaderRecord = "internal shader";

void WriteColor(MAWriter& writer, const ModelerAPI::Color& color, const char* record)
{
    writer.WriteReal(color.red, record);
    writer.WriteReal(color.green, record);
    writer.WriteReal(color.blue, record);
}

// "name :: n", cut to a list name at a character boundary.
std::string NumberedName(const char* name, Int32 dupCount)
{
    const std::string numbered = std::string(name) + " :: " + std::to_string(dupCount);
    return numbered.substr(0, Utf8PrefixLength(numbered.c_str(), numbered.size(), MaterialNameSize - 1));
}

}  // namespace

void MAWriter::WriteMaterialNum(int value)
{
    WriteInt32(value);
}

// A material takes the position of the first earlier entry of its name. A GDL material only merges
// with one of the same content; each differing one before that adds to its " :: n" number.
void MAWriter::WriteMaterialRgb(const int& materialNumber, const char* name, const int& attributeReference,
                                const MaterialType& type)
{
    const ModelerAPI::Material material = FetchMaterial(*model, materialNumber);

    MatData entry;
    entry.index = materialNumber;
    entry.sameAs = static_cast<Int32>(materials.GetSize());
    CopyUtf8Cut(name, entry.name);
    for (const GS::UIndex position : materials.PositionsNamed(entry.name)) {
        if (type != GdlMaterial || FetchMaterial(*model, materials[position].index) == material) {
            entry.sameAs = static_cast<Int32>(position);
            break;
        }
        ++entry.dupCount;
    }
    materials.Append(entry);
    NoteMaterialShaderPosition(entry.index, entry.sameAs);

    if (entry.dupCount > 0)
        WriteBinUnicode(NumberedName(entry.name, entry.dupCount).c_str());
    else
        WriteBinUnicode(entry.name);
    WriteInt32(attributeReference);
    WriteInt32(type);
    WriteColor(*this, material.GetSurfaceColor(), RgbShaderRecord);
}

// The texture block names the texture under which the texture pass embedded it. A texture that got
// no record (one that could not be encoded) gives no block: a name would point at no file, or at
// another texture that took that name.
void MAWriter::WriteMaterialInternal(const int& materialNumber, const char* textureFileName)
{
    const ModelerAPI::Material material = FetchMaterial(*model, materialNumber);
    ModelerAPI::AttributeIndex textureIndex;
    material.GetTextureIndex(textureIndex);
    const TextureData* embedded = nullptr;
    if (parameters->exportTextures && textureFileName != nullptr && *textureFileName != '\0' && textureIndex.IsValid())
        embedded = textures.FirstWithModelIndex(textureIndex.GetIndex());
    WriteBool(embedded != nullptr);
    if (embedded != nullptr) {
        ModelerAPI::Texture texture;
        model->GetTexture(ModelerAPI::AttributeIndex(ModelerAPI::AttributeIndex::TextureIndex,
                                                     textureIndex.GetIndex(), HostAttributeQualifier),
                          &texture);
        WriteBinUnicode(EmbeddedName(*embedded).c_str());
        WriteReal(material.GetTextureRotationAngle() * DegreesPerRadian, InternalShaderRecord);
        WriteReal(texture.GetXSize(), InternalShaderRecord);
        WriteReal(texture.GetYSize(), InternalShaderRecord);
        WriteBool(texture.IsBumpMapPattern());
        WriteBool(texture.IsTransparentPattern());
        WriteBool(texture.IsMirroredInX());
        WriteBool(texture.IsMirroredInY());
    }
    WriteBool(true);
    WriteReal(material.GetTransparency(), InternalShaderRecord);
    WriteReal(material.GetTransparencyAttenuation(), InternalShaderRecord);
    WriteReal(material.GetEmissionAttenuation(), InternalShaderRecord);
    WriteColor(*this, material.GetEmissionColor(), InternalShaderRecord);
    WriteReal(material.GetAmbientReflection(), InternalShaderRecord);
    WriteReal(material.GetDiffuseReflection(), InternalShaderRecord);
    WriteReal(material.GetShining(), InternalShaderRecord);
    WriteReal(material.GetSpecularReflection(), InternalShaderRecord);
    WriteColor(*this, material.GetSpecularColor(), InternalShaderRecord);
}

void MAWriter::WriteMaterialCinema4D(const int& materialNumber)
{
    const ModelerAPI::Material material = FetchMaterial(*model, materialNumber);
    ModelerAPI::ParameterList parameterList;
    material.GetExtraParameters(&parameterList);
    const Int32 count = parameterList.GetParameterCount();
    WriteInt32(count);
    ModelerAPI::Parameter parameter;
    for (Int32 number = 1; number <= count; ++number) {
        parameterList.GetParameter(number, &parameter);
        WriteExtraParameter(parameter, MaterialTextureKey);
    }
}

}  // namespace WRL
