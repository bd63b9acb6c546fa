#pragma once
#include "platform/Surface.h"
#include "win32/Unique_Handle.h"

#include <cstdint>

// A memory DC holding a 32-bit top-down DIB section. A zero or negative size holds no bitmap
// and ignores all drawing.
class Win32_Surface final : public Surface {
  public:
    Win32_Surface(int Width, int Height);
    Win32_Surface(const Win32_Surface&) = delete;
    Win32_Surface& operator=(const Win32_Surface&) = delete;

    int Width() const override { return Width_; }
    int Height() const override { return Height_; }
    void Resize(int Width, int Height) override;
    void Fill_Rect(const Rect& R, Color C) override;
    void Line(int X1, int Y1, int X2, int Y2, Color C) override;
    void Draw_Edge(const Rect& R, Edge Kind) override;
    void Draw_Picture(Picture_Id Pic, int X, int Y, int Size) override;
    void Blit(const Surface& Source, int X, int Y, int W, int H) override;
    void Draw_Text(std::string_view Utf8, const Rect& R, Color Text_Color) override;
    int Text_Line_Height() const override;

    // Like Resize, but keeps the overlapping content and fills the rest with Background.
    void Resize_Keeping(int Width, int Height, Color Background);
    // Text is drawn in Font from now on, which the caller keeps alive; null is the stock font.
    void Use_Font(HFONT Font);
    HDC Dc() const { return Dc_.Get(); }
    // Reads one pixel back as 0x00BBGGRR; 0 outside the surface.
    Color Pixel(int X, int Y) const;

  private:
    void Select(int Width, int Height);

    // In this order: the selections end before the bitmap and the DC are deleted.
    Unique_Dc Dc_;
    Unique_Gdi Bitmap_;
    Gdi_Selection Font_Selection_;
    Gdi_Selection Bitmap_Selection_;
    HFONT Font_ = nullptr;
    uint32_t* Bits_ = nullptr;
    int Width_ = 0, Height_ = 0;
};

// GetSysColor.
class Win32_System_Colors final : public System_Colors {
  public:
    Color Sys_Color(System_Color Which) const override;
};
