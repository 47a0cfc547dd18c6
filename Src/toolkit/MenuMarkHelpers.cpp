#include "MenuMarkHelpers.hpp"

#include "HostNames.hpp"
#include "InterfaceWrappers.hpp"
#include "LogHelpers.hpp"

namespace {

API_MenuItemRef MakeItemRef(short menuResId, short itemIndex)
{
    API_MenuItemRef item{};
    item.menuResID = menuResId;
    item.itemIndex = itemIndex;
    return item;
}

// Logs a failed read; flags built from anything but what the host holds must never be written back.
GSErrCode ReadFlags(const API_MenuItemRef& item, UInt32* flags)
{
    *flags = 0;
    const GSErrCode error = Interface::GetMenuItemFlags(&item, flags, nullptr);
    if (error != NoError)
        LogMessageError("Error: Cannot get menu item flags (%d/%d) #%s", item.menuResID, int(item.itemIndex),
                        ErrID_To_Name(error));
    return error;
}

int MarkOf(UInt32 flags)
{
    return (flags & MenuItemFlag_Marked) != 0 ? 1 : 0;
}

}  // namespace

int GetMenuItemMark(short menuResId, short itemIndex)
{
    UInt32 flags = 0;
    if (ReadFlags(MakeItemRef(menuResId, itemIndex), &flags) != NoError)
        return 0;
    return MarkOf(flags);
}

int InvertMenuItemMark(short menuResId, short itemIndex)
{
    const API_MenuItemRef item = MakeItemRef(menuResId, itemIndex);
    UInt32 flags = 0;
    // A mark is all a caller reads here: an error code would read as "marked".
    if (ReadFlags(item, &flags) != NoError)
        return 0;
    UInt32 inverted = flags ^ MenuItemFlag_Marked;
    const GSErrCode error = Interface::SetMenuItemFlags(&item, &inverted, nullptr);
    if (error != NoError) {
        LogMessageError("Error: Cannot set menu item flags (%d/%d) #%s", item.menuResID, int(item.itemIndex),
                        ErrID_To_Name(error));
        return MarkOf(flags);  // the item keeps the mark it had
    }
    return MarkOf(inverted);
}

GSErrCode DisableEnableMenuItem(short menuResId, short itemIndex, bool disable)
{
    const API_MenuItemRef item = MakeItemRef(menuResId, itemIndex);
    UInt32 flags = 0;
    const GSErrCode read = ReadFlags(item, &flags);
    if (read != NoError)
        return read;
    if (disable)
        flags |= MenuItemFlag_Disabled;
    else
        flags &= ~MenuItemFlag_Disabled;
    return Interface::SetMenuItemFlags(&item, &flags, nullptr);
}
