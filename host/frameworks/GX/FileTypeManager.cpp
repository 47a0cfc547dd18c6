#include "FileTypeManager.hpp"

#include "FileTypeRegistry.hpp"
#include "HostFailure.hpp"

namespace FTM {

const TypeID EXEFileType = UnknownType;

using GXHost::FileTypeRegistry;

FileTypeManager::FileTypeManager(const char* name) : name(name != nullptr ? name : "") {}

FileTypeManager::~FileTypeManager()
{
    FileTypeRegistry::Instance().RemoveTypesOf(this);
}

TypeID FileTypeManager::AddType(const FileType& type, GroupID group)
{
    if (HostFailure::Check("FTM::FileTypeManager::AddType") != NoError)
        return UnknownType;
    return FileTypeRegistry::Instance().Add(type, group, this);
}

GSErrCode FileTypeManager::GetType(TypeID id, FileType* type)
{
    if (type == nullptr)
        return BadParameterErr;
    const GSErrCode planned = HostFailure::Check("FTM::FileTypeManager::GetType");
    if (planned != NoError)
        return planned;
    const FileType* found = FileTypeRegistry::Instance().Find(id);
    if (found == nullptr)
        return TypeNotFoundErr;
    *type = *found;
    return NoError;
}

TypeID FileTypeManager::SearchForMime(const char* mime, const GroupID* group)
{
    if (mime == nullptr || HostFailure::Check("FTM::FileTypeManager::SearchForMime") != NoError)
        return NoType;
    return FileTypeRegistry::Instance().FirstWhere([&](const FileTypeRegistry::Entry& entry) {
        return (group == nullptr || entry.group == *group) && entry.type.HasMime(mime);
    });
}

TypeID FileTypeManager::SearchForExtension(const char* extension)
{
    return FileTypeRegistry::Instance().FirstWhere(
        [&](const FileTypeRegistry::Entry& entry) { return entry.type.HasExtension(extension); });
}

TypeID FileTypeManager::SearchForContent(const void* bytes, USize length)
{
    const auto* head = static_cast<const unsigned char*>(bytes);
    return FileTypeRegistry::Instance().FirstWhere([&](const FileTypeRegistry::Entry& entry) {
        const ContentChecker checker = entry.type.GetContentChecker();
        return checker != nullptr && checker(head, length);
    });
}

}  // namespace FTM
