#include "EnvironmentWrappers.hpp"

#include <cstring>

#include "ToolboxAccessors.hpp"

// Hosts 21..26 reach these operations through the environment dispatch function; value arguments
// go by address there.
namespace Environment {

GSErrCode GetToolBoxMode(API_ToolBoxItem& item)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Toolbox_GetToolBoxMode(&item);
#else
    return ACAPI_Environment(APISEL(Toolbox_GetToolBoxMode), &item);
#endif
}

GSErrCode SetToolBoxMode(API_ToolBoxItem& item)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Toolbox_SetToolBoxMode(&item);
#else
    return ACAPI_Environment(APISEL(Toolbox_SetToolBoxMode), &item);
#endif
}

GSErrCode SetToolBoxMode(API_ElemTypeID typeId)
{
    API_ToolBoxItem item;
    std::memset(&item, 0, sizeof item);  // every byte, so the host sees no stale field
    Toolbox::SetTypeId(item, typeId);
    return SetToolBoxMode(item);
}

GSErrCode GetSpecialFolder(API_SpecFolderID* folderId, IO::Location* location)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_ProjectSettings_GetSpecFolder(folderId, location);
#else
    return ACAPI_Environment(APISEL(ProjectSettings_GetSpecFolder), folderId, location);
#endif
}

GSErrCode GetLibraries(GS::Array<API_LibraryInfo>* libraries, int* embeddedLibraryIndex)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryManagement_GetLibraries(libraries, embeddedLibraryIndex);
#else
    return ACAPI_Environment(APISEL(LibraryManagement_GetLibraries), libraries, embeddedLibraryIndex);
#endif
}

GSErrCode SetLibraries(GS::Array<API_LibraryInfo>* libraries)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryManagement_SetLibraries(libraries);
#else
    return ACAPI_Environment(APISEL(LibraryManagement_SetLibraries), libraries);
#endif
}

GSErrCode AddLibraries(IO::Location* location)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryManagement_AddLibraries(location);
#else
    return ACAPI_Environment(APISEL(LibraryManagement_AddLibraries), location);
#endif
}

GSErrCode LoadLibraries(IO::Location* location)
{
    return AddLibraries(location);
}

GSErrCode Get3DWindowSets(API_3DWindowInfo* settings)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_View_Get3DWindowSets(settings);
#else
    return ACAPI_Environment(APISEL(View_Get3DWindowSets), settings);
#endif
}

GSErrCode Change3DWindowSets(API_3DWindowInfo* settings)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_View_Change3DWindowSets(settings);
#else
    return ACAPI_Environment(APISEL(View_Change3DWindowSets), settings);
#endif
}

GSErrCode Get3DStyle(API_3DStyle* style)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_View_Get3DStyle(style);
#else
    return ACAPI_Environment(APISEL(View_Get3DStyle), style);
#endif
}

GSErrCode Change3DStyle(API_3DStyle* style)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_View_Change3DStyle(style);
#else
    return ACAPI_Environment(APISEL(View_Change3DStyle), style);
#endif
}

GSErrCode Get3DProjectionSets(API_3DProjectionInfo* projection)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_View_Get3DProjectionSets(projection);
#else
    return ACAPI_Environment(APISEL(View_Get3DProjectionSets), projection);
#endif
}

// The changed settings apply to the current view only: no "apply to all views" answer is asked for.
GSErrCode Change3DProjectionSets(API_3DProjectionInfo* projection)
{
    bool* const applyToAllViews = nullptr;
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_View_Change3DProjectionSets(projection, applyToAllViews);
#else
    return ACAPI_Environment(APISEL(View_Change3DProjectionSets), projection, applyToAllViews);
#endif
}

GSErrCode GetRenderingSets(void* settings, API_RendSetTypeID type, const GS::UniString* sceneName)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Rendering_GetRenderingSets(settings, type, sceneName);
#else
    return ACAPI_Environment(APISEL(Rendering_GetRenderingSets), settings, &type, sceneName);
#endif
}

GSErrCode ChangeRenderingSets(void* settings, API_RendSetTypeID type)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Rendering_ChangeRenderingSets(settings, type);
#else
    return ACAPI_Environment(APISEL(Rendering_ChangeRenderingSets), settings, &type);
#endif
}

GSErrCode Project(API_ProjectInfo* project)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_ProjectOperation_Project(project);
#else
    return ACAPI_Environment(APISEL(ProjectOperation_Project), project);
#endif
}

GSErrCode GetServerApplicationInfo(API_ServerApplicationInfo& application)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_AddOnIdentification_Application(&application);
#else
    return ACAPI_Environment(APISEL(AddOnIdentification_Application), &application);
#endif
}

GSErrCode GetPreferencesPlatform(int* version, int* byteCount, void* data, unsigned short* platform)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_Preferences_Platform(version, byteCount, data, platform);
#else
    return ACAPI_Environment(APISEL(Preferences_Platform), version, byteCount, data, platform);
#endif
}

}  // namespace Environment
