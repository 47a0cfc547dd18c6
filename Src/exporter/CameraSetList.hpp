// The writer's list of camera sets: the GUID of each camera-set record in the order written. A
// position in it is the camera-set number that camera records carry.
//
// The list remembers the position of the FIRST entry per GUID (all 128 bits compared), so a lookup is
// one hash probe and gives the same answer as a scan from the front.
#ifndef EXPORTER_CAMERASETLIST_HPP
#define EXPORTER_CAMERASETLIST_HPP

#include <cstring>
#include <functional>
#include <string_view>
#include <unordered_map>

#include "APIdefs_Base.h"
#include "Array.hpp"

namespace WRL {

// The number of a camera whose set is not in the list.
constexpr Int32 NoCameraSet = -1;

class CameraSetList {
public:
    void Append(const API_Guid& guid)
    {
        firstPositions.emplace(guid, entries.GetSize());  // an existing GUID keeps its first position
        entries.Push(guid);
    }

    // Position of the first entry with this GUID; NoCameraSet when there is none.
    Int32 PositionOf(const API_Guid& guid) const
    {
        const auto found = firstPositions.find(guid);
        return found == firstPositions.end() ? NoCameraSet : static_cast<Int32>(found->second);
    }

    USize GetSize() const { return entries.GetSize(); }
    bool IsEmpty() const { return entries.IsEmpty(); }
    const API_Guid& operator[](GS::UIndex position) const { return entries[position]; }

private:
    struct GuidBits {
        std::size_t operator()(const API_Guid& guid) const
        {
            return std::hash<std::string_view>()(std::string_view(reinterpret_cast<const char*>(&guid), sizeof guid));
        }
    };
    struct SameBits {
        bool operator()(const API_Guid& left, const API_Guid& right) const
        {
            return std::memcmp(&left, &right, sizeof left) == 0;
        }
    };

    GS::Array<API_Guid> entries;
    std::unordered_map<API_Guid, GS::UIndex, GuidBits, SameBits> firstPositions;
};

}  // namespace WRL

#endif
