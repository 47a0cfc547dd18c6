#include "PathHelpers.hpp"

#include <cstdlib>

#include "File.hpp"
#include "Folder.hpp"
#include "MacImplementationBridge.hpp"

namespace {

GS::UniString JoinedText(IO::Location location, const IO::Name& name)
{
    if (location.AppendToLocal(name) != NoError)
        return GS::UniString();
    return location.ToDisplayText();
}

}  // namespace

GS::UniString AppendPath(const GS::UniString& base, const IO::RelativeLocation& rel)
{
    if (base.IsEmpty())
        return rel.ToDisplayText();
    IO::Location location(base);
    if (location.AppendToLocal(rel) != NoError)
        return GS::UniString();
    return location.ToDisplayText();
}

GS::UniString AppendPath(const GS::UniString& base, const IO::Name& name)
{
    if (base.IsEmpty())
        return name.ToString();
    return JoinedText(IO::Location(base), name);
}

GS::UniString AppendPath(const GS::UniString& base, const GS::UniString& name)
{
    if (base.IsEmpty())
        return name;
    return JoinedText(IO::Location(base), IO::Name(name));
}

GS::UniString AppendPath(const IO::Location& base, const GS::UniString& name)
{
    return JoinedText(base, IO::Name(name));
}

GS::UniString AppendPath(const IO::Location& base, const GS::UniString& name1, const GS::UniString& name2)
{
    IO::Location location(base);
    if (location.AppendToLocal(IO::Name(name1)) != NoError)
        return GS::UniString();
    return JoinedText(location, IO::Name(name2));
}

bool IsFileExist(const IO::Location& loc)
{
    return IO::File(loc, IO::File::Fail).GetStatus() == NoError;
}

bool IsFileExist(const GS::UniString& path)
{
    return IsFileExist(IO::Location(path));
}

bool IsFolderExist(const IO::Location& loc)
{
    return IO::Folder(loc, IO::Folder::Fail).GetStatus() == NoError;
}

bool IsFolderExist(const GS::UniString& path)
{
    return IsFolderExist(IO::Location(path));
}

bool IOLocationIsvalid(const IO::Location& loc)
{
    return loc.IsLegalInNativeFileSystem();
}

GS::UniString ToDisplayText(const IO::Location& loc)
{
    return loc.ToDisplayText();
}

GS::UniString ToPosixPath(const IO::Location& loc)
{
    IO::CString<256> path;  // frees its own heap block when the path is longer
    GS::UniString result;
    if (IO::MacImplementationBridge::LocationToUTF8POSIXPath(loc, &path) == NoError && path.Get() != nullptr)
        result = path.Get();
    return result;
}

CFURLRef ToCFURLRef(const IO::Location& loc)
{
    return IO::MacImplementationBridge::LocationToCFURL(loc);
}

GS::UniString GetSystemTempPath()
{
    const char* folder = std::getenv("TMPDIR");
    if (folder == nullptr || *folder == '\0')
        return GS::UniString("/tmp");
    return GS::UniString(folder);
}
