#pragma once
#include "platform/Menu.h"
#include "win32/Unique_Handle.h"

// mnuRight: every Track builds a fresh HMENU of the lines it is given.
class Win32_Popup_Menu final : public Popup_Menu {
  public:
    explicit Win32_Popup_Menu(HWND Owner) : Owner_(Owner) {}
    Menu_Item Track(const std::vector<Menu_Line>& Lines, Menu_Item Default_Item,
                    Menu_Place Place) override;

    // The menu Track shows; command ids are the item's index + 1.
    static Unique_Menu Build(const std::vector<Menu_Line>& Lines, Menu_Item Default_Item);

  private:
    HWND Owner_;
};
