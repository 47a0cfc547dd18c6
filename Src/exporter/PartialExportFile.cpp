#include "PartialExportFile.hpp"

#include "ExceptionLog.hpp"
#include "File.hpp"
#include "FileSystem.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"
#include "TemporaryNames.hpp"

namespace WRL {

namespace {

const std::string& PathText(const IO::Location& location)
{
    return location.ToUtf8Path();
}

}  // namespace

PartialExportFile::PartialExportFile(const IO::Location& targetLocation) : target(targetLocation)
{
    if (target.GetStatus() != NoError || target.GetLastLocalName(&targetName) != NoError)
        targetName.Clear();
}

PartialExportFile::~PartialExportFile()
{
    if (made && !published)
        RemoveTemporary();
}

GSErrCode PartialExportFile::Open(std::unique_ptr<IO::File>* file)
{
    if (file == nullptr)
        return IO::BadParameterErr;
    failureText.clear();
    if (targetName.IsEmpty())
        return NoteFailure("The export target \"" + PathText(target) + "\" names no file", IO::BadLocationErr);
    TargetState state;
    GSErrCode result = CheckTarget(&state);
    if (result == NoError)
        result = MakeTemporary();
    if (result != NoError)
        return result;
    if (state.exists) {
        result = IO::fileSystem.SetPermissions(temporary, state.permissions);
        if (result != NoError)
            return NoteFailure("Cannot give the temporary file " + PathText(temporary) + " the target's permissions",
                               result);
    }

    auto opened = std::make_unique<IO::File>(temporary, IO::File::Fail);
    result = opened->GetStatus();
    if (result == NoError)
        result = opened->Open(IO::File::WriteMode, IO::ReportAccessDenied);
    if (result != NoError)
        return NoteFailure("Cannot open the temporary file " + PathText(temporary), result);
    *file = std::move(opened);
    return NoError;
}

GSErrCode PartialExportFile::Publish()
{
    failureText.clear();
    if (!made)
        return NoteFailure("No temporary file was made for " + PathText(target), IO::NotFoundErr);
    const GSErrCode result = IO::fileSystem.Rename(temporary, targetName);
    if (result != NoError)
        return NoteFailure("Cannot put the export file at " + PathText(target), result);
    published = true;
    return NoError;
}

GSErrCode PartialExportFile::NoteFailure(const std::string& step, GSErrCode error)
{
    failureText = step + ": " + ErrID_To_Name(error);
    return error;
}

// The target may be absent, a file or a link (which is replaced); it must be one that this export
// may write. Its permissions go to the new file.
GSErrCode PartialExportFile::CheckTarget(TargetState* state)
{
    IO::FileSystem::EntryType type = IO::FileSystem::OtherEntry;
    GSErrCode result = IO::fileSystem.GetType(target, &type);
    if (result == IO::NotFoundErr)
        result = NoError;
    else if (result == NoError && type != IO::FileSystem::FileEntry && type != IO::FileSystem::LinkEntry)
        result = IO::WrongTypeErr;
    if (result != NoError)
        return NoteFailure("The export target " + PathText(target) + " is not a file that can be replaced", result);

    const IO::File probe(target, IO::File::Fail);
    result = probe.GetStatus();
    state->exists = result == NoError;
    if (result == IO::NotFoundErr)
        result = NoError;  // nothing there yet, or a link that leads nowhere
    if (result == NoError && !probe.IsOpenable(IO::File::WriteEmptyMode))
        result = IO::AccessDeniedErr;
    if (result == NoError && state->exists)
        result = IO::fileSystem.GetPermissions(target, &state->permissions);
    if (result != NoError)
        return NoteFailure("Cannot write the export target " + PathText(target), result);
    return NoError;
}

// Made exclusively: a name in use (by another export, or left by one that ended abruptly) is
// never taken over.
GSErrCode PartialExportFile::MakeTemporary()
{
    GSErrCode result = IO::AlreadyExistsErr;
    for (int attempt = 0; attempt < TemporaryNameAttempts && result == IO::AlreadyExistsErr; ++attempt) {
        temporary = target;
        result = temporary.SetLastLocalName(MakeTemporaryName(targetName, MakeUniqueNamePart()));
        if (result == NoError)
            result = IO::fileSystem.CreateFile(temporary);
    }
    if (result != NoError) {
        temporary.Clear();
        return NoteFailure("Cannot make a temporary file beside " + PathText(target), result);
    }
    made = true;
    return NoError;
}

// Called from the destructor: nothing may leave it. A removal that fails is tried once more, since
// no later export would know the file.
void PartialExportFile::RemoveTemporary() const
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        GSErrCode result = IO::GeneralIOErr;
        RunWithoutThrowing("Cannot remove the temporary file", [&] { result = IO::fileSystem.Delete(temporary); });
        if (result == NoError || result == IO::NotFoundErr)
            return;
        RunWithoutThrowing("Cannot remove the temporary file", [&] {
            LogMessageError("Zelto_export:: Cannot remove the temporary file %s: %s\n", PathText(temporary).c_str(),
                            ErrID_To_Name(result));
        });
    }
}

}  // namespace WRL
