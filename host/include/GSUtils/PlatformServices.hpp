// Services of the host's platform layer.
//
// Failure points (HostFailure): "PlatformOpenURL" (answers false, nothing is recorded);
// "LaunchService" (the launch that follows the next PlatformOpenCommandPath exits with the planned
// code as its status when that lies in 1..255, else with 1; it is recorded all the same).
#ifndef GSUTILS_PLATFORMSERVICES_HPP
#define GSUTILS_PLATFORMSERVICES_HPP

#include "Definitions.hpp"

// Hands url to the system, which opens it with the user's default application for it; true when
// the system took it. The stand-in opens nothing: it records the URL in the host's recorder.
GSROOT_DLL_EXPORT bool PlatformOpenURL(const char* url);

// The program that opens a file with an application, started with the argument vector
// {"open", "-a", APP, FILE} and waited for: it hands the file to the system and returns at once, exit
// status 0 when the system took it. On macOS that is /usr/bin/open. The stand-in answers the path of
// its launch service, a shell script that records the argument vector for the host
// (LaunchServiceHost.hpp) and opens nothing; null when the service cannot be found or prepared.
// Ask for it right before each launch.
GSROOT_DLL_EXPORT const char* PlatformOpenCommandPath();

#endif
