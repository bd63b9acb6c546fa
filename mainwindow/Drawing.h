#pragma once
#include "mainwindow/Main.h"
#include "platform/Geometry.h"
#include "platform/Surface.h"

void ResizeStuff(Main& M);
void Load_Pictures(Main& M);
void Refresh_Pics(Main& M);
void Form_Resize(Main& M);
void Sys_SysColorsChanged(Main& M);

// Pressed = 1 draws the pressed face; any other value the released one.
void Draw_Button(Surface& Target, const System_Colors& Colors, int16_t X, int16_t Y, int16_t W,
                 int16_t H, int16_t Pressed, Picture_Id Pic);
void Draw_Panel(Surface& Target, int16_t X, int16_t Y, int16_t W, int16_t H, Color C);
