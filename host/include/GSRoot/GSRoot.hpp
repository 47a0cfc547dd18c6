// Umbrella header of the host's root framework.
#ifndef GSROOT_GSROOT_HPP
#define GSROOT_GSROOT_HPP

#include "Array.hpp"
#include "BM.hpp"
#include "CH.hpp"
#include "DebugChannel.hpp"
#include "Definitions.hpp"
#include "GSException.hpp"
#include "GSPref.hpp"
#include "HashSet.hpp"
#include "SharedPtr.hpp"
#include "UniString.hpp"

#endif
