// Finds a library-part parameter by name in a host handle of API_AddParType records and delivers
// its value. The lookup only reads: the handle stays its owner's, who frees it.
//
// The first record, in handle order, whose name equals the wanted name (letter case disregarded),
// whose kind fits the overload (numeric, or APIParT_CString for texts) and which holds a single
// value wins. Each overload returns whether one was found; when not, no output is touched.
#ifndef TOOLKIT_LIBPARTPARAMS_HPP
#define TOOLKIT_LIBPARTPARAMS_HPP

#include <cstddef>
#include <string>

#include "ACAPinc.h"

// A record's name and its text value, each read within its field even when the host left no NUL
// in it.
std::string GetLibPartParamName(const API_AddParType& record);
GS::UniString GetLibPartParamText(const API_AddParType& record);

// Numeric value. flagBit40 becomes true when flag bit 0x40 is set, flagMask90 when any bit of
// 0x90 is; neither is ever set to false.
bool GetLibPartParams(API_AddParType** params, char const* name, double& value, bool& flagBit40,
                      bool& flagMask90);
bool GetLibPartParams(API_AddParType** params, char const* name, double& value);

// Text value as an 8-bit C string (default character code), cut to fit bufferSize bytes with the
// NUL. A bufferSize of 0 finds nothing.
bool GetLibPartParams(API_AddParType** params, char const* name, char* buffer, std::size_t bufferSize);
// The same into a 256-byte buffer that begins at text.
bool GetLibPartParams(API_AddParType** params, char const* name, char& text);

bool GetLibPartParams(API_AddParType** params, char const* name, GS::UniString& text);

#endif
