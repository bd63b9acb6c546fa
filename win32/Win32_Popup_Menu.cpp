#include "win32/Win32_Popup_Menu.h"

#include "win32/Win32_Text.h"

namespace {

UINT Id_Of(Menu_Item Item) {
    return static_cast<UINT>(Item) + 1;
}

} // namespace

Unique_Menu Win32_Popup_Menu::Build(const std::vector<Menu_Line>& Lines, Menu_Item Default_Item) {
    Unique_Menu Menu(CreatePopupMenu());
    if (!Menu) return Menu;
    bool Has_Default = false;
    for (const Menu_Line& L : Lines) {
        if (L.Caption.empty()) {
            AppendMenuW(Menu.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT Flags = MF_STRING | (L.Checked ? MF_CHECKED : MF_UNCHECKED);
        AppendMenuW(Menu.Get(), Flags, Id_Of(L.Item), To_Wide(L.Caption).c_str());
        Has_Default = Has_Default || L.Item == Default_Item;
    }
    if (Has_Default) SetMenuDefaultItem(Menu.Get(), Id_Of(Default_Item), FALSE);
    return Menu;
}

Menu_Item Win32_Popup_Menu::Track(const std::vector<Menu_Line>& Lines, Menu_Item Default_Item,
                                  Menu_Place Place) {
    Unique_Menu Menu = Build(Lines, Default_Item);
    if (!Menu) return Menu_Item::None;
    POINT At{Place.X, Place.Y};
    if (Place.From == Menu_Place::Origin::Pointer) GetCursorPos(&At);
    if (Place.From == Menu_Place::Origin::Client) ClientToScreen(Owner_, &At);
    const int Chosen =
        static_cast<int>(TrackPopupMenu(Menu.Get(), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                        At.x, At.y, 0, Owner_, nullptr));
    if (Chosen < 1 || Chosen > Menu_Item_Count) return Menu_Item::None;
    return static_cast<Menu_Item>(Chosen - 1);
}
