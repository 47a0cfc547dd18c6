#include "AttributeHelpers.hpp"

#include <cstring>
#include <string>

#include "CH.hpp"

namespace {

constexpr Int32 NameBufferSize = 256;

GSErrCode GetAttribute(API_Attribute* attribute)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Attribute_Get(attribute);
#else
    return ACAPI_Attribute(APISEL(Attribute_Get), attribute);
#endif
}

GSErrCode SearchAttribute(API_Attr_Head* header)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Attribute_Search(header);
#else
    return ACAPI_Attribute(APISEL(Attribute_Search), header);
#endif
}

API_Attribute ZeroedAttribute(API_AttrTypeID type, API_AttributeIndex index)
{
    API_Attribute attribute;
    std::memset(&attribute, 0, sizeof attribute);
    attribute.header.typeID = type;
    attribute.header.index = index;
    return attribute;
}

}  // namespace

int GetAttributeIndex(const API_AttributeIndex& index)
{
    return index;
}

API_AttributeIndex CreateAttributeIndex(int index)
{
    return index;
}

const char* GetAttributeName(API_AttrTypeID type, const API_AttributeIndex& index)
{
    static char buffer[NameBufferSize] = {};
    std::memset(buffer, 0, sizeof buffer);
    API_Attribute attribute = ZeroedAttribute(type, index);
    if (GetAttribute(&attribute) != NoError)
        return buffer;
    // Read the host's field within its size, even when it carries no terminating NUL.
    const char* hostName = attribute.header.name;
    const std::string name(hostName, strnlen(hostName, sizeof attribute.header.name));
    CHTruncate(name.c_str(), buffer, NameBufferSize);
    return buffer;
}

GS::UniString GetAttributeNameUniString(API_AttrTypeID type, const API_AttributeIndex& index)
{
    GS::UniString name;
    API_Attribute attribute = ZeroedAttribute(type, index);
    attribute.header.uniStringNamePtr = &name;
    if (GetAttribute(&attribute) != NoError)
        return GS::UniString();
    return name;
}

int SearchAttributeName(API_AttrTypeID type, const char* name)
{
    API_Attribute attribute = ZeroedAttribute(type, 0);
    if (name == nullptr || std::strlen(name) >= sizeof attribute.header.name)
        return 0;
    std::strcpy(attribute.header.name, name);
    if (SearchAttribute(&attribute.header) != NoError)
        return 0;
    return attribute.header.index;
}

int SearchAttributeName(API_AttrTypeID type, const GS::UniString& name)
{
    GS::UniString searched(name);
    API_Attribute attribute = ZeroedAttribute(type, 0);
    attribute.header.uniStringNamePtr = &searched;
    if (SearchAttribute(&attribute.header) != NoError)
        return 0;
    return attribute.header.index;
}
