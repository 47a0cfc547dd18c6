// The host's 3D model as an add-on reads it: elements, materials and textures, all numbered
// from 1. EXPGetModel fills it from a sight; the objects it hands out stay valid while it lives.
#ifndef GSMODELER_MODEL_HPP
#define GSMODELER_MODEL_HPP

#include <memory>

#include "AttributeIndex.hpp"
#include "Element.hpp"
#include "Material.hpp"
#include "ModelerAPITypes.hpp"
#include "Texture.hpp"

namespace ModelerAPI {

class GSMODELER_DLL_EXPORT Model {
public:
    // An empty model: no elements, materials or textures.
    Model();
    ~Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    Int32 GetElementCount() const;
    // 1-based; throws GS::IllegalArgumentException outside the model.
    void GetElement(Int32 index, Element* element) const;

    Int32 GetMaterialCount() const;
    // A material index of kind 2 with the material's number.
    void GetMaterial(const AttributeIndex& index, Material* material) const;

    Int32 GetTextureCount() const;
    // A texture index of kind 4 with the texture's number.
    void GetTexture(const AttributeIndex& index, Texture* texture) const;

    // Host side: the data the model reads (EXPGetModel).
    void Attach(std::shared_ptr<const ZeltoHost::ModelData> model);

private:
    std::shared_ptr<const ZeltoHost::ModelData> data;
};

}  // namespace ModelerAPI

#endif
