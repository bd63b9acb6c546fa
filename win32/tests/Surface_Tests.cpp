#include "win32/Win32_Surface.h"
#include "win32/tests/Check.h"
#include "resources/Pictures.h"

namespace {

constexpr Color Paper = Rgb(10, 20, 30);
constexpr Color Ink = Rgb(200, 100, 50);

int Count_Ink(const Win32_Surface& S, Color C) {
    int N = 0;
    for (int Y = 0; Y < S.Height(); ++Y)
        for (int X = 0; X < S.Width(); ++X)
            N += S.Pixel(X, Y) == C;
    return N;
}

void Lines(Check_Count& C) {
    struct Case {
        int X1, Y1, X2, Y2, Length;
    };
    // The pressed face's diagonals rely on both end points being set.
    const Case Cases[] = {
        {2, 5, 9, 5, 8}, {4, 1, 4, 12, 12}, {2, 2, 20, 20, 19}, {20, 2, 2, 20, 19}};
    for (const Case& K : Cases) {
        Win32_Surface S(23, 23);
        S.Fill_Rect({0, 0, 23, 23}, Paper);
        S.Line(K.X1, K.Y1, K.X2, K.Y2, Ink);
        CHECK(C, S.Pixel(K.X1, K.Y1) == Ink);
        CHECK(C, S.Pixel(K.X2, K.Y2) == Ink);
        CHECK(C, Count_Ink(S, Ink) == K.Length);
    }
}

void Pictures(Check_Count& C) {
    for (Picture_Id Id : {Picture_Id::Arrow_Up, Picture_Id::Arrow_Down, Picture_Id::Lock_Up,
                          Picture_Id::Lock_Down}) {
        Win32_Surface S(23, 23);
        S.Fill_Rect({0, 0, 23, 23}, Paper);
        S.Draw_Picture(Id, 4, 3);
        const Picture_Rows& Art = Picture_Art(Id);
        int Wrong = 0;
        for (int Y = 0; Y < 23; ++Y)
            for (int X = 0; X < 23; ++X) {
                Color Want = Paper; // transparent and outside the picture alike
                if (X >= 4 && X < 20 && Y >= 3 && Y < 19)
                    Want =
                        Picture_Pixel(Art[static_cast<size_t>(Y - 3)][static_cast<size_t>(X - 4)])
                            .value_or(Paper);
                Wrong += S.Pixel(X, Y) != Want;
            }
        CHECK(C, Wrong == 0);
    }
}

void Copies(Check_Count& C) {
    Win32_Surface Src(23, 23);
    for (int Y = 0; Y < 23; ++Y)
        for (int X = 0; X < 23; ++X)
            Src.Fill_Rect({X, Y, X + 1, Y + 1}, Rgb(uint8_t(X * 10), uint8_t(Y * 10), 7));
    Win32_Surface Dst(100, 60);
    Dst.Fill_Rect({0, 0, 100, 60}, Paper);
    Dst.Blit(Src, 24, 30, 23, 23);
    int Wrong = 0;
    for (int Y = 0; Y < 60; ++Y)
        for (int X = 0; X < 100; ++X) {
            const bool Inside = X >= 24 && X < 47 && Y >= 30 && Y < 53;
            Wrong += Dst.Pixel(X, Y) != (Inside ? Src.Pixel(X - 24, Y - 30) : Paper);
        }
    CHECK(C, Wrong == 0);

    // Growing the back buffer keeps what was drawn and fills the new part.
    Dst.Resize_Keeping(120, 80, Ink);
    CHECK(C, Dst.Width() == 120 && Dst.Height() == 80);
    CHECK(C, Dst.Pixel(24, 30) == Src.Pixel(0, 0));
    CHECK(C, Dst.Pixel(0, 0) == Paper);
    CHECK(C, Dst.Pixel(110, 70) == Ink);

    // A panel of a window narrower than the text column: no bitmap, no failure.
    Win32_Surface Empty(-5, 23);
    Empty.Fill_Rect({0, 0, 10, 10}, Ink);
    Empty.Draw_Text("text", {0, 0, 10, 10}, Ink);
    Dst.Blit(Empty, 0, 0, 10, 10);
    CHECK(C, Empty.Width() == 0 && Dst.Pixel(0, 0) == Paper);
}

void Text(Check_Count& C) {
    // Text stays inside its rectangle: long lines and later lines are clipped.
    const Rect R{51, 2, 90, 20};
    Win32_Surface S(120, 40);
    S.Fill_Rect({0, 0, 120, 40}, Paper);
    S.Draw_Text("W&W WWWWWWWWWWWWWWWWWWWWWWW\r\nsecond\r\nthird\r\nfourth", R, Ink);
    int Inside = 0, Outside = 0;
    for (int Y = 0; Y < 40; ++Y)
        for (int X = 0; X < 120; ++X) {
            if (S.Pixel(X, Y) == Paper) continue;
            const bool In = X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
            (In ? Inside : Outside)++;
        }
    CHECK(C, Inside > 0);
    CHECK(C, Outside == 0);
    CHECK(C, S.Text_Line_Height() > 8 && S.Text_Line_Height() < 30);
}

} // namespace

int Surface_Tests() {
    Check_Count C;
    Lines(C);
    Pictures(C);
    Copies(C);
    Text(C);
    return C.Failures;
}
