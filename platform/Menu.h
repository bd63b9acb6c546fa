#pragma once
#include <string>
#include <vector>

// The items of the one popup menu mnuRight, in its order.
enum class Menu_Item {
    mnuShow, mnuEdit, mnuHyphen1, mnuAdd, mnuCopy, mnuClear, mnuDelete, mnuPrint, mnuHyphen2,
    mnuOptions, mnuTop, mnuHyphen3, mnuHelp, mnuAbout, mnuHyphen4, mnuExit, None
};
inline constexpr int Menu_Item_Count = static_cast<int>(Menu_Item::None);

// One line of a shown menu; an empty Caption is a separator.
struct Menu_Line {
    Menu_Item Item = Menu_Item::None;
    std::string Caption; // with "\t" and the shortcut text where there is one
    bool Checked = false;
};

// A popup menu at the pointer that tracks the right button; runs a nested loop and returns
// the item the user chose (None for none).
struct Popup_Menu {
    virtual ~Popup_Menu() = default;
    virtual Menu_Item Track(const std::vector<Menu_Line>& Lines, Menu_Item Default_Item) = 0;
};
