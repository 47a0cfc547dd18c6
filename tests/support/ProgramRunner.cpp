#include "ProgramRunner.hpp"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>
#include <utility>

extern char** environ;

namespace zelto_test {

namespace {

// The emulator's words, comma-separated in ZELTO_PROGRAM_EMULATOR; none in a native build.
std::vector<std::string> EmulatorWords()
{
    std::vector<std::string> words;
#ifdef ZELTO_PROGRAM_EMULATOR
    std::stringstream list(ZELTO_PROGRAM_EMULATOR);
    std::string word;
    while (std::getline(list, word, ','))
        if (!word.empty())
            words.push_back(word);
#endif
    return words;
}

// File actions that send the program's output where asked; false (with the reason) when one fails.
bool RedirectOutput(posix_spawn_file_actions_t* actions, const ProgramOutput& output, std::string* failure)
{
    const int flags = O_WRONLY | O_CREAT | O_TRUNC;
    int result = 0;
    if (!output.outFile.empty())
        result = posix_spawn_file_actions_addopen(actions, STDOUT_FILENO, output.outFile.c_str(), flags, 0644);
    if (result == 0 && !output.errFile.empty()) {
        if (output.errFile == output.outFile)
            result = posix_spawn_file_actions_adddup2(actions, STDOUT_FILENO, STDERR_FILENO);
        else
            result = posix_spawn_file_actions_addopen(actions, STDERR_FILENO, output.errFile.c_str(), flags, 0644);
    }
    if (result != 0 && failure != nullptr)
        *failure = std::string("cannot redirect the output: ") + std::strerror(result);
    return result == 0;
}

bool IsSetIn(const ProgramEnvironment& environment, const char* entry)
{
    for (const auto& [name, value] : environment) {
        if (std::strncmp(entry, name.c_str(), name.size()) == 0 && entry[name.size()] == '=')
            return true;
    }
    return false;
}

// The test's environment with the given variables set: NAME=VALUE entries.
std::vector<std::string> EnvironmentEntries(const ProgramEnvironment& environment)
{
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (!IsSetIn(environment, *entry))
            entries.emplace_back(*entry);
    }
    for (const auto& [name, value] : environment)
        entries.push_back(name + "=" + value);
    return entries;
}

std::vector<char*> NullTerminated(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Starts the program that words name, with the rest of words as its arguments, and waits for it.
int Run(std::vector<std::string> words, const ProgramOutput& output, std::string* failure,
        const ProgramEnvironment& environment)
{
    std::vector<char*> argv = NullTerminated(words);
    std::vector<std::string> entries = EnvironmentEntries(environment);
    std::vector<char*> envp = NullTerminated(entries);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    pid_t child = 0;
    int spawned = -1;
    if (RedirectOutput(&actions, output, failure)) {
        spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
        if (spawned != 0 && failure != nullptr)
            *failure = "cannot start " + words[0] + ": " + std::strerror(spawned);
    }
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;

    int status = 0;
    pid_t waited = 0;
    do
        waited = waitpid(child, &status, 0);
    while (waited == -1 && errno == EINTR);
    if (waited != child || !WIFEXITED(status)) {
        if (failure != nullptr)
            *failure = words[0] + " did not exit normally";
        return -1;
    }
    return WEXITSTATUS(status);
}

}  // namespace

int RunProgram(const std::string& program, const std::vector<std::string>& arguments, const ProgramOutput& output,
               std::string* failure, const ProgramEnvironment& environment)
{
    std::vector<std::string> words = EmulatorWords();
    words.push_back(program);
    words.insert(words.end(), arguments.begin(), arguments.end());
    return Run(std::move(words), output, failure, environment);
}

int RunMachineProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const ProgramOutput& output, std::string* failure, const ProgramEnvironment& environment)
{
    std::vector<std::string> words = {program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    return Run(std::move(words), output, failure, environment);
}

}  // namespace zelto_test
