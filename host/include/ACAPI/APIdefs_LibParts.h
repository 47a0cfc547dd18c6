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

constexpr API_AddParID API_ZombieParT = 0;
constexpr API_AddParID APIParT_Integer = 1;
constexpr API_AddParID APIParT_Length = 2;
constexpr API_AddParID APIParT_Angle = 3;
constexpr API_AddParID APIParT_RealNum = 4;
constexpr API_AddParID APIParT_LightSw = 5;
constexpr API_AddParID APIParT_ColRGB = 6;
constexpr API_AddParID APIParT_Intens = 7;
constexpr API_AddParID APIParT_LineTyp = 8;
constexpr API_AddParID APIParT_Mater = 9;
constexpr API_AddParID APIParT_FillPat = 10;
constexpr API_AddParID APIParT_PenCol = 11;
constexpr API_AddParID APIParT_CString = 12;
constexpr API_AddParID APIParT_Boolean = 13;
constexpr API_AddParID APIParT_Separator = 14;
constexpr API_AddParID APIParT_Title = 15;

// Type modifiers: a single value, or an array whose items live in value.array.
constexpr UInt16 API_ParSimple = 0;
constexpr UInt16 API_ParArray = 2;

constexpr Int32 API_NameLen = 32;
constexpr Int32 API_UAddParStrLen = 256;
constexpr Int32 API_UAddParDescLen = 256;

struct API_AddParType {
    API_AddParID typeID;
    UInt16 typeMod;  // API_ParSimple or API_ParArray
    Int16 index;
    char name[API_NameLen];  // NUL-terminated
    GS::uchar_t uDescname[API_UAddParDescLen];
    UInt16 flags;
    Int32 dim1;  // array dimensions
    Int32 dim2;
    union {
        double real;                          // numeric single values
        GS::uchar_t uStr[API_UAddParStrLen];  // APIParT_CString single values, NUL-terminated
        // Array items owned by the record: dim1 x dim2 doubles, or for APIParT_CString arrays
        // consecutive NUL-terminated UTF-16 texts.
        GSHandle array;
    } value;
};

#endif
