#pragma once
#include <cmath>

// The list's geometry in client pixels, named once: rows, buttons, the text column and its
// margins, the drag bar, and the fixed twips rate of Tip's pointer events.
inline constexpr int Row_Pitch = 24;
inline constexpr int Row_Height = 23;    // the row without its 1-px gap
inline constexpr int Sprite_Size = 23;   // a button face
inline constexpr int Lock_Column = 24;   // x where the lock button starts
inline constexpr int Text_Column = 48;   // x where the text panel starts
inline constexpr int Text_Margin_X = 3;  // the text rectangle inside the panel, left and right
inline constexpr int Text_Top = 2;       // the text rectangle's top, from the row's top
inline constexpr int Text_Bottom = 20;   // and its bottom (exclusive)
inline constexpr int Splitter_Height = 5;
inline constexpr int Splitter_Offset = 3; // the bar's top above the row boundary it marks
inline constexpr int Tip_Twips_Per_Pixel = 15;
inline constexpr int Twips_Per_Inch = 1440;
// The client area a first run shows before the height snaps to the rows.
inline constexpr int Design_Client_Width = 232;
inline constexpr int Design_Client_Height = 455;

// The row under a client y: rounded to the nearest integer, then divided with truncation
// toward zero (a y just above the list still hits row 0).
inline int Row_At(double Y) {
    const double R = std::nearbyint(Y);
    if (!(R > -1e9 && R < 1e9)) return -1; // NaN or far off: no row
    return static_cast<int>(R) / Row_Pitch;
}
