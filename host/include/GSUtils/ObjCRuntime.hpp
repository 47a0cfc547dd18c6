// The few Objective-C runtime calls and Foundation messages the add-on makes on macOS, as the
// stand-in host offers them. Messages go through objc_msgSend with the old variadic prototype;
// the stand-in answers only these:
//   [NSFileManager defaultManager]                                  the one manager
//   [manager URLsForDirectory:(unsigned long) inDomains:(unsigned long)]   an array of URLs
//   [manager URLForDirectory:inDomain:appropriateForURL:create:(int) error:(id*)]  one URL or nil
//   [manager stringWithFileSystemRepresentation:(const char*) length:(unsigned long)]
//   [NSURL fileURLWithPath:(NSString)], [url path], [array count], [array objectAtIndex:]
//   [string fileSystemRepresentation]                               UTF-8, lives with the string
// Every object a message hands out is autoreleased into the innermost NSAutoreleasePool (made with
// objc_alloc_init, drained and ended by objc_release); an object made with no pool never goes away
// and is counted as leaked. Any other message or class stops the process, as a crash would.
//
// System folders lie under the host's user-data folder (GSPref::SetUserDataFolder): the user domain
// (mask 1) is the folder itself, the local domain (2) its "Local" sub-folder, the system domain (8)
// its "System" sub-folder; the network domain (4) lists nothing. Within a domain a directory is a
// folder named as on macOS: 1 "Applications", 5 "Library", 9 "Documents", 12 "Desktop",
// 13 "Caches", 14 "Application Support", 15 "Downloads". Other directories, and every directory
// while no user-data folder is set, are not listed. URLForDirectory also knows 99 (item
// replacement): "TemporaryItems" of the user-data folder; it takes exactly one domain, and makes the
// folder (with its parents) when create is true, giving nil when that fails. The folders need not
// exist for the lists, as on macOS.
//
// Failure points (HostFailure): "NSFileManager URLsForDirectory:inDomains:" (nil),
// "NSFileManager URLForDirectory:inDomain:appropriateForURL:create:error:" (nil).
#ifndef GSUTILS_OBJCRUNTIME_HPP
#define GSUTILS_OBJCRUNTIME_HPP

#include "Definitions.hpp"

struct objc_object;
struct objc_class;
struct objc_selector;
using id = objc_object*;
using Class = objc_class*;
using SEL = objc_selector*;
using BOOL = signed char;

GSROOT_DLL_EXPORT Class objc_getClass(const char* name);
GSROOT_DLL_EXPORT SEL sel_registerName(const char* name);
GSROOT_DLL_EXPORT id objc_msgSend(id self, SEL op, ...);
// [[cls alloc] init]
GSROOT_DLL_EXPORT id objc_alloc_init(Class cls);
GSROOT_DLL_EXPORT void objc_release(id object);

// Host side: Foundation objects alive now, and pools not yet released; tests check them for leaks.
GSROOT_DLL_EXPORT Int64 ObjCStandInLiveObjectCount();
GSROOT_DLL_EXPORT Int64 ObjCStandInOpenPoolCount();

#endif
