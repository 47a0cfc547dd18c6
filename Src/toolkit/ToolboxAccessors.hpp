// Fields of a toolbox item: its element type id and variation id. No host call is made.
#ifndef TOOLKIT_TOOLBOXACCESSORS_HPP
#define TOOLKIT_TOOLBOXACCESSORS_HPP

#include "ACAPinc.h"

namespace Toolbox {

API_ElemTypeID GetTypeId(const API_ToolBoxItem& item);
void SetTypeId(API_ToolBoxItem& item, API_ElemTypeID typeId);
API_ElemVariationID GetVariationId(const API_ToolBoxItem& item);
void SetVariationId(API_ToolBoxItem& item, API_ElemVariationID variationId);

}  // namespace Toolbox

#endif
