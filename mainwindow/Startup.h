#pragma once
#include "mainwindow/Main.h"

#include <string>

// Why the window is asked to close.
enum class Unload_Mode {
    Close_Box,     // the user's close box or system menu: the window only hides
    Close_Request, // another program (End task, taskkill, an installer)
    Session_End,   // Windows is ending the session or Restart Manager closes the program
};

// The tray icon's events, as the window receives them: Key_Select is Enter or Space on the
// icon, Right_Up also Shift+F10 or the menu key.
enum class Tray_Event { Other, Double_Click, Right_Up, Key_Select };

// Start-up, the tray icon and shutdown.
void Form_Load(Main& M);
// Cancel is set to true when the window only hides.
void Form_QueryUnload(Main& M, bool& Cancel, Unload_Mode Mode);
// Ask_On_Failure: a failed save asks whether to exit anyway (not at the session's end).
void mnuExit_Click(Main& M, bool Ask_On_Failure = true);
void mnuShow_Click(Main& M);
// True when the event was consumed. Place: where the menu opens.
bool Tray_Dispatch(Main& M, Tray_Event Event, Menu_Place Place = {});
// "TaskbarCreated": the shell lost the icon.
void Taskbar_Created(Main& M);
// The tray tip: "PimLoft 1.0.8".
std::string Tray_Tip(const Main& M);
