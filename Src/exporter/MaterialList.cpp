#include "MaterialList.hpp"

namespace WRL {

void MaterialList::Append(const MatData& entry)
{
    positionsByName[entry.name].push_back(entries.GetSize());
    entries.Push(entry);
}

const std::vector<GS::UIndex>& MaterialList::PositionsNamed(const char* name) const
{
    static const std::vector<GS::UIndex> none;
    const auto found = positionsByName.find(name != nullptr ? name : "");
    return found == positionsByName.end() ? none : found->second;
}

}  // namespace WRL
