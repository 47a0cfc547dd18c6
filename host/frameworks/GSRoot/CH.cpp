#include "CH.hpp"

#include <cctype>
#include <algorithm>
#include <cstring>

#include "HostFailure.hpp"
#include "UniString.hpp"

namespace {

int FoldByte(unsigned char byte, Int32 caseMode)
{
    return caseMode == 1 ? std::tolower(byte) : byte;
}

}  // namespace

Int32 CHCompareTexts(const char* left, const char* right, Int32 caseMode)
{
    if (left == nullptr || right == nullptr)
        return left == right ? 0 : (left == nullptr ? -1 : 1);
    const GS::UniString leftText(left);
    const GS::UniString rightText(right);
    switch (leftText.Compare(rightText, caseMode == 1 ? GS::CaseInsensitive : GS::CaseSensitive)) {
        case GS::UniString::Equal:
            return 0;
        case GS::UniString::Less:
            return -1;
        default:
            return 1;
    }
}

Int32 CHCompareASCII(const char* left, const char* right, Int32 caseMode)
{
    if (left == nullptr || right == nullptr)
        return left == right ? 0 : (left == nullptr ? -1 : 1);
    const auto* l = reinterpret_cast<const unsigned char*>(left);
    const auto* r = reinterpret_cast<const unsigned char*>(right);
    while (*l != 0 && FoldByte(*l, caseMode) == FoldByte(*r, caseMode)) {
        ++l;
        ++r;
    }
    const int difference = FoldByte(*l, caseMode) - FoldByte(*r, caseMode);
    return difference == 0 ? 0 : (difference < 0 ? -1 : 1);
}

const char* CHSearchSubstring(const char* what, const char* text, Int32 caseMode)
{
    if (what == nullptr || text == nullptr)
        return nullptr;
    const std::size_t length = std::strlen(what);
    for (const char* position = text; *position != 0 || length == 0; ++position) {
        std::size_t i = 0;
        while (i < length && position[i] != 0 &&
               FoldByte(static_cast<unsigned char>(position[i]), caseMode) ==
                   FoldByte(static_cast<unsigned char>(what[i]), caseMode))
            ++i;
        if (i == length)
            return position;
        if (*position == 0)
            break;
    }
    return nullptr;
}

void CHTruncate(const char* source, char* destination, Int32 destinationSize)
{
    if (destination == nullptr || destinationSize <= 0)
        return;
    if (source == nullptr) {
        destination[0] = 0;
        return;
    }
    std::size_t length = std::strlen(source);
    const std::size_t limit = static_cast<std::size_t>(destinationSize) - 1;
    if (length > limit) {
        length = limit;
        // never cut a UTF-8 sequence in half
        while (length > 0 && (static_cast<unsigned char>(source[length]) & 0xC0) == 0x80)
            --length;
    }
    std::memcpy(destination, source, length);
    destination[length] = 0;
}

void CHCopyC(const char* source, char* destination)
{
    std::strcpy(destination, source);
}

Int32 CHANSI2Unicode(const char* source, Int32 length, GS::uchar_t* destination, Int32 destinationLimit,
                     GSCharCode /*code*/)
{
    if (source == nullptr)
        return 0;
    if (HostFailure::Check("CHANSI2Unicode") != NoError)  // an injected error converts nothing
        return 0;
    const std::size_t byteCount = length < 0 ? std::strlen(source) : static_cast<std::size_t>(length);
    const std::u16string units = GS::Utf8ToUtf16(source, byteCount);
    if (destination == nullptr)
        return static_cast<Int32>(units.size());
    const std::size_t count = destinationLimit <= 0 ? 0 : std::min<std::size_t>(units.size(), static_cast<std::size_t>(destinationLimit));
    for (std::size_t i = 0; i < count; ++i)
        destination[i] = static_cast<GS::uchar_t>(units[i]);
    return static_cast<Int32>(count);
}

void CHFreeANSI2UnicodeCache()
{
}
