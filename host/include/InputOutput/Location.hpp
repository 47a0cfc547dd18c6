// The host's file-system locations and names.
//
// A Location is an absolute POSIX path, kept as UTF-8 without a trailing slash (the root is "/").
// Texts that are not absolute paths give an empty location, whose status is IO::BadLocationErr.
// Names are single local names; appending one that is not legal (empty, "." or "..", holding "/"
// or NUL, longer than 255 bytes) fails and leaves the location unchanged, so a name can never lead
// out of the folder it is appended to. Every other character, ":" and control characters included,
// may stand in a name, as on the platform.
#ifndef INPUTOUTPUT_LOCATION_HPP
#define INPUTOUTPUT_LOCATION_HPP

#include <functional>
#include <string>

#include "CString.hpp"
#include "Definitions.hpp"
#include "IOErrors.hpp"
#include "UniString.hpp"

namespace IO {

class RelativeLocation;

// One local name (a file or folder name), possibly with an extension.
class GSROOT_DLL_EXPORT Name {
public:
    static constexpr USize MaxNameBytes = 255;

    Name() = default;
    Name(const char* name);
    Name(const GS::UniString& name);

    GS::UniString ToString() const;
    bool IsEmpty() const { return name.empty(); }
    void Clear() { name.clear(); }

    // The extension is the text after the last dot, when that dot is neither the first nor the
    // last character: "a.b.c" has "c"; ".profile" and "a." have none.
    bool HasExtension() const;
    GS::UniString GetExtension() const;  // without the dot; empty when there is none
    void DeleteExtension();
    void AppendExtension(const GS::UniString& extension);  // adds "." and the extension; nothing when empty
    GS::UniString GetBase() const;                         // the name without its extension

    bool IsLegal() const;
    // Replaces every illegal character by "_", an empty name, "." and ".." by underscores, and cuts a
    // name that is too long, keeping a short extension.
    void MakeLegal();

    bool operator==(const Name& other) const { return name == other.name; }
    bool operator!=(const Name& other) const { return name != other.name; }

    const std::string& ToUtf8() const { return name; }

private:
    std::string name;  // UTF-8
};

// An absolute location: a folder path and local names below it.
class GSROOT_DLL_EXPORT Location {
public:
    static constexpr USize MaxPathBytes = 1023;  // the longest path the native file system takes

    Location() = default;
    explicit Location(const char* path);  // null gives an empty location
    explicit Location(const GS::UniString& path);
    Location(const Location& folder, const Name& name);  // empty when the name cannot be appended

    // Replaces the location by the parsed text: NoError, or BadLocationErr (the location is then empty).
    GSErrCode Set(const char* path);
    GSErrCode Set(const GS::UniString& path);

    bool IsEmpty() const { return path.empty(); }
    void Clear() { path.clear(); }
    // NoError for a location that holds a path, BadLocationErr for an empty one.
    GSErrCode GetStatus() const;
    // Not empty, at most MaxPathBytes long, and every local name at most 255 bytes.
    bool IsLegalInNativeFileSystem() const;

    GSErrCode AppendToLocal(const Name& name);
    GSErrCode AppendToLocal(const RelativeLocation& relative);  // all names or none
    GSErrCode GetLastLocalName(Name* name) const;
    GSErrCode DeleteLastLocalName();
    GSErrCode SetLastLocalName(const Name& name);
    // The path as text: the caller's string, or a fixed buffer of size bytes (character code).
    // A path that does not fit leaves an empty buffer and gives TooLongErr: a cut path would name
    // another entry.
    GSErrCode ToPath(GS::UniString* text) const;
    GSErrCode ToPath(char* buffer, Int32 size, GSCharCode code = CC_Default) const;
    template <USize N>
    GSErrCode ToPath(CString<N>* text, GSCharCode code = CC_Default) const;
    GS::UniString ToDisplayText() const;

    bool operator==(const Location& other) const { return path == other.path; }
    bool operator!=(const Location& other) const { return path != other.path; }

    const std::string& ToUtf8Path() const { return path; }

private:
    std::string path;  // UTF-8, no trailing slash (except for the root)
};

template <USize N>
GSErrCode Location::ToPath(CString<N>* text, GSCharCode /*code: 0 and 99 are both UTF-8*/) const
{
    if (text == nullptr)
        return BadParameterErr;
    if (IsEmpty()) {
        text->Clear();
        return BadLocationErr;
    }
    text->Set(path);
    return NoError;
}

}  // namespace IO

namespace std {
template <>
struct hash<IO::Location> {
    std::size_t operator()(const IO::Location& location) const noexcept
    {
        return std::hash<std::string>()(location.ToUtf8Path());
    }
};
}  // namespace std

#endif
