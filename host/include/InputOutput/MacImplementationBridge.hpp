// Conversions between the host's locations and the forms macOS calls take.
//
// Failure point (HostFailure): "IO::MacImplementationBridge::LocationToUTF8POSIXPath".
#ifndef INPUTOUTPUT_MACIMPLEMENTATIONBRIDGE_HPP
#define INPUTOUTPUT_MACIMPLEMENTATIONBRIDGE_HPP

#include <cstring>

#include "CFStandIn.hpp"
#include "CString.hpp"
#include "Definitions.hpp"
#include "IOErrors.hpp"
#include "Location.hpp"

namespace IO {
namespace MacImplementationBridge {

// The location's POSIX path in UTF-8. An empty location gives BadLocationErr and a buffer with no
// text.
GSROOT_DLL_EXPORT GSErrCode LocationToUTF8POSIXPath(const Location& location, CString<256>* path);

// A new file URL of the location, in the form of a file's URL (the caller releases it with
// CFRelease); null for an empty location.
inline CFURLRef LocationToCFURL(const Location& location)
{
    CString<256> path;
    if (LocationToUTF8POSIXPath(location, &path) != NoError || path.Get() == nullptr)
        return nullptr;
    return CFURLCreateFromFileSystemRepresentation(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(path.Get()),
                                                   static_cast<CFIndex>(std::strlen(path.Get())), false);
}

}  // namespace MacImplementationBridge
}  // namespace IO

#endif
