#pragma once
#include "mainwindow/Main.h"
#include "mainwindow/Row_Geometry.h"
#include "platform/Geometry.h"
#include "platform/Surface.h"

// The main window's drawn list (List_View) on its slots and selection.
void ResizeStuff(Main& M);
void Load_Pictures(Main& M);
void Refresh_Pics(Main& M);
void Form_Resize(Main& M);
void Sys_SysColorsChanged(Main& M);
void Measure_Border_Height(Main& M);
void Dpi_Changed(Main& M);

// Pressed = 1 draws the pressed face; any other value the released one. Picture is the
// picture's size in pixels.
void Draw_Button(Surface& Target, const System_Colors& Colors, int16_t X, int16_t Y, int16_t W,
                 int16_t H, int16_t Pressed, Picture_Id Pic, int Picture = Picture_Size);
void Draw_Panel(Surface& Target, int16_t X, int16_t Y, int16_t W, int16_t H, Color C);
