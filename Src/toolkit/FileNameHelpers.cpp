#include "FileNameHelpers.hpp"

#include <cstring>

#include "Location.hpp"

namespace {

constexpr const char* LibraryPartExtension = "gsm";

}  // namespace

bool HasExtension(const char* name, const char* ext)
{
    if (name == nullptr || ext == nullptr)
        return false;
    const std::size_t nameLength = std::strlen(name);
    const std::size_t extLength = std::strlen(ext);
    if (nameLength < extLength + 1)
        return false;
    const char* tail = name + nameLength - extLength;
    return tail[-1] == '.' && std::memcmp(tail, ext, extLength) == 0;
}

bool IsGSM(const char* name)
{
    return HasExtension(name, LibraryPartExtension);
}

void RemoveExtension(char* name)
{
    if (name == nullptr)
        return;
    // A "." byte never occurs inside a multi-byte character of the host's character codes, so the
    // last one in the bytes is the last dot of the text.
    char* dot = std::strrchr(name, '.');
    if (dot != nullptr)
        std::memset(dot, 0, std::strlen(dot) + 1);
}

GS::UniString RemoveExtension(const GS::UniString& name)
{
    IO::Name fileName(name);
    if (fileName.HasExtension())
        fileName.DeleteExtension();
    return fileName.ToString();
}

GS::UniString ChangeExtension(const GS::UniString& name, const GS::UniString& ext)
{
    IO::Name fileName(RemoveExtension(name));
    fileName.AppendExtension(ext);
    return fileName.ToString();
}

GS::UniString GetFileExtension(const GS::UniString& name)
{
    return IO::Name(name).GetExtension();
}

GS::UniString ConvertToValidFilename(const GS::UniString& name)
{
    IO::Name fileName(name);
    if (!fileName.IsLegal())
        fileName.MakeLegal();
    return fileName.ToString();
}
