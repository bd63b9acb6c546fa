#pragma once
#include "mainwindow/Main.h"

#include <cmath>
#include <cstdint>

inline constexpr int Row_Pitch = 24;
inline constexpr int Row_Height = 23;
inline constexpr int Lock_Column = 24; // x where the lock button starts
inline constexpr int Text_Column = 48;

// The row under a client y: rounded to the nearest integer, then divided with truncation
// toward zero, as the hit tests have always done (a y just above the list still hits row 0).
inline int Row_At(double Y) {
    const double R = std::nearbyint(Y);
    if (!(R > -1e9 && R < 1e9)) return -1; // NaN or far off: no row
    return static_cast<int>(R) / Row_Pitch;
}

inline bool Row_Exists(const Main& M, int Row) {
    return Row >= 0 && Row <= M.List.List_Ubound;
}

// The slot shown on an existing row; Nil_Slot for a row the last redraw left without one.
inline int16_t Slot_On_Row(const Main& M, int Row) {
    if (!Row_Exists(M, Row) || Row >= Max_Slots) return Nil_Slot;
    const int16_t S = M.Row_Slot[static_cast<size_t>(Row)];
    return Is_Chained(M.List, S) ? S : Nil_Slot;
}

inline void Move_Tip(Main& M, int Top) {
    M.Tip_Top = Top;
    M.P.Window.Set_Tip_Bounds(Text_Column, Top, M.Tip_Width, Row_Height);
}
