#include "mainwindow/Startup.h"

#include "mainwindow/Capture_Gate.h"
#include "mainwindow/Drawing.h"
#include "mainwindow/Menu_Commands.h"
#include "mainwindow/Save_Schedule.h"
#include "platform/Platform_Context.h"
#include "platform/Scoped_Flag.h"
#include "storage/Data_Store.h"

#include <cmath>
#include <exception>

namespace {

long long Whole(double V) {
    return std::isfinite(V) ? std::llround(V) : 0;
}

// The stored place and size, or a window centred on the screen when there is none yet.
void Place_Window(Main& M) {
    Main_Window& W = M.P.Window;
    if (const auto& P = M.Store.Util().Placement) {
        W.Set_Left(P->Left);
        W.Set_Top(P->Top);
        W.Set_Width(P->Width);
        W.Set_Height(P->Height);
        return;
    }
    W.Set_Left(static_cast<double>(Whole(W.Screen_Width()) / 2 - Whole(W.Width()) / 2));
    W.Set_Top(static_cast<double>(Whole(W.Screen_Height()) / 2 - Whole(W.Height()) / 2));
}

} // namespace

std::string Tray_Tip(const Main& M) {
    const Process_Info& P = M.P.Process;
    return P.Title() + " " + std::to_string(P.Major()) + "." + std::to_string(P.Minor()) + "." +
           std::to_string(P.Revision());
}

void Form_Load(Main& M) {
    Main_Window& W = M.P.Window;
    ResizeStuff(M);
    Measure_Border_Height(M);
    Load_Pictures(M);
    M.P.Tray.Add(Tray_Tip(M));
    M.Help_File = Path_In_Folder(M.P.Process.Folder(), "PimLoft.hlp");
    M.Saves.Load();
    Place_Window(M);
    Form_Resize(M);
    W.Set_Caption(M.P.Process.Title());
    W.Set_Topmost(M.Store.Util().On_Top);
    W.Hide();
    M.P.Watcher.Start();
}

void Taskbar_Created(Main& M) {
    if (!M.Exiting) M.P.Tray.Add(Tray_Tip(M));
}

void mnuShow_Click(Main& M) {
    Remember_Rows(M);
    M.P.Window.Show();
}

bool Tray_Dispatch(Main& M, Tray_Event Event, Menu_Place Place) {
    if (Event == Tray_Event::Other) return false;
    const bool Show = Event != Tray_Event::Right_Up;
    // An event inside a tray action passes on as a pointer move; one while another command
    // runs is consumed.
    if (!Availability(Show ? Way::Tray_Show : Way::Tray_Menu, Ui_State_Of(M)).Offered)
        return !M.Tray_Busy;
    Scoped_Flag Busy(M.Tray_Busy);
    if (Show) {
        mnuShow_Click(M);
        return true;
    }
    // The command runs inside the same loop as the menu, so a capture cannot move the
    // selection between the user's choice and the command.
    Nested_Loop Loop(M);
    M.P.Window.Set_Foreground();
    const Menu_Item Choice = Track_Menu(M, Way::Tray_Menu_Line, Menu_Item::mnuShow, Place);
    M.P.Window.Post_User_Message();
    Run_Menu_Command(M, Choice);
    return true;
}

void Form_QueryUnload(Main& M, bool& Cancel, Unload_Mode Mode) {
    if (Mode == Unload_Mode::Close_Box) {
        M.P.Window.Hide();
        M.Saves.Save_Or_Retry(Save_Delay_Ms, Save_Kind::Durable);
        Cancel = true;
        return;
    }
    mnuExit_Click(M, Mode != Unload_Mode::Session_End);
    Cancel = !M.Exiting;
}

void mnuExit_Click(Main& M, bool Ask_On_Failure) {
    if (M.Exiting) return;
    // Copies waiting for the menu or a box to close are the user's too: filed, then saved.
    M.Gate.File_Waiting();
    // Windows waits for no 300 MB rewrite while it ends the session: the journal is enough.
    const Save_Kind Kind = Ask_On_Failure ? Save_Kind::Whole : Save_Kind::Durable;
    const std::string Error = M.Saves.Save_Now(Kind);
    if (!Error.empty() && Ask_On_Failure) {
        bool Exit_Anyway = false;
        {
            Nested_Loop Loop(M);
            Exit_Anyway = M.P.Box.Yes_No(
                Error + "\r\n\r\nExit anyway? What was copied since the last save will be lost.",
                M.P.Process.Title());
        }
        if (!Exit_Anyway) return;
        // The disk may have come back while the box was open.
        M.Gate.File_Waiting();
        M.Saves.Save_Now(Save_Kind::Whole);
    }
    M.Exiting = true;
    M.Saves.Stop();
    M.P.Watcher.Stop();
    M.P.Tray.Remove();
    M.P.Window.End_Program();
}
