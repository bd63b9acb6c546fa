#include "platform/win32/Win32_Popup_Menu.h"
#include "platform/win32/tests/Check.h"

#include <string>
#include <vector>

namespace {

struct Shown_Item {
    std::wstring Text; // "-" for a separator
    bool Checked;
    bool Is_Default;
};

std::vector<Shown_Item> Shown(HMENU Menu) {
    std::vector<Shown_Item> Items;
    const UINT Default = GetMenuDefaultItem(Menu, FALSE, 0);
    for (int I = 0; I < GetMenuItemCount(Menu); ++I) {
        wchar_t Text[80] = L"";
        MENUITEMINFOW Info{};
        Info.cbSize = sizeof Info;
        Info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        Info.dwTypeData = Text;
        Info.cch = 80;
        GetMenuItemInfoW(Menu, static_cast<UINT>(I), TRUE, &Info);
        const bool Separator = (Info.fType & MFT_SEPARATOR) != 0;
        Items.push_back({Separator ? L"-" : Text, (Info.fState & MFS_CHECKED) != 0,
                         !Separator && Info.wID == Default});
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
    const std::vector<Shown_Item> Tray = Shown(Menu.Build(Menu_Item::mnuShow).Get());
    const std::vector<Shown_Item> Tray_Expected = {
        {L"&Show Clipboards", false, true},
        {L"-", false, false},
        {L"&Options...", false, false},
        {L"Always on &Top", true, false},
        {L"-", false, false},
        {L"About Pim&Loft...", false, false},
        {L"-", false, false},
        {L"E&xit PimLoft", false, false},
    };
    CHECK(C, Tray.size() == Tray_Expected.size());
    for (size_t I = 0; I < Tray.size() && I < Tray_Expected.size(); ++I) {
        CHECK(C, Tray[I].Text == Tray_Expected[I].Text);
        CHECK(C, Tray[I].Checked == Tray_Expected[I].Checked);
        CHECK(C, Tray[I].Is_Default == Tray_Expected[I].Is_Default);
    }

    // The row menu: every slot command with its shortcut, Edit the default.
    for (int I = 0; I < Menu_Item_Count; ++I)
        Menu.Set_Visible(static_cast<Menu_Item>(I), true);
    Menu.Set_Visible(Menu_Item::mnuShow, false);
    Menu.Set_Checked(Menu_Item::mnuTop, false);
    const std::vector<Shown_Item> Row = Shown(Menu.Build(Menu_Item::mnuEdit).Get());
    const std::vector<std::wstring> Row_Expected = {
        L"&Edit Selection",
        L"-",
        L"&Add Slot\tCtrl+N",
        L"&Copy Slot\tCtrl+C",
        L"Clea&r Slot\tDel",
        L"&Delete Slot\tCtrl+X",
        L"&Print Slot\tCtrl+P",
        L"-",
        L"&Options...",
        L"Always on &Top",
        L"-",
        L"&Help\tF1",
        L"About Pim&Loft...",
        L"-",
        L"E&xit PimLoft",
    };
    CHECK(C, Row.size() == Row_Expected.size());
    for (size_t I = 0; I < Row.size() && I < Row_Expected.size(); ++I)
        CHECK(C, Row[I].Text == Row_Expected[I]);
    CHECK(C, !Row.empty() && Row[0].Is_Default);
    CHECK(C, Row.size() > 9 && !Row[9].Checked);

    // A hidden default item leaves the menu without one rather than failing.
    Menu.Set_Visible(Menu_Item::mnuEdit, false);
    CHECK(C, GetMenuDefaultItem(Menu.Build(Menu_Item::mnuEdit).Get(), FALSE, 0) == UINT(-1));
    return C.Failures;
}
