// An element of the host's 3D model: its identity, its tessellated bodies and its lights.
#ifndef GSMODELER_ELEMENT_HPP
#define GSMODELER_ELEMENT_HPP

#include "APIdefs_Base.h"
#include "Light.hpp"
#include "MeshBody.hpp"
#include "ModelerAPITypes.hpp"

namespace ModelerAPI {

class GSMODELER_DLL_EXPORT Element {
public:
    Element() = default;

    // The GUID of the project element the model element was made from.
    API_Guid GetElemGuid() const;
    // True for an element the host does not want exported (and for an element never filled).
    bool IsInvalid() const;

    Int32 GetTessellatedBodyCount() const;
    // 1-based; throws GS::IllegalArgumentException outside the element.
    void GetTessellatedBody(Int32 index, MeshBody* body) const;
    // The same bodies under their other names.
    Int32 GetMeshBodyCount() const { return GetTessellatedBodyCount(); }
    void GetMeshBody(Int32 index, MeshBody* body) const { GetTessellatedBody(index, body); }

    Int32 GetLightCount() const;
    void GetLight(Int32 index, Light* light) const;

    // Host side.
    void SetData(const ZeltoHost::ModelData* model, const ZeltoHost::ElementData* element, Int32 number);

private:
    const ZeltoHost::ModelData* model = nullptr;
    const ZeltoHost::ElementData* data = nullptr;
    Int32 number = 0;
};

}  // namespace ModelerAPI

#endif
