#pragma once
#include "mainwindow/Availability.h"
#include "mainwindow/Main.h"

// Shows the popup menu at Place with the lines Menu offers now; the item chosen, or None.
Menu_Item Track_Menu(Main& M, Way Menu, Menu_Item Default_Item, Menu_Place Place = {});
void Run_Menu_Command(Main& M, Menu_Item Item);
// Runs the command whose shortcut this is when it is offered now; false when none has it.
bool Run_Shortcut(Main& M, Key K, int Modifiers);
