#include "mainwindow/Drawing.h"
#include "mainwindow/Input.h"
#include "mainwindow/Rows.h"

void Tip_MouseDown(Main& M, int Button, int Shift, double, double) {
    const int16_t Slot = Slot_On_Row(M, M.View.Tip_Row());
    if (Slot != M.Store.Current()) Select_Item(M, Slot);
    if (Button == Button_Left && (Shift & Shift_Mask) != 0) M.View.Begin_Drag(M.Store.Current());
}

void Tip_MouseMove(Main& M, int, int, double, double Y) {
    M.View.Continue_Drag(Y);
}

void Tip_MouseUp(Main& M, int Button, int, double, double) {
    if (M.View.Dragging()) {
        const List_View::Drop D = M.View.End_Drag();
        const int16_t Target = D.Row < 0                            ? Pos_Top
                               : D.Row > M.Store.List().List_Ubound ? Pos_Bottom
                                                                    : Slot_On_Row(M, D.Row);
        M.Store.Move(D.Slot, Target);
        return;
    }
    if (Button == Button_Left) {
        const int16_t Slot = Slot_On_Row(M, M.View.Tip_Row());
        if (Slot != M.Store.Current()) Select_Item(M, Slot);
    } else if (Button == Button_Right) {
        Row_Context_Menu(M);
    }
}

void Tip_DblClick(Main& M) {
    Form_DblClick(M);
}

void Tip_CaptureLost(Main& M) {
    if (M.View.Dragging()) M.View.End_Drag();
}
