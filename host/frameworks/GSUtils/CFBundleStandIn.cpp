// CoreFoundation's bundles and strings, as far as a bundle's Info.plist values go (CFStandIn.hpp).
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <sys/stat.h>

#include "CFObjects.hpp"
#include "CFStandIn.hpp"
#include "InfoPlist.hpp"

struct __CFString : CFStandIn::Object {
    explicit __CFString(std::string value) : text(std::move(value)) {}
    std::string text;
};

// The bundle holds one reference to each value string it has handed out.
struct __CFBundle : CFStandIn::Object {
    ~__CFBundle() override
    {
        for (const auto& entry : handedOut)
            CFRelease(entry.second);
    }
    std::map<std::string, std::string> info;
    std::map<std::string, CFStringRef> handedOut;
};

const CFStringRef kCFBundleVersionKey =
    CFStandIn::Register(std::make_unique<__CFString>("CFBundleVersion"), true);

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The POSIX path of a "file://" URL, its escapes decoded; false for any other URL.
bool PathOfFileURL(CFURLRef url, std::string* path)
{
    const CFIndex length = CFURLGetBytes(url, nullptr, 0);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length <= 0 || CFURLGetBytes(url, reinterpret_cast<UInt8*>(&text[0]), length) != length)
        return false;
    const std::string scheme = "file://";
    if (text.compare(0, scheme.size(), scheme) != 0)
        return false;
    path->clear();
    for (std::size_t i = scheme.size(); i < text.size(); ++i) {
        if (text[i] != '%') {
            path->push_back(text[i]);
            continue;
        }
        const int high = i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? HexValue(text[i + 2]) : -1;
        if (high < 0 || low < 0 || (high == 0 && low == 0))
            return false;
        path->push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return !path->empty() && (*path)[0] == '/';
}

bool IsFolder(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The Info.plist's string values; none when it is missing or not a readable XML property list.
std::map<std::string, std::string> ReadInfo(const std::string& bundlePath)
{
    std::ifstream in(bundlePath + "/Contents/Info.plist", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::map<std::string, std::string> info;
    if (!in.is_open() || !CFStandIn::ReadInfoPlistStrings(text, &info))
        info.clear();
    return info;
}

bool IsPlainAscii(const std::string& text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

}  // namespace

CFBundleRef CFBundleCreate(CFAllocatorRef /*allocator*/, CFURLRef bundleURL)
{
    std::string path;
    if (bundleURL == nullptr || !PathOfFileURL(bundleURL, &path) || !IsFolder(path))
        return nullptr;
    auto bundle = std::make_unique<__CFBundle>();
    bundle->info = ReadInfo(path);
    return const_cast<CFBundleRef>(CFStandIn::Register(std::move(bundle)));
}

CFTypeRef CFBundleGetValueForInfoDictionaryKey(CFBundleRef bundle, CFStringRef key)
{
    __CFBundle& owner = CFStandIn::FindOf<__CFBundle>(bundle, "CFBundleGetValueForInfoDictionaryKey");
    const std::string& name = CFStandIn::FindOf<__CFString>(key, "CFBundleGetValueForInfoDictionaryKey").text;
    const auto value = owner.info.find(name);
    if (value == owner.info.end())
        return nullptr;
    CFStringRef& handedOut = owner.handedOut[name];
    if (handedOut == nullptr)
        handedOut = CFStandIn::Register(std::make_unique<__CFString>(value->second));
    return handedOut;
}

const char* CFStringGetCStringPtr(CFStringRef string, CFStringEncoding encoding)
{
    const std::string& text = CFStandIn::FindOf<__CFString>(string, "CFStringGetCStringPtr").text;
    if (encoding == kCFStringEncodingUTF8 || (encoding == kCFStringEncodingMacRoman && IsPlainAscii(text)))
        return text.c_str();
    return nullptr;
}
