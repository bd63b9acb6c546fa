#include "mainwindow/Menu_Commands.h"

#include "platform/PlatformContext.h"

namespace {

const Command* Find(const Main& M, Menu_Item Item) {
    for (const Command& C : M.Commands)
        if (C.Item == Item) return &C;
    return nullptr;
}

} // namespace

bool Fix_Menu(Menu_Item Item, bool Vis) {
    using I = Menu_Item;
    switch (Item) {
    case I::mnuShow:
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

Menu_Item Track_Menu(Main& M, bool Vis, Menu_Item Default_Item, Menu_Place Place) {
    std::vector<Menu_Line> Lines;
    for (const Command& C : M.Commands) {
        if (!Fix_Menu(C.Item, Vis)) continue;
        Menu_Line L{C.Item, C.Caption ? C.Caption : "", false};
        if (C.Shortcut) L.Caption = L.Caption + "\t" + C.Shortcut;
        // The check mark shows the setting; it is no state of its own.
        L.Checked = C.Item == Menu_Item::mnuTop && M.Store.Util.On_Top;
        Lines.push_back(std::move(L));
    }
    return M.P.Menu.Track(Lines, Default_Item, Place);
}

void Run_Menu_Command(Main& M, Menu_Item Item) {
    if (const Command* C = Find(M, Item); C && C->Run) C->Run(M);
}

bool Run_Shortcut(Main& M, Key K, int Shift) {
    if (K == Key::Other) return false;
    for (const Command& C : M.Commands) {
        if (C.Shortcut_Key != K || (C.Ctrl_Alone && Shift != Ctrl_Mask) || !C.Run) continue;
        C.Run(M);
        return true;
    }
    return false;
}
