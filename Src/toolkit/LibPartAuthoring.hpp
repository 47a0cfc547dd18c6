// Authoring a library part: text lines into the section that the host is writing, parameter
// records filled field by field, and a library part's text sections read back as lines.
#ifndef TOOLKIT_LIBPARTAUTHORING_HPP
#define TOOLKIT_LIBPARTAUTHORING_HPP

#include "ACAPinc.h"
#include "Array.hpp"
#include "UniString.hpp"

// Section types of the host's text sections, four-character codes.
constexpr unsigned int DescriptionSection = 0x43545854;  // CTXT
constexpr unsigned int KeywordsSection = 0x4B575244;     // KWRD

// ---- Section lines: call them while the host has a section open for writing ------------------------

// Writes the whole text and the host's line end (character code 99); a null text writes an empty
// line. The host's result of the write.
GSErrCode AddLibpartLine(char const* text);
GSErrCode AddLibpartLine(const GS::UniString& text);

// Appends the word to the line (after a blank when withBlank is set) while
// length(line) + blank + length(word) < maxLength - blank - 1. Otherwise the line is written out
// and the next one starts with its leading white space and the word; a line that holds nothing
// but that white space is not written. 0, or the error of the write, which leaves the line as it was.
GSErrCode AddToLibpartLine(GS::UniString& line, const GS::UniString& word, bool withBlank, unsigned int maxLength);

// ---- Parameter records -------------------------------------------------------------------------------
// Each sets the type, the type modifier (single value, or array), the flags and the name (cut to
// fit its field), then the description and the value. Texts go in at most 255 UTF-16 units with a
// NUL; a null text counts as empty.

// 8-bit description; the value is the text for type 12 (APIParT_CString), else the number.
void AddLibpartParameter(API_AddParType* param, API_AddParID const& type, unsigned short const& flags,
                         char const* name, char const* description, double const& value, char const* text);
// UTF-16 description; the value is left as it is.
void AddLibpartParameter(API_AddParType* param, API_AddParID const& type, unsigned short const& flags,
                         char const* name, unsigned short const* description);
void AddLibpartParameter(API_AddParType* param, API_AddParID const& type, unsigned short const& flags,
                         char const* name, unsigned short const* description, double const& value);
// true is 1.0, false 0.0.
void AddLibpartParameter(API_AddParType* param, API_AddParID const& type, unsigned short const& flags,
                         char const* name, unsigned short const* description, bool const& value);
void AddLibpartParameter(API_AddParType* param, API_AddParID const& type, unsigned short const& flags,
                         char const* name, unsigned short const* description, int const& value);
void AddLibpartParameter(API_AddParType* param, API_AddParID const& type, unsigned short const& flags,
                         char const* name, unsigned short const* description, unsigned short const* value);

// An array parameter: both dimensions, and a copy of the caller's item handle (*items), which the
// record then owns; the caller's handle stays the caller's. 0; APIERR_BADPARS for a null record or
// a missing item handle; or the memory error of the copy. After a failure the record holds no items.
GSErrCode AddLibpartParameterArray(API_AddParType* param, API_AddParID const& type, unsigned short const& flags,
                                   char const* name, unsigned short const* description, int const& firstDimension,
                                   int const& secondDimension, char*** items);

// ---- Text sections read back ---------------------------------------------------------------------------

// The lines of the library part's first section of the type (sub-identifier 0) replace the output's
// contents; a section without text leaves the output untouched. 0, or the host's error, which is
// logged and leaves the output untouched.
GSErrCode GetLibpartScript(API_LibPart const& libPart, unsigned int sectionType, GS::Array<GS::UniString>& lines);
GSErrCode GetLibpartDescription(API_LibPart const& libPart, GS::Array<GS::UniString>& lines);
GSErrCode GetLibpartKeywords(API_LibPart const& libPart, GS::Array<GS::UniString>& lines);

#endif
