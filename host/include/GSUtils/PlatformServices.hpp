// Services of the host's platform layer.
//
// Failure point (HostFailure): "PlatformOpenURL" (answers false, nothing is recorded).
#ifndef GSUTILS_PLATFORMSERVICES_HPP
#define GSUTILS_PLATFORMSERVICES_HPP

#include "Definitions.hpp"

// Hands url to the system, which opens it with the user's default application for it; true when
// the system took it. The stand-in opens nothing: it records the URL in the host's recorder.
GSROOT_DLL_EXPORT bool PlatformOpenURL(const char* url);

#endif
