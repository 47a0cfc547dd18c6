// Names of the temporary files that the add-on makes beside a target before putting them in its
// place: ".<target name>.<8 hex digits>.zelto-partial". The leading dot keeps them out of sight in a
// folder listing, and the suffix tells what they are to anyone who finds one.
#ifndef TOOLKIT_TEMPORARYNAMES_HPP
#define TOOLKIT_TEMPORARYNAMES_HPP

#include <cstddef>
#include <string>

#include "Location.hpp"

inline constexpr char TemporaryNamePrefix[] = ".";
inline constexpr char TemporaryNameSuffix[] = ".zelto-partial";
inline constexpr std::size_t UniqueNamePartDigits = 8;
// Names drawn before giving up: another name is drawn only when one is in use already.
inline constexpr int TemporaryNameAttempts = 16;

// Eight hex digits that differ from call to call and from process to process.
std::string MakeUniqueNamePart();

// The temporary name for a target name and a unique part; a long target name is cut at a
// character boundary so that the result stays a legal name.
IO::Name MakeTemporaryName(const IO::Name& targetName, const std::string& uniquePart);

#endif
