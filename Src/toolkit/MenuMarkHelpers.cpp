#include "MenuMarkHelpers.hpp"

#include "InterfaceWrappers.hpp"

namespace {

API_MenuItemRef MakeItemRef(short menuResId, short itemIndex)
{
    API_MenuItemRef item{};
    item.menuResID = menuResId;
    item.itemIndex = itemIndex;
    return item;
}

// The flags read stay 0 when the host cannot read them, as the item then counts as plain.
UInt32 ReadFlags(const API_MenuItemRef& item)
{
    UInt32 flags = 0;
    Interface::GetMenuItemFlags(&item, &flags, nullptr);
    return flags;
}

int MarkOf(UInt32 flags)
{
    return (flags & MenuItemFlag_Marked) != 0 ? 1 : 0;
}

}  // namespace

int GetMenuItemMark(short menuResId, short itemIndex)
{
    return MarkOf(ReadFlags(MakeItemRef(menuResId, itemIndex)));
}

int InvertMenuItemMark(short menuResId, short itemIndex)
{
    const API_MenuItemRef item = MakeItemRef(menuResId, itemIndex);
    UInt32 flags = ReadFlags(item) ^ MenuItemFlag_Marked;
    Interface::SetMenuItemFlags(&item, &flags, nullptr);
    return MarkOf(flags);
}

GSErrCode DisableEnableMenuItem(short menuResId, short itemIndex, bool disable)
{
    const API_MenuItemRef item = MakeItemRef(menuResId, itemIndex);
    UInt32 flags = ReadFlags(item);
    if (disable)
        flags |= MenuItemFlag_Disabled;
    else
        flags &= ~MenuItemFlag_Disabled;
    return Interface::SetMenuItemFlags(&item, &flags, nullptr);
}
