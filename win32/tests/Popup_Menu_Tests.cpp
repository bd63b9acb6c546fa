#include "win32/Win32_Popup_Menu.h"
#include "win32/tests/Check.h"

#include <string>
#include <vector>

namespace {

// Each item's text ("-" for a separator), "*" before the default and "+" before a checked one.
std::vector<std::wstring> Shown(HMENU Menu) {
    std::vector<std::wstring> Items;
    for (int I = 0; I < GetMenuItemCount(Menu); ++I) {
        wchar_t Text[80] = L"";
        MENUITEMINFOW Info{sizeof Info, MIIM_FTYPE | MIIM_STATE | MIIM_STRING};
        Info.dwTypeData = Text;
        Info.cch = 80;
        GetMenuItemInfoW(Menu, static_cast<UINT>(I), TRUE, &Info);
        Items.push_back((Info.fType & MFT_SEPARATOR) ? L"-"
                                                     : std::wstring(Info.fState & MFS_DEFAULT ? L"*" : L"") +
                                                           (Info.fState & MFS_CHECKED ? L"+" : L"") + Text);
    }
    return Items;
}

} // namespace

int Popup_Menu_Tests() {
    Check_Count C;
    using I = Menu_Item;
    const std::vector<Menu_Line> Lines = {{I::mnuEdit, "&Edit Selection"},
                                          {I::mnuHyphen1, ""},
                                          {I::mnuAdd, "&Add Slot\tCtrl+N"},
                                          {I::mnuTop, "Always on &Top", true},
                                          {I::mnuExit, "E&xit PimLoft"}};
    CHECK(C, Shown(Win32_Popup_Menu::Build(Lines, I::mnuEdit).Get()) ==
                 (std::vector<std::wstring>{L"*&Edit Selection", L"-", L"&Add Slot\tCtrl+N",
                                            L"+Always on &Top", L"E&xit PimLoft"}));
    // A default that is not shown leaves the menu without one rather than failing.
    const Unique_Menu Menu = Win32_Popup_Menu::Build(Lines, I::mnuShow);
    CHECK(C, GetMenuDefaultItem(Menu.Get(), FALSE, 0) == UINT(-1));
    return C.Failures;
}
