// Host-API wrappers of user input, file types and menus. Each calls one host function with its
// arguments unchanged and returns the host's result unchanged.
#ifndef TOOLKIT_INTERFACEWRAPPERS_HPP
#define TOOLKIT_INTERFACEWRAPPERS_HPP

#include "ACAPinc.h"

namespace Interface {

GSErrCode GetPoint(API_GetPointType* point, void (*rubberLine)(const API_RubberLineInfo*),
                   void (*component)(const API_Get3DComponentType*));
GSErrCode GetLine(API_GetLineType* line, void (*rubberLine)(const API_RubberLineInfo*));
GSErrCode GetArc(API_GetArcType* arc, void (*rubberLine)(const API_RubberLineInfo*));
GSErrCode GetPoly(API_GetPolyType* poly, API_RubberPolyCallbacks* callbacks);
GSErrCode InstallFileTypeHandler(unsigned int refCon, int (*handler)(const API_IOParams*));
GSErrCode InstallFileTypeHandler3D(unsigned int refCon,
                                   int (*handler)(const API_IOParams*, GS::SharedPtr<Modeler::Sight>));
GSErrCode RegisterFileType(int refCon, unsigned int fileType, unsigned int creator, const char* extension,
                           short iconId, short descriptionListId, short descriptionItem, short methodFlags);
GSErrCode RegisterMenu(short menuListId, short promptListId, APIMenuCodeID menuCode, unsigned int menuFlags);
GSErrCode InstallMenuHandler(short menuListId, int (*handler)(const API_MenuParams*));
GSErrCode GetMenuItemText(const API_MenuItemRef* item, char* text, GS::UniString* uniText);
GSErrCode SetMenuItemText(const API_MenuItemRef* item, char* text, GS::UniString* uniText);
GSErrCode AddMenuItemText(const API_MenuItemRef* item, char* text, GS::UniString* uniText);
GSErrCode GetMenuItemFlags(const API_MenuItemRef* item, unsigned int* flags, GS::UniString* uniText);
GSErrCode SetMenuItemFlags(const API_MenuItemRef* item, unsigned int* flags, GS::UniString* uniText);

}  // namespace Interface

#endif
