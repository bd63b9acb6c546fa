#include "mainwindow/Menu_Commands.h"

#include "platform/PlatformContext.h"

namespace {

const Command* Find(const Main& M, Menu_Item Item) {
    for (const Command& C : M.Commands)
        if (C.Item == Item) return &C;
    return nullptr;
}

} // namespace

void Fix_Menu(Main& M, bool Vis) {
    M.Menu_Visible[static_cast<size_t>(Menu_Item::mnuShow)] = !Vis;
    for (const Menu_Item Item :
         {Menu_Item::mnuEdit, Menu_Item::mnuAdd, Menu_Item::mnuCopy, Menu_Item::mnuClear,
          Menu_Item::mnuDelete, Menu_Item::mnuPrint, Menu_Item::mnuHyphen2, Menu_Item::mnuHelp})
        M.Menu_Visible[static_cast<size_t>(Item)] = Vis;
}

Menu_Item Track_Menu(Main& M, Menu_Item Default_Item) {
    std::vector<Menu_Line> Lines;
    for (const Command& C : M.Commands) {
        if (!M.Menu_Visible[static_cast<size_t>(C.Item)]) continue;
        Menu_Line L{C.Item, C.Caption ? C.Caption : "", false};
        if (C.Shortcut) L.Caption = L.Caption + "\t" + C.Shortcut;
        // The check mark shows the setting; it is no state of its own.
        L.Checked = C.Item == Menu_Item::mnuTop && M.Store.Util.On_Top;
        Lines.push_back(std::move(L));
    }
    return M.P.Menu.Track(Lines, Default_Item);
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
