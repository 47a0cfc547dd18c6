// The host's character-set functions on C strings.
#ifndef GSROOT_CH_HPP
#define GSROOT_CH_HPP

#include "Definitions.hpp"

// Comparisons answer 0 when equal, -1 / 1 otherwise; caseMode 0 exact, 1 ignoring case.
GSROOT_DLL_EXPORT Int32 CHCompareTexts(const char* left, const char* right, Int32 caseMode);
GSROOT_DLL_EXPORT Int32 CHCompareASCII(const char* left, const char* right, Int32 caseMode);
// The position of the first occurrence of what in text, or null.
GSROOT_DLL_EXPORT const char* CHSearchSubstring(const char* what, const char* text, Int32 caseMode);
GSROOT_DLL_EXPORT void CHTruncate(const char* source, char* destination, Int32 destinationSize);
GSROOT_DLL_EXPORT void CHCopyC(const char* source, char* destination);

// Converts length bytes of source (-1: up to its NUL) into UTF-16 units. With a null destination
// it only counts. Returns the number of units of the conversion (limited by destinationLimit).
GSROOT_DLL_EXPORT Int32 CHANSI2Unicode(const char* source, Int32 length, GS::uchar_t* destination,
                                       Int32 destinationLimit, GSCharCode code = CC_Default);
GSROOT_DLL_EXPORT void CHFreeANSI2UnicodeCache();

#endif
