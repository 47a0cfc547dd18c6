// The writer's list of RGB shader records: one MatData entry per record, in write order, never
// reordered, so an entry's position is its record's position in the RGB section. Materials of one
// name are merged into one shader position (sameAs), which the polygon records carry.
//
// Entries of one name are found with one hash probe; the merge walks only the entries of that name,
// in list order, so every decision is the one a scan of the whole list from the front would make.
#ifndef EXPORTER_MATERIALLIST_HPP
#define EXPORTER_MATERIALLIST_HPP

#include <string>
#include <unordered_map>
#include <vector>

#include "Array.hpp"
#include "Definitions.hpp"

namespace WRL {

// The kind of an RGB shader record, written as Int32. When several apply, the lowest non-zero
// value wins: attribute before GDL before pen.
enum MaterialType : Int32 {
    OtherMaterial = 0,
    AttributeMaterial = 1,  // the material is, or is named like, a project material attribute
    GdlMaterial = 2,        // name begins with "GDLM"
    PenMaterial = 3         // name begins with "PEN_MATERIAL"
};

// Every entry holds its name in this many bytes, the NUL included.
constexpr USize MaterialNameSize = 256;

struct MatData {
    Int32 index = 0;     // the model material number (1-based) the record was made for
    Int32 sameAs = 0;    // position of the entry this material is written as; its own when new
    Int32 dupCount = 0;  // earlier entries of the same name whose material differs (GDL materials only)
    char name[MaterialNameSize] = {};  // the name handed to the writer, without the " :: n" suffix
};

class MaterialList {
public:
    // Appends the entry; its position is the list's size before the call.
    void Append(const MatData& entry);

    USize GetSize() const { return entries.GetSize(); }
    bool IsEmpty() const { return entries.IsEmpty(); }
    const MatData& operator[](GS::UIndex position) const { return entries[position]; }

    // Positions of the entries whose name is exactly this one (letter case counts), in list order;
    // empty when there is none.
    const std::vector<GS::UIndex>& PositionsNamed(const char* name) const;

private:
    GS::Array<MatData> entries;
    std::unordered_map<std::string, std::vector<GS::UIndex>> positionsByName;
};

}  // namespace WRL

#endif
