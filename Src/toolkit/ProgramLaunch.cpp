#include "ProgramLaunch.hpp"

#include <cerrno>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>

#include "LogHelpers.hpp"

extern char** environ;

namespace {

// The wait ends only with the child's end: a signal that interrupts it does not.
bool WaitForChild(pid_t child, int* waitStatus)
{
    for (;;) {
        if (waitpid(child, waitStatus, 0) == child)
            return true;
        if (errno != EINTR)
            return false;
    }
}

}  // namespace

bool RunProgramAndWait(const char* program, const std::vector<std::string>& arguments, int* exitStatus)
{
    if (program == nullptr || program[0] != '/' || arguments.empty() || exitStatus == nullptr) {
        LogMessageError("Error: RunProgramAndWait: no program with an absolute path and its arguments\n");
        return false;
    }
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t child = 0;
    const int spawned = posix_spawn(&child, program, nullptr, nullptr, argv.data(), environ);
    if (spawned != 0) {
        LogMessageError("Error: Cannot start %s: %s\n", program, std::strerror(spawned));
        return false;
    }
    int waitStatus = 0;
    if (!WaitForChild(child, &waitStatus)) {
        LogMessageError("Error: Cannot wait for %s: %s\n", program, std::strerror(errno));
        return false;
    }
    if (!WIFEXITED(waitStatus)) {
        LogMessageError("Error: %s did not end normally\n", program);
        return false;
    }
    *exitStatus = WEXITSTATUS(waitStatus);
    return true;
}
