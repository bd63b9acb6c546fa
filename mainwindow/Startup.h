#pragma once
#include "mainwindow/Main.h"

// Start-up, the tray icon and shutdown.
void Form_Load(Main& M);
// Cancel is set to true when the window only hides.
void Form_QueryUnload(Main& M, bool& Cancel, int UnloadMode);
// Ask_On_Failure: a failed save asks whether to exit anyway (not at the session's end).
void mnuExit_Click(Main& M, bool Ask_On_Failure = true);
void mnuShow_Click(Main& M);
void Fix_Menu(Main& M, bool Vis);
// Tray message X (the mouse message number); true when the event was consumed.
bool Tray_Dispatch(Main& M, int32_t X);
// "TaskbarCreated": the shell lost the icon.
void Taskbar_Created(Main& M);
// Runs the command of a chosen menu item.
void Run_Menu_Command(Main& M, Menu_Item Item);
// The tray tip: "PimLoft 1.0.8".
std::string Tray_Tip(const Main& M);
