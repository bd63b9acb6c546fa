#include "mainwindow/Save_Schedule.h"

#include "mainwindow/Main.h"
#include "mainwindow/Tell_User.h"
#include "platform/PlatformContext.h"
#include "storage/Data_Store.h"

#include <cmath>

namespace {

// A failing disk is not hammered: the next try waits longer.
constexpr int Save_Retry_Ms = 30000;

// A 16-bit field cannot hold a window beyond 32,767 twips; the nearest value it can hold
// keeps the window on the same side of the screen.
int16_t Clamp16(double V) {
    if (!std::isfinite(V)) return 0;
    return static_cast<int16_t>(std::lround(std::fmin(std::fmax(V, -32768.0), 32767.0)));
}

Data_Location Location(Main& M) {
    return Data_Location{M.P.Files, M.P.Text, M.Data_File, M.P.Log};
}

} // namespace

void Save_Schedule::Start_Timer(int Ms) {
    M_.P.Window.Start_Timer(Timer_Id::Save, Ms);
    Timer_Set_ = true;
}

void Save_Schedule::Mark(Change) {
    ++Changes_;
    // A save already due is not pushed back: a steady stream of copies still reaches the disk.
    if (!M_.Exiting && !Timer_Set_) Start_Timer(Save_Delay_Ms);
}

void Save_Schedule::Load() {
    Main& M = M_;
    M.Data_File = Data_File_Path(M.P.Process.Folder(), M.P.Process.Title());
    Loaded_Data Loaded = Load_Data(Location(M));
    M.Store = std::move(Loaded.Data);
    if (Loaded.Status == Load_Status::Left) Off_ = Loaded.Message;
    if (!Loaded.Message.empty()) Tell_User(M, Loaded.Message);
}

std::string Save_Schedule::Save_Now() {
    if (!Off_.empty()) return Off_;
    const uint64_t Saving = Changes_;
    Main& M = M_;
    Main_Window& W = M.P.Window;
    // A minimised or maximised window keeps the placement last loaded or saved.
    if (W.Window_State() == Window_Normal)
        M.Store.Util.Placement = Window_Placement{Clamp16(W.Left()), Clamp16(W.Top()),
                                                  Clamp16(W.Width()), Clamp16(W.Height())};
    const std::string Error = Save_Data(M.Store.Util, M.Store.List, Location(M));
    if (Error.empty()) Saved_ = Saving;
    return Error;
}

void Save_Schedule::Timer_Due() {
    M_.P.Window.Stop_Timer(Timer_Id::Save);
    Timer_Set_ = false;
    if (M_.Exiting || !Pending()) return;
    Save_Or_Retry(Save_Retry_Ms);
}

void Save_Schedule::Save_Or_Retry(int Retry_Ms) {
    const std::string Error = Save_Now();
    if (Error.empty()) {
        Last_Error_.clear();
        return;
    }
    // Told once per run of failures; the slots stay in memory and the next try may succeed.
    if (Error != Last_Error_) Tell_User(M_, Error);
    Last_Error_ = Error;
    Start_Timer(Retry_Ms);
}

void Save_Schedule::Stop() {
    M_.P.Window.Stop_Timer(Timer_Id::Save);
    Timer_Set_ = false;
}
