// Starting a program of the system with an argument vector, never through a shell: every argument
// reaches the program exactly as given, whatever quotes, dollars, backquotes or newlines it holds.
#ifndef TOOLKIT_PROGRAMLAUNCH_HPP
#define TOOLKIT_PROGRAMLAUNCH_HPP

#include <string>
#include <vector>

// Starts the program at its absolute path (no PATH search) with the arguments (the first one is the
// program's own name), in the host's environment, and waits for it to end. True when it ran and
// ended normally; *exitStatus is then its exit status. Logs why it failed otherwise.
bool RunProgramAndWait(const char* program, const std::vector<std::string>& arguments, int* exitStatus);

#endif
