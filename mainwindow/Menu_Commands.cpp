#include "mainwindow/Menu_Commands.h"

#include "platform/Platform_Context.h"

namespace {

const Command* Find(const Main& M, Menu_Item Item) {
    for (const Command& C : M.Commands)
        if (C.Item == Item) return &C;
    return nullptr;
}

} // namespace

Menu_Item Track_Menu(Main& M, Way Menu, Menu_Item Default_Item, Menu_Place Place) {
    return M.P.Menu.Track(Menu_Lines(M.Commands, Menu, Ui_State_Of(M)), Default_Item, Place);
}

void Run_Menu_Command(Main& M, Menu_Item Item) {
    if (const Command* C = Find(M, Item); C && C->Run) C->Run(M);
}

bool Run_Shortcut(Main& M, Key K, int Modifiers) {
    if (K == Key::Other) return false;
    for (const Command& C : M.Commands) {
        if (C.Shortcut_Key != K || (C.Ctrl_Alone && Modifiers != Ctrl_Mask) || !C.Run) continue;
        if (Availability(Way::Shortcut, Ui_State_Of(M), C.Item).Offered) C.Run(M);
        return true;
    }
    return false;
}
