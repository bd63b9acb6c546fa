#pragma once

// The one popup menu mnuRight, in its order. Its items keep visibility and check state;
// Track shows it at the pointer and returns the item the user chose (None for none).
enum class Menu_Item {
    mnuShow, mnuEdit, mnuHyphen1, mnuAdd, mnuCopy, mnuClear, mnuDelete, mnuPrint, mnuHyphen2,
    mnuOptions, mnuTop, mnuHyphen3, mnuHelp, mnuAbout, mnuHyphen4, mnuExit, None
};
inline constexpr int Menu_Item_Count = static_cast<int>(Menu_Item::None);

struct Popup_Menu {
    virtual ~Popup_Menu() = default;
    virtual void Set_Visible(Menu_Item Item, bool Visible) = 0;
    virtual bool Is_Visible(Menu_Item Item) const = 0;
    virtual void Set_Checked(Menu_Item Item, bool Checked) = 0;
    virtual bool Is_Checked(Menu_Item Item) const = 0;
    // Runs a nested loop; the menu tracks the right button (TPM_RIGHTBUTTON).
    virtual Menu_Item Track(Menu_Item Default_Item) = 0;
};
