#include "mainwindow/Rows.h"

#include "mainwindow/Row_Geometry.h"
#include "platform/Platform_Context.h"

bool Row_Exists(const Main& M, int Row) {
    return Row >= 0 && Row <= M.Store.List().List_Ubound;
}

int16_t Slot_On_Row(const Main& M, int Row) {
    if (!Row_Exists(M, Row) || Row >= Max_Slots) return Nil_Slot;
    const int16_t S = M.View.Row_Slot[static_cast<size_t>(Row)];
    return Is_Chained(M.Store.List(), S) ? S : Nil_Slot;
}

void Move_Tip(Main& M, int Top) {
    M.View.Tip_Top = Top;
    M.P.Window.Set_Tip_Bounds(M.View.Metrics.Text_Left, Top, M.View.Tip_Width,
                              M.View.Metrics.Height);
}

void Set_Tip_Text(Main& M, const std::string& Text) {
    if (Text == M.View.Tip_Text) return;
    M.View.Tip_Text = Text;
    M.P.Window.Set_Tip_Text(Text);
}
