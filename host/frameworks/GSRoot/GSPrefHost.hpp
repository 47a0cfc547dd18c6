// Host-side control of the preference store: where its file lives, and what tests may look at.
// The add-on never sees this header.
#ifndef GSROOT_GSPREFHOST_HPP
#define GSROOT_GSPREFHOST_HPP

#include <string>

#include "Definitions.hpp"

namespace GSPref {

// The host's own user-data folder, which must exist; the preferences are the file
// PreferenceFileName in it. Empty (the start state): no preferences, OpenRootKey gives NoStoreErr.
GSROOT_DLL_EXPORT void SetUserDataFolder(const std::string& folder);
GSROOT_DLL_EXPORT const std::string& GetUserDataFolder();

constexpr const char* PreferenceFileName = "Preferences.gspref";
// The preference file's path; empty while no user-data folder is set.
GSROOT_DLL_EXPORT std::string GetPreferenceFilePath();

// How many roots are open now (every open root must be closed by whoever opened it).
GSROOT_DLL_EXPORT int CountOpenRoots();

}  // namespace GSPref

#endif
