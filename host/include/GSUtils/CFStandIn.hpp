// The few CoreFoundation and LaunchServices calls the add-on makes on macOS, as the stand-in host
// offers them: URLs, strings and bundles are plain reference-counted objects, and opening a URL hands
// its text to the platform's open-URL service (PlatformServices.hpp), which in the stand-in records it.
// Nothing is really opened.
//
// CFURLCreateWithBytes takes UTF-8 (kCFStringEncodingUTF8) or UTF-16 in host byte order, with or
// without a byte-order mark (kCFStringEncodingUnicode). It makes no URL (null) of an empty text, of
// bytes that do not decode, or of a text holding characters that a URL may not hold literally
// (blanks, control and non-ASCII characters, "%" not followed by two hex digits); it takes no base
// URL. Every object made by a Create call is released with CFRelease.
//
// CFBundleCreate makes a bundle of a file URL that names a folder (null for anything else) and reads
// the string values of its Contents/Info.plist in the XML form; a bundle without a readable one has no
// values. CFBundleGetValueForInfoDictionaryKey gives such a value as a string that the bundle owns
// (the caller does not release it), or null. CFStringGetCStringPtr gives the string's bytes in UTF-8
// (kCFStringEncodingUTF8) or, when it is plain ASCII, Mac Roman (kCFStringEncodingMacRoman); null
// otherwise.
//
// Failure points (HostFailure): "CFURLCreateWithBytes" and "CFURLCreateFromFileSystemRepresentation"
// (no URL is made), "LSOpenCFURLRef" (the planned code is returned, nothing is opened).
#ifndef GSUTILS_CFSTANDIN_HPP
#define GSUTILS_CFSTANDIN_HPP

#include "Definitions.hpp"

using Boolean = unsigned char;
using CFIndex = long;
using OSStatus = Int32;
using CFStringEncoding = UInt32;
using CFTypeRef = const void*;

struct __CFAllocator;
using CFAllocatorRef = const __CFAllocator*;
struct __CFURL;
using CFURLRef = const __CFURL*;
struct __CFString;
using CFStringRef = const __CFString*;
struct __CFBundle;
using CFBundleRef = __CFBundle*;

constexpr CFAllocatorRef kCFAllocatorDefault = nullptr;
constexpr CFStringEncoding kCFStringEncodingMacRoman = 0;
constexpr CFStringEncoding kCFStringEncodingUnicode = 0x0100;
constexpr CFStringEncoding kCFStringEncodingUTF8 = 0x08000100;

// LaunchServices results.
constexpr OSStatus paramErr = -50;
constexpr OSStatus kLSApplicationNotFoundErr = -10814;

GSROOT_DLL_EXPORT CFURLRef CFURLCreateWithBytes(CFAllocatorRef allocator, const UInt8* bytes, CFIndex length,
                                                CFStringEncoding encoding, CFURLRef baseURL);
// A "file://" URL of a POSIX path (UTF-8 bytes); a folder's URL ends with "/".
GSROOT_DLL_EXPORT CFURLRef CFURLCreateFromFileSystemRepresentation(CFAllocatorRef allocator, const UInt8* buffer,
                                                                   CFIndex length, Boolean isDirectory);
// Copies the URL's text (without NUL) into buffer: its byte count, or -1 when it does not fit.
// A null buffer only measures.
GSROOT_DLL_EXPORT CFIndex CFURLGetBytes(CFURLRef url, UInt8* buffer, CFIndex bufferLength);

GSROOT_DLL_EXPORT CFBundleRef CFBundleCreate(CFAllocatorRef allocator, CFURLRef bundleURL);
GSROOT_DLL_EXPORT CFTypeRef CFBundleGetValueForInfoDictionaryKey(CFBundleRef bundle, CFStringRef key);
GSROOT_DLL_EXPORT extern const CFStringRef kCFBundleVersionKey;  // "CFBundleVersion"
GSROOT_DLL_EXPORT const char* CFStringGetCStringPtr(CFStringRef string, CFStringEncoding encoding);

GSROOT_DLL_EXPORT CFTypeRef CFRetain(CFTypeRef object);
GSROOT_DLL_EXPORT void CFRelease(CFTypeRef object);

// Opens the URL with the user's default application for it; 0 when the system took it.
GSROOT_DLL_EXPORT OSStatus LSOpenCFURLRef(CFURLRef url, CFURLRef* launchedURL);

// Host side: the CoreFoundation objects alive now; tests check it for leaks.
GSROOT_DLL_EXPORT Int64 CFStandInLiveObjectCount();

#endif
