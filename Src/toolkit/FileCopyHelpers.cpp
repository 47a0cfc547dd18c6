#include "FileCopyHelpers.hpp"

#include <sys/stat.h>

#include "File.hpp"
#include "HostNames.hpp"
#include "LogHelpers.hpp"
#include "TemporaryCopy.hpp"

namespace {

void LogCopyFailure(const IO::Location& source, GSErrCode error)
{
    GS::UniString path;
    source.ToPath(&path);
    LogMessageError("File copy error: '%s' #%s", path.ToCStr(CC_Default).Get(), ErrID_To_Name(error));
}

// The folder with the source's last name appended, and that name.
GSErrCode MakeTarget(const IO::Location& source, const IO::Location& folder, IO::Location* target, IO::Name* name)
{
    const GSErrCode named = source.GetLastLocalName(name);
    if (named != NoError)
        return named;
    *target = folder;
    return target->AppendToLocal(*name);
}

bool ReadFileInfo(const IO::Location& location, struct stat* info)
{
    GS::UniString path;
    return location.ToPath(&path) == NoError && ::stat(path.ToCStr(CC_UTF8).Get(), info) == 0;
}

// Whether both locations lead to one file, through whatever links or spellings: the same device
// and inode. A location that names no file is nobody's twin.
bool IsSameFile(const IO::Location& left, const IO::Location& right)
{
    struct stat leftInfo {};
    struct stat rightInfo {};
    if (!ReadFileInfo(left, &leftInfo) || !ReadFileInfo(right, &rightInfo))
        return false;
    return leftInfo.st_dev == rightInfo.st_dev && leftInfo.st_ino == rightInfo.st_ino;
}

GSErrCode CopyOneFile(const IO::Location& source, const IO::Location& folder)
{
    // A missing source fails before anything in the folder is touched.
    const GSErrCode found = IO::File(source, IO::File::Fail).GetStatus();
    if (found != NoError)
        return found;
    IO::Location target;
    IO::Name name;
    const GSErrCode made = MakeTarget(source, folder, &target, &name);
    if (made != NoError)
        return made;
    // Replacing the "old target" would replace the very file that is to be copied.
    if (IsSameFile(target, source))
        return NoError;
    // The old target stays until a complete copy takes its place.
    TemporaryCopy copy(target, name);
    const GSErrCode copied = copy.Make(source);
    if (copied != NoError)
        return copied;
    return copy.PutInPlace();
}

template <typename Files>
int CopyEach(const Files& files, const IO::Location& folder)
{
    for (const IO::Location& source : files) {
        const GSErrCode copied = CopyOneFile(source, folder);
        if (copied != NoError) {
            LogCopyFailure(source, copied);
            return copied;
        }
    }
    return NoError;
}

}  // namespace

int CopyFiles(const GS::Array<IO::Location>& files, const IO::Location& folder)
{
    return CopyEach(files, folder);
}

int CopyFiles(const GS::HashSet<IO::Location>& files, const IO::Location& folder)
{
    return CopyEach(files, folder);
}

int CopyFileToFolder(const IO::Location& file, const IO::Location& folder)
{
    const GS::Array<IO::Location> files{file};
    return CopyFiles(files, folder);
}
