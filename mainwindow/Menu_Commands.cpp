#include "mainwindow/Main.h"

#include "platform/Platform_Context.h"

Menu_Item Main::Track_Menu(Way Menu, Menu_Item Default_Item, Menu_Place Place) {
    return P.Menu.Track(Menu_Lines(Hooks_.Commands, Menu, Ui()), Default_Item, Place);
}

void Main::Run_Menu_Command(Menu_Item Item) {
    for (const Command& C : Hooks_.Commands)
        if (C.Item == Item && C.Run) return C.Run(Context_);
}

// Runs the command whose shortcut this is when it is offered now; false when none has it.
bool Main::Run_Shortcut(Key K, int Modifiers) {
    if (K == Key::Other) return false;
    for (const Command& C : Hooks_.Commands) {
        if (C.Shortcut_Key != K || (C.Ctrl_Alone && Modifiers != Ctrl_Mask) || !C.Run) continue;
        if (Availability(Way::Shortcut, Ui(), C.Item).Offered) C.Run(Context_);
        return true;
    }
    return false;
}

// The row menu: the lines the list offers now, "&Edit Selection" as default, at Place (the
// pointer for a click); runs the item chosen.
void Main::Row_Context_Menu(Menu_Place Place) {
    if (!Availability(Way::List_Menu, Ui()).Offered) return;
    // The command runs under the same loop as the menu: a capture cannot move the selection
    // between the user's choice and the command acting on it.
    Nested_Loop Loop(Gate_);
    Run_Menu_Command(Track_Menu(Way::List_Menu_Line, Menu_Item::mnuEdit, Place));
}
