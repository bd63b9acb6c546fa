#include "mainwindow/Tell_User.h"

#include "mainwindow/Capture_Gate.h"
#include "platform/Platform_Context.h"

void Tell_User(Platform_Context& P, Capture_Gate& Gate, const std::string& Text) {
    if (P.Tray.Balloon(P.Process.Title(), Text)) return;
    Nested_Loop Loop(Gate);
    P.Box.Ok(Text, P.Process.Title());
}
