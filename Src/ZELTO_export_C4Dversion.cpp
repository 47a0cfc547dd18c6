#include "ZELTO_export_C4Dversion.hpp"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "CFStandIn.hpp"
#include "Location.hpp"
#include "PathHelpers.hpp"

namespace {

// The leading whole number of the text, as "%d" reads it; a number that does not fit an int is none.
bool ReadLeadingNumber(const char* text, int* number)
{
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (end == text || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return false;
    *number = static_cast<int>(value);
    return true;
}

}  // namespace

int GetC4DVersion(const char* path)
{
    if (path == nullptr)
        return 0;
    const CFURLRef url = ToCFURLRef(IO::Location(path));
    if (url == nullptr)
        return 0;
    const CFBundleRef bundle = CFBundleCreate(kCFAllocatorDefault, url);
    CFRelease(url);
    if (bundle == nullptr)
        return 0;
    int version = 0;
    const CFTypeRef value = CFBundleGetValueForInfoDictionaryKey(bundle, kCFBundleVersionKey);
    const char* text =
        value != nullptr ? CFStringGetCStringPtr(static_cast<CFStringRef>(value), kCFStringEncodingMacRoman) : nullptr;
    if (text == nullptr || !ReadLeadingNumber(text, &version))
        version = 0;
    CFRelease(bundle);
    return version;
}
