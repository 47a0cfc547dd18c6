#include "DatabaseWrappers.hpp"

// Hosts 21..26 reach these operations through the database dispatch function.
namespace Database {

GSErrCode GetExtent(API_Box* extent, API_DatabaseUnId* database)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Element_GetExtent(extent, database);
#else
    return ACAPI_Database(APISEL(Element_GetExtent), extent, database);
#endif
}

GSErrCode GetExtent3D(API_Box3D* extent)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Element_GetExtent3D(extent);
#else
    return ACAPI_Database(APISEL(Element_GetExtent3D), extent);
#endif
}

GSErrCode GetZoom(API_Box* zoom, API_Tranmat* transformation)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_View_GetZoom(zoom, transformation);
#else
    return ACAPI_Database(APISEL(View_GetZoom), zoom, transformation);
#endif
}

GSErrCode SetZoom(API_Box* zoom, API_Tranmat* transformation)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_View_SetZoom(zoom, transformation);
#else
    return ACAPI_Database(APISEL(View_SetZoom), zoom, transformation);
#endif
}

GSErrCode ReSetZoom(short* /*zoom*/)
{
    return NoError;
}

GSErrCode RedrawCurrentDatabase()
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Database_RedrawCurrentDatabase();
#else
    return ACAPI_Database(APISEL(Database_RedrawCurrentDatabase));
#endif
}

GSErrCode RebuildCurrentDatabase()
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Database_RebuildCurrentDatabase();
#else
    return ACAPI_Database(APISEL(Database_RebuildCurrentDatabase));
#endif
}

GSErrCode CalcBounds2D(const API_Elem_Head* head, API_Box3D* bounds)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Element_CalcBounds(head, bounds);
#else
    return ACAPI_Database(APISEL(Element_CalcBounds), head, bounds);
#endif
}

GSErrCode CalcBounds3D(const API_Elem_Head* head, API_Box3D* bounds)
{
    return CalcBounds2D(head, bounds);
}

GSErrCode GetCurrentWindow(API_WindowInfo* window)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Window_GetCurrentWindow(window);
#else
    return ACAPI_Database(APISEL(Window_GetCurrentWindow), window);
#endif
}

GSErrCode ChangeCurrentWindow(API_WindowInfo* window)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Window_ChangeWindow(window);
#else
    return ACAPI_Database(APISEL(Window_ChangeWindow), window);
#endif
}

GSErrCode GetCurrentDatabase(API_WindowInfo* database)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Database_GetCurrentDatabase(database);
#else
    return ACAPI_Database(APISEL(Database_GetCurrentDatabase), database);
#endif
}

GSErrCode ChangeCurrentDatabase(API_WindowInfo* database)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Database_ChangeCurrentDatabase(database);
#else
    return ACAPI_Database(APISEL(Database_ChangeCurrentDatabase), database);
#endif
}

GSErrCode GetElementInfoString(const API_Guid* guid, GS::UniString* infoString)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Element_GetElementInfoString(guid, infoString);
#else
    return ACAPI_Database(APISEL(Element_GetElementInfoString), guid, infoString);
#endif
}

GSErrCode GetDetailDatabases(API_DatabaseUnId** databases, GS::Array<API_DatabaseUnId>* list)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Database_GetDetailDatabases(databases, list);
#else
    return ACAPI_Database(APISEL(Database_GetDetailDatabases), databases, list);
#endif
}

GSErrCode GetWorksheetDatabases(API_DatabaseUnId** databases, GS::Array<API_DatabaseUnId>* list)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Database_GetWorksheetDatabases(databases, list);
#else
    return ACAPI_Database(APISEL(Database_GetWorksheetDatabases), databases, list);
#endif
}

GSErrCode GetDatabaseInfo(API_WindowInfo* database, API_DatabaseUnId* id)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Window_GetDatabaseInfo(database, id);
#else
    return ACAPI_Database(APISEL(Window_GetDatabaseInfo), database, id);
#endif
}

GSErrCode New(API_WindowInfo* database, const API_Guid* parent, const API_Guid* element)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Database_NewDatabase(database, parent, element);
#else
    return ACAPI_Database(APISEL(Database_NewDatabase), database, parent, element);
#endif
}

GSErrCode Modify(API_WindowInfo* database)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Database_ModifyDatabase(database);
#else
    return ACAPI_Database(APISEL(Database_ModifyDatabase), database);
#endif
}

GSErrCode GetGridSettings(API_GridType& grid)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Window_GetGridSettings(&grid);
#else
    return ACAPI_Database(APISEL(Window_GetGridSettings), &grid);
#endif
}

}  // namespace Database
