// File-name extensions and legal file names.
#ifndef TOOLKIT_FILENAMEHELPERS_HPP
#define TOOLKIT_FILENAMEHELPERS_HPP

#include "UniString.hpp"

// True when name ends with "." and then ext, compared byte for byte (letter case counts).
bool HasExtension(const char* name, const char* ext);
bool IsGSM(const char* name);

// Cuts the C string at its last "." (wherever it stands, also inside a folder name of a path).
void RemoveExtension(char* name);
// The host name rules: the extension follows the last inner dot and goes without it.
GS::UniString RemoveExtension(const GS::UniString& name);
GS::UniString ChangeExtension(const GS::UniString& name, const GS::UniString& ext);
GS::UniString GetFileExtension(const GS::UniString& name);
GS::UniString ConvertToValidFilename(const GS::UniString& name);

#endif
