#include "Location.hpp"

#include <cstring>

#include "RelativeLocation.hpp"

namespace IO {

namespace {

// The normal form of an absolute POSIX path: no empty or "." parts, no trailing slash; empty for
// anything that is not an absolute path.
std::string NormalPath(const std::string& text)
{
    if (text.empty() || text[0] != '/' || text.find('\0') != std::string::npos)
        return std::string();
    std::string normal;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('/', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string part = text.substr(start, end - start);
        if (!part.empty() && part != ".")
            normal += "/" + part;
        start = end + 1;
    }
    return normal.empty() ? std::string("/") : normal;
}

bool IsRoot(const std::string& path)
{
    return path == "/";
}

}  // namespace

Location::Location(const char* text)
{
    Set(text);
}

Location::Location(const GS::UniString& text)
{
    Set(text);
}

Location::Location(const Location& folder, const Name& name) : path(folder.path)
{
    if (AppendToLocal(name) != NoError)
        Clear();
}

GSErrCode Location::Set(const char* text)
{
    path = NormalPath(text != nullptr ? std::string(text) : std::string());
    return GetStatus();
}

GSErrCode Location::Set(const GS::UniString& text)
{
    path = NormalPath(text.ToUtf8());
    return GetStatus();
}

GSErrCode Location::GetStatus() const
{
    return IsEmpty() ? BadLocationErr : NoError;
}

bool Location::IsLegalInNativeFileSystem() const
{
    if (IsEmpty() || path.size() > MaxPathBytes)
        return false;
    std::size_t start = 1;
    while (start < path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        if (end - start > Name::MaxNameBytes)
            return false;
        start = end + 1;
    }
    return true;
}

GSErrCode Location::AppendToLocal(const Name& name)
{
    if (IsEmpty())
        return BadLocationErr;
    if (!name.IsLegal())
        return BadNameErr;
    if (!IsRoot(path))
        path += "/";
    path += name.ToUtf8();
    return NoError;
}

GSErrCode Location::AppendToLocal(const RelativeLocation& relative)
{
    if (IsEmpty())
        return BadLocationErr;
    for (GS::UIndex index = 0; index < relative.GetLength(); ++index) {
        if (!relative.GetLocalName(index).IsLegal())
            return BadNameErr;
    }
    for (GS::UIndex index = 0; index < relative.GetLength(); ++index)
        AppendToLocal(relative.GetLocalName(index));
    return NoError;
}

GSErrCode Location::GetLastLocalName(Name* name) const
{
    if (name == nullptr)
        return BadParameterErr;
    if (IsEmpty() || IsRoot(path))
        return BadLocationErr;
    *name = Name(path.substr(path.find_last_of('/') + 1).c_str());
    return NoError;
}

GSErrCode Location::DeleteLastLocalName()
{
    if (IsEmpty() || IsRoot(path))
        return BadLocationErr;
    const std::size_t slash = path.find_last_of('/');
    path.erase(slash == 0 ? 1 : slash);
    return NoError;
}

GSErrCode Location::SetLastLocalName(const Name& name)
{
    if (IsEmpty() || IsRoot(path))
        return BadLocationErr;
    if (!name.IsLegal())
        return BadNameErr;
    path.erase(path.find_last_of('/') + 1);
    path += name.ToUtf8();
    return NoError;
}

GSErrCode Location::ToPath(GS::UniString* text) const
{
    if (text == nullptr)
        return BadParameterErr;
    *text = GS::UniString::FromUtf8(path);
    return GetStatus();
}

GSErrCode Location::ToPath(char* buffer, Int32 size, GSCharCode /*code: 0 and 99 are both UTF-8*/) const
{
    if (buffer == nullptr || size <= 0)
        return BadParameterErr;
    buffer[0] = '\0';
    if (IsEmpty())
        return BadLocationErr;
    if (path.size() >= static_cast<std::size_t>(size))
        return TooLongErr;
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return NoError;
}

GS::UniString Location::ToDisplayText() const
{
    return GS::UniString::FromUtf8(path);
}

}  // namespace IO
