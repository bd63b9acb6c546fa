#pragma once
#include "mainwindow/Main.h"

// Event arguments as the window reports them.
inline constexpr int Button_Left = 1;
inline constexpr int Button_Right = 2;
inline constexpr int Shift_Mask = 1;
inline constexpr int Ctrl_Mask = 2;
inline constexpr int Alt_Mask = 4;

// The one way a user action selects a slot: it also puts the slot's text on the clipboard.
void Select_Item(Main& M, int16_t Pos, bool Refresh);

// Pointer events on the window surface; X, Y in client pixels.
void Form_MouseDown(Main& M, int Button, int Shift, double X, double Y);
// Real pointer moves only: tray messages go to Tray_Dispatch, so a pointer at x = 515 or 517
// is never taken for a tray click.
void Form_MouseMove(Main& M, int Button, int Shift, double X, double Y);
void Form_MouseUp(Main& M, int Button, int Shift, double X, double Y);
void Form_DblClick(Main& M);
void Form_KeyDown(Main& M, int KeyCode, int Shift);

// Pointer events on the row hit area Tip; X, Y relative to Tip, in twips.
void Tip_MouseDown(Main& M, int Button, int Shift, double X, double Y);
void Tip_MouseMove(Main& M, int Button, int Shift, double X, double Y);
void Tip_MouseUp(Main& M, int Button, int Shift, double X, double Y);
void Tip_DblClick(Main& M);

// Fix_Menu with the window's visibility, then mnuRight with "&Edit Selection" as default.
void Row_Context_Menu(Main& M);
