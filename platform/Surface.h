#pragma once
#include "platform/Geometry.h"

#include <memory>
#include <string_view>

// The four button pictures, 16x16 at 96 dpi, drawn with their transparency mask.
enum class Picture_Id { Arrow_Up, Arrow_Down, Lock_Up, Lock_Down };

// A drawing surface in pixels: an off-screen sprite or the main window's back buffer.
// Win32: a memory DC with its bitmap; tests: a pixel buffer that can be read back.
struct Surface {
    virtual ~Surface() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Changing the size discards the content.
    virtual void Resize(int Width, int Height) = 0;
    virtual void Fill_Rect(const Rect& R, Color C) = 0;
    // A 1-px line including both end points.
    virtual void Line(int X1, int Y1, int X2, int Y2, Color C) = 0;
    // DrawEdge in the system's 3-D colours, just inside R.
    virtual void Draw_Edge(const Rect& R, Edge Kind) = 0;
    // Size x Size pixels, crisp at any size (resources/Pictures.h).
    virtual void Draw_Picture(Picture_Id Pic, int X, int Y, int Size) = 0;
    // SRCCOPY of Source's top-left W x H block to (X, Y) of this surface.
    virtual void Blit(const Surface& Source, int X, int Y, int W, int H) = 0;
    // DrawTextW with DT_NOPREFIX alone, transparent background, the window's default font.
    virtual void Draw_Text(std::string_view Utf8, const Rect& R, Color Text_Color) = 0;
    // Height of one line of that font, in pixels.
    virtual int Text_Line_Height() const = 0;
};

struct System_Colors {
    virtual ~System_Colors() = default;
    virtual Color Sys_Color(System_Color Which) const = 0;
};
