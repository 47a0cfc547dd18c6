#include "SceneJson.hpp"

#include <cctype>
#include <cmath>
#include <limits>

namespace ZeltoHost {

namespace {

// JSON pointer escaping of one member name.
std::string Escaped(const std::string& key)
{
    std::string escaped;
    for (const char c : key) {
        if (c == '~')
            escaped += "~0";
        else if (c == '/')
            escaped += "~1";
        else
            escaped += c;
    }
    return escaped;
}

bool HexValue(char c, UInt32* value)
{
    if (!std::isxdigit(static_cast<unsigned char>(c)))
        return false;
    *value = static_cast<UInt32>(std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                                                                             : std::tolower(c) - 'a' + 10);
    return true;
}

// The 32 hex digits of a GUID text in order, or false.
bool GuidDigits(std::string text, UInt32 (&digits)[32])
{
    if (text.size() == 38 && text.front() == '{' && text.back() == '}')
        text = text.substr(1, 36);
    if (text.size() != 36)
        return false;
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool dashPlace = i == 8 || i == 13 || i == 18 || i == 23;
        if (dashPlace) {
            if (text[i] != '-')
                return false;
        } else if (!HexValue(text[i], &digits[count++])) {
            return false;
        }
    }
    return count == 32;
}

UInt32 DigitsValue(const UInt32 (&digits)[32], int from, int count)
{
    UInt32 value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 4) | digits[from + i];
    return value;
}

}  // namespace

SceneError::SceneError(const std::string& pointer, const std::string& problem)
    : std::runtime_error((pointer.empty() ? std::string("/") : pointer) + ": " + problem), pointer(pointer)
{
}

SceneNode::SceneNode(const nlohmann::json& value, std::string pointer) : value(value), pointer(std::move(pointer)) {}

void SceneNode::Fail(const std::string& problem) const
{
    throw SceneError(pointer, problem);
}

void SceneNode::CheckObject(std::initializer_list<const char*> known) const
{
    if (!value.is_object())
        Fail("expected an object");
    for (auto member = value.begin(); member != value.end(); ++member) {
        bool isKnown = false;
        for (const char* name : known)
            isKnown = isKnown || member.key() == name;
        if (!isKnown)
            SceneNode(member.value(), pointer + "/" + Escaped(member.key())).Fail("unknown member");
    }
}

bool SceneNode::Has(const char* key) const
{
    return value.is_object() && value.contains(key);
}

SceneNode SceneNode::operator[](const char* key) const
{
    if (!value.is_object())
        Fail("expected an object");
    const auto found = value.find(key);
    if (found == value.end())
        Fail(std::string("missing member \"") + key + "\"");
    return SceneNode(*found, pointer + "/" + Escaped(key));
}

std::size_t SceneNode::Size() const
{
    if (!value.is_array())
        Fail("expected an array");
    return value.size();
}

SceneNode SceneNode::At(std::size_t index) const
{
    if (index >= Size())
        Fail("expected at least " + std::to_string(index + 1) + " items");
    return SceneNode(value[index], pointer + "/" + std::to_string(index));
}

double SceneNode::Number() const
{
    if (!value.is_number())
        Fail("expected a number");
    return value.get<double>();
}

Int32 SceneNode::Integer() const
{
    const double number = Number();
    if (std::floor(number) != number || number < std::numeric_limits<Int32>::min() ||
        number > std::numeric_limits<Int32>::max())
        Fail("expected a whole number within 32 bits");
    return static_cast<Int32>(number);
}

bool SceneNode::Bool() const
{
    if (!value.is_boolean())
        Fail("expected true or false");
    return value.get<bool>();
}

std::string SceneNode::Text() const
{
    if (!value.is_string())
        Fail("expected a string");
    return value.get<std::string>();
}

API_Guid SceneNode::Guid() const
{
    API_Guid guid;
    if (!ParseGuid(Text(), &guid))
        Fail("expected a GUID of the form 01234567-89AB-CDEF-0123-456789ABCDEF");
    return guid;
}

ModelerAPI::Vertex SceneNode::Point3() const
{
    if (Size() != 3)
        Fail("expected three numbers [x, y, z]");
    return ModelerAPI::Vertex{At(0).Number(), At(1).Number(), At(2).Number()};
}

ModelerAPI::Color SceneNode::Color() const
{
    if (Size() != 3)
        Fail("expected three numbers [red, green, blue]");
    return ModelerAPI::Color{At(0).Number(), At(1).Number(), At(2).Number()};
}

double SceneNode::NumberOr(const char* key, double fallback) const
{
    return Has(key) ? (*this)[key].Number() : fallback;
}

Int32 SceneNode::IntegerOr(const char* key, Int32 fallback) const
{
    return Has(key) ? (*this)[key].Integer() : fallback;
}

bool SceneNode::BoolOr(const char* key, bool fallback) const
{
    return Has(key) ? (*this)[key].Bool() : fallback;
}

std::string SceneNode::TextOr(const char* key, const std::string& fallback) const
{
    return Has(key) ? (*this)[key].Text() : fallback;
}

bool ParseGuid(const std::string& text, API_Guid* guid)
{
    UInt32 digits[32] = {};
    if (guid == nullptr || !GuidDigits(text, digits))
        return false;
    guid->time_low = DigitsValue(digits, 0, 8);
    guid->time_mid = static_cast<UInt16>(DigitsValue(digits, 8, 4));
    guid->time_hi_and_version = static_cast<UInt16>(DigitsValue(digits, 12, 4));
    guid->clock_seq_hi_and_reserved = static_cast<UInt8>(DigitsValue(digits, 16, 2));
    guid->clock_seq_low = static_cast<UInt8>(DigitsValue(digits, 18, 2));
    for (int i = 0; i < 6; ++i)
        guid->node[i] = static_cast<UInt8>(DigitsValue(digits, 20 + 2 * i, 2));
    return true;
}

}  // namespace ZeltoHost
