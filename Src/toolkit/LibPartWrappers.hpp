// Host-API wrappers of library parts: lookup, parameters, sections and registration. Each calls
// one host function with its arguments unchanged and returns the host's result unchanged.
#ifndef TOOLKIT_LIBPARTWRAPPERS_HPP
#define TOOLKIT_LIBPARTWRAPPERS_HPP

#include "ACAPinc.h"

namespace LibPart {

GSErrCode GetNum(int* count);
GSErrCode Search(API_LibPart* libPart, bool warnings, bool placeable);
GSErrCode Get(API_LibPart* libPart);
// The handle of default parameters belongs to the caller, who frees it with ACAPI_DisposeAddParHdl.
GSErrCode GetParams(int libIndex, double* a, double* b, int* paramCount, API_AddParType*** params);
GSErrCode GetSection(int libIndex, API_LibPartSection* section, char*** sectionHandle, GS::UniString* sectionString,
                     GS::UniString* password);
GSErrCode UpdateSection(int libIndex, const API_LibPartSection* section, char** sectionHandle,
                        GS::UniString* sectionString, GS::UniString* password);
GSErrCode GetSectParamDef(const API_LibPart* libPart, API_AddParType** params, double* a, double* b,
                          char** sectionHandle, char*** paramDefinition, GS::UniString* password);
GSErrCode Create(const API_LibPart* libPart);
GSErrCode NewSection(const API_LibPartSection* section);
GSErrCode EndSection();
GSErrCode AddSection(const API_LibPartSection* section, char** sectionHandle, GS::UniString* sectionString);
GSErrCode WriteSection(int byteCount, char* data);
GSErrCode GetSectionList(int libIndex, int* sectionCount, API_LibPartSection*** sections);
GSErrCode GetDetails(int libIndex, API_LibPartDetails* details);
GSErrCode Save(API_LibPart* libPart);
GSErrCode Register(API_LibPart* libPart);
GSErrCode RegisterAll(GS::Array<API_LibPart>* libParts);

}  // namespace LibPart

#endif
