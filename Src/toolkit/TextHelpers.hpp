// Small conversions between host texts and C strings, and the wildcard matcher of file names.
#ifndef TOOLKIT_TEXTHELPERS_HPP
#define TOOLKIT_TEXTHELPERS_HPP

#include "Array.hpp"
#include "UniString.hpp"

// '?' matches one byte, '*' any run of bytes (also an empty one); every other byte matches
// itself, letter case counting. A null pattern or text matches nothing.
bool PatternMatch(const char* pattern, const char* text);

// UTF-16 of text (default character code) into *buffer, which holds size units; always
// NUL-terminated within the buffer, the text cut to fit. count receives the units the conversion
// needed, one more when the text was cut. size <= 0 or a null buffer: nothing happens.
void ConvertUnicode(const char* text, unsigned short** buffer, int& count, const int& size);
void ConvertUnicode(const char* text, unsigned short* buffer, const int& size);

bool IsASCII(const GS::UniString& text);
GS::UniString DoubleToUniString(const double& value);  // "%.6g"
GS::UniString Escape(const char* text);                // every blank becomes backslash blank

// Copies in without leading and trailing white space into out (outSize bytes with the NUL,
// longer text cut); returns the number of bytes written before the NUL.
unsigned long TrimwhiteSpace(char* out, unsigned long outSize, const char* in);

// The pieces between the separators; a text ending with the separator gives an empty last piece.
// An empty separator gives the text as the only piece.
GS::Array<GS::UniString> StringSeparator(const GS::UniString& text, const GS::UniString& separator);

// The lines of text: CR LF, CR and LF each end a line; blank lines are kept, and text after the
// last break is the last line. An empty text has no lines.
GS::Array<GS::UniString> SplitToLines(const GS::UniString& text);

GS::UniString RemoveNewLines(const GS::UniString& text);  // every line break becomes one blank
GS::UniString ToSingleQuoted(const GS::UniString& text);
GS::UniString ToDoubleQuoted(const GS::UniString& text);
GS::UniString GetBeginWhiteSpaces(const GS::UniString& text);

#endif
