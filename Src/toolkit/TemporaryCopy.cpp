#include "TemporaryCopy.hpp"

#include "ExceptionLog.hpp"
#include "FileSystem.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"
#include "TemporaryNames.hpp"

TemporaryCopy::TemporaryCopy(const IO::Location& targetLocation, const IO::Name& name)
    : target(targetLocation), targetName(name)
{
}

TemporaryCopy::~TemporaryCopy()
{
    if (claimed && !placed)
        Remove();
}

// A name beside the target that no entry uses; AlreadyExistsErr when the one drawn is in use.
GSErrCode TemporaryCopy::DrawFreeName()
{
    temporary = target;
    GSErrCode result = temporary.SetLastLocalName(MakeTemporaryName(targetName, MakeUniqueNamePart()));
    if (result != NoError)
        return result;
    IO::FileSystem::EntryType type = IO::FileSystem::OtherEntry;
    result = IO::fileSystem.GetType(temporary, &type);
    if (result == IO::NotFoundErr)
        return NoError;
    return result == NoError ? IO::AlreadyExistsErr : result;
}

// The host's copy makes its target exclusively: a name taken between the look and the copy is
// answered with AlreadyExistsErr, and then another name is drawn.
GSErrCode TemporaryCopy::Make(const IO::Location& source)
{
    GSErrCode result = IO::AlreadyExistsErr;
    for (int attempt = 0; attempt < TemporaryNameAttempts && result == IO::AlreadyExistsErr; ++attempt) {
        result = DrawFreeName();
        if (result != NoError)
            continue;
        // Whatever a failed copy leaves at this free name is its own, and goes with it.
        claimed = true;
        result = IO::fileSystem.Copy(source, temporary);
        if (result == IO::AlreadyExistsErr)
            claimed = false;
    }
    complete = result == NoError;
    return result;
}

GSErrCode TemporaryCopy::PutInPlace()
{
    if (!complete)
        return IO::NotFoundErr;
    const GSErrCode result = IO::fileSystem.Rename(temporary, targetName);
    placed = result == NoError;
    return result;
}

// Called from the destructor: nothing may leave it.
void TemporaryCopy::Remove() const
{
    RunWithoutThrowing("Cannot remove the temporary copy", [this] {
        const GSErrCode result = IO::fileSystem.Delete(temporary, IO::FileSystem::DataSafety(0),
                                                       IO::AccessDeniedTreatment(2));
        if (result == NoError || result == IO::NotFoundErr)
            return;
        GS::UniString path;
        temporary.ToPath(&path);
        LogMessageError("Error: Cannot remove the temporary copy '%s' #%s", path.ToCStr(CC_Default).Get(),
                        ErrID_To_Name(result));
    });
}
