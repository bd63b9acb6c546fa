#include "win32/Win32_Popup_Menu.h"
#include "win32/tests/Check.h"

#include <string>
#include <vector>

namespace {

// Each item's text ("-" for a separator), with "*" before the default and "+" before a
// checked item.
std::vector<std::wstring> Shown(HMENU Menu) {
    std::vector<std::wstring> Items;
    const UINT Default = GetMenuDefaultItem(Menu, FALSE, 0);
    for (int I = 0; I < GetMenuItemCount(Menu); ++I) {
        wchar_t Text[80] = L"";
        MENUITEMINFOW Info{};
        Info.cbSize = sizeof Info;
        Info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        Info.dwTypeData = Text;
        Info.cch = 80;
        GetMenuItemInfoW(Menu, static_cast<UINT>(I), TRUE, &Info);
        if (Info.fType & MFT_SEPARATOR) {
            Items.push_back(L"-");
            continue;
        }
        Items.push_back(std::wstring(Info.wID == Default ? L"*" : L"") +
                        ((Info.fState & MFS_CHECKED) ? L"+" : L"") + Text);
    }
    return Items;
}

} // namespace

int Popup_Menu_Tests() {
    Check_Count C;
    Win32_Popup_Menu Menu(nullptr);

    // The tray's shape of the menu: slot commands hidden, Show the default, Top checked.
    for (Menu_Item I :
         {Menu_Item::mnuEdit, Menu_Item::mnuAdd, Menu_Item::mnuCopy, Menu_Item::mnuClear,
          Menu_Item::mnuDelete, Menu_Item::mnuPrint, Menu_Item::mnuHyphen2, Menu_Item::mnuHelp})
        Menu.Set_Visible(I, false);
    Menu.Set_Checked(Menu_Item::mnuTop, true);
    CHECK(C, Shown(Menu.Build(Menu_Item::mnuShow).Get()) ==
                 (std::vector<std::wstring>{L"*&Show Clipboards", L"-", L"&Options...",
                                            L"+Always on &Top", L"-", L"About Pim&Loft...", L"-",
                                            L"E&xit PimLoft"}));

    // The row menu: every slot command with its shortcut, Edit the default.
    for (int I = 0; I < Menu_Item_Count; ++I)
        Menu.Set_Visible(static_cast<Menu_Item>(I), true);
    Menu.Set_Visible(Menu_Item::mnuShow, false);
    Menu.Set_Checked(Menu_Item::mnuTop, false);
    CHECK(C, Shown(Menu.Build(Menu_Item::mnuEdit).Get()) ==
                 (std::vector<std::wstring>{L"*&Edit Selection", L"-", L"&Add Slot\tCtrl+N",
                                            L"&Copy Slot\tCtrl+C", L"Clea&r Slot\tDel",
                                            L"&Delete Slot\tCtrl+X", L"&Print Slot\tCtrl+P", L"-",
                                            L"&Options...", L"Always on &Top", L"-", L"&Help\tF1",
                                            L"About Pim&Loft...", L"-", L"E&xit PimLoft"}));

    // A hidden default item leaves the menu without one rather than failing.
    Menu.Set_Visible(Menu_Item::mnuEdit, false);
    CHECK(C, GetMenuDefaultItem(Menu.Build(Menu_Item::mnuEdit).Get(), FALSE, 0) == UINT(-1));
    return C.Failures;
}
