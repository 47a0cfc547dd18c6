// Joined paths, existence tests and the path forms that macOS calls take.
#ifndef TOOLKIT_PATHHELPERS_HPP
#define TOOLKIT_PATHHELPERS_HPP

#include "CFStandIn.hpp"
#include "Location.hpp"
#include "RelativeLocation.hpp"
#include "UniString.hpp"

// The display text of the base with the relative location or name appended. A text base is made
// a location only when it is not empty; an empty one gives the second argument's text unchanged.
// A join the host refuses (a base that is no location, a name that is not legal) gives an empty
// text rather than the base alone, which would name another entry.
GS::UniString AppendPath(const GS::UniString& base, const IO::RelativeLocation& rel);
GS::UniString AppendPath(const GS::UniString& base, const IO::Name& name);
GS::UniString AppendPath(const GS::UniString& base, const GS::UniString& name);
GS::UniString AppendPath(const IO::Location& base, const GS::UniString& name);
GS::UniString AppendPath(const IO::Location& base, const GS::UniString& name1, const GS::UniString& name2);

bool IsFileExist(const IO::Location& loc);
bool IsFileExist(const GS::UniString& path);
bool IsFolderExist(const IO::Location& loc);
bool IsFolderExist(const GS::UniString& path);
bool IOLocationIsvalid(const IO::Location& loc);

GS::UniString ToDisplayText(const IO::Location& loc);
// The UTF-8 POSIX path; empty when the location has none.
GS::UniString ToPosixPath(const IO::Location& loc);
// A new file URL of the location, or null; the caller releases it with CFRelease.
CFURLRef ToCFURLRef(const IO::Location& loc);

// The value of TMPDIR, unchanged; "/tmp" when it is not set or empty.
GS::UniString GetSystemTempPath();

#endif
