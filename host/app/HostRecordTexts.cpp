#include "HostRecordTexts.hpp"

#include <algorithm>
#include <cstring>
#include <string>

namespace ZeltoHost {

namespace {

bool IsLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

bool IsUtf8Continuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

void WriteUnits(const GS::UniString& text, GS::uchar_t* field, std::size_t fieldUnits)
{
    if (field == nullptr || fieldUnits == 0)
        return;
    const std::u16string& units = text.Units();
    std::size_t count = std::min(units.size(), fieldUnits - 1);
    if (count < units.size() && count > 0 && IsLowSurrogate(units[count]))
        --count;  // keep a surrogate pair whole
    for (std::size_t i = 0; i < count; ++i)
        field[i] = static_cast<GS::uchar_t>(units[i]);
    std::fill(field + count, field + fieldUnits, GS::uchar_t(0));
}

void WriteBytes(const GS::UniString& text, char* field, std::size_t fieldBytes)
{
    if (field == nullptr || fieldBytes == 0)
        return;
    const std::string bytes = text.ToUtf8();
    std::size_t count = std::min(bytes.size(), fieldBytes - 1);
    while (count < bytes.size() && count > 0 && IsUtf8Continuation(bytes[count]))
        --count;  // keep a multi-byte character whole
    std::memcpy(field, bytes.data(), count);
    std::memset(field + count, 0, fieldBytes - count);
}

GS::UniString ReadUnits(const GS::uchar_t* field, std::size_t fieldUnits)
{
    if (field == nullptr)
        return GS::UniString();
    std::size_t length = 0;
    while (length < fieldUnits && field[length] != 0)
        ++length;
    return GS::UniString(field, static_cast<GS::USize>(length));
}

GS::UniString ReadBytes(const char* field, std::size_t fieldBytes)
{
    if (field == nullptr)
        return GS::UniString();
    const std::string bytes(field, strnlen(field, fieldBytes));
    return GS::UniString::FromUtf8(bytes);
}

}  // namespace ZeltoHost
