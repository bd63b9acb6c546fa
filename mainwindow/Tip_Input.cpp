#include "mainwindow/Drawing.h"
#include "mainwindow/Input.h"
#include "mainwindow/Row_Geometry.h"
#include "mainwindow/Rows.h"
#include "platform/Platform_Context.h"

#include <cmath>

namespace {

int Tip_Row(const Main& M) {
    return M.View.Tip_Top / M.View.Metrics.Pitch;
}

void Place_Splitter(Main& M, int Top) {
    List_View& V = M.View;
    V.Splitter_Top = Top;
    M.P.Window.Set_Splitter(V.Splitter_Visible, 0, Top, M.P.Window.Client_Width(),
                            V.Metrics.Bar_Height);
}

void End_Drag(Main& M) {
    M.View.Dragging = false;
    M.View.Splitter_Visible = false;
    Place_Splitter(M, M.View.Splitter_Top);
}

} // namespace

void Tip_MouseDown(Main& M, int Button, int Shift, double, double) {
    const int16_t Slot = Slot_On_Row(M, Tip_Row(M));
    if (Slot != M.Store.Current()) Select_Item(M, Slot);
    if (Button == Button_Left && (Shift & Shift_Mask) != 0) {
        M.View.Drag_From = M.Store.Current();
        M.View.Splitter_Visible = true;
        Place_Splitter(M, M.View.Tip_Top - M.View.Metrics.Bar_Offset);
        M.View.Dragging = true;
    }
}

void Tip_MouseMove(Main& M, int, int, double, double Y) {
    if (!M.View.Dragging) return;
    const int Pitch = M.View.Metrics.Pitch;
    const int Max_Top = (M.Store.List().List_Ubound + 1) * Pitch;
    const double Rounded = std::nearbyint(Y);
    if (!(Rounded > -1e9 && Rounded < 1e9)) return;
    const int Y_Abs = M.View.Tip_Top + static_cast<int>(Rounded) / Tip_Twips_Per_Pixel;
    const int Row_Top = (Y_Abs / Pitch) * Pitch;
    // The boundary just below the dragged row would mean "after itself": never offered.
    if (Row_Top > Max_Top || Row_Top < 0 || Row_Top == M.View.Tip_Top + Pitch) return;
    Place_Splitter(M, Row_Top - M.View.Metrics.Bar_Offset);
}

void Tip_MouseUp(Main& M, int Button, int, double, double) {
    if (M.View.Dragging) {
        End_Drag(M);
        const int Row =
            (M.View.Splitter_Top + M.View.Metrics.Bar_Offset) / M.View.Metrics.Pitch - 1;
        const int16_t Target = Row < 0                            ? Pos_Top
                               : Row > M.Store.List().List_Ubound ? Pos_Bottom
                                                                  : Slot_On_Row(M, Row);
        M.Store.Move(M.View.Drag_From, Target);
        return;
    }
    if (Button == Button_Left) {
        const int16_t Slot = Slot_On_Row(M, Tip_Row(M));
        if (Slot != M.Store.Current()) Select_Item(M, Slot);
    } else if (Button == Button_Right) {
        Row_Context_Menu(M);
    }
}

void Tip_DblClick(Main& M) {
    Form_DblClick(M);
}

void Tip_CaptureLost(Main& M) {
    if (M.View.Dragging) End_Drag(M);
}
