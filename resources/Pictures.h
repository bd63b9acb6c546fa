#pragma once
#include "platform/Surface.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The four 16x16 button pictures as pixel art, one character per pixel: '.' transparent,
// 'K' black, 'W' white, 'G' grey, 'Y' yellow. Both the real surface and the test surface draw
// from these rows, so tests see the pixels the user sees.
using Picture_Rows = std::array<std::string_view, 16>;

inline constexpr Picture_Rows Arrow_Up_Art = {
    "................", "................", "....K...........", "....KK..........",
    "....K.K.........", "....K..K........", "....K...K.......", "....K....K......",
    "....K.....K.....", "....K....K......", "....K...K.......", "....K..K........",
    "....K.K.........", "....KK..........", "....K...........", "................",
};

inline constexpr Picture_Rows Arrow_Down_Art = {
    "................", "................", "....K...........", "....KK..........",
    "....KWK.........", "....KWWK........", "....KWWWK.......", "....KWWWWK......",
    "....KWWWWWK.....", "....KWWWWK......", "....KWWWK.......", "....KWWK........",
    "....KWK.........", "....KK..........", "....K...........", "................",
};

// Open: the shackle is swung aside, its left leg hanging free above the body.
inline constexpr Picture_Rows Lock_Up_Art = {
    "........KKKK....", ".......KGGGGK...", ".......KG..GK...", ".......KK..GK...",
    "...........GK...", "...........GK...", "...KKKKKKKKKK...", "...KYYYYYYYYK...",
    "...KYYYYYYYYK...", "...KYYYKKYYYK...", "...KYYYKKYYYK...", "...KYYYYYYYYK...",
    "...KYYYYYYYYK...", "...KKKKKKKKKK...", "................", "................",
};

inline constexpr Picture_Rows Lock_Down_Art = {
    "................", "......KKKK......", ".....KGGGGK.....", ".....KG..GK.....",
    ".....KG..GK.....", ".....KG..GK.....", "...KKKKKKKKKK...", "...KYYYYYYYYK...",
    "...KYYYYYYYYK...", "...KYYYKKYYYK...", "...KYYYKKYYYK...", "...KYYYYYYYYK...",
    "...KYYYYYYYYK...", "...KKKKKKKKKK...", "................", "................",
};

inline constexpr const Picture_Rows& Picture_Art(Picture_Id Pic) {
    switch (Pic) {
    case Picture_Id::Arrow_Up:
        return Arrow_Up_Art;
    case Picture_Id::Arrow_Down:
        return Arrow_Down_Art;
    case Picture_Id::Lock_Up:
        return Lock_Up_Art;
    case Picture_Id::Lock_Down:
        return Lock_Down_Art;
    }
    return Arrow_Up_Art;
}

// Empty for a transparent pixel.
inline constexpr std::optional<Color> Picture_Pixel(char Ch) {
    switch (Ch) {
    case 'K':
        return Rgb(0, 0, 0);
    case 'W':
        return Rgb(255, 255, 255);
    case 'G':
        return Rgb(128, 128, 128);
    case 'Y':
        return Rgb(255, 255, 0);
    default:
        return std::nullopt;
    }
}

// The same pictures at Size x Size pixels for screens above 96 dpi: the 16-pixel art itself at
// 16, otherwise drawn anew from its shapes with lines a whole number of pixels wide, so they
// stay crisp instead of being stretched.
namespace Picture_Shapes {

struct Shape_Grid {
    int Size, Line;
    // An art coordinate (0..16) on the pixel grid.
    int At(double Art) const { return static_cast<int>(std::lround(Art * Size / 16.0)); }
};

inline double Segment_Distance(double Px, double Py, double Ax, double Ay, double Bx, double By) {
    const double Dx = Bx - Ax, Dy = By - Ay;
    const double T = std::clamp(((Px - Ax) * Dx + (Py - Ay) * Dy) / (Dx * Dx + Dy * Dy), 0.0, 1.0);
    return std::hypot(Px - (Ax + T * Dx), Py - (Ay + T * Dy));
}

inline char Arrow(const Shape_Grid& G, int X, int Y, bool Filled) {
    // Pixel centres against the triangle through the art's pixel centres.
    const double K = G.Size / 16.0, Px = X + 0.5, Py = Y + 0.5;
    const double Ax = 4.5 * K, Ay = 2.5 * K, By = 14.5 * K, Cx = 10.5 * K, Cy = 8.5 * K;
    const double D = std::min({Segment_Distance(Px, Py, Ax, Ay, Ax, By),
                               Segment_Distance(Px, Py, Ax, By, Cx, Cy),
                               Segment_Distance(Px, Py, Cx, Cy, Ax, Ay)});
    if (D < G.Line / 2.0 + 0.05) return 'K';
    const bool Inside = Px > Ax && std::abs(Py - Cy) < (Cx - Px) * (By - Ay) / 2 / (Cx - Ax);
    return Filled && Inside ? 'W' : '.';
}

inline bool In(int X, int Y, int L, int T, int R, int B) {
    return X >= L && X < R && Y >= T && Y < B;
}

inline char Lock(const Shape_Grid& G, int X, int Y, bool Closed) {
    const int W = G.Line;
    const int L = G.At(3), T = G.At(6), R = G.At(13), B = G.At(14);
    if (In(X, Y, L, T, R, B)) {
        const int Hole = G.At(7), Hole_Top = G.At(9);
        if (!In(X, Y, L + W, T + W, R - W, B - W) ||
            In(X, Y, Hole, Hole_Top, Hole + 2 * W, Hole_Top + 2 * W))
            return 'K';
        return 'Y';
    }
    // The shackle: a black rim around a grey band. Open, it is swung up and to the right and
    // its left leg hangs free above the body.
    const int Sx = Closed ? 0 : G.At(2), Sy = Closed ? 0 : G.At(1);
    const int X0 = G.At(5) + Sx, X1 = X0 + 2 * W + (G.At(9) - G.At(7)) + 2 * W;
    const int Y0 = G.At(1) - Sy, Y1 = T;
    if (!In(X, Y, X0, Y0, X1, Y1)) return '.';
    if (!Closed && X < X0 + 2 * W && Y >= G.At(4) - Sy) return '.';
    if ((X < X0 + W || X >= X1 - W) && Y < Y0 + W) return '.'; // rounded corners
    if (In(X, Y, X0 + 2 * W, Y0 + 2 * W, X1 - 2 * W, Y1)) return '.';
    const bool Rim = X < X0 + W || X >= X1 - W || Y < Y0 + W;
    return Rim ? 'K' : 'G';
}

} // namespace Picture_Shapes

inline std::vector<std::string> Picture_Rows_At(Picture_Id Pic, int Size) {
    std::vector<std::string> Rows;
    if (Size == 16) {
        for (std::string_view Row : Picture_Art(Pic))
            Rows.emplace_back(Row);
        return Rows;
    }
    using namespace Picture_Shapes;
    const Shape_Grid G{Size, std::max(1, Size / 16)};
    for (int Y = 0; Y < Size; ++Y) {
        std::string Row;
        for (int X = 0; X < Size; ++X) {
            switch (Pic) {
            case Picture_Id::Arrow_Up:
            case Picture_Id::Arrow_Down:
                Row += Arrow(G, X, Y, Pic == Picture_Id::Arrow_Down);
                break;
            case Picture_Id::Lock_Up:
            case Picture_Id::Lock_Down:
                Row += Lock(G, X, Y, Pic == Picture_Id::Lock_Down);
                break;
            }
        }
        Rows.push_back(std::move(Row));
    }
    return Rows;
}
