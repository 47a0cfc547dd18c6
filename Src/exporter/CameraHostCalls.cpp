#include "CameraHostCalls.hpp"

// Hosts 21..26 reach the element list through the element dispatch function; value and reference
// arguments go by address there.
namespace EngineHost {

GSErrCode GetElementList(API_ElemTypeID typeId, GS::Array<API_Guid>* guids)
{
    API_ElemType type{};
    type.typeID = typeId;
    API_ElemFilterFlags filter = 0;
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Element_GetElemList(type, guids, filter, APINULLGuid);
#else
    return ACAPI_Element(APISEL(Element_GetElemList), &type, guids, &filter, &APINULLGuid);
#endif
}

}  // namespace EngineHost
