// Records of registration, handlers, menus, the process window and user input.
#ifndef ACAPI_APIDEFS_INTERFACE_H
#define ACAPI_APIDEFS_INTERFACE_H

#include "APIdefs_Base.h"
#include "SharedPtr.hpp"
#include "UniString.hpp"

namespace IO {
class Location;
class Name;
}  // namespace IO

namespace Modeler {
class Sight;
class IAttributeReader;
}  // namespace Modeler

// What CheckEnvironment answers: the kind of add-on.
enum API_AddonType : Int32 {
    APIAddon_Unknown = 0,
    APIAddon_Normal = 1,
    APIAddon_Preload = 2
};

struct API_AddOnInfo {
    GS::UniString name;
    GS::UniString description;
};

struct API_ServerInfo {
    Int32 mainVersion;
    Int32 releaseVersion;
    Int32 buildNum;
};

struct API_EnvirParams {
    API_AddOnInfo addOnInfo;
    API_ServerInfo serverInfo;
};

// Target of a save-as or of the direct export.
struct API_IOParams {
    Int32 method;               // I/O method code, e.g. 0x00050001
    IO::Location* fileLoc;      // the file to write
    IO::Name* fileName;         // its name
    Int16 saveFileIOMode;       // 16-bit field after the name
    Int16 filler_1;
    Int32 refCon;
    void* userData;
};

struct API_MenuItemRef {
    short menuResID;
    Int32 itemIndex;
};

struct API_MenuParams {
    API_MenuItemRef menuItemRef;
};

using APIMenuCodeID = Int32;
using API_ProcessControlTypeID = Int32;

using APIIOCommandProc = GSErrCode(const API_IOParams* ioParams);
using APIIO3DCommandProc = GSErrCode(const API_IOParams* ioParams, GS::SharedPtr<Modeler::Sight> sight);
using APIMenuCommandProc = GSErrCode(const API_MenuParams* menuParams);

// User input (interactive picking).
using API_NeigID = Int32;

struct API_Neig {
    API_NeigID neigID;
    API_Guid guid;
    Int32 inIndex;
    Int32 elemPartType;
    Int32 elemPartIndex;
};

struct API_GetPointType {
    char prompt[256];
    bool changeFilter;
    bool changePlane;
    API_Coord3D pos;
    API_Neig neig;
};

struct API_GetLineType {
    char prompt[256];
    bool changeFilter;
    bool changePlane;
    API_Coord3D startCoord;
    API_Coord3D pos;
};

struct API_GetArcType {
    char prompt[256];
    bool changeFilter;
    bool changePlane;
    API_Coord3D origo;
    API_Coord3D startCoord;
    bool startCoordGiven;
    API_Coord3D pos;
    bool negArc;
};

struct API_GetPolyType {
    char prompt[256];
    bool changeFilter;
    bool changePlane;
    Int32 nCoords;
    API_Coord3D** coords;
};

struct API_RubberLineInfo {
    Int32 drawIndex;
    API_Coord3D actCoord;
};

struct API_Get3DComponentType {
    Int32 elemIndex;
    Int32 bodyIndex;
    Int32 polygonIndex;
    API_Coord3D pos;
};

using RubberLineInfoProc = void(const API_RubberLineInfo* info);
using Get3DComponentProc = void(const API_Get3DComponentType* info);

struct API_RubberPolyCallbacks {
    RubberLineInfoProc* rubberLineInfoProc;
    void* reserved;
};

#endif
