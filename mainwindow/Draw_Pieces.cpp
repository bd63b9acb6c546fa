#include "mainwindow/Drawing.h"

#include <algorithm>

namespace {

Color Checker_Color(const System_Colors& Colors, int Offset_Sum) {
    return Colors.Sys_Color(Offset_Sum % 2 == 0 ? System_Color::Button_Highlight
                                                : System_Color::Light_3D);
}

// Diagonals up and to the right, two pixels apart per colour; where they leave the square
// they run onto the frame rings, which the edge drawn next covers.
void Draw_Checkerboard(Surface& Target, const System_Colors& Colors, int X, int Y, int W, int H) {
    for (int K = 2; K <= H - 2; K += 2) {
        for (int Start = K; Start <= K + 1; ++Start) {
            const int Steps = std::min(Start - 1, W - 3);
            Target.Line(X + 2, Y + Start, X + 2 + Steps, Y + Start - Steps,
                        Checker_Color(Colors, 2 + Start));
        }
    }
    for (int J = 2; J <= W - 2; J += 2) {
        for (int Start = J; Start <= J + 1; ++Start) {
            const int Steps = std::max(0, std::min(W - 1 - Start, H - 3));
            Target.Line(X + Start, Y + H - 2, X + Start + Steps, Y + H - 2 - Steps,
                        Checker_Color(Colors, Start + H - 2));
        }
    }
}

} // namespace

void Draw_Button(Surface& Target, const System_Colors& Colors, int16_t X, int16_t Y, int16_t W,
                 int16_t H, int16_t Pressed, Picture_Id Pic, int Picture) {
    const Rect R{X, Y, X + W + 1, Y + H + 1};
    // Centred in the face (3 px in at 96 dpi); pressed, one pixel lower and further right.
    const int Inset = (W + 1 - Picture) / 2;
    if (Pressed == 1) {
        Draw_Checkerboard(Target, Colors, X, Y, W, H);
        Target.Draw_Edge(R, Edge::Sunken);
        Target.Draw_Picture(Pic, X + Inset + 1, Y + Inset + 1, Picture);
    } else {
        Target.Fill_Rect(R, Colors.Sys_Color(System_Color::Button_Face));
        Target.Draw_Edge(R, Edge::Raised);
        Target.Draw_Picture(Pic, X + Inset, Y + Inset, Picture);
    }
}

void Draw_Panel(Surface& Target, int16_t X, int16_t Y, int16_t W, int16_t H, Color C) {
    const Rect R{X, Y, X + W + 1, Y + H + 1};
    Target.Fill_Rect(R, C);
    Target.Draw_Edge(R, Edge::Sunken);
}
