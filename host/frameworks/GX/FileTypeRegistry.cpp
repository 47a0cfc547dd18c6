#include "FileTypeRegistry.hpp"

#include "HostPictureTypes.hpp"

namespace GXHost {

FileTypeRegistry& FileTypeRegistry::Instance()
{
    static FileTypeRegistry registry;
    return registry;
}

FileTypeRegistry::FileTypeRegistry()
{
    for (const FTM::FileType& type : HostPictureTypes())
        Add(type, FTM::RootGroup, nullptr);
}

FTM::TypeID FileTypeRegistry::Add(const FTM::FileType& type, FTM::GroupID group, const FTM::FileTypeManager* owner)
{
    const FTM::TypeID id = nextId++;
    entries.push_back(Entry{id, group, type, owner});
    return id;
}

void FileTypeRegistry::RemoveTypesOf(const FTM::FileTypeManager* owner)
{
    std::vector<Entry> kept;
    for (Entry& entry : entries) {
        if (entry.owner != owner)
            kept.push_back(std::move(entry));
    }
    entries = std::move(kept);
}

const FTM::FileType* FileTypeRegistry::Find(FTM::TypeID id) const
{
    for (const Entry& entry : entries) {
        if (entry.id == id)
            return &entry.type;
    }
    return nullptr;
}

}  // namespace GXHost
