#include "TextHelpers.hpp"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <new>

#include "CH.hpp"
#include "GSException.hpp"

namespace {

constexpr GS::uchar_t CarriageReturn = 13;
constexpr GS::uchar_t LineFeed = 10;

bool IsLineBreak(GS::uchar_t unit)
{
    return unit == CarriageReturn || unit == LineFeed;
}

bool IsSpaceByte(char byte)
{
    return std::isspace(static_cast<unsigned char>(byte)) != 0;
}

// Converts text into buffer (size > 0 units) and terminates it. Returns the units the conversion
// needed, one more when the text had to be cut.
int ConvertIntoBuffer(const char* text, unsigned short* buffer, int size)
{
    const std::size_t limit = static_cast<std::size_t>(size) - 1;
    const bool cut = std::strlen(text) >= limit;
    const Int32 byteCount = cut ? static_cast<Int32>(limit) : -1;
    const Int32 units = CHANSI2Unicode(text, byteCount, nullptr, 0);
    const int total = units + (cut ? 1 : 0);
    Int32 written = 0;
    if (units > 0)
        written = CHANSI2Unicode(text, byteCount, buffer, static_cast<Int32>(limit));
    std::size_t end = written > 0 ? static_cast<std::size_t>(written) : 0;
    if (end > limit)
        end = limit;
    buffer[end] = 0;
    return total;
}

}  // namespace

bool PatternMatch(const char* pattern, const char* text)
{
    if (pattern == nullptr || text == nullptr)
        return false;
    // Greedy walk that, on a mismatch, lets the most recent '*' swallow one more byte: linear in
    // the text for each star instead of trying every split.
    const char* star = nullptr;
    const char* starText = nullptr;
    while (*text != 0) {
        if (*pattern == '*') {
            star = pattern++;
            starText = text;
        } else if (*pattern != 0 && (*pattern == '?' || *pattern == *text)) {
            ++pattern;
            ++text;
        } else if (star != nullptr) {
            pattern = star + 1;
            text = ++starText;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == 0;
}

void ConvertUnicode(const char* text, unsigned short** buffer, int& count, const int& size)
{
    if (buffer == nullptr || *buffer == nullptr || size <= 0)
        return;
    const auto giveUpEmpty = [&]() {
        CHFreeANSI2UnicodeCache();
        count = 0;
        (*buffer)[0] = 0;
    };
    try {
        count = ConvertIntoBuffer(text != nullptr ? text : "", *buffer, size);
    } catch (const std::bad_alloc&) {
        giveUpEmpty();
    } catch (const GS::OutOfMemoryException&) {
        giveUpEmpty();
    }
}

void ConvertUnicode(const char* text, unsigned short* buffer, const int& size)
{
    int count = 0;
    ConvertUnicode(text, &buffer, count, size);
}

bool IsASCII(const GS::UniString& text)
{
    return text.IsASCII();
}

GS::UniString DoubleToUniString(const double& value)
{
    char buffer[256] = {};
    if (std::snprintf(buffer, sizeof buffer, "%.6g", value) <= 0)
        return GS::UniString();
    return GS::UniString(buffer, CC_Default);
}

GS::UniString Escape(const char* text)
{
    GS::UniString escaped(text, CC_Default);
    escaped.ReplaceAll(" ", "\\ ");
    return escaped;
}

unsigned long TrimwhiteSpace(char* out, unsigned long outSize, const char* in)
{
    if (out == nullptr || outSize == 0)
        return 0;
    out[0] = 0;
    if (in == nullptr)
        return 0;
    while (IsSpaceByte(*in))
        ++in;
    unsigned long length = std::strlen(in);
    while (length > 0 && IsSpaceByte(in[length - 1]))
        --length;
    if (length > outSize - 1)
        length = outSize - 1;
    std::memcpy(out, in, length);
    out[length] = 0;
    return length;
}

GS::Array<GS::UniString> StringSeparator(const GS::UniString& text, const GS::UniString& separator)
{
    GS::Array<GS::UniString> pieces;
    if (separator.IsEmpty()) {
        pieces.Push(text);
        return pieces;
    }
    GS::UIndex start = 0;
    for (GS::UIndex found = text.FindFirst(separator); found != GS::MaxUIndex;
         found = text.FindFirst(separator, start)) {
        pieces.Push(text.GetSubstring(start, found - start));
        start = found + separator.GetLength();
    }
    pieces.Push(text.GetSubstring(start, text.GetLength() - start));
    return pieces;
}

GS::Array<GS::UniString> SplitToLines(const GS::UniString& text)
{
    GS::Array<GS::UniString> lines;
    const GS::USize length = text.GetLength();
    GS::UIndex lineStart = 0;
    for (GS::UIndex i = 0; i < length; ++i) {
        const GS::uchar_t unit = text[i];
        if (!IsLineBreak(unit))
            continue;
        lines.Push(text.GetSubstring(lineStart, i - lineStart));
        if (unit == CarriageReturn && i + 1 < length && text[i + 1] == LineFeed)
            ++i;
        lineStart = i + 1;
    }
    if (lineStart < length)
        lines.Push(text.GetSubstring(lineStart, length - lineStart));
    return lines;
}

GS::UniString RemoveNewLines(const GS::UniString& text)
{
    GS::UniString result(text);
    result.ReplaceAll("\r\n", " ");
    result.ReplaceAll("\r", " ");
    result.ReplaceAll("\n", " ");
    return result;
}

GS::UniString ToSingleQuoted(const GS::UniString& text)
{
    GS::UniString quoted;
    quoted.Append(GS::uchar_t(39));
    quoted.Append(text);
    quoted.Append(GS::uchar_t(39));
    return quoted;
}

GS::UniString ToDoubleQuoted(const GS::UniString& text)
{
    GS::UniString quoted;
    quoted.Append(GS::uchar_t(34));
    quoted.Append(text);
    quoted.Append(GS::uchar_t(34));
    return quoted;
}

GS::UniString GetBeginWhiteSpaces(const GS::UniString& text)
{
    GS::UIndex end = 0;
    while (end < text.GetLength() && GS::UniChar::IsWhiteSpace(text[end]))
        ++end;
    return text.GetSubstring(0, end);
}
