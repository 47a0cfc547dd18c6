#include "LibPartParams.hpp"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "BM.hpp"
#include "CH.hpp"

namespace {

constexpr std::size_t CharOutputSize = 256;  // what callers of the char& form provide
constexpr UInt16 FlagBit40 = 0x40;
constexpr UInt16 FlagMask90 = 0x90;

enum class ValueKind { Numeric, Text };

bool HasKind(const API_AddParType& record, ValueKind kind)
{
    return (record.typeID == APIParT_CString) == (kind == ValueKind::Text);
}

const API_AddParType* FindSingleValue(API_AddParType** params, const char* name, ValueKind kind)
{
    if (params == nullptr || *params == nullptr || name == nullptr)
        return nullptr;
    const Int32 bytes = BMGetHandleSize(reinterpret_cast<GSConstHandle>(params));
    const std::size_t count = bytes > 0 ? static_cast<std::size_t>(bytes) / sizeof(API_AddParType) : 0;
    for (std::size_t i = 0; i < count; ++i) {
        const API_AddParType& record = (*params)[i];
        if (CHCompareTexts(GetLibPartParamName(record).c_str(), name, 1) != 0)
            continue;
        if (!HasKind(record, kind) || record.typeMod != API_ParSimple)
            continue;
        return &record;
    }
    return nullptr;
}

}  // namespace

std::string GetLibPartParamName(const API_AddParType& record)
{
    return std::string(record.name, strnlen(record.name, sizeof record.name));
}

GS::UniString GetLibPartParamText(const API_AddParType& record)
{
    const GS::uchar_t* units = record.value.uStr;
    const std::size_t capacity = sizeof record.value.uStr / sizeof units[0];
    std::size_t length = 0;
    while (length < capacity && units[length] != 0)
        ++length;
    return GS::UniString(units, static_cast<GS::USize>(length));
}

bool GetLibPartParams(API_AddParType** params, char const* name, double& value, bool& flagBit40,
                      bool& flagMask90)
{
    const API_AddParType* record = FindSingleValue(params, name, ValueKind::Numeric);
    if (record == nullptr)
        return false;
    value = record->value.real;
    if ((record->flags & FlagBit40) != 0)
        flagBit40 = true;
    if ((record->flags & FlagMask90) != 0)
        flagMask90 = true;
    return true;
}

bool GetLibPartParams(API_AddParType** params, char const* name, double& value)
{
    const API_AddParType* record = FindSingleValue(params, name, ValueKind::Numeric);
    if (record == nullptr)
        return false;
    value = record->value.real;
    return true;
}

bool GetLibPartParams(API_AddParType** params, char const* name, char* buffer, std::size_t bufferSize)
{
    if (buffer == nullptr || bufferSize == 0)
        return false;
    const API_AddParType* record = FindSingleValue(params, name, ValueKind::Text);
    if (record == nullptr)
        return false;
    const GS::UniString::CStr converted = GetLibPartParamText(*record).ToCStr(0, GS::UniString::MaxUSize, CC_Default);
    // CHTruncate cuts whole characters only, so the copy stays valid text.
    const std::size_t usable = std::min<std::size_t>(bufferSize, std::numeric_limits<Int32>::max());
    CHTruncate(converted.Get(), buffer, static_cast<Int32>(usable));
    return true;
}

bool GetLibPartParams(API_AddParType** params, char const* name, char& text)
{
    return GetLibPartParams(params, name, &text, CharOutputSize);
}

bool GetLibPartParams(API_AddParType** params, char const* name, GS::UniString& text)
{
    const API_AddParType* record = FindSingleValue(params, name, ValueKind::Text);
    if (record == nullptr)
        return false;
    text = GetLibPartParamText(*record);
    return true;
}
