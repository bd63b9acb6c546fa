#pragma once
#include <string>
#include <vector>

// The items of the one popup menu mnuRight, in its order.
enum class Menu_Item {
    mnuShow,
    mnuEdit,
    mnuHyphen1,
    mnuAdd,
    mnuCopy,
    mnuClear,
    mnuDelete,
    mnuPrint,
    mnuHyphen2,
    mnuOptions,
    mnuTop,
    mnuPause,
    mnuForget,
    mnuHyphen3,
    mnuHelp,
    mnuAbout,
    mnuHyphen4,
    mnuExit,
    None
};
inline constexpr int Menu_Item_Count = static_cast<int>(Menu_Item::None);

// One line of a shown menu; an empty Caption is a separator.
struct Menu_Line {
    Menu_Item Item = Menu_Item::None;
    std::string Caption; // with "\t" and the shortcut text where there is one
    bool Checked = false;
};

// Where a menu opens, in pixels: a menu opened from the keyboard belongs where the keyboard
// is (a row, the tray icon), not where the pointer happens to rest.
struct Menu_Place {
    enum class Origin { Pointer, Client, Screen };
    Origin From = Origin::Pointer;
    int X = 0, Y = 0; // Client: of the main window's client area
    bool operator==(const Menu_Place&) const = default;
};

// A popup menu with its top-left corner at Place that tracks the right button; runs a nested
// loop and returns the item the user chose (None for none).
struct Popup_Menu {
    virtual ~Popup_Menu() = default;
    virtual Menu_Item Track(const std::vector<Menu_Line>& Lines, Menu_Item Default_Item,
                            Menu_Place Place) = 0;
};
