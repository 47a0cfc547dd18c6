#include "ZELTO_export_UpdateDialog.hpp"

#include "ACAPinc.h"
#include "BrowserHelpers.hpp"
#include "LogHelpers.hpp"
#include "ZELTO_export_Resources.hpp"

namespace {

namespace Item {
constexpr short Download = 1;
constexpr short Close = 2;
constexpr short AddonVersion = 9;
constexpr short ServerVersion = 10;
constexpr short Date = 11;
constexpr short Changelog = 12;
}  // namespace Item

void SetText(short dialog, short item, const std::string& text)
{
    DGSetItemText(dialog, item, GS::UniString(text.c_str(), CC_Default));
}

void ShowVersions(short dialog, const UpdateDialogData& data)
{
    DGEnableMessage(dialog, 0, 0, false);
    SetText(dialog, Item::AddonVersion, data.addonVersion);
    SetText(dialog, Item::ServerVersion, data.serverVersion);
    SetText(dialog, Item::Date, data.date);
}

// The address may come from the server: anything but a web page (a local file, a script, another
// program's scheme) is refused.
void OpenPage(const std::string& url, const char* page)
{
    const GS::UniString address(url.c_str(), CC_Default);
    if (!IsWebAddress(address)) {
        LogMessageError("Zelto_export:: Update check: the %s address \"%s\" is not a web page; it is not opened\n",
                        page, url.c_str());
        return;
    }
    if (!RunBrowser(address))
        LogMessageError("Zelto_export:: Update check: the %s \"%s\" could not be opened\n", page, url.c_str());
}

// A cut address names another page than the one the server meant.
void OpenDownloadPage(const UpdateDialogData& data)
{
    if (data.downloadUrlCut) {
        LogMessageError("Zelto_export:: Update check: the download page address \"%s\" was cut at the version "
                        "file's line limit; it is not opened\n",
                        data.downloadUrl.c_str());
        return;
    }
    OpenPage(data.downloadUrl, "download page");
}

short HandleClick(short item, const UpdateDialogData& data)
{
    switch (item) {
        case Item::Download:
            OpenDownloadPage(data);
            return 0;
        case Item::Changelog:
            OpenPage(WRL::changelogUrl, "changelog page");
            return 0;
        case Item::Close:
        case DG_CLOSEBOX:
            return item;
        default:
            return 0;
    }
}

}  // namespace

namespace WRL {

void ShowUpdateDialog(const UpdateDialogData& data)
{
    DGResetDialogRectangles();
    const GSResModule resources = ACAPI_GetOwnResModule();
    DGModalDialog(resources, static_cast<short>(UpdateDialogId), resources, Updater_Handler,
                  reinterpret_cast<DGUserData>(&data));
}

}  // namespace WRL

short Updater_Handler(short message, short dialog, short item, DGUserData userData, DGMessageData /*msgData*/)
{
    const UpdateDialogData* data = reinterpret_cast<const UpdateDialogData*>(userData);
    if (data == nullptr)
        return 0;
    try {
        switch (message) {
            case DG_MSG_INIT:
                ShowVersions(dialog, *data);
                return 0;
            case DG_MSG_CLICK:
                return HandleClick(item, *data);
            case DG_MSG_CLOSE:
                return item;
            default:
                return 0;
        }
    } catch (...) {
        // Nothing may reach the host's dialog manager; a failed step leaves the dialog as it is.
        return message == DG_MSG_CLOSE ? item : 0;
    }
}
