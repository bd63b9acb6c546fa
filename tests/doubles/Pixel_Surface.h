#pragma once
#include "platform/Surface.h"
#include "resources/Pictures.h"
#include "slots/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

// A drawing surface as a plain pixel buffer that tests read back. DrawEdge follows the
// system's rings (bottom and right sides take the dark colour, corners included). Text is
// recorded as calls and marked in the pixels: every character advances Char_Width and every
// line Line_Height, and each character sets one pixel that depends on its code point, clipped
// to the rectangle. Leaves out glyph shapes, kerning, complex scripts and tab expansion.
class Pixel_Surface : public Surface {
  public:
    // Pixels no operation has touched, so a test can tell "never drawn" from any colour.
    static constexpr Color Unset = 0x01020304;

    struct Text_Call {
        std::string Text;
        Rect R;
        Color Text_Color = 0;
    };

    Pixel_Surface(const System_Colors& Colors, int W, int H) : Colors_(Colors) { Resize(W, H); }

    std::vector<Text_Call> Text_Calls;
    // "Blit x,y" and "Text x,y" in drawing order.
    std::vector<std::string> Ops;
    bool Record_Text = true; // benchmarks turn both records off
    int Char_Width = 6;
    int Line_Height = 13;

    int Width() const override { return W_; }
    int Height() const override { return H_; }
    void Resize(int W, int H) override {
        W_ = std::max(W, 0);
        H_ = std::max(H, 0);
        Pixels_.assign(static_cast<size_t>(W_) * static_cast<size_t>(H_), Unset);
    }

    Color At(int X, int Y) const { return Inside(X, Y) ? Pixels_[Index(X, Y)] : Unset; }
    void Set(int X, int Y, Color C) {
        if (Inside(X, Y)) Pixels_[Index(X, Y)] = C;
    }

    void Fill_Rect(const Rect& R, Color C) override {
        for (int Y = std::max(R.Top, 0); Y < std::min(R.Bottom, H_); ++Y)
            for (int X = std::max(R.Left, 0); X < std::min(R.Right, W_); ++X)
                Set(X, Y, C);
    }

    void Line(int X1, int Y1, int X2, int Y2, Color C) override {
        const int DX = std::abs(X2 - X1), DY = -std::abs(Y2 - Y1);
        const int SX = X1 < X2 ? 1 : -1, SY = Y1 < Y2 ? 1 : -1;
        int Err = DX + DY;
        for (;;) {
            Set(X1, Y1, C);
            if (X1 == X2 && Y1 == Y2) break;
            const int E2 = 2 * Err;
            if (E2 >= DY) {
                Err += DY;
                X1 += SX;
            }
            if (E2 <= DX) {
                Err += DX;
                Y1 += SY;
            }
        }
    }

    // Only full rectangles (BF_RECT) and the two edges the program uses.
    void Draw_Edge(const Rect& R, int Edge, int) override {
        const bool Raised = Edge == EDGE_RAISED_;
        const int Outer_LT = Raised ? COLOR_3DLIGHT_ : COLOR_BTNSHADOW_;
        const int Outer_RB = Raised ? COLOR_3DDKSHADOW_ : COLOR_BTNHIGHLIGHT_;
        const int Inner_LT = Raised ? COLOR_BTNHIGHLIGHT_ : COLOR_3DDKSHADOW_;
        const int Inner_RB = Raised ? COLOR_BTNSHADOW_ : COLOR_3DLIGHT_;
        Ring(R, 0, Colors_.Sys_Color(Outer_LT), Colors_.Sys_Color(Outer_RB));
        Ring(R, 1, Colors_.Sys_Color(Inner_LT), Colors_.Sys_Color(Inner_RB));
    }

    void Draw_Picture(Picture_Id Pic, int X, int Y, int Size) override {
        const std::vector<std::string> Art = Picture_Rows_At(Pic, Size);
        for (int Row = 0; Row < Size; ++Row)
            for (int Col = 0; Col < Size; ++Col)
                if (const auto C =
                        Picture_Pixel(Art[static_cast<size_t>(Row)][static_cast<size_t>(Col)]))
                    Set(X + Col, Y + Row, *C);
    }

    void Blit(const Surface& Source, int X, int Y, int W, int H) override {
        if (Record_Text) Ops.push_back("Blit " + std::to_string(X) + "," + std::to_string(Y));
        const auto* Src = dynamic_cast<const Pixel_Surface*>(&Source);
        if (!Src) return;
        W = std::min(W, Src->W_);
        H = std::min(H, Src->H_);
        for (int SY = 0; SY < H; ++SY) {
            const int DY = Y + SY;
            if (DY < 0 || DY >= H_) continue;
            for (int SX = std::max(0, -X); SX < W && X + SX < W_; ++SX)
                Pixels_[Index(X + SX, DY)] = Src->Pixels_[Src->Index(SX, SY)];
        }
    }

    void Draw_Text(std::string_view Utf8, const Rect& R, Color Text_Color) override {
        if (Record_Text) {
            Text_Calls.push_back({std::string(Utf8), R, Text_Color});
            Ops.push_back("Text " + std::to_string(R.Left) + "," + std::to_string(R.Top));
        }
        int X = R.Left, Y = R.Top;
        size_t I = 0;
        // The whole text is decoded, as the real text draw converts all it is given.
        while (I < Utf8.size()) {
            const char32_t C = Next_Code_Point(Utf8, I);
            if (C == U'\r' || C == U'\n') {
                // CR LF and LF CR are one break, as DrawText takes them.
                const char Other = C == U'\r' ? '\n' : '\r';
                if (I < Utf8.size() && Utf8[I] == Other) ++I;
                X = R.Left;
                Y += Line_Height;
                continue;
            }
            const int PX = X + static_cast<int>(C % static_cast<char32_t>(Char_Width));
            const int PY = Y + static_cast<int>((C / 7) % static_cast<char32_t>(Line_Height));
            if (PX >= R.Left && PX < R.Right && PY >= R.Top && PY < R.Bottom)
                Set(PX, PY, Text_Color);
            X += Char_Width;
        }
    }
    int Text_Line_Height() const override { return Line_Height; }

    bool operator==(const Pixel_Surface& O) const {
        return W_ == O.W_ && H_ == O.H_ && Pixels_ == O.Pixels_;
    }

  private:
    const System_Colors& Colors_;
    int W_ = 0, H_ = 0;
    std::vector<Color> Pixels_;

    bool Inside(int X, int Y) const { return X >= 0 && Y >= 0 && X < W_ && Y < H_; }
    size_t Index(int X, int Y) const {
        return static_cast<size_t>(Y) * static_cast<size_t>(W_) + static_cast<size_t>(X);
    }

    // Ring K inside R: its bottom row and right column in the dark colour, the rest light.
    void Ring(const Rect& R, int K, Color Light, Color Dark) {
        const int L = R.Left + K, T = R.Top + K, Rt = R.Right - 1 - K, B = R.Bottom - 1 - K;
        if (L > Rt || T > B) return;
        for (int X = L; X <= Rt; ++X) {
            Set(X, T, X == Rt ? Dark : Light);
            Set(X, B, Dark);
        }
        for (int Y = T; Y <= B; ++Y) {
            Set(L, Y, Y == B ? Dark : Light);
            Set(Rt, Y, Dark);
        }
    }
};
