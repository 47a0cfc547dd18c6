#include "LibPartWrappers.hpp"

// Hosts 21..26 reach these operations through the library-part dispatch function; value arguments
// go by address there.
namespace LibPart {

GSErrCode GetNum(int* count)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryPart_GetNum(count);
#else
    return ACAPI_LibPart(APISEL(LibraryPart_GetNum), count);
#endif
}

GSErrCode Search(API_LibPart* libPart, bool warnings, bool placeable)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryPart_Search(libPart, warnings, placeable);
#else
    return ACAPI_LibPart(APISEL(LibraryPart_Search), libPart, &warnings, &placeable);
#endif
}

GSErrCode Get(API_LibPart* libPart)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryPart_Get(libPart);
#else
    return ACAPI_LibPart(APISEL(LibraryPart_Get), libPart);
#endif
}

GSErrCode GetParams(int libIndex, double* a, double* b, int* paramCount, API_AddParType*** params)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryPart_GetParams(libIndex, a, b, paramCount, params);
#else
    return ACAPI_LibPart(APISEL(LibraryPart_GetParams), &libIndex, a, b, paramCount, params);
#endif
}

GSErrCode GetSection(int libIndex, API_LibPartSection* section, char*** sectionHandle, GS::UniString* sectionString,
                     GS::UniString* password)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryPart_GetSection(libIndex, section, sectionHandle, sectionString, password);
#else
    return ACAPI_LibPart(APISEL(LibraryPart_GetSection), &libIndex, section, sectionHandle, sectionString, password);
#endif
}

GSErrCode UpdateSection(int libIndex, const API_LibPartSection* section, char** sectionHandle,
                        GS::UniString* sectionString, GS::UniString* password)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryPart_UpdateSection(libIndex, section, sectionHandle, sectionString, password);
#else
    return ACAPI_LibPart(APISEL(LibraryPart_UpdateSection), &libIndex, section, sectionHandle, sectionString,
                         password);
#endif
}

GSErrCode GetSectParamDef(const API_LibPart* libPart, API_AddParType** params, double* a, double* b,
                          char** sectionHandle, char*** paramDefinition, GS::UniString* password)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryPart_GetSect_ParamDef(libPart, params, a, b, sectionHandle, paramDefinition, password);
#else
    return ACAPI_LibPart(APISEL(LibraryPart_GetSect_ParamDef), libPart, params, a, b, sectionHandle, paramDefinition,
                         password);
#endif
}

GSErrCode Create(const API_LibPart* libPart)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryPart_Create(libPart);
#else
    return ACAPI_LibPart(APISEL(LibraryPart_Create), libPart);
#endif
}

GSErrCode NewSection(const API_LibPartSection* section)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryPart_NewSection(section);
#else
    return ACAPI_LibPart(APISEL(LibraryPart_NewSection), section);
#endif
}

GSErrCode EndSection()
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryPart_EndSection();
#else
    return ACAPI_LibPart(APISEL(LibraryPart_EndSection));
#endif
}

GSErrCode AddSection(const API_LibPartSection* section, char** sectionHandle, GS::UniString* sectionString)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryPart_AddSection(section, sectionHandle, sectionString);
#else
    return ACAPI_LibPart(APISEL(LibraryPart_AddSection), section, sectionHandle, sectionString);
#endif
}

GSErrCode WriteSection(int byteCount, char* data)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryPart_WriteSection(byteCount, data);
#else
    return ACAPI_LibPart(APISEL(LibraryPart_WriteSection), &byteCount, data);
#endif
}

GSErrCode GetSectionList(int libIndex, int* sectionCount, API_LibPartSection*** sections)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryPart_GetSectionList(libIndex, sectionCount, sections);
#else
    return ACAPI_LibPart(APISEL(LibraryPart_GetSectionList), &libIndex, sectionCount, sections);
#endif
}

GSErrCode GetDetails(int libIndex, API_LibPartDetails* details)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryPart_GetDetails(libIndex, details);
#else
    return ACAPI_LibPart(APISEL(LibraryPart_GetDetails), &libIndex, details);
#endif
}

GSErrCode Save(API_LibPart* libPart)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryPart_Save(libPart);
#else
    return ACAPI_LibPart(APISEL(LibraryPart_Save), libPart);
#endif
}

GSErrCode Register(API_LibPart* libPart)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryPart_Register(libPart);
#else
    return ACAPI_LibPart(APISEL(LibraryPart_Register), libPart);
#endif
}

GSErrCode RegisterAll(GS::Array<API_LibPart>* libParts)
{
#if ACAPI_NAMED_FUNCTIONS
    return ACAPI_LibraryPart_RegisterAll(libParts);
#else
    return ACAPI_LibPart(APISEL(LibraryPart_RegisterAll), libParts);
#endif
}

}  // namespace LibPart
