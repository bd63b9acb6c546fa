#pragma once
#include "mainwindow/Main.h"
#include "mainwindow/Row_Geometry.h"
#include "platform/Geometry.h"
#include "platform/Surface.h"

// Sizes the row pictures and the hit area Tip to the rows at the window's DPI.
void ResizeStuff(Main& M);
void Load_Pictures(Main& M);
void Refresh_Pics(Main& M);
void Form_Resize(Main& M);
void Sys_SysColorsChanged(Main& M);
// Border_Height: the window's outer height less its client height, in twips.
void Measure_Border_Height(Main& M);
// The window moved to a screen of another dpi and took its new size: everything is drawn
// again at the new scale.
void Dpi_Changed(Main& M);

// Pressed = 1 draws the pressed face; any other value the released one. Picture is the
// picture's size in pixels.
void Draw_Button(Surface& Target, const System_Colors& Colors, int16_t X, int16_t Y, int16_t W,
                 int16_t H, int16_t Pressed, Picture_Id Pic, int Picture = Picture_Size);
void Draw_Panel(Surface& Target, int16_t X, int16_t Y, int16_t W, int16_t H, Color C);
