#include "mainwindow/Drawing.h"
#include "mainwindow/Input.h"
#include "mainwindow/Row_Geometry.h"

#include <cmath>

namespace {

constexpr int Splitter_Height = 5;
// Tip reports Y in twips at this fixed rate.
constexpr int Twips_Per_Pixel = 15;

int Tip_Row(const Main& M) {
    return M.Tip_Top / Row_Pitch;
}

void Place_Splitter(Main& M, int Top) {
    M.Splitter_Top = Top;
    M.P.Window.Set_Splitter(M.Splitter_Visible, 0, Top, M.P.Window.Client_Width(), Splitter_Height);
}

} // namespace

void Tip_MouseDown(Main& M, int Button, int Shift, double, double) {
    const int16_t Slot = Slot_On_Row(M, Tip_Row(M));
    if (Slot != M.Util.Current_Slot) Select_Item(M, Slot, true);
    if (Button == Button_Left && (Shift & Shift_Mask) != 0) {
        M.Drag_From = M.Util.Current_Slot;
        M.Splitter_Visible = true;
        Place_Splitter(M, M.Tip_Top - 3);
        M.Dragging = true;
    }
}

void Tip_MouseMove(Main& M, int, int, double, double Y) {
    if (!M.Dragging) return;
    const int Max_Top = (M.List.List_Ubound + 1) * Row_Pitch;
    const double Rounded = std::nearbyint(Y);
    if (!(Rounded > -1e9 && Rounded < 1e9)) return;
    const int Y_Abs = M.Tip_Top + static_cast<int>(Rounded) / Twips_Per_Pixel;
    const int Row_Top = (Y_Abs / Row_Pitch) * Row_Pitch;
    // The boundary just below the dragged row would mean "after itself": never offered.
    if (Row_Top > Max_Top || Row_Top < 0 || Row_Top == M.Tip_Top + Row_Pitch) return;
    Place_Splitter(M, Row_Top - 3);
}

void Tip_MouseUp(Main& M, int Button, int, double, double) {
    if (M.Dragging) {
        M.Dragging = false;
        M.Splitter_Visible = false;
        Place_Splitter(M, M.Splitter_Top);
        const int Row = (M.Splitter_Top + 3) / Row_Pitch - 1;
        const int16_t Target = Row < 0                    ? Pos_Top
                               : Row > M.List.List_Ubound ? Pos_Bottom
                                                          : Slot_On_Row(M, Row);
        if (Is_Chained(M.List, M.Drag_From)) List_Move(M.List, M.Drag_From, Target);
        Refresh_Pics(M);
        return;
    }
    if (Button == Button_Left) {
        const int16_t Slot = Slot_On_Row(M, Tip_Row(M));
        if (Slot != M.Util.Current_Slot) Select_Item(M, Slot, true);
    } else if (Button == Button_Right) {
        Row_Context_Menu(M);
    }
}

void Tip_DblClick(Main& M) {
    if (M.Commands) M.Commands->mnuEdit_Click();
}
