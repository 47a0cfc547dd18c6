// The writer's copies of the class, story and layer records, kept so that the element records can
// refer to them by position. Entries are appended in write order and never reordered, so an entry's
// position is its record's position among the records of its kind in the file.
//
// Indices are kept whole (32-bit) and each list remembers the position of the FIRST entry per
// index, so a lookup is one hash probe and gives the same answer as a scan from the front.
#ifndef EXPORTER_SCENERECORDLISTS_HPP
#define EXPORTER_SCENERECORDLISTS_HPP

#include <unordered_map>

#include "Array.hpp"
#include "Definitions.hpp"

namespace WRL {

// Every list entry holds its name in this many bytes, the NUL included.
constexpr USize RecordNameSize = 256;

struct LayerData {
    Int32 index = 0;  // the layer attribute's index
    char name[RecordNameSize] = {};  // the name as written, cut at a character boundary
};

struct ClassData {
    Int32 index = 0;  // the host element type id
    char name[RecordNameSize] = {};
};

struct StoryData {
    Int32 index = 0;  // the story's own index, which may be negative
    char name[RecordNameSize] = {};  // the story's own name, not the numbered form of the file
    double elevation = 0.0;  // level x export scale
    double height = 0.0;     // as written in the story record
};

template <typename Entry>
class SceneRecordList {
public:
    void Append(const Entry& entry)
    {
        firstPositions.emplace(entry.index, entries.GetSize());  // an existing index keeps its first position
        entries.Push(entry);
    }

    // Position of the first entry with this index; 0 when there is none, as the format wants.
    Int32 PositionOf(Int32 index) const
    {
        const auto found = firstPositions.find(index);
        return found == firstPositions.end() ? 0 : static_cast<Int32>(found->second);
    }

    bool Contains(Int32 index) const { return firstPositions.count(index) != 0; }
    USize GetSize() const { return entries.GetSize(); }
    bool IsEmpty() const { return entries.IsEmpty(); }
    const Entry& operator[](GS::UIndex position) const { return entries[position]; }

private:
    GS::Array<Entry> entries;
    std::unordered_map<Int32, GS::UIndex> firstPositions;
};

using LayerList = SceneRecordList<LayerData>;
using ClassList = SceneRecordList<ClassData>;
using StoryList = SceneRecordList<StoryData>;

}  // namespace WRL

#endif
