#pragma once
#include <cmath>

// The list's geometry in client pixels at 96 dpi, named once: rows, buttons, the text column
// and its margins, the drag bar, and the fixed twips rate of Tip's pointer events.
inline constexpr int Row_Pitch = 24;
inline constexpr int Row_Height = 23;   // the row without its 1-px gap
inline constexpr int Sprite_Size = 23;  // a button face
inline constexpr int Lock_Column = 24;  // x where the lock button starts
inline constexpr int Text_Column = 48;  // x where the text panel starts
inline constexpr int Text_Margin_X = 3; // the text rectangle inside the panel, left and right
inline constexpr int Text_Top = 2;      // the text rectangle's top, from the row's top
inline constexpr int Text_Bottom = 20;  // and its bottom (exclusive)
inline constexpr int Splitter_Height = 5;
inline constexpr int Splitter_Offset = 3; // the bar's top above the row boundary it marks
inline constexpr int Tip_Twips_Per_Pixel = 15;
inline constexpr int Twips_Per_Inch = 1440;
// The client area a first run shows before the height snaps to the rows.
inline constexpr int Design_Client_Width = 232;
inline constexpr int Design_Client_Height = 455;

inline constexpr int Base_Dpi = 96;
inline constexpr int Picture_Size = 16;

// The same geometry at a screen's dpi: exactly the numbers above at 96 dpi; above it every
// length grows with the dpi, and the 1-px gaps and frames stay whole pixels.
struct List_Metrics {
    int Dpi = Base_Dpi;
    int Pitch = Row_Pitch;
    int Height = Row_Height;
    int Lock_Left = Lock_Column;
    int Text_Left = Text_Column;
    int Margin_X = Text_Margin_X;
    int Text_Top = ::Text_Top;
    int Text_Bottom = ::Text_Bottom;
    int Bar_Height = Splitter_Height;
    int Bar_Offset = Splitter_Offset;
    int Picture = Picture_Size;
    bool operator==(const List_Metrics&) const = default;
};

inline int Scaled(int Pixels, int Dpi) {
    return (Pixels * Dpi + Base_Dpi / 2) / Base_Dpi;
}

inline List_Metrics Metrics_At(int Dpi) {
    if (Dpi <= 0) Dpi = Base_Dpi;
    List_Metrics M;
    M.Dpi = Dpi;
    M.Pitch = Scaled(Row_Pitch, Dpi);
    M.Height = M.Pitch - (Row_Pitch - Row_Height); // the gap stays one pixel
    M.Lock_Left = M.Pitch;
    M.Text_Left = 2 * M.Pitch;
    M.Margin_X = Scaled(Text_Margin_X, Dpi);
    M.Text_Top = Scaled(::Text_Top, Dpi);
    M.Text_Bottom = Scaled(::Text_Bottom, Dpi);
    M.Bar_Height = Scaled(Splitter_Height, Dpi);
    M.Bar_Offset = Scaled(Splitter_Offset, Dpi);
    M.Picture = Scaled(Picture_Size, Dpi);
    return M;
}

// The row under a client y: rounded to the nearest integer, then divided with truncation
// toward zero (a y just above the list still hits row 0).
inline int Row_At(double Y, int Pitch = Row_Pitch) {
    const double R = std::nearbyint(Y);
    if (!(R > -1e9 && R < 1e9)) return -1; // NaN or far off: no row
    return static_cast<int>(R) / Pitch;
}
