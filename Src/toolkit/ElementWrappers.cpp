#include "ElementWrappers.hpp"

// Hosts 21..26 reach these operations through the element dispatch function; value and reference
// arguments go by address there.
namespace Element {

GSErrCode Get(API_Element* element, UInt64 mask)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Element_Get(element, mask);
#else
    return ACAPI_Element(APISEL(Element_Get), element, &mask);
#endif
}

GSErrCode GetHeader(API_Elem_Head* header, UInt64 mask)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Element_GetHeader(header, mask);
#else
    return ACAPI_Element(APISEL(Element_GetHeader), header, &mask);
#endif
}

GSErrCode NeigIDToElemType(API_NeigID neigId, API_ElemType& type)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Element_NeigIDToElemType(neigId, type);
#else
    return ACAPI_Element(APISEL(Element_NeigIDToElemType), &neigId, &type);
#endif
}

GSErrCode SearchElementByCoord(const API_ElemSearchPars* search, API_Guid* found)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Element_SearchElementByCoord(search, found);
#else
    return ACAPI_Element(APISEL(Element_SearchElementByCoord), search, found);
#endif
}

}  // namespace Element
