#include "UniString.hpp"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace GS {

namespace {

void AppendUtf8(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

void AppendUtf16(std::u16string& out, char32_t codePoint)
{
    if (codePoint < 0x10000) {
        out.push_back(static_cast<char16_t>(codePoint));
    } else {
        codePoint -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
    }
}

bool ContinuationByte(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

}  // namespace

std::u16string Utf8ToUtf16(const char* text, std::size_t length)
{
    std::u16string out;
    out.reserve(length);
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t i = 0;
    while (i < length) {
        const unsigned char lead = bytes[i];
        int extra = 0;
        char32_t codePoint = lead;
        if (lead >= 0xF0 && lead < 0xF8) {
            extra = 3;
            codePoint = lead & 0x07;
        } else if (lead >= 0xE0) {
            extra = 2;
            codePoint = lead & 0x0F;
        } else if (lead >= 0xC0) {
            extra = 1;
            codePoint = lead & 0x1F;
        } else if (lead >= 0x80) {
            out.push_back(u'\uFFFD');  // a stray continuation byte
            ++i;
            continue;
        }
        if (i + static_cast<std::size_t>(extra) >= length) {
            out.push_back(u'\uFFFD');  // truncated sequence at the end
            break;
        }
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            if (!ContinuationByte(bytes[i + static_cast<std::size_t>(k)])) {
                valid = false;
                break;
            }
            codePoint = (codePoint << 6) | (bytes[i + static_cast<std::size_t>(k)] & 0x3F);
        }
        if (!valid) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        AppendUtf16(out, codePoint);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string Utf16ToUtf8(const std::u16string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        AppendUtf8(out, unit);
    }
    return out;
}

UniString::UniString(const char* text, GSCharCode /*code*/)
{
    if (text != nullptr)
        units = Utf8ToUtf16(text, std::strlen(text));
}

UniString::UniString(const uchar_t* text)
{
    if (text != nullptr)
        units = std::u16string(reinterpret_cast<const char16_t*>(text));
}

UniString::UniString(const uchar_t* text, USize length)
{
    if (text != nullptr)
        units = std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

UniString::UniString(const UniString& source, UIndex from, USize length)
{
    if (from < source.units.size())
        units = source.units.substr(from, length);
}

UniString::~UniString() = default;

UniString& UniString::operator=(const char* text)
{
    *this = UniString(text);
    return *this;
}

UniString& UniString::operator=(const uchar_t* text)
{
    *this = UniString(text);
    return *this;
}

UniString::CStr UniString::ToCStr(UIndex from, USize range, GSCharCode /*code*/) const
{
    if (from >= units.size())
        return CStr(std::string());
    return CStr(Utf16ToUtf8(units.substr(from, range)));
}

UniString::UStr UniString::ToUStr(UIndex from, USize range) const
{
    if (from >= units.size())
        return UStr(std::u16string());
    return UStr(units.substr(from, range));
}

std::string UniString::ToUtf8() const
{
    return Utf16ToUtf8(units);
}

UniString::CompareResult UniString::Compare(const UniString& other, CaseSensitivity caseMode) const
{
    const std::size_t common = std::min(units.size(), other.units.size());
    for (std::size_t i = 0; i < common; ++i) {
        uchar_t left = static_cast<uchar_t>(units[i]);
        uchar_t right = static_cast<uchar_t>(other.units[i]);
        if (caseMode == CaseInsensitive) {
            left = UniChar::ToLower(left);
            right = UniChar::ToLower(right);
        }
        if (left != right)
            return left < right ? Less : Greater;
    }
    if (units.size() == other.units.size())
        return Equal;
    return units.size() < other.units.size() ? Less : Greater;
}

bool UniString::IsEqual(const UniString& other, CaseSensitivity caseMode) const
{
    return Compare(other, caseMode) == Equal;
}

bool UniString::IsASCII() const
{
    return std::all_of(units.begin(), units.end(), [](char16_t unit) { return unit < 0x80; });
}

UIndex UniString::FindFirst(const UniString& toFind, UIndex from) const
{
    if (from > units.size())
        return MaxUIndex;
    const std::size_t found = units.find(toFind.units, from);
    return found == std::u16string::npos ? MaxUIndex : static_cast<UIndex>(found);
}

UIndex UniString::FindLast(const UniString& toFind) const
{
    const std::size_t found = units.rfind(toFind.units);
    return found == std::u16string::npos ? MaxUIndex : static_cast<UIndex>(found);
}

bool UniString::BeginsWith(const UniString& prefix) const
{
    return units.compare(0, prefix.units.size(), prefix.units) == 0 && units.size() >= prefix.units.size();
}

bool UniString::EndsWith(const UniString& suffix) const
{
    return units.size() >= suffix.units.size() &&
           units.compare(units.size() - suffix.units.size(), suffix.units.size(), suffix.units) == 0;
}

UniString UniString::GetSubstring(UIndex from, USize length) const
{
    return UniString(*this, from, length);
}

UniString UniString::GetSuffix(USize length) const
{
    if (length >= units.size())
        return *this;
    return UniString(*this, static_cast<UIndex>(units.size() - length), length);
}

UniString& UniString::Append(const UniString& text)
{
    units += text.units;
    return *this;
}

UniString& UniString::Append(uchar_t unit)
{
    units.push_back(static_cast<char16_t>(unit));
    return *this;
}

UniString& UniString::Insert(UIndex position, const UniString& text)
{
    units.insert(std::min<std::size_t>(position, units.size()), text.units);
    return *this;
}

UniString& UniString::Delete(UIndex from, USize length)
{
    if (from < units.size())
        units.erase(from, length);
    return *this;
}

USize UniString::ReplaceAll(const UniString& toFind, const UniString& replacement)
{
    if (toFind.units.empty())
        return 0;
    USize count = 0;
    std::size_t position = 0;
    while ((position = units.find(toFind.units, position)) != std::u16string::npos) {
        units.replace(position, toFind.units.size(), replacement.units);
        position += replacement.units.size();
        ++count;
    }
    return count;
}

UniString& UniString::SetToLowerCase()
{
    for (char16_t& unit : units)
        unit = static_cast<char16_t>(UniChar::ToLower(static_cast<uchar_t>(unit)));
    return *this;
}

UniString& UniString::SetToUpperCase()
{
    for (char16_t& unit : units)
        unit = static_cast<char16_t>(UniChar::ToUpper(static_cast<uchar_t>(unit)));
    return *this;
}

UniString& UniString::Trim()
{
    std::size_t begin = 0;
    while (begin < units.size() && UniChar::IsWhiteSpace(static_cast<uchar_t>(units[begin])))
        ++begin;
    std::size_t end = units.size();
    while (end > begin && UniChar::IsWhiteSpace(static_cast<uchar_t>(units[end - 1])))
        --end;
    units = units.substr(begin, end - begin);
    return *this;
}

UniString UniString::Printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::vector<char> buffer(needed > 0 ? static_cast<std::size_t>(needed) + 1 : 1, '\0');
    if (needed > 0)
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    return UniString(buffer.data(), CC_UTF8);
}

bool operator==(const UniString& left, const UniString& right) { return left.Units() == right.Units(); }
bool operator!=(const UniString& left, const UniString& right) { return left.Units() != right.Units(); }
bool operator<(const UniString& left, const UniString& right) { return left.Units() < right.Units(); }

UniString operator+(const UniString& left, const UniString& right)
{
    UniString result(left);
    result.Append(right);
    return result;
}

bool UniChar::IsWhiteSpace(uchar_t unit)
{
    return unit == ' ' || unit == '\t' || unit == '\n' || unit == '\r' || unit == '\v' || unit == '\f' ||
           unit == 0xA0 || unit == 0x2028 || unit == 0x2029 || unit == 0x3000 || (unit >= 0x2000 && unit <= 0x200A);
}

bool UniChar::IsDigit(uchar_t unit)
{
    return unit >= '0' && unit <= '9';
}

uchar_t UniChar::ToLower(uchar_t unit)
{
    if ((unit >= 'A' && unit <= 'Z') || (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7))
        return static_cast<uchar_t>(unit + 0x20);
    return unit;
}

uchar_t UniChar::ToUpper(uchar_t unit)
{
    if ((unit >= 'a' && unit <= 'z') || (unit >= 0xE0 && unit <= 0xFE && unit != 0xF7))
        return static_cast<uchar_t>(unit - 0x20);
    return unit;
}

USize ucslen(const uchar_t* text)
{
    USize length = 0;
    while (text[length] != 0)
        ++length;
    return length;
}

uchar_t* ucscpy(uchar_t* destination, const uchar_t* source)
{
    USize i = 0;
    do {
        destination[i] = source[i];
    } while (source[i++] != 0);
    return destination;
}

uchar_t* ucsncpy(uchar_t* destination, const uchar_t* source, USize count)
{
    USize i = 0;
    for (; i < count && source[i] != 0; ++i)
        destination[i] = source[i];
    for (; i < count; ++i)
        destination[i] = 0;
    return destination;
}

Int32 ucscmp(const uchar_t* left, const uchar_t* right)
{
    while (*left != 0 && *left == *right) {
        ++left;
        ++right;
    }
    return *left == *right ? 0 : (*left < *right ? -1 : 1);
}

}  // namespace GS
