#pragma once
#include "mainwindow/Row_Geometry.h"
#include "platform/Geometry.h"
#include "platform/Surface.h"

// Pressed = 1 draws the pressed face; any other value the released one. Picture is the
// picture's size in pixels.
void Draw_Button(Surface& Target, const System_Colors& Colors, int16_t X, int16_t Y, int16_t W,
                 int16_t H, int16_t Pressed, Picture_Id Pic, int Picture = Picture_Size);
void Draw_Panel(Surface& Target, int16_t X, int16_t Y, int16_t W, int16_t H, Color C);
