#pragma once
#include "commands/Command_Table.h"
#include "commands/Quick_Paste.h"
#include "mainwindow/Main.h"
#include "platform/Platform_Context.h"
#include "storage/Data_Store.h"
#include "tests/doubles/Cp1252_Codec.h"
#include "tests/doubles/Fake_Cipher.h"
#include "tests/doubles/Fake_Clipboard.h"
#include "tests/doubles/Fake_Dialogs.h"
#include "tests/doubles/Fake_Quick_Paste.h"
#include "tests/doubles/Fake_Services.h"
#include "tests/doubles/List_Notation.h"
#include "tests/doubles/Memory_File_System.h"

// One of every double and the context made from them.
struct Test_Platform {
    Fake_System_Colors Colors;
    Fake_Main_Window Window{Colors};
    Fake_Tray_Icon Tray;
    Fake_Popup_Menu Menu;
    Fake_Message_Box Box{Window.Enabled};
    Fake_Clipboard Clip;
    Fake_Clipboard_Watcher Watcher;
    Cp1252_Codec Text;
    Memory_File_System Files;
    Fake_Process_Info Process;
    Fake_Shell Launcher;
    Fake_Printer Print_Device;
    Fake_Registry Reg;
    Fake_Font_Chooser Fonts;
    Fake_Dialog_Factory Dialogs{Window.Enabled};
    Fake_Trace Log;
    Fake_Worker Worker;
    Fake_Paste_Desk Paste_Desk;
    Fake_Cipher Crypto{1};
    Platform_Context Context{Window,  Colors, Tray,    Menu,       Box,          Clip, Watcher,
                             Text,    Files,  Process, Launcher,   Print_Device, Reg,  Fonts,
                             Dialogs, Log,    Worker,  Paste_Desk, Crypto};
};

// The main window wired as the program wires it, started on Files with identities counted from
// First. Its events reach the logic as the program's do; input only while the window is
// enabled, as Windows does.
struct Rig {
    Test_Platform T;
    Command_Set Kept;
    Main M{T.Context, Kept, Program_Commands()};
    Main_Window_Events& Events = M;
    // Reg: the registry the user's earlier runs left, if not an empty one.
    Rig(const std::map<std::string, std::vector<uint8_t>>& Files, uint64_t First, int Dpi = 96,
        const Fake_Registry* Reg = nullptr) {
        T.Files.Files = Files;
        if (Reg) T.Reg.Keys = Reg->Keys;
        T.Window.Dots = Dpi;
        M.Saves().Use_Random([N = First]() mutable { return N++; });
        T.Window.Events = &Events;
        T.Clip.On_Change = [this] { Events.Clipboard_Changed(); };
        M.Start();
    }
    // Started at Dpi and shown with the list Rows (see List_Notation.h; "" for the first run's
    // one empty slot), saved.
    explicit Rig(const std::string& Rows = "", int Dpi = 96) : Rig({}, 0x1D01, Dpi) {
        Stored_Data D = M.Store().Data();
        D.List = Build_List(Rows, D.Util.Current_Slot);
        M.Store().Replace(std::move(D));
        Events.Resized(); // as start-up draws what it loaded
        Events.Show_Asked();
        M.Saves().Save_Now(); // the list as a saved file, with no change pending
        T.Worker.Finish_All();
        // A job on the worker has finished by the time the test lets time pass.
        T.Window.On_Time_Passing = [this] {
            if (T.Worker.Automatic) T.Worker.Finish_All();
        };
    }
    std::string List() const { return Show_List(M.Store().List(), M.Store().Current()); }
    template <class F> void Set(F Change) { // the settings, as the Options dialog sets them
        Settings U = M.Store().Util();
        Change(U), M.Store().Change_Settings(U);
    }
    // What the next start loads: the data file and its journal.
    Stored_Data Saved() {
        const Data_Location Where{T.Files, T.Text, M.Data_File(), T.Log};
        Loaded_Data D = Load_Data(Where);
        Load_Journal(Where, D.Data);
        return D.Data;
    }
    std::string Saved_List() {
        const Stored_Data D = Saved();
        return Show_List(D.List, D.Util.Current_Slot);
    }
    bool Changed() { return M.Saves().Pending(); }
    void Pump() { T.Clip.Pump(); }
    void Copy(const std::string& Text) { // another program's copy
        T.Clip.Change(Text);
        Pump();
    }
    // A press and release at X on Row; X 0..22 is the arrow, 24..46 the lock, 48.. the text.
    void Click(int Row, int X = 60, int Button = Button_Left) {
        if (!T.Window.Enabled) return;
        const double Y = Row * M.View().Metrics().Pitch + 5;
        Events.Pointer({Pointer_Area::Surface, Pointer_Action::Down, Button, 0, double(X), Y});
        Events.Pointer({Pointer_Area::Surface, Pointer_Action::Up, Button, 0, double(X), Y});
    }
    void Press(Key K, int Modifiers = 0) {
        if (T.Window.Enabled) Events.Key_Down(K, Modifiers);
    }
    bool Tray(Tray_Event E, Menu_Place At = {}) { return M.Tray_Dispatch(E, At); }
};
