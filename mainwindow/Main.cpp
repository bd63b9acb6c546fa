#include "mainwindow/Main.h"

#include "mainwindow/Drawing.h"
#include "platform/Platform_Context.h"

namespace {

// Rows added or removed change the window's height; any other change of a slot only its row.
// A load is drawn by start-up once the window is placed.
void Redraw(Main& M, const Change& What) {
    switch (What.Kind) {
    case Change_Kind::Added:
    case Change_Kind::Deleted:
        return Form_Resize(M);
    case Change_Kind::Settings:
    case Change_Kind::Seen:
    case Change_Kind::Placed:
    case Change_Kind::Loaded:
        return;
    default:
        return Refresh_Pics(M);
    }
}

void Tell_Readers_Of(Main& M, const Change& What) {
    if (Changes_Data(What.Kind)) Tell_Readers(M, What);
}

void Tell_Popup(Main& M, const Change& What) {
    if (M.Popup && Changes_Data(What.Kind)) M.Popup->Changed(What);
}

} // namespace

Main::Main(Platform_Context& Platform, Command_Set& Command_State)
    : P(Platform), Kept(Command_State), View(Platform.Window, Platform.Colors),
      Drawn_List(*this, Redraw), Readers(*this, Tell_Readers_Of), Popup_Follows(*this, Tell_Popup) {
}
Main::~Main() = default;
