// Host-API wrappers of windows, databases, zoom and element extents. Each calls one host function
// with its arguments unchanged and returns the host's result unchanged.
#ifndef TOOLKIT_DATABASEWRAPPERS_HPP
#define TOOLKIT_DATABASEWRAPPERS_HPP

#include "ACAPinc.h"

namespace Database {

GSErrCode GetExtent(API_Box* extent, API_DatabaseUnId* database);
GSErrCode GetExtent3D(API_Box3D* extent);
GSErrCode GetZoom(API_Box* zoom, API_Tranmat* transformation);
GSErrCode SetZoom(API_Box* zoom, API_Tranmat* transformation);
// Kept for older callers: the host has nothing to reset, so this answers 0 and touches nothing.
GSErrCode ReSetZoom(short* zoom);
GSErrCode RedrawCurrentDatabase();
GSErrCode RebuildCurrentDatabase();
// The host computes one kind of element bounds; both names reach it.
GSErrCode CalcBounds2D(const API_Elem_Head* head, API_Box3D* bounds);
GSErrCode CalcBounds3D(const API_Elem_Head* head, API_Box3D* bounds);
GSErrCode GetCurrentWindow(API_WindowInfo* window);
GSErrCode ChangeCurrentWindow(API_WindowInfo* window);
GSErrCode GetCurrentDatabase(API_WindowInfo* database);
GSErrCode ChangeCurrentDatabase(API_WindowInfo* database);
GSErrCode GetElementInfoString(const API_Guid* guid, GS::UniString* infoString);
GSErrCode GetDetailDatabases(API_DatabaseUnId** databases, GS::Array<API_DatabaseUnId>* list);
GSErrCode GetWorksheetDatabases(API_DatabaseUnId** databases, GS::Array<API_DatabaseUnId>* list);
GSErrCode GetDatabaseInfo(API_WindowInfo* database, API_DatabaseUnId* id);
GSErrCode New(API_WindowInfo* database, const API_Guid* parent, const API_Guid* element);
GSErrCode Modify(API_WindowInfo* database);
GSErrCode GetGridSettings(API_GridType& grid);

}  // namespace Database

#endif
