#include "mainwindow/Main.h"

#include "platform/PlatformContext.h"

List_View::List_View() = default;
List_View::~List_View() = default;

Main::Main(Platform_Context& Platform) : P(Platform) {
    Menu_Visible.fill(true);
}
Main::~Main() = default;

bool Has_Selection(const Main& M) {
    return Is_Chained(M.Store.List, M.Store.Util.Current_Slot);
}

Slot_Record& Selected(Main& M) {
    return Node(M.Store.List, M.Store.Util.Current_Slot).Data;
}
