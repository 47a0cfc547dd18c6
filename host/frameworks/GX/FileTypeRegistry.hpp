// The process-wide list of file types behind FTM::FileTypeManager, made with the host's picture
// types on first use. Lookups here pass no failure point, so the framework's own lookups never
// use up a failure that a test planned for the add-on's calls.
#ifndef GX_FILETYPEREGISTRY_HPP
#define GX_FILETYPEREGISTRY_HPP

#include <vector>

#include "FileTypeManager.hpp"

namespace GXHost {

class FileTypeRegistry {
public:
    struct Entry {
        FTM::TypeID id;
        FTM::GroupID group;
        FTM::FileType type;
        const FTM::FileTypeManager* owner;  // null for the host's own types
    };

    static FileTypeRegistry& Instance();

    FTM::TypeID Add(const FTM::FileType& type, FTM::GroupID group, const FTM::FileTypeManager* owner);
    void RemoveTypesOf(const FTM::FileTypeManager* owner);
    const FTM::FileType* Find(FTM::TypeID id) const;

    // The first entry, in identifier order, that matches; FTM::NoType when none does.
    template <typename Predicate>
    FTM::TypeID FirstWhere(Predicate matches) const
    {
        for (const Entry& entry : entries) {
            if (matches(entry))
                return entry.id;
        }
        return FTM::NoType;
    }

private:
    FileTypeRegistry();

    std::vector<Entry> entries;
    FTM::TypeID nextId = FTM::UnknownType + 1;
};

}  // namespace GXHost

#endif
