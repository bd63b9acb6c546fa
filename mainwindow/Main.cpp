#include "mainwindow/Main.h"

#include "platform/Platform_Context.h"

Main::Main(Platform_Context& Platform, Command_Set& Command_State)
    : P(Platform), Kept(Command_State), View(Platform.Window, Platform.Colors) {}
Main::~Main() = default;

bool Has_Selection(const Main& M) {
    return Is_Chained(M.Store.List, M.Store.Util.Current_Slot);
}

Slot_Record& Selected(Main& M) {
    return Node(M.Store.List, M.Store.Util.Current_Slot).Data;
}

void Data_Changed(Main& M, Change What) {
    M.Saves.Mark(What);
    Tell_Readers(M, What);
    if (M.On_Change) M.On_Change();
}
