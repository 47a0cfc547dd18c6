// A path relative to some folder: local names one below the other. Built from a text such as
// "Textures/Wood"; empty parts and "." are dropped. It is checked only when it is appended to a
// location (IO::Location::AppendToLocal), where every name must be legal, so ".." never climbs.
#ifndef INPUTOUTPUT_RELATIVELOCATION_HPP
#define INPUTOUTPUT_RELATIVELOCATION_HPP

#include <string>
#include <vector>

#include "Definitions.hpp"
#include "Location.hpp"
#include "UniString.hpp"

namespace IO {

class GSROOT_DLL_EXPORT RelativeLocation {
public:
    RelativeLocation() = default;
    explicit RelativeLocation(const char* path);  // null gives an empty relative location
    explicit RelativeLocation(const GS::UniString& path);

    bool IsEmpty() const { return names.empty(); }
    void Clear() { names.clear(); }
    USize GetLength() const { return static_cast<USize>(names.size()); }
    const Name& GetLocalName(GS::UIndex index) const { return names.at(index); }

    GSErrCode AppendToLocal(const Name& name);  // BadNameErr for an illegal name
    GSErrCode GetLastLocalName(Name* name) const;
    GSErrCode DeleteLastLocalName();

    // The names joined by "/".
    GS::UniString ToDisplayText() const;

    bool operator==(const RelativeLocation& other) const { return names == other.names; }
    bool operator!=(const RelativeLocation& other) const { return names != other.names; }

private:
    std::vector<Name> names;
};

}  // namespace IO

#endif
