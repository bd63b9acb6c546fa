#include "win32/Win32_Surface.h"

#include "resources/Pictures.h"
#include "win32/Win32_Text.h"

#include <climits>
#include <utility>

namespace {

uint32_t Dib_Pixel(Color C) {
    // DIB memory is 0xRRGGBB, a COLORREF 0xBBGGRR.
    return ((C & 0xFF) << 16) | (C & 0xFF00) | ((C >> 16) & 0xFF);
}

} // namespace

Win32_Surface::Win32_Surface(int Width, int Height) : Dc_(CreateCompatibleDC(nullptr)) {
    if (Dc_) SetBkMode(Dc_.Get(), TRANSPARENT);
    Use_Font(nullptr);
    Select(Width, Height);
}

void Win32_Surface::Use_Font(HFONT Font) {
    Font_ = Font;
    Font_Selection_.Restore(); // first: the new selection must remember the DC's own font
    if (Dc_)
        Font_Selection_ = Gdi_Selection(Dc_.Get(), Font ? Font : GetStockObject(DEFAULT_GUI_FONT));
}

void Win32_Surface::Select(int Width, int Height) {
    Bitmap_Selection_.Restore();
    Bitmap_.Reset();
    Bits_ = nullptr;
    Width_ = Width > 0 ? Width : 0;
    Height_ = Height > 0 ? Height : 0;
    if (!Dc_ || Width_ == 0 || Height_ == 0) return;

    BITMAPINFO Info{};
    Info.bmiHeader.biSize = sizeof(Info.bmiHeader);
    Info.bmiHeader.biWidth = Width_;
    Info.bmiHeader.biHeight = -Height_; // top-down
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = 32;
    Info.bmiHeader.biCompression = BI_RGB;
    void* Bits = nullptr;
    Bitmap_.Reset(CreateDIBSection(Dc_.Get(), &Info, DIB_RGB_COLORS, &Bits, nullptr, 0));
    if (!Bitmap_) {
        Width_ = Height_ = 0;
        return;
    }
    Bits_ = static_cast<uint32_t*>(Bits);
    Bitmap_Selection_ = Gdi_Selection(Dc_.Get(), Bitmap_.Get());
}

void Win32_Surface::Resize(int Width, int Height) {
    if (Width == Width_ && Height == Height_ && Bitmap_) {
        // Same size: the content is still discarded, as a new bitmap would be.
        Fill_Rect({0, 0, Width_, Height_}, 0);
        return;
    }
    Select(Width, Height);
}

void Win32_Surface::Resize_Keeping(int Width, int Height, Color Background) {
    if (Width == Width_ && Height == Height_) return;
    Win32_Surface Old(0, 0);
    std::swap(Old.Bitmap_, Bitmap_);
    std::swap(Old.Dc_, Dc_);
    std::swap(Old.Font_Selection_, Font_Selection_);
    std::swap(Old.Bitmap_Selection_, Bitmap_Selection_);
    std::swap(Old.Bits_, Bits_);
    std::swap(Old.Width_, Width_);
    std::swap(Old.Height_, Height_);
    // This object now holds the fresh DC of Old; give it the font, the new size and the rows.
    Use_Font(Font_);
    Select(Width, Height);
    Fill_Rect({0, 0, Width_, Height_}, Background);
    if (Old.Bitmap_ && Bitmap_)
        BitBlt(Dc_.Get(), 0, 0, Old.Width_, Old.Height_, Old.Dc_.Get(), 0, 0, SRCCOPY);
}

void Win32_Surface::Fill_Rect(const Rect& R, Color C) {
    if (!Bitmap_) return;
    RECT Area{R.Left, R.Top, R.Right, R.Bottom};
    SetDCBrushColor(Dc_.Get(), C);
    FillRect(Dc_.Get(), &Area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Win32_Surface::Line(int X1, int Y1, int X2, int Y2, Color C) {
    if (!Bitmap_) return;
    const Gdi_Selection Pen(Dc_.Get(), GetStockObject(DC_PEN));
    SetDCPenColor(Dc_.Get(), C);
    MoveToEx(Dc_.Get(), X1, Y1, nullptr);
    LineTo(Dc_.Get(), X2, Y2);
    // LineTo leaves out the last pixel; the callers' lines include it.
    SetPixelV(Dc_.Get(), X2, Y2, C);
}

void Win32_Surface::Draw_Edge(const Rect& R, Edge Kind) {
    if (!Bitmap_) return;
    RECT Area{R.Left, R.Top, R.Right, R.Bottom};
    DrawEdge(Dc_.Get(), &Area, Kind == Edge::Raised ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT);
}

void Win32_Surface::Draw_Picture(Picture_Id Pic, int X, int Y, int Size) {
    if (!Bitmap_) return;
    const std::vector<std::string> Art = Picture_Rows_At(Pic, Size);
    for (int Row = 0; Row < static_cast<int>(Art.size()); ++Row) {
        const std::string_view Line = Art[static_cast<size_t>(Row)];
        for (int Col = 0; Col < static_cast<int>(Line.size()); ++Col)
            if (const auto C = Picture_Pixel(Line[static_cast<size_t>(Col)]))
                SetPixelV(Dc_.Get(), X + Col, Y + Row, *C);
    }
}

void Win32_Surface::Blit(const Surface& Source, int X, int Y, int W, int H) {
    const auto* Src = dynamic_cast<const Win32_Surface*>(&Source);
    if (!Bitmap_ || !Src || !Src->Bitmap_ || W <= 0 || H <= 0) return;
    BitBlt(Dc_.Get(), X, Y, W, H, Src->Dc_.Get(), 0, 0, SRCCOPY);
}

void Win32_Surface::Draw_Text(std::string_view Utf8, const Rect& R, Color Text_Color) {
    if (!Bitmap_) return;
    const std::wstring W = To_Wide(Utf8);
    if (W.empty() || W.size() > INT_MAX) return;
    RECT Area{R.Left, R.Top, R.Right, R.Bottom};
    SetTextColor(Dc_.Get(), Text_Color);
    DrawTextW(Dc_.Get(), W.data(), static_cast<int>(W.size()), &Area, DT_NOPREFIX);
}

int Win32_Surface::Text_Line_Height() const {
    TEXTMETRICW Tm{};
    if (!Dc_ || !GetTextMetricsW(Dc_.Get(), &Tm)) return 13;
    return Tm.tmHeight;
}

Color Win32_Surface::Pixel(int X, int Y) const {
    if (!Bits_ || X < 0 || Y < 0 || X >= Width_ || Y >= Height_) return 0;
    GdiFlush();
    const uint32_t P =
        Bits_[static_cast<size_t>(Y) * static_cast<size_t>(Width_) + static_cast<size_t>(X)];
    return Dib_Pixel(P & 0xFFFFFF);
}

Color Win32_System_Colors::Sys_Color(System_Color Which) const {
    static constexpr int Index[] = {COLOR_WINDOW,      COLOR_WINDOWTEXT,   COLOR_HIGHLIGHT,
                                    COLOR_HIGHLIGHTTEXT, COLOR_BTNFACE,    COLOR_BTNSHADOW,
                                    COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT};
    return GetSysColor(Index[static_cast<size_t>(Which)]);
}
