// Records of elements and their memos.
#ifndef ACAPI_APIDEFS_ELEMENTS_H
#define ACAPI_APIDEFS_ELEMENTS_H

#include "APIdefs_Base.h"
#include "APIdefs_Interface.h"
#include "APIdefs_LibParts.h"

using API_ElemTypeID = Int32;
using API_ElemVariationID = Int32;
using API_ElemFilterFlags = UInt32;

struct API_ElemType {
    API_ElemTypeID typeID;
    API_ElemVariationID variationID;
    API_Guid classificationID;
};

struct API_Elem_Head {
    API_ElemTypeID typeID;
    API_ElemVariationID variationID;
    API_Guid guid;
    short floorInd;
    Int32 layer;
    bool hotlinkedElem;
};

// Windows and doors (types 4 and 5).
struct API_WindowType {
    API_Elem_Head head;
    Int32 libInd;
    API_Guid owner;
    double width;
    double height;
};

// Objects and lamps (types 6 and 7).
struct API_ObjectType {
    API_Elem_Head head;
    Int32 libInd;
    API_Coord pos;
    double level;
    double angle;
    double xRatio;
    double yRatio;
    bool useObjSectAttrs;
    bool reflected;
};

// The element of type 17, which carries a library part of its own.
struct API_LibPartElemType {
    API_Elem_Head head;
    Int32 libInd;
};

// A section element (type 29): its parent type follows the header.
struct API_SectElemType {
    API_Elem_Head head;
    API_ElemTypeID parentType;
    API_Guid parentGuid;
};

struct API_CameraType {
    API_Elem_Head head;
    API_Guid camSetGuid;
    API_PerspPars persp;
};

struct API_CamSetType {
    API_Elem_Head head;
    GS::uchar_t name[256];
    API_Guid activeCameraGuid;
};

union API_Element {
    API_Elem_Head header;
    API_WindowType window;
    API_WindowType door;
    API_ObjectType object;
    API_ObjectType lamp;
    API_LibPartElemType libPartElem;
    API_SectElemType sectElem;
    API_CameraType camera;
    API_CamSetType camset;
};

struct API_ElementMemo {
    API_AddParType** params;
    API_Coord** coords;
    Int32** pends;
};

struct API_ElemSearchPars {
    API_ElemType type;
    UInt32 filterBits;
    API_Coord loc;
    double z;
};

struct API_ToolBoxItem {
    API_ElemTypeID typeID;
    API_ElemVariationID variationID;
    Int32 reserved[4];
};

struct API_ParamOwnerType {
    Int32 libInd;
    API_ElemTypeID typeID;
    API_ElemVariationID variationID;
    API_Guid guid;
};

#endif
