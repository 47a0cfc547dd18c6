#include "ExportText.hpp"

#include <cstring>

namespace WRL {

namespace {

bool IsContinuationByte(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0u) == 0x80u;
}

// A UTF-8 character has at most three continuation bytes.
constexpr USize MaxContinuationBytes = 3;

}  // namespace

USize Utf8PrefixLength(const char* text, USize length, USize maxBytes)
{
    if (text == nullptr)
        return 0;
    if (length <= maxBytes)
        return length;
    // text[maxBytes] is the first byte left out; step back while it continues a character.
    USize cut = maxBytes;
    USize steps = 0;
    while (cut > 0 && IsContinuationByte(text[cut]) && steps < MaxContinuationBytes) {
        --cut;
        ++steps;
    }
    // Still inside a run of continuation bytes: that is no character, so there is no boundary to keep.
    if (IsContinuationByte(text[cut]))
        return maxBytes;
    return cut;
}

USize CopyUtf8Cut(const char* source, char* destination, USize destinationSize)
{
    if (destination == nullptr || destinationSize == 0)
        return 0;
    const USize length = source == nullptr ? 0 : std::strlen(source);
    const USize copied = Utf8PrefixLength(source, length, destinationSize - 1);
    if (copied > 0)
        std::memcpy(destination, source, copied);
    destination[copied] = '\0';
    return copied;
}

}  // namespace WRL
