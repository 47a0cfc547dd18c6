#include "EngineHostCalls.hpp"

// Hosts 21..26 reach these operations through their family's dispatch function; value and reference
// arguments go by address there.
namespace EngineHost {

GSErrCode GetProjectOffset(API_Coord* offset)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_ProjectSetting_GetOffset(offset);
#else
    return ACAPI_Environment(APISEL(ProjectSetting_GetOffset), offset);
#endif
}

GSErrCode GetStorySettings(API_StoryInfo* stories, UInt32 mask)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_ProjectSetting_GetStorySettings(stories, mask);
#else
    return ACAPI_Environment(APISEL(ProjectSetting_GetStorySettings), stories, &mask);
#endif
}

GSErrCode GetAttributesByType(API_AttrTypeID type, GS::Array<API_Attribute>& attributes)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Attribute_GetAttributesByType(type, attributes);
#else
    return ACAPI_Attribute(APISEL(Attribute_GetAttributesByType), &type, &attributes);
#endif
}

GSErrCode GetElementMemo(const API_Guid& guid, API_ElementMemo* memo, UInt64 mask)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Element_GetMemo(guid, memo, mask);
#else
    return ACAPI_Element(APISEL(Element_GetMemo), &guid, memo, &mask);
#endif
}

GSErrCode GetElementDefaults(API_Element* element, API_ElementMemo* memo)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Element_GetDefaults(element, memo);
#else
    return ACAPI_Element(APISEL(Element_GetDefaults), element, memo);
#endif
}

GSErrCode GetElemTypeName(const API_ElemType& type, GS::UniString& name)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Element_GetElemTypeName(type, name);
#else
    return ACAPI_Element(APISEL(Element_GetElemTypeName), &type, &name);
#endif
}

GSErrCode SelectSight(void* sight, void** previous)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Sight_SelectSight(sight, previous);
#else
    return ACAPI_Environment(APISEL(Sight_SelectSight), sight, previous);
#endif
}

}  // namespace EngineHost
