// Whether the maker's importer plug-in lies beside Cinema 4D: a file matching one of the patterns
// anywhere in the "plugins" folder next to the application, folders named "res" left out.
#ifndef ZELTO_EXPORT_C4DPLUGIN_HPP
#define ZELTO_EXPORT_C4DPLUGIN_HPP

#include "CString.hpp"
#include "HashSet.hpp"
#include "Location.hpp"
#include "TreeEnumerator.hpp"
#include "UniString.hpp"

constexpr const char* c4dPlugFolder = "plugins";
constexpr const char* c4dPlugMac = "ZELTO_import*.dylib";
constexpr const char* c4dPlugXMac = "ZELTO_import*.xlib";
constexpr const char* c4dPlugSkippedFolder = "res";

// app is the application's host path text. False also when the search cannot be made (no plugins
// folder, a walk that fails): the plug-in then counts as missing.
bool FindC4Dplugin(const IO::CString<256u>& app);

// Counts the files whose names match a pattern (letter case counting); the walk ends at the first
// one. Enters every folder except those named like the skipped name, and follows no link.
class RecursiveFilePatternFind : public IO::TreeEnumerator {
public:
    RecursiveFilePatternFind(const IO::Folder& root, const GS::HashSet<GS::UniString>& patterns,
                             const IO::Name& skippedFolder);

    bool FileFound(const IO::Name& name) override;
    bool FolderFound(const IO::Name& name) override;

    UInt32 GetMatchCount() const { return matchCount; }

private:
    GS::HashSet<GS::UniString> patterns;
    UInt32 matchCount = 0;
    IO::Name skippedFolder;
};

#endif
