#include "Model.hpp"

#include "ModelData.hpp"
#include "ModelReadChecks.hpp"

namespace ModelerAPI {

namespace {

void CheckIndexType(const AttributeIndex& index, Int32 type, const char* operation)
{
    if (!index.IsValid() || index.GetType() != type)
        ZeltoHost::ThrowBadArgument(operation, "the index is not a valid index of this kind");
}

}  // namespace

Model::Model() = default;
Model::~Model() = default;

void Model::Attach(std::shared_ptr<const ZeltoHost::ModelData> model)
{
    data = std::move(model);
}

Int32 Model::GetElementCount() const
{
    return data != nullptr ? static_cast<Int32>(data->elements.size()) : 0;
}

void Model::GetElement(Int32 index, Element* element) const
{
    static const char* const operation = "ModelerAPI::Model::GetElement";
    ZeltoHost::CheckOutput(element, operation);
    ZeltoHost::CheckModelRead(data.get(), ZeltoHost::ModelRead::Element, index, 0, 0);
    const std::size_t position =
        ZeltoHost::CheckedPosition(operation, index, data != nullptr ? data->elements.size() : 0);
    element->SetData(data.get(), &data->elements[position], index);
}

Int32 Model::GetMaterialCount() const
{
    return data != nullptr ? static_cast<Int32>(data->materials.size()) : 0;
}

void Model::GetMaterial(const AttributeIndex& index, Material* material) const
{
    static const char* const operation = "ModelerAPI::Model::GetMaterial";
    ZeltoHost::CheckOutput(material, operation);
    CheckIndexType(index, AttributeIndex::MaterialIndex, operation);
    ZeltoHost::CheckModelRead(data.get(), ZeltoHost::ModelRead::Material, 0, 0, index.GetIndex());
    const std::size_t position =
        ZeltoHost::CheckedPosition(operation, index.GetIndex(), data != nullptr ? data->materials.size() : 0);
    material->SetData(&data->materials[position]);
}

Int32 Model::GetTextureCount() const
{
    return data != nullptr ? static_cast<Int32>(data->textures.size()) : 0;
}

void Model::GetTexture(const AttributeIndex& index, Texture* texture) const
{
    static const char* const operation = "ModelerAPI::Model::GetTexture";
    ZeltoHost::CheckOutput(texture, operation);
    CheckIndexType(index, AttributeIndex::TextureIndex, operation);
    ZeltoHost::CheckModelRead(data.get(), ZeltoHost::ModelRead::Texture, 0, 0, index.GetIndex());
    const std::size_t position =
        ZeltoHost::CheckedPosition(operation, index.GetIndex(), data != nullptr ? data->textures.size() : 0);
    texture->SetData(&data->textures[position], data.get(), index.GetIndex());
}

}  // namespace ModelerAPI
