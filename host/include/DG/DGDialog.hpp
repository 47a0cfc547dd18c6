// The host's modal dialogs, built from a dialog layout of an add-on's resource file.
//
// A layout is a block of the resource file:
//   dialog 32505 "Export Settings"
//     item 1 button "OK"
//     item 6 popup "Colours" "Materials" "Cinema 4D"
//     item 8 radio group 1 "Original files"
//     item 10 slider min 1 max 100 value 90
//     item 18 realedit value 100
//     item 23 statictext clickable
//   end
// One line per item: `item N KIND [option...] ["text"...]`, items numbered from 1. Kinds:
//   button      a push button; a click sends DG_MSG_CLICK
//   checkbox    value 0 or 1; the user's change sends DG_MSG_CHANGE
//   radio       value 0 or 1; at most one item of its group is on; choosing one sends DG_MSG_CHANGE
//   popup       value 1..n, one quoted text per entry; the user's choice sends DG_MSG_CHANGE
//   slider      an integer value within min..max; dragging sends tracking messages, the release
//               DG_MSG_CHANGE
//   intedit     an integer edit field; realedit: a real-number edit field; textedit: a text field.
//               What the user types sends DG_MSG_CHANGE; a number field accepts numbers only.
//   statictext  a text; picture: an image. Both take clicks (DG_MSG_CLICK) only when clickable.
// Options: `value V` the starting value, `min A` and `max B` the range of a slider or number field
// (values are kept within it), `group G` a radio button's group, `clickable`, `disabled`. The
// quoted texts are the item's text (a popup's entries). A '#' line is a comment.
//
// The dialog protocol: the callback gets DG_MSG_INIT when the dialog opens, then one message per
// thing the user does, then DG_MSG_CLOSE with the item that closed it (its result is not used).
// A callback that answers any other message with a nonzero item closes the dialog with that item;
// DGModalDialog returns it. Values set by the callback send no messages. An item counts as
// modified (DGModified) once its value or text changed after DG_MSG_INIT was handled, by the user
// or by the callback.
#ifndef DG_DGDIALOG_HPP
#define DG_DGDIALOG_HPP

#include "Definitions.hpp"
#include "RS.hpp"
#include "UniString.hpp"

// Messages of the dialog callback.
constexpr short DG_MSG_INIT = 1;       // the dialog opens (item 0)
constexpr short DG_MSG_CLOSE = 3;      // the dialog closes (item: the one that closed it)
constexpr short DG_MSG_CLICK = 4;      // a button or clickable item was clicked
constexpr short DG_MSG_CHANGE = 6;     // the user changed an item's value or text
constexpr short DG_MSG_TRACK = 7;      // a slider's value changes while it is dragged
constexpr short DG_MSG_SPINTRACK = 10; // a slider's value changes while it is moved with the keys

// The item of the window's close box, as clicked.
constexpr short DG_CLOSEBOX = -1;

using DGUserData = Int64;
using DGMessageData = Int64;  // 0 for every message in this host
using DGDialCallBack = short(short message, short dialId, short item, DGUserData userData, DGMessageData msgData);

// Runs the dialog resId of the resource module modally and returns the item that closed it; 0 when
// the module has no such dialog or its layout cannot be read. The icon module is accepted as given.
GSROOT_DLL_EXPORT short DGModalDialog(GSResModule dialResModule, short resId, GSResModule dialIconResModule,
                                      DGDialCallBack* callback, DGUserData userData);
// Forgets where dialogs were placed last; they open at their layout's place again.
GSROOT_DLL_EXPORT void DGResetDialogRectangles();

// Turns one optional message off (enable false) or on again for an item of an open dialog; item 0
// means every item. Message 0 names no message, so the call then changes nothing. DG_MSG_INIT and
// DG_MSG_CLOSE are always sent.
GSROOT_DLL_EXPORT void DGEnableMessage(short dialId, short item, short message, bool enable);

// Item calls on an open dialog. A dialog that is not open or an item it does not have is left
// alone; its reads answer 0 or an empty text. Values outside a slider's or number field's range
// are brought within it; a popup keeps its value when asked for an entry it does not have; a
// check box or radio button takes any nonzero value as 1, and a radio button turned on turns the
// others of its group off.
GSROOT_DLL_EXPORT void DGSetItemText(short dialId, short item, const GS::UniString& text);
GSROOT_DLL_EXPORT GS::UniString DGGetItemText(short dialId, short item);
GSROOT_DLL_EXPORT void DGSetItemValLong(short dialId, short item, Int32 value);
GSROOT_DLL_EXPORT Int32 DGGetItemValLong(short dialId, short item);
GSROOT_DLL_EXPORT void DGSetItemValDouble(short dialId, short item, double value);
GSROOT_DLL_EXPORT double DGGetItemValDouble(short dialId, short item);
GSROOT_DLL_EXPORT void DGSetItemEnable(short dialId, short item, bool enable);
GSROOT_DLL_EXPORT bool DGIsItemEnabled(short dialId, short item);
GSROOT_DLL_EXPORT bool DGModified(short dialId, short item);

#endif
