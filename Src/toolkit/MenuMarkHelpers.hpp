// The check mark and the enabled state of one of the add-on's own menu items.
#ifndef TOOLKIT_MENUMARKHELPERS_HPP
#define TOOLKIT_MENUMARKHELPERS_HPP

#include "ACAPinc.h"

// Menu item flag bits of the host.
constexpr UInt32 MenuItemFlag_Disabled = 0x01;
constexpr UInt32 MenuItemFlag_Marked = 0x02;

// 1 if the item is marked, else 0.
int GetMenuItemMark(short menuResId, short itemIndex);
// Flips the mark and returns the new one, 1 or 0.
int InvertMenuItemMark(short menuResId, short itemIndex);
// Sets or clears only the disabled bit; returns the host error code of writing the flags.
GSErrCode DisableEnableMenuItem(short menuResId, short itemIndex, bool disable);

#endif
