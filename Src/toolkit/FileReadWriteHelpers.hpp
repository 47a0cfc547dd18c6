// Whole-file readers and writers over the host's file layer. Each returns 0, the error code of the
// host call that failed (unchanged), or -7003 for a file that cannot be opened for reading or is
// empty; every failure is logged with the step and the file's display text.
#ifndef TOOLKIT_FILEREADWRITEHELPERS_HPP
#define TOOLKIT_FILEREADWRITEHELPERS_HPP

#include "Array.hpp"
#include "Location.hpp"
#include "UniString.hpp"

// The whole file as one text (character code 99); it ends at the first NUL byte of the file.
// The text keeps its value when the file cannot be read.
int TextFileRead(const IO::Location& file, GS::UniString& text);
// The whole file split into lines; the array is emptied first.
int TextFileRead(const IO::Location& file, GS::Array<GS::UniString>& lines);
// Every byte of the file. A failing read leaves the bytes read before it.
int FileRead(const IO::Location& file, GS::Array<unsigned char>& bytes);

// Replace the file by one holding the text's bytes (no NUL, no newline added; null counts as empty).
int TextFileWrite(const IO::Location& file, const char* text);
// Replace the file by one holding the bytes.
int FileWrite(const IO::Location& file, const GS::Array<unsigned char>& bytes);

#endif
