// The export settings dialog (resource 32505 of the add-on's resource file): the user sets the ten
// export settings of a settings record, which are stored in the preferences when the user confirms.
#ifndef ZELTO_EXPORT_DIALOG_HPP
#define ZELTO_EXPORT_DIALOG_HPP

#include "DGModule.hpp"
#include "ZELTO_export_Parameters.hpp"

namespace WRL {

class MADialog {
public:
    // The record must outlive the dialog; it is not owned.
    explicit MADialog(MAParameters* parameters);
    ~MADialog();

    // Shows the dialog over the record's settings and stores them when the user confirms. True when
    // the user confirmed and every setting was stored in the preferences; on false after a
    // confirmation the record holds the settings although they could not all be stored.
    bool Savepanel();
    // Shows the dialog over the record's settings; true when the user confirmed, and the record then
    // holds the confirmed settings. Stores nothing.
    bool Confirm();

private:
    MAParameters* parameters;
};

}  // namespace WRL

// The dialog's callback; its user data is the address of the WRL::MAParameters being edited.
short SaveWindow_Handler(short message, short dialog, short item, DGUserData userData, DGMessageData msgData);

// Tells the user that the chosen unit or scale is very small; returns when the user dismissed it.
void UnitWarningDialog();

#endif
