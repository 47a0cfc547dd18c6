#include "BrowserHelpers.hpp"

#include <memory>
#include <type_traits>

#include "CFStandIn.hpp"

namespace {

struct CFReleaser {
    void operator()(const void* object) const { CFRelease(object); }
};
using CFURLOwner = std::unique_ptr<std::remove_pointer_t<CFURLRef>, CFReleaser>;

}  // namespace

bool IsWebAddress(const GS::UniString& url)
{
    const GS::UniString lower = url.ToLowerCase();
    for (const char* scheme : {"http://", "https://"}) {
        const GS::UniString prefix(scheme);
        if (lower.BeginsWith(prefix) && lower.GetLength() > prefix.GetLength())
            return true;
    }
    return false;
}

bool RunBrowser(const GS::UniString& url)
{
    if (!IsWebAddress(url))
        return false;
    const GS::UniString::UStr units = url.ToUStr();
    const CFURLOwner cfUrl(CFURLCreateWithBytes(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(units.Get()),
                                                static_cast<CFIndex>(url.GetLength()) * 2, kCFStringEncodingUnicode,
                                                nullptr));
    if (cfUrl == nullptr)
        return false;
    return LSOpenCFURLRef(cfUrl.get(), nullptr) == 0;
}
