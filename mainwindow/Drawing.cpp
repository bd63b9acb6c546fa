#include "mainwindow/Drawing.h"

#include "mainwindow/Row_Geometry.h"
#include "platform/Platform_Context.h"
#include "platform/Scoped_Flag.h"

#include <algorithm>
#include <cmath>

namespace {

int16_t Extent(const Surface& S, bool Horizontal) {
    return static_cast<int16_t>((Horizontal ? S.Width() : S.Height()) - 1);
}

void Render_Panels(Main& M) {
    const Surface& Norm = *M.View.TextNorm;
    const int16_t W = Extent(Norm, true), H = Extent(Norm, false);
    Draw_Panel(*M.View.TextNorm, 0, 0, W, H, M.P.Colors.Sys_Color(System_Color::Window));
    Draw_Panel(*M.View.TextHigh, 0, 0, W, H, M.P.Colors.Sys_Color(System_Color::Highlight));
}

// Below the text column's left edge the panels keep a zero width.
int Panel_Width(const Main& M) {
    return std::max(0, M.P.Window.Client_Width() - M.View.Metrics.Text_Left);
}

} // namespace

// Makes the off-screen sprites and panels at their sizes and places Tip on the text column.
// Also after a change of the window's dpi: the sprites take the new sizes.
void ResizeStuff(Main& M) {
    Main_Window& W = M.P.Window;
    List_View& V = M.View;
    V.Metrics = Metrics_At(W.Dpi());
    const List_Metrics& G = V.Metrics;
    V.pArrowDown = W.New_Surface(G.Height, G.Height);
    V.pArrowUp = W.New_Surface(G.Height, G.Height);
    V.pLockDown = W.New_Surface(G.Height, G.Height);
    V.pLockUp = W.New_Surface(G.Height, G.Height);
    V.TextNorm = W.New_Surface(Panel_Width(M), G.Height);
    V.TextHigh = W.New_Surface(Panel_Width(M), G.Height);
    V.Tip_Width = Panel_Width(M);
    W.Set_Tip_Bounds(G.Text_Left, V.Tip_Top, V.Tip_Width, G.Height);
}

void Load_Pictures(Main& M) {
    const System_Colors& C = M.P.Colors;
    const auto Button = [&](Surface& S, int16_t Pressed, Picture_Id Pic) {
        Draw_Button(S, C, 0, 0, Extent(S, true), Extent(S, false), Pressed, Pic,
                    M.View.Metrics.Picture);
    };
    Button(*M.View.pArrowDown, 1, Picture_Id::Arrow_Down);
    Button(*M.View.pArrowUp, 0, Picture_Id::Arrow_Up);
    Button(*M.View.pLockDown, 1, Picture_Id::Lock_Down);
    Button(*M.View.pLockUp, 0, Picture_Id::Lock_Up);
    Render_Panels(M);
}

void Form_Resize(Main& M) {
    List_View& V = M.View;
    if (V.Resizing) return; // the resize that setting the height raises
    // Reset on every way out: one failed resize must not freeze the height for good.
    Scoped_Flag Guard(V.Resizing);
    Main_Window& W = M.P.Window;
    if (W.Window_State() == Window_Normal) {
        const float Tppy = static_cast<float>(W.Twips_Per_Pixel_Y());
        const float Rows = static_cast<float>(std::max<int>(M.Store.List().List_Ubound + 1, 1));
        const float Gap = static_cast<float>(V.Metrics.Pitch - V.Metrics.Height) * Tppy;
        W.Set_Height(float(V.Metrics.Pitch) * Rows * Tppy + static_cast<float>(V.Border_Height) -
                     Gap);
    }
    V.TextNorm->Resize(Panel_Width(M), V.Metrics.Height);
    V.TextHigh->Resize(Panel_Width(M), V.Metrics.Height);
    V.Tip_Width = Panel_Width(M);
    W.Set_Tip_Bounds(V.Metrics.Text_Left, V.Tip_Top, V.Tip_Width, V.Metrics.Height);
    Render_Panels(M);
    Refresh_Pics(M);
}

void Sys_SysColorsChanged(Main& M) {
    M.P.Window.Clear_Back_Buffer();
    M.P.Window.Present();
    Load_Pictures(M);
    Refresh_Pics(M);
}

void Measure_Border_Height(Main& M) {
    const Main_Window& W = M.P.Window;
    M.View.Border_Height = static_cast<int>(
        std::lround(W.Height() - double(W.Client_Height()) * W.Twips_Per_Pixel_Y()));
}

void Dpi_Changed(Main& M) {
    const int Row = M.View.Tip_Top / M.View.Metrics.Pitch;
    // The frame is drawn at the new scale too; in twips it is only about the same.
    Measure_Border_Height(M);
    ResizeStuff(M);
    M.View.Tip_Top = Row * M.View.Metrics.Pitch;
    Load_Pictures(M);
    Form_Resize(M);
}
