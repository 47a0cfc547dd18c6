// The update dialog (resource 32550), shown when the maker's server has a newer version: the
// add-on's and the server's version and the release date, with buttons to the download page (item
// 1) and the changelog (item 12), which leave the dialog open, and item 2 to close it.
#ifndef ZELTO_EXPORT_UPDATEDIALOG_HPP
#define ZELTO_EXPORT_UPDATEDIALOG_HPP

#include <string>

#include "DGDialog.hpp"

// The dialog's user data.
struct UpdateDialogData {
    std::string addonVersion;
    std::string serverVersion;
    std::string date;
    std::string downloadUrl;      // from the server: opened only when it is an http or https address
    bool downloadUrlCut = false;  // the address lost its end in the version file: it is not opened
};

namespace WRL {

// The page that tells what changed in each version.
inline constexpr char changelogUrl[] = "https://zelto.example/products/zelto-exporter-for-archicad/changelog/";

// Runs the dialog modally over the data; returns when the user closed it.
void ShowUpdateDialog(const UpdateDialogData& data);

}  // namespace WRL

// The dialog's callback; its user data is the address of an UpdateDialogData.
short Updater_Handler(short message, short dialog, short item, DGUserData userData, DGMessageData msgData);

#endif
