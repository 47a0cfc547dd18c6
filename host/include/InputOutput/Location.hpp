// The host's file-system locations and names.
#ifndef INPUTOUTPUT_LOCATION_HPP
#define INPUTOUTPUT_LOCATION_HPP

#include <string>

#include "Definitions.hpp"
#include "UniString.hpp"

namespace IO {

// One local name (a file or folder name), possibly with an extension.
class GSROOT_DLL_EXPORT Name {
public:
    Name() = default;
    Name(const char* name);
    Name(const GS::UniString& name);

    GS::UniString ToString() const;
    bool IsEmpty() const { return name.empty(); }
    void Clear() { name.clear(); }

    bool HasExtension() const;
    GS::UniString GetExtension() const;  // without the dot; empty when there is none
    void DeleteExtension();
    void AppendExtension(const GS::UniString& extension);  // adds "." and the extension
    GS::UniString GetBase() const;                         // the name without its extension

    bool operator==(const Name& other) const { return name == other.name; }
    bool operator!=(const Name& other) const { return name != other.name; }

    const std::string& ToUtf8() const { return name; }

private:
    std::string name;  // UTF-8
};

// An absolute location: a folder path and local names below it.
class GSROOT_DLL_EXPORT Location {
public:
    Location() = default;
    explicit Location(const char* path);
    explicit Location(const GS::UniString& path);

    bool IsEmpty() const { return path.empty(); }
    void Clear() { path.clear(); }

    GSErrCode AppendToLocal(const Name& name);
    GSErrCode GetLastLocalName(Name* name) const;
    GSErrCode DeleteLastLocalName();
    GSErrCode SetLastLocalName(const Name& name);
    // The path as text: the caller's string, or a fixed buffer of size bytes (character code).
    GSErrCode ToPath(GS::UniString* text) const;
    GSErrCode ToPath(char* buffer, Int32 size, GSCharCode code = CC_Default) const;
    GS::UniString ToDisplayText() const;

    bool operator==(const Location& other) const { return path == other.path; }
    bool operator!=(const Location& other) const { return path != other.path; }

    const std::string& ToUtf8Path() const { return path; }

private:
    std::string path;  // UTF-8, no trailing slash (except for the root)
};

}  // namespace IO

#endif
