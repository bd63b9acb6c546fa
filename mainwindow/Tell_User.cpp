#include "mainwindow/Tell_User.h"

#include "mainwindow/Capture_Gate.h"
#include "mainwindow/Main.h"
#include "platform/Platform_Context.h"

void Tell_User(Main& M, const std::string& Text) {
    if (M.P.Tray.Balloon(M.P.Process.Title(), Text)) return;
    Nested_Loop Loop(M);
    M.P.Box.Ok(Text, M.P.Process.Title());
}
