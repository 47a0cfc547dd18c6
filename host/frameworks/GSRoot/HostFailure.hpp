// Host-side helper: turns a failure planned in HostControl into what the host would do.
#ifndef GSROOT_HOSTFAILURE_HPP
#define GSROOT_HOSTFAILURE_HPP

#include <string>

#include "Definitions.hpp"

namespace HostFailure {

// NoError when nothing is planned for the point; otherwise the planned error code, or a thrown
// exception (a host GS::GeneralException, std::bad_alloc, or a std::runtime_error).
GSROOT_DLL_EXPORT GSErrCode Check(const std::string& point);

}  // namespace HostFailure

#endif
