// Names of the host's error codes, as the host application prints results. The host keeps its own
// table; it never borrows the add-on's.
#ifndef HOSTAPP_HOSTERRORNAMES_HPP
#define HOSTAPP_HOSTERRORNAMES_HPP

#include <string>

#include "Definitions.hpp"

namespace ZeltoHost {

// "NoError" for 0, the constant's name for a host API error ("APIERR_CANCEL"), else "error <code>".
std::string HostErrorName(GSErrCode code);

}  // namespace ZeltoHost

#endif
