#include "ElementAccessors.hpp"

#include "ToolboxAccessors.hpp"

API_ElemTypeID GetTypeId(const API_Elem_Head& head)
{
    return head.typeID;
}

API_ElemTypeID GetTypeId(const API_Element& element)
{
    return GetTypeId(element.header);
}

API_ElemTypeID GetTypeId(const API_ParamOwnerType& owner)
{
    return owner.typeID;
}

API_ElemVariationID GetVariationId(const API_Element& element)
{
    return GetVariationId(element.header);
}

API_ElemVariationID GetVariationId(const API_Elem_Head& head)
{
    return head.variationID;
}

API_ElemTypeID GetSectTypeId(const API_Element& element)
{
    return element.sectElem.parentType;
}

void SetTypeId(API_Elem_Head& head, API_ElemTypeID typeId)
{
    head.typeID = typeId;
}

void SetTypeId(API_Element& element, API_ElemTypeID typeId)
{
    SetTypeId(element.header, typeId);
}

void SetTypeId(API_ToolBoxItem& item, API_ElemTypeID typeId)
{
    Toolbox::SetTypeId(item, typeId);
}

void SetTypeId(API_ParamOwnerType& owner, API_ElemTypeID typeId)
{
    owner.typeID = typeId;
}

void SetSectTypeId(API_Element& element, API_ElemTypeID typeId)
{
    element.sectElem.parentType = typeId;
}

void SetVariationId(API_Element& element, API_ElemVariationID variationId)
{
    SetVariationId(element.header, variationId);
}

void SetVariationId(API_Elem_Head& head, API_ElemVariationID variationId)
{
    head.variationID = variationId;
}

void SetVariationId(API_ToolBoxItem& item, API_ElemVariationID variationId)
{
    Toolbox::SetVariationId(item, variationId);
}
