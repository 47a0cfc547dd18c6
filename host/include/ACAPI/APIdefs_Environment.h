// Records of the host's environment: folders, libraries, 3D settings, project, stories.
#ifndef ACAPI_APIDEFS_ENVIRONMENT_H
#define ACAPI_APIDEFS_ENVIRONMENT_H

#include "APIdefs_Base.h"
#include "UniString.hpp"

namespace IO {
class Location;
}

// Special folders the add-on relies on: 6 (direct export), 7 (update check).
using API_SpecFolderID = Int32;

struct API_LibraryInfo {
    IO::Location* location;
    GS::UniString name;
    Int32 libraryType;
};

struct API_3DWindowInfo {
    Int32 viewMode;
    double zoom;
};

struct API_3DStyle {
    GS::UniString name;
    Int32 engine;
};

struct API_PerspPars {
    double azimuth;
    double sunAzimuth;
    double sunAltitude;
    double viewCone;
    double rollAngle;
    double distance;
    double cameraZ;
    double targetZ;
    API_Coord pos;
    API_Coord target;
};

struct API_AxonoPars {
    Int32 projMod;
    double azimuth;
    double sunAzimuth;
    double sunAltitude;
};

struct API_3DProjectionInfo {
    bool isPersp;
    API_PerspPars u_persp;
    API_AxonoPars u_axono;
};

using API_RendSetTypeID = Int32;

struct API_ProjectInfo {
    bool untitled;
    bool teamwork;
    Int32 userId;
    IO::Location* location;       // the project file, when it has one
    IO::Location* location_team;  // a later location field; preferred when set
    GS::UniString* projectPath;
    GS::UniString* projectName;
};

struct API_ServerApplicationInfo {
    Int32 mainVersion;
    Int32 releaseVersion;
    Int32 buildNum;
    GS::UniString language;
};

struct API_StoryType {
    short index;
    double level;
    GS::uchar_t uName[256];  // UTF-16, NUL-terminated
};

using API_StoryHandle = API_StoryType**;

struct API_StoryInfo {
    short firstStory;
    short lastStory;
    short actStory;
    API_StoryType** data;
};

#endif
