// The two notices that end a direct export: the finish notice (dialog 32560) after Cinema 4D was
// started on the export file, and the direct-export notice (dialog 32570) when the importer plug-in
// was not found. The user silences either for good with its "don't show again" check box; the
// choice lives in the preferences, folder REG_Folder.
#ifndef ZELTO_EXPORT_NOTICES_HPP
#define ZELTO_EXPORT_NOTICES_HPP

#include "DGDialog.hpp"

namespace WRL {

// True under a key means: do not show that notice again. Absent keys read as false.
inline constexpr char REG_Direct[] = "Not Show Direct dialog";
inline constexpr char REG_Finish[] = "Not Show Finish dialog";

class MAFinishDlg {
public:
    // Shows the finish notice unless the user silenced it (or its preference cannot be read).
    void FinishPanel();
};

class MADirectDlg {
public:
    // Shows the direct-export notice unless the user silenced it (or its preference cannot be read).
    void DirectPanel();
};

}  // namespace WRL

// The notices' callbacks; the user data is the address of an Int32 flag that receives the
// "don't show again" check box when the notice is confirmed.
short FinishWindow_Handler(short message, short dialog, short item, DGUserData userData, DGMessageData msgData);
short DirectWindow_Handler(short message, short dialog, short item, DGUserData userData, DGMessageData msgData);

#endif
