#include "mainwindow/Rows.h"

bool Row_Exists(const Main& M, int Row) {
    return Row >= 0 && Row <= M.Store.List().List_Ubound;
}

int16_t Slot_On_Row(const Main& M, int Row) {
    if (!Row_Exists(M, Row)) return Nil_Slot;
    const int16_t S = M.View.Slot_Of_Row(Row);
    return Is_Chained(M.Store.List(), S) ? S : Nil_Slot;
}

void Set_Tip_Text(Main& M, const std::string& Text) {
    M.View.Set_Tip_Text(Text);
}
