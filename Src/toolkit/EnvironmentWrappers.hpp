// Host-API wrappers of the host's environment: toolbox mode, special folders, libraries, 3D
// settings, rendering, project, application and preferences. Each calls one host function with its
// arguments unchanged and returns the host's result unchanged.
#ifndef TOOLKIT_ENVIRONMENTWRAPPERS_HPP
#define TOOLKIT_ENVIRONMENTWRAPPERS_HPP

#include "ACAPinc.h"

namespace Environment {

GSErrCode GetToolBoxMode(API_ToolBoxItem& item);
GSErrCode SetToolBoxMode(API_ToolBoxItem& item);
// Selects the tool of an element type: an item that is zero but for its type id.
GSErrCode SetToolBoxMode(API_ElemTypeID typeId);
GSErrCode GetSpecialFolder(API_SpecFolderID* folderId, IO::Location* location);
GSErrCode GetLibraries(GS::Array<API_LibraryInfo>* libraries, int* embeddedLibraryIndex);
GSErrCode SetLibraries(GS::Array<API_LibraryInfo>* libraries);
GSErrCode AddLibraries(IO::Location* location);
// The older name of AddLibraries.
GSErrCode LoadLibraries(IO::Location* location);
GSErrCode Get3DWindowSets(API_3DWindowInfo* settings);
GSErrCode Change3DWindowSets(API_3DWindowInfo* settings);
GSErrCode Get3DStyle(API_3DStyle* style);
GSErrCode Change3DStyle(API_3DStyle* style);
GSErrCode Get3DProjectionSets(API_3DProjectionInfo* projection);
GSErrCode Change3DProjectionSets(API_3DProjectionInfo* projection);
GSErrCode GetRenderingSets(void* settings, API_RendSetTypeID type, const GS::UniString* sceneName);
GSErrCode ChangeRenderingSets(void* settings, API_RendSetTypeID type);
GSErrCode Project(API_ProjectInfo* project);
GSErrCode GetServerApplicationInfo(API_ServerApplicationInfo& application);
GSErrCode GetPreferencesPlatform(int* version, int* byteCount, void* data, unsigned short* platform);

}  // namespace Environment

#endif
