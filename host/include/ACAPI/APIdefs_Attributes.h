// Records of attributes.
#ifndef ACAPI_APIDEFS_ATTRIBUTES_H
#define ACAPI_APIDEFS_ATTRIBUTES_H

#include "APIdefs_Base.h"
#include "UniString.hpp"

using API_AttrTypeID = Int32;
using API_AttributeIndex = Int32;

constexpr Int32 API_AttrNameLen = 256;

struct API_Attr_Head {
    API_AttrTypeID typeID;
    API_AttributeIndex index;
    char name[API_AttrNameLen];
    GS::UniString* uniStringNamePtr;
    API_Guid guid;
    Int32 flags;
};

struct API_LayerType {
    API_Attr_Head head;
    bool hidden;
    bool locked;
};

struct API_MaterialType {
    API_Attr_Head head;
    double surfaceRed;
    double surfaceGreen;
    double surfaceBlue;
};

union API_Attribute {
    API_Attr_Head header;
    API_LayerType layer;
    API_MaterialType material;
};

#endif
