#include "PlatformServices.hpp"

#include "HostControl.hpp"
#include "HostFailure.hpp"

bool PlatformOpenURL(const char* url)
{
    if (url == nullptr || *url == '\0')
        return false;
    if (HostFailure::Check("PlatformOpenURL") != NoError)
        return false;
    HostControl::TheRecorder().openedUrls.emplace_back(url);
    return true;
}
