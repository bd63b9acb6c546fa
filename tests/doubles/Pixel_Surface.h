#pragma once
#include "platform/Surface.h"
#include "resources/Pictures.h"
#include "slots/Utf8.h"

#include <algorithm>
#include <string>
#include <vector>

// A pixel buffer. Edges are the system's rings, dark at the bottom and right. Text is recorded
// and each character, 6 px wide, sets one clipped pixel that depends on its code point.
// Leaves out glyph shapes, kerning, tab expansion and lines other than the program's.
struct Pixel_Surface : Surface {
    static constexpr Color Unset = 0x01020304; // never drawn
    struct Text_Call {
        std::string Text;
        Rect R;
        Color Ink;
    };
    Pixel_Surface(const System_Colors& C, int W, int H) : Colors(C) { Resize(W, H); }
    const System_Colors& Colors;
    int Pixel_Width = 0, Pixel_Height = 0, Line_Height = 13;
    std::vector<Color> Px;
    std::vector<Text_Call> Text_Calls;
    int Width() const override { return Pixel_Width; }
    int Height() const override { return Pixel_Height; }
    void Resize(int W, int H) override {
        Pixel_Width = std::max(W, 0), Pixel_Height = std::max(H, 0);
        Px.assign(size_t(Pixel_Width) * size_t(Pixel_Height), Unset);
    }
    bool Inside(int X, int Y) const {
        return X >= 0 && Y >= 0 && X < Pixel_Width && Y < Pixel_Height;
    }
    Color At(int X, int Y) const { return Inside(X, Y) ? Px[size_t(Y * Pixel_Width + X)] : Unset; }
    void Set(int X, int Y, Color C) {
        if (Inside(X, Y)) Px[size_t(Y * Pixel_Width + X)] = C;
    }
    void Fill_Rect(const Rect& R, Color C) override {
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                Set(X, Y, C);
    }
    void Line(int X1, int Y1, int X2, int Y2, Color C) override {
        for (;; X1 += (X2 > X1) - (X2 < X1), Y1 += (Y2 > Y1) - (Y2 < Y1)) {
            Set(X1, Y1, C);
            if (X1 == X2 && Y1 == Y2) return;
        }
    }
    void Draw_Edge(const Rect& R, Edge Kind) override {
        const bool Up = Kind == Edge::Raised;
        Ring(R, 0, Up ? System_Color::Light_3D : System_Color::Button_Shadow,
             Up ? System_Color::Dark_Shadow_3D : System_Color::Button_Highlight);
        Ring(R, 1, Up ? System_Color::Button_Highlight : System_Color::Dark_Shadow_3D,
             Up ? System_Color::Button_Shadow : System_Color::Light_3D);
    }
    void Ring(const Rect& R, int K, System_Color Light, System_Color Dark) {
        const int L = R.Left + K, T = R.Top + K, Rt = R.Right - 1 - K, B = R.Bottom - 1 - K;
        for (int Y = T; Y <= B; ++Y)
            for (int X = L; X <= Rt; ++X)
                if (X == L || X == Rt || Y == T || Y == B)
                    Set(X, Y, Colors.Sys_Color(X == Rt || Y == B ? Dark : Light));
    }
    void Draw_Picture(Picture_Id Pic, int X, int Y, int Size) override {
        const auto Art = Picture_Rows_At(Pic, Size);
        for (int R = 0; R < Size; ++R)
            for (int C = 0; C < Size; ++C)
                if (const auto P = Picture_Pixel(Art[size_t(R)][size_t(C)])) Set(X + C, Y + R, *P);
    }
    void Blit(const Surface& Source, int X, int Y, int W, int H) override {
        const auto& S = dynamic_cast<const Pixel_Surface&>(Source);
        for (int SY = 0; SY < std::min(H, S.Pixel_Height); ++SY)
            for (int SX = 0; SX < std::min(W, S.Pixel_Width); ++SX)
                Set(X + SX, Y + SY, S.At(SX, SY));
    }
    void Draw_Text(std::string_view Utf8, const Rect& R, Color Ink) override {
        Text_Calls.push_back({std::string(Utf8), R, Ink});
        int X = R.Left, Y = R.Top;
        for (size_t I = 0; I < Utf8.size();) {
            const char32_t C = Next_Code_Point(Utf8, I);
            if (C == U'\r' || C == U'\n') { // CR LF and LF CR are one break, as DrawText takes them
                if (I < Utf8.size() && Utf8[I] == (C == U'\r' ? '\n' : '\r')) ++I;
                X = R.Left, Y += Line_Height;
                continue;
            }
            const int PX = X + int(C % 6), PY = Y + int(C / 7 % char32_t(Line_Height));
            if (PX >= R.Left && PX < R.Right && PY >= R.Top && PY < R.Bottom) Set(PX, PY, Ink);
            X += 6;
        }
    }
    int Text_Line_Height() const override { return Line_Height; }
    bool operator==(const Pixel_Surface& O) const {
        return Pixel_Width == O.Pixel_Width && Px == O.Px;
    }
};
