// Records of library parts, their sections and parameters.
#ifndef ACAPI_APIDEFS_LIBPARTS_H
#define ACAPI_APIDEFS_LIBPARTS_H

#include "APIdefs_Base.h"
#include "APIdefs_Environment.h"

// Library-part types 0..14 (0 zombie, 11 pictures and other files).
using API_LibTypeID = Int32;

struct API_LibPart {
    API_LibTypeID typeID;
    Int32 index;
    GS::uchar_t docu_UName[256];
    GS::uchar_t file_UName[256];
    IO::Location* location;
    char ownUnID[128];
    char parentUnID[128];
    bool isTemplate;
    bool isPlaceable;
    bool missingDef;
};

struct API_LibPartSection {
    Int32 sectType;  // four-character code
    UInt16 subIdent;
    Int16 version;
    GS::uchar_t sectName[32];
};

struct API_LibPartDetails {
    bool fixSize;
    bool autoHotspot;
    Int32 object_ID;
};

// Parameter types of a library part.
using API_AddParID = Int32;

constexpr short API_ParSimple = 0;
constexpr short API_ParArray = 2;

struct API_AddParType {
    API_AddParID typeID;
    short typeMod;  // 0 simple, 1 array
    short index;
    char name[32];
    GS::uchar_t uDescname[128];
    Int32 flags;
    Int32 dim1;
    Int32 dim2;
    union {
        double real;
        GS::uchar_t uStr[256];
        GSHandle array;
    } value;
};

#endif
