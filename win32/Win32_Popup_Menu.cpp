#include "win32/Win32_Popup_Menu.h"

#include <string>

namespace {

struct Item_Text {
    const wchar_t* Caption; // nullptr for a separator
    const wchar_t* Shortcut;
};

constexpr std::array<Item_Text, Menu_Item_Count> Items{{
    {L"&Show Clipboards", nullptr},
    {L"&Edit Selection", nullptr},
    {nullptr, nullptr},
    {L"&Add Slot", L"Ctrl+N"},
    {L"&Copy Slot", L"Ctrl+C"},
    {L"Clea&r Slot", L"Del"},
    {L"&Delete Slot", L"Ctrl+X"},
    {L"&Print Slot", L"Ctrl+P"},
    {nullptr, nullptr},
    {L"&Options...", nullptr},
    {L"Always on &Top", nullptr},
    {nullptr, nullptr},
    {L"&Help", L"F1"},
    {L"About Pim&Loft...", nullptr},
    {nullptr, nullptr},
    {L"E&xit PimLoft", nullptr},
}};

size_t Index(Menu_Item Item) {
    return static_cast<size_t>(Item);
}
bool Valid(Menu_Item Item) {
    return Index(Item) < Items.size();
}

} // namespace

Win32_Popup_Menu::Win32_Popup_Menu(HWND Owner) : Owner_(Owner) {
    Visible_.fill(true);
}

void Win32_Popup_Menu::Set_Visible(Menu_Item Item, bool Visible) {
    if (Valid(Item)) Visible_[Index(Item)] = Visible;
}

bool Win32_Popup_Menu::Is_Visible(Menu_Item Item) const {
    return Valid(Item) && Visible_[Index(Item)];
}

void Win32_Popup_Menu::Set_Checked(Menu_Item Item, bool Checked) {
    if (Valid(Item)) Checked_[Index(Item)] = Checked;
}

bool Win32_Popup_Menu::Is_Checked(Menu_Item Item) const {
    return Valid(Item) && Checked_[Index(Item)];
}

Unique_Menu Win32_Popup_Menu::Build(Menu_Item Default_Item) const {
    Unique_Menu Menu(CreatePopupMenu());
    if (!Menu) return Menu;
    for (size_t I = 0; I < Items.size(); ++I) {
        if (!Visible_[I]) continue;
        if (!Items[I].Caption) {
            AppendMenuW(Menu.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::wstring Text = Items[I].Caption;
        if (Items[I].Shortcut) Text = Text + L"\t" + Items[I].Shortcut;
        const UINT Flags = MF_STRING | (Checked_[I] ? MF_CHECKED : MF_UNCHECKED);
        AppendMenuW(Menu.Get(), Flags, I + 1, Text.c_str());
    }
    if (Valid(Default_Item) && Visible_[Index(Default_Item)])
        SetMenuDefaultItem(Menu.Get(), static_cast<UINT>(Index(Default_Item) + 1), FALSE);
    return Menu;
}

Menu_Item Win32_Popup_Menu::Track(Menu_Item Default_Item) {
    Unique_Menu Menu = Build(Default_Item);
    if (!Menu) return Menu_Item::None;
    POINT At{};
    GetCursorPos(&At);
    const int Chosen =
        static_cast<int>(TrackPopupMenu(Menu.Get(), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                        At.x, At.y, 0, Owner_, nullptr));
    if (Chosen < 1 || Chosen > Menu_Item_Count) return Menu_Item::None;
    return static_cast<Menu_Item>(Chosen - 1);
}
