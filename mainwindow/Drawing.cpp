#include "mainwindow/Drawing.h"

#include "mainwindow/Capture_Events.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int Sprite_Size = 23;
constexpr int Row_Height = 23;

int16_t Extent(const Surface& S, bool Horizontal) {
    return static_cast<int16_t>((Horizontal ? S.Width() : S.Height()) - 1);
}

void Render_Panels(Main& M) {
    const int16_t W = Extent(*M.TextNorm, true), H = Extent(*M.TextNorm, false);
    Draw_Panel(*M.TextNorm, 0, 0, W, H, M.P.Colors.Sys_Color(COLOR_WINDOW_));
    Draw_Panel(*M.TextHigh, 0, 0, W, H, M.P.Colors.Sys_Color(COLOR_HIGHLIGHT_));
}

// Resetting on every way out keeps one failed resize from freezing the height for good.
struct Resize_Guard {
    bool& Flag;
    explicit Resize_Guard(bool& F) : Flag(F) { Flag = true; }
    ~Resize_Guard() { Flag = false; }
    Resize_Guard(const Resize_Guard&) = delete;
    Resize_Guard& operator=(const Resize_Guard&) = delete;
};

} // namespace

void ResizeStuff(Main& M) {
    Main_Window& W = M.P.Window;
    M.pArrowDown = W.New_Surface(Sprite_Size, Sprite_Size);
    M.pArrowUp = W.New_Surface(Sprite_Size, Sprite_Size);
    M.pLockDown = W.New_Surface(Sprite_Size, Sprite_Size);
    M.pLockUp = W.New_Surface(Sprite_Size, Sprite_Size);
    M.TextNorm_Left = 48;
    const int Panel_Width = std::max(0, W.Client_Width() - M.TextNorm_Left);
    M.TextNorm = W.New_Surface(Panel_Width, Row_Height);
    M.TextHigh = W.New_Surface(Panel_Width, Row_Height);
    M.Tip_Width = Panel_Width;
    W.Set_Tip_Bounds(M.TextNorm_Left, M.Tip_Top, M.Tip_Width, Row_Height);
}

void Load_Pictures(Main& M) {
    const System_Colors& C = M.P.Colors;
    const auto Button = [&](Surface& S, int16_t Pressed, Picture_Id Pic) {
        Draw_Button(S, C, 0, 0, Extent(S, true), Extent(S, false), Pressed, Pic);
    };
    Button(*M.pArrowDown, 1, Picture_Id::Arrow_Down);
    Button(*M.pArrowUp, 0, Picture_Id::Arrow_Up);
    Button(*M.pLockDown, 1, Picture_Id::Lock_Down);
    Button(*M.pLockUp, 0, Picture_Id::Lock_Up);
    Render_Panels(M);
}

void Form_Resize(Main& M) {
    if (M.Resizing) return; // the resize that setting the height raises
    Resize_Guard Guard(M.Resizing);
    Main_Window& W = M.P.Window;
    if (W.Window_State() == Window_Normal) {
        const float Tppy = static_cast<float>(W.Twips_Per_Pixel_Y());
        const float Rows = static_cast<float>(std::max<int>(M.List.List_Ubound + 1, 1));
        W.Set_Height(24.0f * Rows * Tppy + static_cast<float>(M.Border_Height) - Tppy);
    }
    // Below the text column's left edge the panels keep a zero width.
    const int Panel_Width = std::max(0, W.Client_Width() - M.TextNorm_Left);
    M.TextNorm->Resize(Panel_Width, Row_Height);
    M.TextHigh->Resize(Panel_Width, Row_Height);
    M.Tip_Width = Panel_Width;
    W.Set_Tip_Bounds(M.TextNorm_Left, M.Tip_Top, M.Tip_Width, Row_Height);
    Render_Panels(M);
    Refresh_Pics(M);
}

void Sys_SysColorsChanged(Main& M) {
    M.P.Window.Clear_Back_Buffer();
    M.P.Window.Present();
    Load_Pictures(M);
    Refresh_Pics(M);
}
