#include "mainwindow/Startup.h"

#include "mainwindow/Capture_Events.h"
#include "mainwindow/Drawing.h"
#include "mainwindow/Main_Data.h"
#include "mainwindow/Nested_Loop.h"

#include <cmath>
#include <exception>

namespace {

constexpr int32_t Tray_Double_Click = 515; // WM_LBUTTONDBLCLK
constexpr int32_t Tray_Right_Up = 517;     // WM_RBUTTONUP

} // namespace

std::string Tray_Tip(const Main& M) {
    const Process_Info& P = M.P.Process;
    return P.Title() + " " + std::to_string(P.Major()) + "." + std::to_string(P.Minor()) + "." +
           std::to_string(P.Revision());
}

void Form_Load(Main& M) {
    Main_Window& W = M.P.Window;
    ResizeStuff(M);
    M.Border_Height = static_cast<int>(
        std::lround(W.Height() - double(W.Client_Height()) * W.Twips_Per_Pixel_Y()));
    M.Blank_Slot = Slot_Record{};
    Load_Pictures(M);
    M.P.Tray.Add(Tray_Tip(M));
    M.Help_File = Path_In_Folder(M.P.Process.Folder(), "PimLoft.hlp");
    Main_Load_Data(M);
    if (M.List.List_Ubound < 0) {
        int16_t New_Idx = No_Free_Slot;
        List_Insert(M.List, M.Blank_Slot, Pos_Top, New_Idx);
    }
    Form_Resize(M);
    W.Set_Caption(M.P.Process.Title());
    W.Set_Topmost(M.P.Menu.Is_Checked(Menu_Item::mnuTop));
    W.Hide();
    // What start-up drew is what the file holds: nothing to save yet.
    M.Saved_Count = M.Change_Count;
    W.Stop_Save_Timer();
    M.P.Clip.Start();
}

void Taskbar_Created(Main& M) {
    if (!M.Exiting) M.P.Tray.Add(Tray_Tip(M));
}

void Fix_Menu(Main& M, bool Vis) {
    Popup_Menu& Menu = M.P.Menu;
    Menu.Set_Visible(Menu_Item::mnuShow, !Vis);
    for (const Menu_Item Item :
         {Menu_Item::mnuEdit, Menu_Item::mnuAdd, Menu_Item::mnuCopy, Menu_Item::mnuClear,
          Menu_Item::mnuDelete, Menu_Item::mnuPrint, Menu_Item::mnuHyphen2, Menu_Item::mnuHelp})
        Menu.Set_Visible(Item, Vis);
}

void mnuShow_Click(Main& M) {
    M.P.Window.Show();
}

void Run_Menu_Command(Main& M, Menu_Item Item) {
    if (Item == Menu_Item::mnuShow) return mnuShow_Click(M);
    if (Item == Menu_Item::mnuExit) return mnuExit_Click(M);
    Command_Handlers* C = M.Commands;
    if (!C) return;
    switch (Item) {
    case Menu_Item::mnuEdit:
        C->mnuEdit_Click();
        break;
    case Menu_Item::mnuAdd:
        C->mnuAdd_Click();
        break;
    case Menu_Item::mnuCopy:
        C->mnuCopy_Click();
        break;
    case Menu_Item::mnuClear:
        C->mnuClear_Click();
        break;
    case Menu_Item::mnuDelete:
        C->mnuDelete_Click();
        break;
    case Menu_Item::mnuPrint:
        C->mnuPrint_Click();
        break;
    case Menu_Item::mnuOptions:
        C->mnuOptions_Click();
        break;
    case Menu_Item::mnuTop:
        C->mnuTop_Click();
        break;
    case Menu_Item::mnuHelp:
        C->mnuHelp_Click();
        break;
    case Menu_Item::mnuAbout:
        C->mnuAbout_Click();
        break;
    default:
        break;
    }
}

bool Tray_Dispatch(Main& M, int32_t X) {
    M.Tray_Msg = X;
    if (M.Tray_Busy) return false;
    M.Tray_Busy = true;
    bool Consumed = false;
    try {
        if (X == Tray_Double_Click) {
            mnuShow_Click(M);
            Consumed = true;
        } else if (X == Tray_Right_Up) {
            // The command runs inside the same deferral as the menu, so a capture cannot
            // move the selection between the user's choice and the command.
            Nested_Loop Loop(M);
            Fix_Menu(M, false);
            M.P.Window.Set_Foreground();
            const Menu_Item Choice = M.P.Menu.Track(Menu_Item::mnuShow);
            M.P.Window.Post_User_Message();
            Run_Menu_Command(M, Choice);
            Consumed = true;
        }
    } catch (...) {
        M.Tray_Busy = false;
        throw;
    }
    M.Tray_Busy = false;
    return Consumed;
}

void Form_QueryUnload(Main& M, bool& Cancel, int UnloadMode) {
    if (UnloadMode == Unload_Close_Box) {
        M.P.Window.Hide();
        const std::string Error = Main_Save_Data(M);
        if (!Error.empty()) {
            // The slots stay in memory; the save timer tries again.
            M.P.Tray.Balloon(M.P.Process.Title(), Error);
            M.Last_Save_Error = Error;
            M.P.Window.Start_Save_Timer(2000);
        } else {
            M.Last_Save_Error.clear();
        }
        Cancel = true;
        return;
    }
    mnuExit_Click(M, UnloadMode != Unload_Session_End);
    Cancel = !M.Exiting;
}

void mnuExit_Click(Main& M, bool Ask_On_Failure) {
    if (M.Exiting) return;
    try {
        const std::string Error = Main_Save_Data(M);
        if (!Error.empty() && Ask_On_Failure) {
            bool Exit_Anyway = false;
            {
                Nested_Loop Loop(M);
                Exit_Anyway = M.P.Box.Yes_No(
                    Error + "\r\n\r\nExit anyway? What was copied since the last save will be "
                            "lost.",
                    M.P.Process.Title());
            }
            if (!Exit_Anyway) return;
        }
    } catch (...) {
        // Exit goes on whatever failed on the way.
    }
    M.Exiting = true;
    M.Capture_Pending = false;
    try {
        M.P.Window.Stop_Save_Timer();
        M.P.Clip.Stop();
        M.P.Tray.Remove();
    } catch (...) {
    }
    M.P.Window.End_Program();
}
