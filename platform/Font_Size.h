#pragma once
#include <algorithm>
#include <cmath>
#include <cstdlib>

// Font sizes as the system takes and reports them; the Win32 font services and their tests
// share it.

// A damaged data file may hold any float as a font size; the system takes 1 to 1638 points.
inline float Usable_Points(float Points) {
    if (!std::isfinite(Points)) return 10;
    return std::clamp(Points, 1.0f, 1638.0f);
}

inline int Points_To_Pixels(float Points, int Dpi) {
    return static_cast<int>(std::lround(static_cast<double>(Usable_Points(Points)) * Dpi / 72.0));
}

// The size a font really has, from its em height in pixels. TrueType metrics are rounded one
// by one, so a miss of one pixel still means the size asked for; a larger gap means the font
// has no such size, and its own size is given in tenths, as the font chooser counts.
inline float Reported_Points(float Requested, int Em_Pixels, int Dpi) {
    const float Asked = Usable_Points(Requested);
    if (Em_Pixels <= 0 || Dpi <= 0 || std::abs(Em_Pixels - Points_To_Pixels(Asked, Dpi)) <= 1)
        return Asked;
    return static_cast<float>(std::round(Em_Pixels * 720.0 / Dpi) / 10.0);
}
