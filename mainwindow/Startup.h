#pragma once
#include "mainwindow/Main.h"
#include "platform/Main_Window_Events.h"

#include <string>

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
