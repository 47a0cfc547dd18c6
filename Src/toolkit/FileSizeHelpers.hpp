// File sizes, also as text with a binary unit.
#ifndef TOOLKIT_FILESIZEHELPERS_HPP
#define TOOLKIT_FILESIZEHELPERS_HPP

#include "Location.hpp"
#include "UniString.hpp"

// The file's byte length; 0 when it cannot be read (a debug line says so).
UInt64 GetFileSize(const IO::Location& loc);
UInt64 GetFileSize(const GS::UniString& path);
// "%.2f" and one of B, KB, MB, GB, TB: 1536 gives "1.50 KB"; from 2^50 on it stays in TB.
GS::UniString FileSizeToStr(UInt64 size);
GS::UniString GetFileSizeStr(const IO::Location& loc);
GS::UniString GetFileSizeStr(const GS::UniString& path);

#endif
