// Records of windows and databases.
#ifndef ACAPI_APIDEFS_DATABASE_H
#define ACAPI_APIDEFS_DATABASE_H

#include "APIdefs_Base.h"

// Window types the add-on relies on: 4 is the 3D window.
using API_WindowTypeID = Int32;
constexpr API_WindowTypeID APIWind_FloorPlanID = 1;
constexpr API_WindowTypeID APIWind_3DModelID = 4;

struct API_DatabaseUnId {
    API_Guid elemSetId;
};

struct API_WindowInfo {
    API_WindowTypeID typeID;
    Int32 index;
    API_DatabaseUnId databaseUnId;
    API_Guid elemGuid;
};

struct API_GridType {
    double spacingX;
    double spacingY;
    double angle;
    API_Coord origo;
    bool snapGrid;
};

#endif
