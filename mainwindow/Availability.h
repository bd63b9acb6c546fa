#pragma once
#include "mainwindow/Commands.h"
#include "platform/Menu.h"

#include <vector>

// The facts that decide what the user may start now.
struct Ui_State {
    bool Visible = false;   // the main window shows
    bool In_Loop = false;   // a menu, box or dialog of ours is open
    bool Tray_Busy = false; // a tray event is being handled
    bool Exiting = false;   // the exit sequence has begun
    bool On_Top = false;    // Always on Top is on
    bool Paused = false;    // capture is paused
};

// The ways the user starts something.
enum class Way {
    Tray_Menu_Line, // a line of the menu the tray icon opens
    List_Menu_Line, // a line of the menu the slot list opens
    Shortcut,       // a key or double click on the main window that runs a menu command
    Tray_Show,      // a double click, Enter or Space on the tray icon
    Tray_Menu,      // a right click, Shift+F10 or the menu key on the tray icon
    List_Menu,      // the same on the slot list
    Reader_Action,  // a screen reader's default action on a row
    Hotkey,         // the Quick Paste hotkey, pressed in any program
};

struct Offer {
    bool Offered = false; // shown, or run when asked
    bool Checked = false; // the menu line carries a check mark
    bool operator==(const Offer&) const = default;
};

// Every caller asks here before it starts a command; Item matters to menu lines and shortcuts.
Offer Availability(Way W, const Ui_State& S, Menu_Item Item = Menu_Item::None);

// The lines the menu of W (a menu line's way) shows, with their shortcut texts.
std::vector<Menu_Line> Menu_Lines(Command_Table Commands, Way W, const Ui_State& S);
