#pragma once
#include "platform/Main_Window.h"
#include "platform/Menu.h"
#include "platform/Modifiers.h"
#include "platform/Worker.h"

// Everything the main window hears, as the logic takes it: the one way in, so the program and
// the tests drive the same entry points and the window only translates its messages.

// Keys as the window reports them; every other key is Other. Apps is the menu key.
enum class Key { Other, N, P, C, X, Delete, Up, Down, F1, Space, Enter, F10, Apps };

// Buttons, as the events carry them.
inline constexpr int Button_Left = 1;
inline constexpr int Button_Right = 2;

// The tray icon's events: Key_Select is Enter or Space on the icon, Right_Up also Shift+F10
// or the menu key.
enum class Tray_Event { Other, Double_Click, Right_Up, Key_Select };

// Why the window is asked to close.
enum class Unload_Mode {
    Close_Box,     // the user's close box or system menu: the window only hides
    Close_Request, // another program (End task, taskkill, an installer)
    Session_End,   // Windows is ending the session or Restart Manager closes the program
};

// The window's surface takes client pixels; the row hit area Tip twips relative to Tip.
enum class Pointer_Area { Surface, Tip };
enum class Pointer_Action { Down, Up, Move, Double_Click };

struct Pointer_Event {
    Pointer_Area Where = Pointer_Area::Surface;
    Pointer_Action What = Pointer_Action::Move;
    int Button = 0;    // 1 left, 2 right, 4 middle; for a move, the set held
    int Modifiers = 0; // Shift_Mask, Ctrl_Mask, Alt_Mask
    double X = 0, Y = 0;
};

struct Main_Window_Events {
    virtual ~Main_Window_Events() = default;
    virtual void Pointer(const Pointer_Event& E) = 0;
    // Alt+Tab, the Windows key or a locked screen took the pointer in the middle of a press.
    virtual void Capture_Lost() = 0;
    virtual void Key_Down(Key K, int Modifiers) = 0;
    // Place: where a menu opens.
    virtual void Tray(Tray_Event What, Menu_Place Place) = 0;
    virtual void Timer(Timer_Id Id) = 0;
    virtual void Clipboard_Changed() = 0;
    // The lane's background job has finished: its result is delivered on this thread.
    virtual void Worker_Done(Work_Lane Lane) = 0;
    virtual void Hotkey() = 0;
    virtual void Close(Unload_Mode Why) = 0;
    virtual void Resized() = 0;
    // The window took the size its new monitor offered; it was not Resized for it.
    virtual void Dpi_Changed() = 0;
    virtual void Colors_Changed() = 0;
    // The shell restarted and lost the tray icon.
    virtual void Taskbar_Created() = 0;
    // A second start asks the running program to show its window.
    virtual void Show_Asked() = 0;
};
