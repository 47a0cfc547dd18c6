// The manual update check of the add-on's menu: the version file is downloaded from the maker's
// server, its version compared with the add-on's own, and the user told the outcome in an alert or,
// when the server has a newer version, in the update dialog.
#ifndef ZELTO_EXPORT_UPDATER_HPP
#define ZELTO_EXPORT_UPDATER_HPP

#include <string>

#include "AddonVersion.hpp"
#include "ZELTO_export_VersionDownload.hpp"

namespace WRL {

class MAUpdate {
public:
    // What CheckVersion found.
    enum Result : int {
        NoVersionFile = 0,  // no complete version file, or its version is not a number
        SameVersion = 1,    // the versions differ by less than 0.0001
        NewerVersion = 2,
        OlderVersion = 3,
    };

    // Checks the maker's server and tells the user the outcome. Always true: the check's failures
    // are the user's news, not the menu command's.
    bool CheckUpdate();
    // Downloads and reads the version file, fills the fields and compares the server's version with
    // apiVersion; a Result.
    int CheckVersion(const UpdateServer& server = UpdateServer::Production());
    // The no-connection alert, the no-updates alert (same or older version) or the update dialog.
    void ShowOutcome(int result) const;

    // The version file's values ("UNKNOWN" for a missing key); empty until CheckVersion read a file.
    std::string name;
    std::string version;
    std::string date;
    std::string downloadMac;
    // The download address filled its line of the version file and lost its end.
    bool downloadMacCut = false;
};

}  // namespace WRL

#endif
