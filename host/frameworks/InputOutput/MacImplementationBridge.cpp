#include "MacImplementationBridge.hpp"

#include "HostFailure.hpp"

namespace IO {
namespace MacImplementationBridge {

GSErrCode LocationToUTF8POSIXPath(const Location& location, CString<256>* path)
{
    if (path == nullptr)
        return BadParameterErr;
    path->Clear();
    const GSErrCode planned = HostFailure::Check("IO::MacImplementationBridge::LocationToUTF8POSIXPath");
    if (planned != NoError)
        return planned;
    return location.ToPath(path);
}

}  // namespace MacImplementationBridge
}  // namespace IO
