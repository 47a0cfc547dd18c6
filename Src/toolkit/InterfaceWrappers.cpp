#include "InterfaceWrappers.hpp"

// Hosts 21..26 reach these operations through the interface dispatch function; value arguments go
// by address there.
namespace Interface {

GSErrCode GetPoint(API_GetPointType* point, void (*rubberLine)(const API_RubberLineInfo*),
                   void (*component)(const API_Get3DComponentType*))
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_UserInput_GetPoint(point, rubberLine, component);
#else
    return ACAPI_Interface(APISEL(UserInput_GetPoint), point, &rubberLine, &component);
#endif
}

GSErrCode GetLine(API_GetLineType* line, void (*rubberLine)(const API_RubberLineInfo*))
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_UserInput_GetLine(line, rubberLine);
#else
    return ACAPI_Interface(APISEL(UserInput_GetLine), line, &rubberLine);
#endif
}

GSErrCode GetArc(API_GetArcType* arc, void (*rubberLine)(const API_RubberLineInfo*))
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_UserInput_GetArc(arc, rubberLine);
#else
    return ACAPI_Interface(APISEL(UserInput_GetArc), arc, &rubberLine);
#endif
}

GSErrCode GetPoly(API_GetPolyType* poly, API_RubberPolyCallbacks* callbacks)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_UserInput_GetPoly(poly, callbacks);
#else
    return ACAPI_Interface(APISEL(UserInput_GetPoly), poly, callbacks);
#endif
}

GSErrCode InstallFileTypeHandler(unsigned int refCon, int (*handler)(const API_IOParams*))
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_AddOnIntegration_InstallFileTypeHandler(refCon, handler);
#else
    return ACAPI_Interface(APISEL(AddOnIntegration_InstallFileTypeHandler), &refCon, &handler);
#endif
}

GSErrCode InstallFileTypeHandler3D(unsigned int refCon,
                                   int (*handler)(const API_IOParams*, GS::SharedPtr<Modeler::Sight>))
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_AddOnIntegration_InstallFileTypeHandler3D(refCon, handler);
#else
    return ACAPI_Interface(APISEL(AddOnIntegration_InstallFileTypeHandler3D), &refCon, &handler);
#endif
}

GSErrCode RegisterFileType(int refCon, unsigned int fileType, unsigned int creator, const char* extension,
                           short iconId, short descriptionListId, short descriptionItem, short methodFlags)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_AddOnIntegration_RegisterFileType(refCon, fileType, creator, extension, iconId, descriptionListId,
                                                   descriptionItem, methodFlags);
#else
    return ACAPI_Interface(APISEL(AddOnIntegration_RegisterFileType), &refCon, &fileType, &creator, extension,
                           &iconId, &descriptionListId, &descriptionItem, &methodFlags);
#endif
}

GSErrCode RegisterMenu(short menuListId, short promptListId, APIMenuCodeID menuCode, unsigned int menuFlags)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_MenuItem_RegisterMenu(menuListId, promptListId, menuCode, menuFlags);
#else
    return ACAPI_Interface(APISEL(MenuItem_RegisterMenu), &menuListId, &promptListId, &menuCode, &menuFlags);
#endif
}

GSErrCode InstallMenuHandler(short menuListId, int (*handler)(const API_MenuParams*))
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_MenuItem_InstallMenuHandler(menuListId, handler);
#else
    return ACAPI_Interface(APISEL(MenuItem_InstallMenuHandler), &menuListId, &handler);
#endif
}

GSErrCode GetMenuItemText(const API_MenuItemRef* item, char* text, GS::UniString* uniText)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_MenuItem_GetMenuItemText(item, text, uniText);
#else
    return ACAPI_Interface(APISEL(MenuItem_GetMenuItemText), item, text, uniText);
#endif
}

GSErrCode SetMenuItemText(const API_MenuItemRef* item, char* text, GS::UniString* uniText)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_MenuItem_SetMenuItemText(item, text, uniText);
#else
    return ACAPI_Interface(APISEL(MenuItem_SetMenuItemText), item, text, uniText);
#endif
}

GSErrCode AddMenuItemText(const API_MenuItemRef* item, char* text, GS::UniString* uniText)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_MenuItem_AddMenuItemText(item, text, uniText);
#else
    return ACAPI_Interface(APISEL(MenuItem_AddMenuItemText), item, text, uniText);
#endif
}

GSErrCode GetMenuItemFlags(const API_MenuItemRef* item, unsigned int* flags, GS::UniString* uniText)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_MenuItem_GetMenuItemFlags(item, flags, uniText);
#else
    return ACAPI_Interface(APISEL(MenuItem_GetMenuItemFlags), item, flags, uniText);
#endif
}

GSErrCode SetMenuItemFlags(const API_MenuItemRef* item, unsigned int* flags, GS::UniString* uniText)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_MenuItem_SetMenuItemFlags(item, flags, uniText);
#else
    return ACAPI_Interface(APISEL(MenuItem_SetMenuItemFlags), item, flags, uniText);
#endif
}

}  // namespace Interface
