// Cutting UTF-8 texts to a byte limit without splitting a character, for the export file's names.
#ifndef EXPORTER_EXPORTTEXT_HPP
#define EXPORTER_EXPORTTEXT_HPP

#include "Definitions.hpp"

namespace WRL {

// The length of the longest prefix of text[0, length) that has at most maxBytes bytes and ends at a
// character boundary. Bytes that are not valid UTF-8 count as characters of their own.
USize Utf8PrefixLength(const char* text, USize length, USize maxBytes);

// Copies a NUL-terminated text into destination[destinationSize], cut at a character boundary so that
// it and its NUL fit. A null source gives the empty text. Returns the number of bytes copied.
USize CopyUtf8Cut(const char* source, char* destination, USize destinationSize);

template <USize N>
USize CopyUtf8Cut(const char* source, char (&destination)[N])
{
    return CopyUtf8Cut(source, destination, N);
}

}  // namespace WRL

#endif
