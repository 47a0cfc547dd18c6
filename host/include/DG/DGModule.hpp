// The host's dialog framework: modal dialogs (DGDialog.hpp) and alerts.
#ifndef DG_DGMODULE_HPP
#define DG_DGMODULE_HPP

#include "DGDialog.hpp"
#include "Definitions.hpp"
#include "UniString.hpp"

// A modal alert; kind -3 information, -2 warning, -1 error. Answers the button pressed (1..3).
GSROOT_DLL_EXPORT short DGAlert(short kind, const GS::UniString& title, const GS::UniString& text,
                                const GS::UniString& third, const GS::UniString& button1,
                                const GS::UniString& button2, const GS::UniString& button3);

#endif
