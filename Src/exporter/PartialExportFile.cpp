#include "PartialExportFile.hpp"

#include <cstring>
#include <string>

#include "ExportText.hpp"
#include "File.hpp"
#include "FileSystem.hpp"

namespace WRL {

PartialExportFile::PartialExportFile(const IO::Location& targetLocation) : target(targetLocation)
{
    IO::Name targetName;
    if (target.GetStatus() != NoError || target.GetLastLocalName(&targetName) != NoError || targetName.IsEmpty())
        return;
    temporaryName = TemporaryNameFor(targetName);
    temporary = target;
    if (temporary.SetLastLocalName(temporaryName) != NoError)
        temporary.Clear();
}

PartialExportFile::~PartialExportFile()
{
    // Nothing can be reported from here; a temporary file that cannot be removed only costs room.
    if (made && !published)
        IO::fileSystem.Delete(temporary);
}

IO::Name PartialExportFile::TemporaryNameFor(const IO::Name& targetName)
{
    const std::string& name = targetName.ToUtf8();
    const USize frame = std::strlen(NamePrefix) + std::strlen(NameSuffix);
    const USize kept = Utf8PrefixLength(name.c_str(), name.size(), IO::Name::MaxNameBytes - frame);
    return IO::Name((NamePrefix + name.substr(0, kept) + NameSuffix).c_str());
}

GSErrCode PartialExportFile::Open(std::unique_ptr<IO::File>* file)
{
    if (file == nullptr)
        return IO::BadParameterErr;
    if (temporary.IsEmpty())
        return IO::BadLocationErr;
    GSErrCode result = CheckTarget();
    if (result == NoError)
        result = RemoveStaleTemporary();
    if (result != NoError)
        return result;

    auto opened = std::make_unique<IO::File>(temporary, IO::File::Create);
    if (opened->GetStatus() != NoError)
        return opened->GetStatus();
    made = true;
    result = opened->Open(IO::File::WriteEmptyMode, IO::ReportAccessDenied);
    if (result != NoError)
        return result;
    *file = std::move(opened);
    return NoError;
}

GSErrCode PartialExportFile::Publish()
{
    if (!made)
        return IO::NotFoundErr;
    IO::Name targetName;
    GSErrCode result = target.GetLastLocalName(&targetName);
    if (result == NoError)
        result = IO::fileSystem.Rename(temporary, targetName);
    if (result == NoError)
        published = true;
    return result;
}

// The target may be absent or a file; it must be one that this export may write.
GSErrCode PartialExportFile::CheckTarget() const
{
    const IO::File probe(target, IO::File::Fail);
    const GSErrCode status = probe.GetStatus();
    if (status != NoError && status != IO::NotFoundErr)
        return status;
    return probe.IsOpenable(IO::File::WriteEmptyMode) ? NoError : IO::AccessDeniedErr;
}

// A temporary file left by an export that ended abruptly is replaced. A link there is removed rather
// than written through, so the export never writes outside the target's folder.
GSErrCode PartialExportFile::RemoveStaleTemporary() const
{
    IO::FileSystem::EntryType type = IO::FileSystem::OtherEntry;
    const GSErrCode found = IO::fileSystem.GetType(temporary, &type);
    if (found == IO::NotFoundErr)
        return NoError;
    if (found != NoError)
        return found;
    if (type == IO::FileSystem::FolderEntry)
        return IO::WrongTypeErr;
    return IO::fileSystem.Delete(temporary);
}

}  // namespace WRL
