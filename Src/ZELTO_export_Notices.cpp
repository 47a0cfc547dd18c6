#include "ZELTO_export_Notices.hpp"

#include "ACAPinc.h"
#include "ZELTO_export_Parameters.hpp"
#include "ZELTO_export_PreferenceRoot.hpp"

namespace {

namespace Item {
constexpr short OK = 1;
constexpr short DontShowAgain = 4;
}  // namespace Item

constexpr short FinishDialogId = 32560;
constexpr short DirectDialogId = 32570;

constexpr bool NotSilencedByDefault = false;

// A notice whose key cannot be read counts as silenced, so a broken store never nags.
bool IsSilenced(const WRL::PreferenceRoot& root, const char* key)
{
    if (!root.IsOpen())
        return true;
    bool silenced = NotSilencedByDefault;
    if (root->ReadBool(WRL::REG_Folder, key, &silenced, NotSilencedByDefault,
                       WRL::PreferenceRoot::ReadModeDefaultWhenAbsent) != NoError)
        return true;
    return silenced;
}

// A failed write is not reported: the notice simply comes again next time.
void StoreSilenced(const WRL::PreferenceRoot& root, const char* key, bool silenced)
{
    if (root.IsOpen())
        root->WriteBool(WRL::REG_Folder, key, silenced);
}

void ShowNotice(short dialogId, DGDialCallBack* callback, const char* key)
{
    try {
        const WRL::PreferenceRoot preferences;
        if (IsSilenced(preferences, key))
            return;
        Int32 dontShowAgain = 0;
        DGResetDialogRectangles();
        const GSResModule resources = ACAPI_GetOwnResModule();
        const short result =
            DGModalDialog(resources, dialogId, resources, callback, reinterpret_cast<DGUserData>(&dontShowAgain));
        if (result == Item::OK)
            StoreSilenced(preferences, key, dontShowAgain != 0);
    } catch (...) {
        // The export is already written and Cinema 4D started; a notice never changes that.
    }
}

// Both notices behave alike: item 1 closes them, item 4 is the check box.
short NoticeWindow_Handler(short message, short dialog, short item, DGUserData userData)
{
    Int32* dontShowAgain = reinterpret_cast<Int32*>(userData);
    switch (message) {
        case DG_MSG_INIT:
            DGSetItemValLong(dialog, Item::DontShowAgain, *dontShowAgain);
            return 0;
        case DG_MSG_CLICK:
            return item == Item::OK ? Item::OK : 0;
        case DG_MSG_CLOSE:
            if (item != Item::OK)
                return item;
            if (DGModified(dialog, Item::DontShowAgain))
                *dontShowAgain = DGGetItemValLong(dialog, Item::DontShowAgain);
            return Item::OK;
        default:
            return 0;
    }
}

}  // namespace

namespace WRL {

void MAFinishDlg::FinishPanel()
{
    ShowNotice(FinishDialogId, FinishWindow_Handler, REG_Finish);
}

void MADirectDlg::DirectPanel()
{
    ShowNotice(DirectDialogId, DirectWindow_Handler, REG_Direct);
}

}  // namespace WRL

short FinishWindow_Handler(short message, short dialog, short item, DGUserData userData, DGMessageData /*msgData*/)
{
    return NoticeWindow_Handler(message, dialog, item, userData);
}

short DirectWindow_Handler(short message, short dialog, short item, DGUserData userData, DGMessageData /*msgData*/)
{
    return NoticeWindow_Handler(message, dialog, item, userData);
}
