#pragma once
#include "platform/Menu.h"
#include "win32/Unique_Handle.h"

#include <array>

// mnuRight: the item model lives here; every Track builds a fresh HMENU of the visible items.
class Win32_Popup_Menu final : public Popup_Menu {
  public:
    explicit Win32_Popup_Menu(HWND Owner);
    void Set_Visible(Menu_Item Item, bool Visible) override;
    bool Is_Visible(Menu_Item Item) const override;
    void Set_Checked(Menu_Item Item, bool Checked) override;
    bool Is_Checked(Menu_Item Item) const override;
    Menu_Item Track(Menu_Item Default_Item) override;

    // The menu Track shows; command ids are the item's index + 1.
    Unique_Menu Build(Menu_Item Default_Item) const;

  private:
    HWND Owner_;
    std::array<bool, Menu_Item_Count> Visible_{};
    std::array<bool, Menu_Item_Count> Checked_{};
};
