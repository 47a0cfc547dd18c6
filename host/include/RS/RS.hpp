// The host's resource framework: indexed string lists (and, for DG, dialog layouts) of an
// add-on's resource file.
#ifndef RS_RS_HPP
#define RS_RS_HPP

#include "Definitions.hpp"
#include "UniString.hpp"

struct RSModuleData;
using GSResModule = const RSModuleData*;
constexpr GSResModule InvalidResModule = nullptr;

// Opens the resource file at path; InvalidResModule when it cannot be read.
GSROOT_DLL_EXPORT GSResModule RSOpenModule(const char* path);
GSROOT_DLL_EXPORT void RSCloseModule(GSResModule module);

// Reads item index (from 1) of string list listId into text. False, leaving text as it was, when the
// module, the list or the item is missing.
GSROOT_DLL_EXPORT bool RSGetIndString(GS::UniString* text, GSResID listId, Int32 index, GSResModule module,
                                      GSResType type = 0);

#endif
