// The launch service behind PlatformOpenCommandPath: where its script lies, the environment it reads
// (ZELTO_LAUNCH_RECORD, ZELTO_LAUNCH_STATUS) and the record file it writes.
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "HostControl.hpp"
#include "HostFailure.hpp"
#include "LaunchServiceHost.hpp"
#include "PlatformServices.hpp"

namespace {

constexpr const char* RecordVariable = "ZELTO_LAUNCH_RECORD";
constexpr const char* StatusVariable = "ZELTO_LAUNCH_STATUS";

// The record file of this process; removed when the process ends.
class RecordFile {
public:
    // Made on first use; empty when it cannot be made.
    const std::string& Path()
    {
        if (path.empty())
            Make();
        return path;
    }
    // Empty while no launch was prepared.
    const std::string& PathIfMade() const { return path; }
    ~RecordFile()
    {
        if (!path.empty())
            ::unlink(path.c_str());
    }

private:
    void Make()
    {
        const char* folder = std::getenv("TMPDIR");
        std::string pattern = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") +
                              "/zelto-launches-XXXXXX";
        const int descriptor = ::mkstemp(&pattern[0]);
        if (descriptor < 0)
            return;
        ::close(descriptor);
        path = pattern;
    }

    std::string path;
};

RecordFile& TheRecordFile()
{
    static RecordFile file;
    return file;
}

// LaunchService/open in the folder of this framework's library.
std::string ScriptPath()
{
    Dl_info library{};
    if (::dladdr(reinterpret_cast<void*>(&PlatformOpenCommandPath), &library) == 0 || library.dli_fname == nullptr)
        return std::string();
    const std::string libraryPath = library.dli_fname;
    const std::size_t slash = libraryPath.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : libraryPath.substr(0, slash);
    const std::string script = folder + "/LaunchService/open";
    return ::access(script.c_str(), X_OK) == 0 ? script : std::string();
}

// The exit status of the launch that follows: 0, or what a test planned.
int PlannedStatus()
{
    const GSErrCode planned = HostFailure::Check("LaunchService");
    if (planned == NoError)
        return 0;
    return planned >= 1 && planned <= 255 ? planned : 1;
}

// The NUL-ended fields of the record: a count, then that many arguments, per launch. A torn record at
// the end (a launch that could not finish writing) is left out.
std::vector<std::vector<std::string>> ParseRecord(const std::string& bytes)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t end = bytes.find('\0'); end != std::string::npos; end = bytes.find('\0', start)) {
        fields.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::vector<std::string>> launches;
    for (std::size_t i = 0; i < fields.size();) {
        char* rest = nullptr;
        const unsigned long count = std::strtoul(fields[i].c_str(), &rest, 10);
        if (fields[i].empty() || *rest != '\0' || count > fields.size() - i - 1)
            break;
        launches.emplace_back(fields.begin() + static_cast<long>(i) + 1,
                              fields.begin() + static_cast<long>(i + 1 + count));
        i += 1 + count;
    }
    return launches;
}

}  // namespace

const char* PlatformOpenCommandPath()
{
    static std::string script;
    script = ScriptPath();
    const std::string& record = TheRecordFile().Path();
    if (script.empty() || record.empty())
        return nullptr;
    const std::string status = std::to_string(PlannedStatus());
    if (::setenv(RecordVariable, record.c_str(), 1) != 0 || ::setenv(StatusVariable, status.c_str(), 1) != 0)
        return nullptr;
    return script.c_str();
}

namespace LaunchService {

void CollectLaunches()
{
    const std::string& record = TheRecordFile().PathIfMade();
    if (record.empty())
        return;
    std::ifstream in(record, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    std::ofstream(record, std::ios::binary | std::ios::trunc);
    for (std::vector<std::string>& launch : ParseRecord(bytes))
        HostControl::TheRecorder().launchedCommands.push_back(std::move(launch));
}

}  // namespace LaunchService
