// The check mark and the enabled state of one of the add-on's own menu items.
#ifndef TOOLKIT_MENUMARKHELPERS_HPP
#define TOOLKIT_MENUMARKHELPERS_HPP

#include "ACAPinc.h"

// Menu item flag bits of the host.
constexpr UInt32 MenuItemFlag_Disabled = 0x01;
constexpr UInt32 MenuItemFlag_Marked = 0x02;

// A failed read of the item's flags is logged, and the item is left untouched.

// 1 if the item is marked, else 0 (also when its flags cannot be read).
int GetMenuItemMark(short menuResId, short itemIndex);
// Flips the mark and returns the item's mark after it, 1 or 0: 0 when the flags cannot be read, the
// mark it kept when they cannot be written (logged).
int InvertMenuItemMark(short menuResId, short itemIndex);
// Sets or clears only the disabled bit; returns the host error code of reading or writing the flags.
GSErrCode DisableEnableMenuItem(short menuResId, short itemIndex, bool disable);

#endif
