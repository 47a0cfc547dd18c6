// The version number of an application bundle, from its Info.plist. Nothing in the add-on calls it.
#ifndef ZELTO_EXPORT_C4DVERSION_HPP
#define ZELTO_EXPORT_C4DVERSION_HPP

// The leading whole number of the bundle's CFBundleVersion ("26.107" gives 26); 0 when the path is no
// bundle, the bundle has no such value or it does not start with a number.
int GetC4DVersion(const char* path);

#endif
