// Type id, variation id and section type id fields of the host's element records, read and written
// without a host call. Every element record starts with its header, so the element forms read the
// header of the record.
#ifndef TOOLKIT_ELEMENTACCESSORS_HPP
#define TOOLKIT_ELEMENTACCESSORS_HPP

#include "ACAPinc.h"

API_ElemTypeID GetTypeId(const API_Elem_Head& head);
API_ElemTypeID GetTypeId(const API_Element& element);
API_ElemTypeID GetTypeId(const API_ParamOwnerType& owner);
API_ElemVariationID GetVariationId(const API_Element& element);
API_ElemVariationID GetVariationId(const API_Elem_Head& head);
// The type of the element that a section element (type 29) shows.
API_ElemTypeID GetSectTypeId(const API_Element& element);

void SetTypeId(API_Elem_Head& head, API_ElemTypeID typeId);
void SetTypeId(API_Element& element, API_ElemTypeID typeId);
void SetTypeId(API_ToolBoxItem& item, API_ElemTypeID typeId);
void SetTypeId(API_ParamOwnerType& owner, API_ElemTypeID typeId);
void SetSectTypeId(API_Element& element, API_ElemTypeID typeId);
void SetVariationId(API_Element& element, API_ElemVariationID variationId);
void SetVariationId(API_Elem_Head& head, API_ElemVariationID variationId);
void SetVariationId(API_ToolBoxItem& item, API_ElemVariationID variationId);

#endif
