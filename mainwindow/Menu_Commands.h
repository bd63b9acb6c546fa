#pragma once
#include "mainwindow/Main.h"

// Whether mnuRight shows Item in its two uses: Vis false for the tray, the window's visibility
// for the slot list.
bool Fix_Menu(Menu_Item Item, bool Vis);
// Shows mnuRight at Place with the items Fix_Menu gives for Vis; the item chosen, or None.
Menu_Item Track_Menu(Main& M, bool Vis, Menu_Item Default_Item, Menu_Place Place = {});
void Run_Menu_Command(Main& M, Menu_Item Item);
// Runs the command whose shortcut this is; false when none has it.
bool Run_Shortcut(Main& M, Key K, int Shift);
