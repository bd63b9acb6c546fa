#pragma once
#include <cstdint>

// A colour as Windows stores it: 0x00BBGGRR.
using Color = uint32_t;

inline constexpr Color Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return Color(r) | (Color(g) << 8) | (Color(b) << 16);
}

// Right and bottom are exclusive, as in a Windows RECT.
struct Rect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const Rect&) const = default;
};

// System colour indices, as GetSysColor takes them.
enum Sys_Color_Index : int {
    COLOR_WINDOW_ = 5,
    COLOR_WINDOWTEXT_ = 8,
    COLOR_HIGHLIGHT_ = 13,
    COLOR_HIGHLIGHTTEXT_ = 14,
    COLOR_BTNFACE_ = 15,
    COLOR_BTNSHADOW_ = 16,
    COLOR_BTNHIGHLIGHT_ = 20,
    COLOR_3DDKSHADOW_ = 21,
    COLOR_3DLIGHT_ = 22,
};

// DrawEdge edges and flags.
inline constexpr int EDGE_RAISED_ = 5;
inline constexpr int EDGE_SUNKEN_ = 10;
inline constexpr int BF_RECT_ = 15;
