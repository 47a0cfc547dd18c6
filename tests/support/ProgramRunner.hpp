// Starts a program of this build (zelto-host, a test binary) from a test and waits for it.
//
// In a cross build (the arm64 one) the programs are made for another processor and this machine
// runs them only through an emulator: CMake's CMAKE_CROSSCOMPILING_EMULATOR reaches this code as
// ZELTO_PROGRAM_EMULATOR, and RunProgram puts it in front of the program. So every test that starts
// a program of ours does it through RunProgram, never by the program's path alone (std::system,
// popen, posix_spawn). Programs made for this machine (tools, a native build's zelto-host) are
// started as they are, by RunMachineProgram or a shell.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zelto_test {

// Where the started program's standard output and standard error go: into files (the same file for
// both gives them in the order written); an empty path leaves the stream to the test's own.
struct ProgramOutput {
    std::string outFile;
    std::string errFile;
};

// Variables set (NAME, VALUE) in the started program's environment, over the test's own.
using ProgramEnvironment = std::vector<std::pair<std::string, std::string>>;

// Runs program, one of this build's, with the arguments and waits for it; its exit status, or -1
// (with the reason in *failure when given) when it could not be started or did not exit normally.
int RunProgram(const std::string& program, const std::vector<std::string>& arguments, const ProgramOutput& output,
               std::string* failure = nullptr, const ProgramEnvironment& environment = {});

// The same for a program made for this machine (a native build's zelto-host, a tool): no emulator.
int RunMachineProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const ProgramOutput& output, std::string* failure = nullptr,
                      const ProgramEnvironment& environment = {});

}  // namespace zelto_test
