#include "ToolboxAccessors.hpp"

namespace Toolbox {

API_ElemTypeID GetTypeId(const API_ToolBoxItem& item)
{
    return item.typeID;
}

void SetTypeId(API_ToolBoxItem& item, API_ElemTypeID typeId)
{
    item.typeID = typeId;
}

API_ElemVariationID GetVariationId(const API_ToolBoxItem& item)
{
    return item.variationID;
}

void SetVariationId(API_ToolBoxItem& item, API_ElemVariationID variationId)
{
    item.variationID = variationId;
}

}  // namespace Toolbox
