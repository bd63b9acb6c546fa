#pragma once
#include "mainwindow/Main.h"

// Shapes mnuRight for its two uses: Vis false for the tray, the window's visibility for the
// slot list.
void Fix_Menu(Main& M, bool Vis);
// Shows mnuRight with its visible items; the item chosen, or None.
Menu_Item Track_Menu(Main& M, Menu_Item Default_Item);
void Run_Menu_Command(Main& M, Menu_Item Item);
// Runs the command whose shortcut this is; false when none has it.
bool Run_Shortcut(Main& M, Key K, int Shift);
