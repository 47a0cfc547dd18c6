#include "Location.hpp"

namespace IO {

namespace {

// The platform's rule: only the separator and NUL cannot stand in a name.
bool IsIllegalCharacter(unsigned char byte)
{
    return byte == '/' || byte == '\0';
}

// The position of the dot that starts the extension, or npos.
std::size_t ExtensionDot(const std::string& name)
{
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == name.size())
        return std::string::npos;
    return dot;
}

// Cuts a UTF-8 text to at most maxBytes without splitting a character.
std::string CutUtf8(const std::string& text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

}  // namespace

Name::Name(const char* text) : name(text != nullptr ? text : "")
{
}

Name::Name(const GS::UniString& text) : name(text.ToUtf8())
{
}

GS::UniString Name::ToString() const
{
    return GS::UniString::FromUtf8(name);
}

bool Name::HasExtension() const
{
    return ExtensionDot(name) != std::string::npos;
}

GS::UniString Name::GetExtension() const
{
    const std::size_t dot = ExtensionDot(name);
    return dot == std::string::npos ? GS::UniString() : GS::UniString::FromUtf8(name.substr(dot + 1));
}

void Name::DeleteExtension()
{
    const std::size_t dot = ExtensionDot(name);
    if (dot != std::string::npos)
        name.erase(dot);
}

void Name::AppendExtension(const GS::UniString& extension)
{
    if (extension.IsEmpty())
        return;
    name += ".";
    name += extension.ToUtf8();
}

GS::UniString Name::GetBase() const
{
    const std::size_t dot = ExtensionDot(name);
    return GS::UniString::FromUtf8(dot == std::string::npos ? name : name.substr(0, dot));
}

bool Name::IsLegal() const
{
    if (name.empty() || name == "." || name == ".." || name.size() > MaxNameBytes)
        return false;
    for (const char byte : name) {
        if (IsIllegalCharacter(static_cast<unsigned char>(byte)))
            return false;
    }
    return true;
}

void Name::MakeLegal()
{
    for (char& byte : name) {
        if (IsIllegalCharacter(static_cast<unsigned char>(byte)))
            byte = '_';
    }
    if (name.empty())
        name = "_";
    else if (name == "." || name == "..")
        name.assign(name.size(), '_');
    if (name.size() <= MaxNameBytes)
        return;
    constexpr std::size_t KeptExtensionBytes = 16;
    const std::size_t dot = ExtensionDot(name);
    if (dot != std::string::npos && name.size() - dot <= KeptExtensionBytes) {
        const std::string extension = name.substr(dot);
        name = CutUtf8(name.substr(0, dot), MaxNameBytes - extension.size()) + extension;
    } else {
        name = CutUtf8(name, MaxNameBytes);
    }
}

}  // namespace IO
