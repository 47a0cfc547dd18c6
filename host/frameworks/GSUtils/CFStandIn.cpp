#include "CFStandIn.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "CFObjects.hpp"
#include "HostFailure.hpp"
#include "PlatformServices.hpp"
#include "UniString.hpp"

struct __CFURL : CFStandIn::Object {
    std::string text;
};

namespace {

CFURLRef NewURL(std::string text)
{
    auto url = std::make_unique<__CFURL>();
    url->text = std::move(text);
    return CFStandIn::Register(std::move(url));
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Characters a URL may hold literally (RFC 3986: unreserved and reserved ones), and "%" escapes.
bool IsURLText(const std::string& text)
{
    static const char* const allowed =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~:/?#[]@!$&'()*+,;=";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            if (i + 2 >= text.size() || !IsHexDigit(text[i + 1]) || !IsHexDigit(text[i + 2]))
                return false;
            i += 2;
        } else if (c == '\0' || std::strchr(allowed, c) == nullptr) {
            return false;
        }
    }
    return !text.empty();
}

bool DecodeUtf16(const UInt8* bytes, CFIndex length, std::string* text)
{
    if (length % 2 != 0)
        return false;
    std::u16string units(static_cast<std::size_t>(length / 2), u'\0');
    std::memcpy(&units[0], bytes, static_cast<std::size_t>(length));
    if (!units.empty() && units[0] == u'\uFEFF')
        units.erase(0, 1);
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (low || (high && (i + 1 >= units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF)))
            return false;  // a lone surrogate decodes to no text
        if (high)
            ++i;
    }
    *text = GS::Utf16ToUtf8(units);
    return true;
}

bool DecodeText(const UInt8* bytes, CFIndex length, CFStringEncoding encoding, std::string* text)
{
    if (length < 0 || (bytes == nullptr && length > 0))
        return false;
    if (encoding == kCFStringEncodingUTF8) {
        text->assign(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length));
        return true;  // anything but ASCII is refused by IsURLText anyway
    }
    if (encoding == kCFStringEncodingUnicode)
        return DecodeUtf16(bytes, length, text);
    return false;
}

std::string PercentEncodedPath(const char* path, std::size_t length)
{
    static const char* const literal =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~/!$&'()*+,;=:@";
    std::string encoded;
    for (std::size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (byte != 0 && std::strchr(literal, static_cast<char>(byte)) != nullptr) {
            encoded.push_back(static_cast<char>(byte));
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", byte);
            encoded += escape;
        }
    }
    return encoded;
}

}  // namespace

CFURLRef CFURLCreateWithBytes(CFAllocatorRef /*allocator*/, const UInt8* bytes, CFIndex length,
                              CFStringEncoding encoding, CFURLRef baseURL)
{
    if (baseURL != nullptr || HostFailure::Check("CFURLCreateWithBytes") != NoError)
        return nullptr;
    std::string text;
    if (!DecodeText(bytes, length, encoding, &text) || !IsURLText(text))
        return nullptr;
    return NewURL(std::move(text));
}

CFURLRef CFURLCreateFromFileSystemRepresentation(CFAllocatorRef /*allocator*/, const UInt8* buffer, CFIndex length,
                                                 Boolean isDirectory)
{
    if (buffer == nullptr || length <= 0 || HostFailure::Check("CFURLCreateFromFileSystemRepresentation") != NoError)
        return nullptr;
    const char* path = reinterpret_cast<const char*>(buffer);
    if (path[0] != '/')
        return nullptr;  // the stand-in makes file URLs of absolute paths only
    std::string text = "file://" + PercentEncodedPath(path, static_cast<std::size_t>(length));
    if (isDirectory && text.back() != '/')
        text += "/";
    return NewURL(std::move(text));
}

CFIndex CFURLGetBytes(CFURLRef url, UInt8* buffer, CFIndex bufferLength)
{
    if (url == nullptr)
        return -1;
    const std::string& text = CFStandIn::FindOf<__CFURL>(url, "CFURLGetBytes").text;
    const auto length = static_cast<CFIndex>(text.size());
    if (buffer == nullptr)
        return length;
    if (bufferLength < length)
        return -1;
    std::memcpy(buffer, text.data(), text.size());
    return length;
}

CFTypeRef CFRetain(CFTypeRef object)
{
    if (object != nullptr)
        CFStandIn::Retain(object);
    return object;
}

void CFRelease(CFTypeRef object)
{
    CFStandIn::Release(object);
}

OSStatus LSOpenCFURLRef(CFURLRef url, CFURLRef* launchedURL)
{
    if (launchedURL != nullptr)
        *launchedURL = nullptr;
    if (url == nullptr)
        return paramErr;
    const std::string& text = CFStandIn::FindOf<__CFURL>(url, "LSOpenCFURLRef").text;
    const GSErrCode planned = HostFailure::Check("LSOpenCFURLRef");
    if (planned != NoError)
        return planned;
    // No application is launched here, so none is told back through launchedURL.
    return PlatformOpenURL(text.c_str()) ? 0 : kLSApplicationNotFoundErr;
}

Int64 CFStandInLiveObjectCount()
{
    return CFStandIn::CountLive();
}
