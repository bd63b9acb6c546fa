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

// The system colours the list is drawn in.
enum class System_Color {
    Window,
    Window_Text,
    Highlight,
    Highlight_Text,
    Button_Face,
    Button_Shadow,
    Button_Highlight,
    Dark_Shadow_3D,
    Light_3D,
};

// A 3-D frame two pixels wide, in the system's colours.
enum class Edge { Raised, Sunken };
