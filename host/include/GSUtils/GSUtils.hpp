// The host's utility framework: the system beep.
#ifndef GSUTILS_GSUTILS_HPP
#define GSUTILS_GSUTILS_HPP

#include "Definitions.hpp"

GSROOT_DLL_EXPORT void GSSysBeep();

#endif
