#include "ZELTO_export_C4Dlaunch.hpp"

#include <string>
#include <vector>

#include "Location.hpp"
#include "LogHelpers.hpp"
#include "PathHelpers.hpp"
#include "PlatformServices.hpp"
#include "ProgramLaunch.hpp"

namespace {

// The POSIX path of a host path text; empty when there is none.
std::string PosixPathOf(const IO::CString<256u>& text)
{
    if (text.Get() == nullptr)
        return std::string();
    return ToPosixPath(IO::Location(text.Get())).ToUtf8();
}

}  // namespace

bool StartC4DProcess(const IO::CString<256u>& file, const IO::CString<256u>& app)
{
    const std::string appPath = PosixPathOf(app);
    const std::string filePath = PosixPathOf(file);
    if (appPath.empty() || filePath.empty()) {
        LogMessageDebug("Zelto_export:: Cinema 4D is not started: no %s path\n", appPath.empty() ? "application" : "file");
        return false;
    }
    // The system names its open command (/usr/bin/open on macOS); PATH is never searched.
    const char* openCommand = PlatformOpenCommandPath();
    int exitStatus = 0;
    if (!RunProgramAndWait(openCommand, {"open", "-a", appPath, filePath}, &exitStatus)) {
        LogMessageDebug("Zelto_export:: Cannot run the open command for Cinema 4D\n");
        return false;
    }
    if (exitStatus != 0) {
        LogMessageDebug("Zelto_export:: The open command could not start Cinema 4D (exit status %d)\n", exitStatus);
        return false;
    }
    return true;
}
