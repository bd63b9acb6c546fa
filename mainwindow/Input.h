#pragma once
#include "mainwindow/Main.h"

// The one way a user action selects a slot: it also puts the slot's text on the clipboard.
// False when that write failed.
bool Select_Item(Main& M, int16_t Pos);

// A click on a slot's lock button, or Space on the selected slot.
void Toggle_Lock(Main& M, int16_t Slot);

// Verify_Locks of the slot list.
void Main_Verify_Locks(Main& M);

// Pointer events on the window surface; X, Y in client pixels.
void Form_MouseDown(Main& M, int Button, int Shift, double X, double Y);
// Real pointer moves only: tray events go to Tray_Dispatch.
void Form_MouseMove(Main& M, int Button, int Shift, double X, double Y);
void Form_MouseUp(Main& M, int Button, int Shift, double X, double Y);
void Form_DblClick(Main& M);
// Besides the shortcuts: Enter opens Edit Selection, Shift+F10 and the menu key the row menu
// at the selected row; Space, Up and Down act on the selected slot.
void Form_KeyDown(Main& M, Key KeyCode, int Shift);

// Pointer events on the row hit area Tip; X, Y relative to Tip, in twips.
void Tip_MouseDown(Main& M, int Button, int Shift, double X, double Y);
void Tip_MouseMove(Main& M, int Button, int Shift, double X, double Y);
void Tip_MouseUp(Main& M, int Button, int Shift, double X, double Y);
void Tip_DblClick(Main& M);
// The pointer capture went elsewhere (Alt+Tab, the Windows key, a locked screen): a drag in
// progress ends where it is, and nothing moves.
void Tip_CaptureLost(Main& M);

// The row menu: the popup menu with the lines the list offers now, "&Edit Selection" as
// default, at Place (the pointer for a click); runs the item chosen.
void Row_Context_Menu(Main& M, Menu_Place Place = {});
