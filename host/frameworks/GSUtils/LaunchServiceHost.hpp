// Host-side control of the launch service behind PlatformOpenCommandPath (PlatformServices.hpp). The
// add-on never sees this header.
//
// The service is a script beside the frameworks (LaunchService/open). It cannot reach the host's
// memory, so it appends each argument vector to a record file of this process, which is made on first
// use and removed when the process ends; the host moves them into its recorder with CollectLaunches.
// The host app does so after every menu command.
#ifndef GSUTILS_LAUNCHSERVICEHOST_HPP
#define GSUTILS_LAUNCHSERVICEHOST_HPP

#include "Definitions.hpp"

namespace LaunchService {

// Appends the argument vectors launched since the last call to HostControl's launchedCommands.
GSROOT_DLL_EXPORT void CollectLaunches();

}  // namespace LaunchService

#endif
