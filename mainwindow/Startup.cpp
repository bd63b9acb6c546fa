#include "mainwindow/Main.h"

#include "platform/Platform_Context.h"
#include "platform/Scoped_Flag.h"

#include <cmath>

namespace {

long long Whole(double V) {
    return std::isfinite(V) ? std::llround(V) : 0;
}

} // namespace

// The stored place and size, or a window centred on the screen when there is none yet.
void Main::Place_Window() {
    Main_Window& W = P.Window;
    if (const auto& Place = Store_.Util().Placement) {
        W.Set_Left(Place->Left);
        W.Set_Top(Place->Top);
        W.Set_Width(Place->Width);
        W.Set_Height(Place->Height);
        return;
    }
    W.Set_Left(static_cast<double>(Whole(W.Screen_Width()) / 2 - Whole(W.Width()) / 2));
    W.Set_Top(static_cast<double>(Whole(W.Screen_Height()) / 2 - Whole(W.Height()) / 2));
}

std::string Main::Tray_Tip() const {
    const Process_Info& Process = P.Process;
    return Process.Title() + " " + std::to_string(Process.Major()) + "." +
           std::to_string(Process.Minor()) + "." + std::to_string(Process.Revision()) +
           (Store_.Util().Capture_Paused ? " (paused)" : "");
}

void Main::Start() {
    Main_Window& W = P.Window;
    View_.Make_Pictures();
    View_.Measure_Border();
    View_.Draw_Pictures();
    P.Tray.Add(Tray_Tip(), false);
    Store_.Replace(Saves_.Load());
    Place_Window();
    Form_Resize();
    W.Set_Caption(P.Process.Title());
    W.Set_Topmost(Store_.Util().On_Top);
    W.Hide();
    P.Watcher.Start();
    if (Hooks_.Started) Hooks_.Started(Context_);
    // Behind the tray icon, on the history's own lane: start-up reads none of it.
    History_.Start();
    Expire_Old();
    W.Start_Timer(Timer_Id::Expiry, Expiry_Every_Ms);
}

// "TaskbarCreated": the shell lost the icon.
void Main::Taskbar_Created() {
    if (!Exiting_) P.Tray.Add(Tray_Tip(), Tray_Paused_);
}

void Main::Show_Asked() {
    Show();
}

void Main::Show() {
    Readers_.Remember_Rows();
    P.Window.Show();
}

bool Main::Tray_Dispatch(Tray_Event Event, Menu_Place Place) {
    if (Event == Tray_Event::Other) return false;
    const bool Show_Window = Event != Tray_Event::Right_Up;
    // An event inside a tray action passes on as a pointer move; one while another command
    // runs is consumed.
    if (!Availability(Show_Window ? Way::Tray_Show : Way::Tray_Menu, Ui()).Offered)
        return !Tray_Busy_;
    Scoped_Flag Busy(Tray_Busy_);
    if (Show_Window) {
        Show();
        return true;
    }
    // The command runs inside the same loop as the menu, so a capture cannot move the
    // selection between the user's choice and the command.
    Nested_Loop Loop(Gate_);
    P.Window.Set_Foreground();
    const Menu_Item Choice = Track_Menu(Way::Tray_Menu_Line, Menu_Item::mnuShow, Place);
    P.Window.Post_User_Message();
    Run_Menu_Command(Choice);
    return true;
}

// The close box only hides the window; anything else ends the program.
void Main::Close(Unload_Mode Mode) {
    if (Mode == Unload_Mode::Close_Box) {
        P.Window.Hide();
        Saves_.Save_Or_Retry(Save_Delay_Ms, Save_Kind::Durable);
        return;
    }
    Exit(Mode != Unload_Mode::Session_End);
}

void Main::Exit(bool Ask_On_Failure) {
    if (Exiting_) return;
    // Copies waiting for the menu or a box to close are the user's too: filed, then saved.
    Gate_.File_Waiting();
    // Windows waits for no 300 MB rewrite while it ends the session: the journal is enough.
    const Save_Kind Kind = Ask_On_Failure ? Save_Kind::Whole : Save_Kind::Durable;
    const std::string Error = Saves_.Save_Now(Kind);
    if (!Error.empty() && Ask_On_Failure) {
        bool Exit_Anyway = false;
        {
            Nested_Loop Loop(Gate_);
            Exit_Anyway = P.Box.Yes_No(
                Error + "\r\n\r\nExit anyway? What was copied since the last save will be lost.",
                P.Process.Title());
        }
        if (!Exit_Anyway) return;
        // The disk may have come back while the box was open.
        Gate_.File_Waiting();
        Saves_.Save_Now(Save_Kind::Whole);
    }
    Exiting_ = true;
    Gate_.Stop();
    Saves_.Stop();
    History_.Finish();
    P.Watcher.Stop();
    P.Tray.Remove();
    P.Window.End_Program();
}
