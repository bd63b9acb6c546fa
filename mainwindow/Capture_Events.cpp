#include "mainwindow/Capture_Events.h"

#include "mainwindow/Drawing.h"
#include "mainwindow/Main_Data.h"
#include "slots/Capture.h"

namespace {

constexpr int Save_Delay_Ms = 2000;
// A failing disk is not hammered: the next try waits longer.
constexpr int Save_Retry_Ms = 30000;

void File_Clipboard_Text(Main& M) {
    try {
        const Clip_Read R = M.P.Clip_Board.Read_Text();
        if (R.Status != Clip_Status::Text) return;
        const Capture_Rules Rules{M.Util.Add_Mode, M.Util.Ignore_Case, M.P.Text};
        if (Add_To_Clipboard(M.List, M.Util.Current_Slot, Rules, R.Text, false) ==
            Capture_Result::Refresh)
            Refresh_Pics(M);
    } catch (...) {
        // A capture that fails leaves the list as it got; the next copy tries again.
    }
}

} // namespace

void Clip_NewClipboardElement(Main& M) {
    if (M.Ignore_Clip || M.Exiting) return;
    // Filing now could move Current_Slot under an open menu, box or dialog.
    if (M.Nested_Loops > 0) {
        M.Capture_Pending = true;
        return;
    }
    File_Clipboard_Text(M);
}

void File_Pending_Capture(Main& M) {
    if (!M.Capture_Pending || M.Nested_Loops > 0) return;
    M.Capture_Pending = false;
    Clip_NewClipboardElement(M);
}

void Main_Verify_Locks(Main& M) {
    if (Verify_Locks(M.List, M.Blank_Slot)) Form_Resize(M);
}

void Note_Change(Main& M) {
    ++M.Change_Count;
    if (!M.Exiting) M.P.Window.Start_Save_Timer(Save_Delay_Ms);
}

void Save_Timer_Tick(Main& M) {
    M.P.Window.Stop_Save_Timer();
    if (M.Exiting || M.Change_Count == M.Saved_Count) return;
    const std::string Error = Main_Save_Data(M);
    if (Error.empty()) {
        M.Last_Save_Error.clear();
        return;
    }
    // Told once per run of failures; the slots stay in memory and the next try may succeed.
    if (Error != M.Last_Save_Error) M.P.Tray.Balloon(M.P.Process.Title(), Error);
    M.Last_Save_Error = Error;
    M.P.Window.Start_Save_Timer(Save_Retry_Ms);
}
