#include "Element.hpp"

#include "ModelData.hpp"
#include "ModelReadChecks.hpp"

namespace ModelerAPI {

void Element::SetData(const ZeltoHost::ModelData* owner, const ZeltoHost::ElementData* element, Int32 elementNumber)
{
    model = owner;
    data = element;
    number = elementNumber;
}

API_Guid Element::GetElemGuid() const
{
    return data != nullptr ? data->guid : APINULLGuid;
}

bool Element::IsInvalid() const
{
    return data == nullptr || data->invalid;
}

Int32 Element::GetTessellatedBodyCount() const
{
    ZeltoHost::CheckModelRead(model, ZeltoHost::ModelRead::BodyCount, number, 0, 0);
    return data != nullptr ? static_cast<Int32>(data->bodies.size()) : 0;
}

void Element::GetTessellatedBody(Int32 index, MeshBody* body) const
{
    static const char* const operation = "ModelerAPI::Element::GetTessellatedBody";
    ZeltoHost::CheckOutput(body, operation);
    ZeltoHost::CheckModelRead(model, ZeltoHost::ModelRead::Body, number, index, 0);
    const std::size_t position =
        ZeltoHost::CheckedPosition(operation, index, data != nullptr ? data->bodies.size() : 0);
    ConvexPolygon::Place place;
    place.model = model;
    place.body = &data->bodies[position];
    place.element = number;
    place.bodyNumber = index;
    body->SetData(place, data);
}

Int32 Element::GetLightCount() const
{
    ZeltoHost::CheckModelRead(model, ZeltoHost::ModelRead::LightCount, number, 0, 0);
    return data != nullptr ? static_cast<Int32>(data->lights.size()) : 0;
}

void Element::GetLight(Int32 index, Light* light) const
{
    static const char* const operation = "ModelerAPI::Element::GetLight";
    ZeltoHost::CheckOutput(light, operation);
    ZeltoHost::CheckModelRead(model, ZeltoHost::ModelRead::Light, number, 0, index);
    const std::size_t position =
        ZeltoHost::CheckedPosition(operation, index, data != nullptr ? data->lights.size() : 0);
    light->SetData(&data->lights[position], data);
}

}  // namespace ModelerAPI
