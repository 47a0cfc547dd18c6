#include "ProcessMemory.hpp"

#include <fstream>
#include <sstream>
#include <string>

#include <malloc.h>

namespace ZeltoBench {

namespace {

// "VmHWM:\t  218188 kB" -> 218188
std::int64_t KiBOf(const std::string& line)
{
    std::istringstream fields(line.substr(line.find(':') + 1));
    std::int64_t value = -1;
    fields >> value;
    return value;
}

}  // namespace

ResidentMemory ReadResidentMemory()
{
    ResidentMemory memory;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            memory.peakKiB = KiBOf(line);
        else if (line.rfind("VmRSS:", 0) == 0)
            memory.currentKiB = KiBOf(line);
    }
    return memory;
}

void ReleaseFreeHeapMemory()
{
    ::malloc_trim(0);
}

bool ResetPeakResidentMemory()
{
    std::ofstream clearRefs("/proc/self/clear_refs");
    clearRefs << "5";
    clearRefs.flush();
    return static_cast<bool>(clearRefs);
}

}  // namespace ZeltoBench
