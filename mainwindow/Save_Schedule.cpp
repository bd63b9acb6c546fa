#include "mainwindow/Save_Schedule.h"

#include "mainwindow/Tell_User.h"
#include "platform/PlatformContext.h"
#include "storage/Utilities.h"

#include <cmath>

namespace {

// A failing disk is not hammered: the next try waits longer.
constexpr int Save_Retry_Ms = 30000;

void Start_Save_Timer(Main& M, int Ms) {
    M.P.Window.Start_Timer(Timer_Id::Save, Ms);
    M.Saves.Timer_Set = true;
}

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

void Mark_Changed(Main& M) {
    ++M.Saves.Changes;
    // A save already due is not pushed back: a steady stream of copies still reaches the disk.
    if (!M.Exiting && !M.Saves.Timer_Set) Start_Save_Timer(M, Save_Delay_Ms);
}

void Main_Load_Data(Main& M) {
    M.Data_File = Data_File_Path(M.P.Process.Folder(), M.P.Process.Title());
    Loaded_Data Loaded = Load_Data(Location(M));
    M.Store = std::move(Loaded.Data);
    if (Loaded.Status == Load_Status::Left) M.Saves.Off = Loaded.Message;
    if (!Loaded.Message.empty()) Tell_User(M, Loaded.Message);
}

std::string Main_Save_Data(Main& M) {
    if (!M.Saves.Off.empty()) return M.Saves.Off;
    const uint64_t Saving = M.Saves.Changes;
    Main_Window& W = M.P.Window;
    // A minimised or maximised window keeps the placement last loaded or saved.
    if (W.Window_State() == Window_Normal)
        M.Store.Util.Placement = Window_Placement{Clamp16(W.Left()), Clamp16(W.Top()),
                                                  Clamp16(W.Width()), Clamp16(W.Height())};
    const std::string Error = Save_Data(M.Store.Util, M.Store.List, Location(M));
    if (Error.empty()) M.Saves.Saved = Saving;
    return Error;
}

void Save_Timer_Tick(Main& M) {
    M.P.Window.Stop_Timer(Timer_Id::Save);
    M.Saves.Timer_Set = false;
    if (M.Exiting || M.Saves.Changes == M.Saves.Saved) return;
    Save_Or_Retry(M, Save_Retry_Ms);
}

void Save_Or_Retry(Main& M, int Retry_Ms) {
    const std::string Error = Main_Save_Data(M);
    if (Error.empty()) {
        M.Saves.Last_Error.clear();
        return;
    }
    // Told once per run of failures; the slots stay in memory and the next try may succeed.
    if (Error != M.Saves.Last_Error) Tell_User(M, Error);
    M.Saves.Last_Error = Error;
    Start_Save_Timer(M, Retry_Ms);
}

void Stop_Saves(Main& M) {
    M.P.Window.Stop_Timer(Timer_Id::Save);
    M.Saves.Timer_Set = false;
}
