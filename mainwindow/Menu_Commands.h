#pragma once
#include "mainwindow/Availability.h"
#include "mainwindow/Main.h"

// Shows mnuRight at Place with the lines of Menu (a menu line's way); the item chosen, or None.
Menu_Item Track_Menu(Main& M, Way Menu, Menu_Item Default_Item, Menu_Place Place = {});
void Run_Menu_Command(Main& M, Menu_Item Item);
// Runs the command whose shortcut this is when it is offered now; false when none has it.
bool Run_Shortcut(Main& M, Key K, int Shift);
