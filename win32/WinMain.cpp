// PimLoft: a tray-resident clipboard viewer and editor.
#include "commands/Command_Table.h"
#include "mainwindow/Main.h"
#include "platform/Platform_Context.h"
#include "storage/Data_Store.h"
#include "win32/Win32_Cipher.h"
#include "win32/Win32_Clipboard.h"
#include "win32/Win32_Clipboard_Watcher.h"
#include "win32/Win32_Dialogs.h"
#include "win32/Win32_File_System.h"
#include "win32/Win32_Fonts.h"
#include "win32/Win32_Main_Window.h"
#include "win32/Win32_Message_Box.h"
#include "win32/Win32_Popup_Menu.h"
#include "win32/Win32_Printer.h"
#include "win32/Win32_Process_Info.h"
#include "win32/Win32_Quick_Paste.h"
#include "win32/Win32_Registry.h"
#include "win32/Win32_Shell.h"
#include "win32/Win32_Single_Instance.h"
#include "win32/Win32_Surface.h"
#include "win32/Win32_Text_Codec.h"
#include "win32/Win32_Trace.h"
#include "win32/Win32_Tray_Icon.h"
#include "win32/Win32_Worker.h"
#include "win32/Window_Object.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <exception>

namespace {

int Run_Message_Loop() {
    MSG Msg{};
    BOOL Got;
    while ((Got = GetMessageW(&Msg, nullptr, 0, 0)) != 0) {
        if (Got == -1) return 1;
        TranslateMessage(&Msg);
        DispatchMessageW(&Msg);
    }
    return static_cast<int>(Msg.wParam);
}

// COM on the window's thread, for the list's accessible object.
struct Com_Apartment {
    HRESULT Result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Com_Apartment() = default;
    Com_Apartment(const Com_Apartment&) = delete;
    Com_Apartment& operator=(const Com_Apartment&) = delete;
    ~Com_Apartment() {
        if (SUCCEEDED(Result)) CoUninitialize();
    }
};

// With PIMLOFT_TIMING set: the start's cost, from the process's creation to a tray icon that
// shows and a window that waits for messages.
void Time_Start_Up(Trace& Log) {
    if (!_wgetenv(L"PIMLOFT_TIMING")) return;
    FILETIME Created{}, Ended{}, Kernel{}, User{}, Now{};
    if (!GetProcessTimes(GetCurrentProcess(), &Created, &Ended, &Kernel, &User)) return;
    GetSystemTimeAsFileTime(&Now);
    const auto Ticks = [](FILETIME T) {
        return (uint64_t{T.dwHighDateTime} << 32) | T.dwLowDateTime;
    };
    char What[64];
    std::snprintf(What, sizeof What, "tray icon %.1f ms after the process began",
                  double(Ticks(Now) - Ticks(Created)) / 10000.0);
    Log.Note("start-up", What);
}

int Run_Program(HINSTANCE Instance, Win32_File_System& Files, Win32_Trace& Log) {
    Unique_Kernel_Handle Mutex;
    if (Another_Instance_Running(Mutex)) {
        Show_Running_Instance();
        return 0;
    }
    // Beside the data file. Only now: a second start must leave the running one's log alone.
    Win32_Process_Info Process;
    Log.Write_To(Path_In_Folder(Process.Folder(), Process.Title() + ".log"));

    Com_Apartment Com;
    INITCOMMONCONTROLSEX Controls{sizeof Controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&Controls);

    Win32_Main_Window Window(Instance);
    if (!Window.Created()) return 1;
    Win32_System_Colors Colors;
    Win32_Tray_Icon Tray(Window.Handle(), Instance);
    Win32_Popup_Menu Menu(Window.Handle());
    Win32_Message_Box Box(Window.Handle());
    Win32_Clipboard Clip(Window.Handle());
    Win32_Clipboard_Watcher Watcher(Window.Handle());
    Win32_Text_Codec Text;
    Win32_Shell Launcher;
    Win32_Printer Print_Device;
    Win32_Registry Reg;
    Win32_Font_Chooser Fonts;
    Win32_Dialog_Factory Dialogs(Instance, Window.Handle());
    Win32_Paste_Desk Paste_Desk(Instance, Window.Handle());
    Win32_Cipher Crypto;
    // After everything a job may use: it is waited for before they go.
    Win32_Worker Worker(Window.Handle());
    Platform_Context Platform{Window,  Colors, Tray,    Menu,       Box,          Clip, Watcher,
                              Text,    Files,  Process, Launcher,   Print_Device, Reg,  Fonts,
                              Dialogs, Log,    Worker,  Paste_Desk, Crypto};

    Command_Set Kept;
    Main M(Platform, Kept, Program_Commands());
    Window.Set_Events(&M);
    Window.Attach(&M.Reader());
    M.Start();
    Time_Start_Up(Log);
    const int Result = Run_Message_Loop();
    // Nothing may reach the logic while it is taken apart.
    Window.Set_Events(nullptr);
    Window.Attach(nullptr);
    return Result;
}

} // namespace

int WINAPI wWinMain(HINSTANCE Instance, HINSTANCE, PWSTR, int) {
    // Outside the try: the trace outlives every failure it may be told of.
    Win32_File_System Files;
    Win32_Trace Log(Files);
    try {
        return Run_Program(Instance, Files, Log);
    } catch (const std::exception& Failure) {
        Log.Failure("program", Failure.what());
    } catch (...) { // reported all the same: an exception must not leave wWinMain
        Log.Failure("program", "unknown failure");
    }
    return 1;
}
