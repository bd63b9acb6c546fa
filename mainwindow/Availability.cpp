#include "mainwindow/Availability.h"

#include "platform/Platform_Context.h"

namespace {

// Vis false for the tray's use of the one menu, the window's visibility for the slot list's.
bool Fix_Menu(Menu_Item Item, bool Vis) {
    using I = Menu_Item;
    switch (Item) {
    case I::mnuShow:
    case I::mnuPause: // the tray's own: the list's menu is about its slots
    case I::mnuForget:
        return !Vis;
    case I::mnuEdit:
    case I::mnuAdd:
    case I::mnuCopy:
    case I::mnuClear:
    case I::mnuDelete:
    case I::mnuPrint:
    case I::mnuHyphen2:
    case I::mnuHelp:
        return Vis;
    default:
        return true;
    }
}

} // namespace

Offer Availability(Way W, const Ui_State& S, Menu_Item Item) {
    // One command at a time: while a menu, box or dialog of ours is open, nothing opens a
    // second one over it.
    const bool Free = !S.In_Loop;
    switch (W) {
    case Way::Tray_Menu_Line:
    case Way::List_Menu_Line: {
        // Asked inside the menu's own loop, so the loop decides nothing here.
        const bool Shown = Fix_Menu(Item, W == Way::List_Menu_Line && S.Visible);
        // The check mark shows the setting; it is no state of its own.
        const bool Checked = Item == Menu_Item::mnuTop     ? S.On_Top
                             : Item == Menu_Item::mnuPause ? S.Paused
                                                           : false;
        return {Shown, Shown && Checked};
    }
    case Way::Shortcut:
        // Help opens no window of ours, and our dialogs pass F1 on for it.
        return {Free || Item == Menu_Item::mnuHelp};
    case Way::Tray_Show:
    case Way::Tray_Menu:
        return {Free && !S.Tray_Busy};
    case Way::List_Menu:
    case Way::Reader_Action:
        return {Free};
    case Way::Hotkey:
        return {Free && !S.Exiting};
    }
    return {};
}

std::vector<Menu_Line> Menu_Lines(Command_Table Commands, Way W, const Ui_State& S) {
    std::vector<Menu_Line> Lines;
    for (const Command& C : Commands) {
        const Offer O = Availability(W, S, C.Item);
        if (!O.Offered) continue;
        Menu_Line L{C.Item, C.Caption ? C.Caption : "", O.Checked};
        if (C.Shortcut) L.Caption = L.Caption + "\t" + C.Shortcut;
        Lines.push_back(std::move(L));
    }
    return Lines;
}
