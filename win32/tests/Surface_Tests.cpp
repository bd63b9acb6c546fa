#include "resources/Pictures.h"
#include "win32/Win32_Surface.h"
#include "win32/tests/Check.h"

#include <functional>

namespace {

constexpr Color Paper = Rgb(10, 20, 30);
constexpr Color Ink = Rgb(200, 100, 50);

// Pixels of S that differ from Want(X, Y).
int Wrong(const Win32_Surface& S, const std::function<Color(int, int)>& Want) {
    int N = 0;
    for (int Y = 0; Y < S.Height(); ++Y)
        for (int X = 0; X < S.Width(); ++X)
            N += S.Pixel(X, Y) != Want(X, Y);
    return N;
}

bool Inside(int X, int Y, int L, int T, int R, int B) {
    return X >= L && X < R && Y >= T && Y < B;
}

} // namespace

int Surface_Tests() {
    Check_Count C;
    // Lines include both end points: the pressed face's diagonals rely on it.
    for (const auto& [X1, Y1, X2, Y2, Length] :
         {std::array{2, 5, 9, 5, 8}, {4, 1, 4, 12, 12}, {2, 2, 20, 20, 19}, {20, 2, 2, 20, 19}}) {
        Win32_Surface S(23, 23);
        S.Fill_Rect({0, 0, 23, 23}, Paper);
        S.Line(X1, Y1, X2, Y2, Ink);
        const int Off = Wrong(S, [](int, int) { return Paper; });
        CHECK(C, S.Pixel(X1, Y1) == Ink && S.Pixel(X2, Y2) == Ink && Off == Length);
    }
    for (Picture_Id Id : {Picture_Id::Arrow_Up, Picture_Id::Arrow_Down, Picture_Id::Lock_Up,
                          Picture_Id::Lock_Down}) {
        Win32_Surface S(23, 23);
        S.Fill_Rect({0, 0, 23, 23}, Paper);
        S.Draw_Picture(Id, 4, 3);
        const Picture_Rows& Art = Picture_Art(Id);
        CHECK(C, Wrong(S, [&](int X, int Y) {
                     if (!Inside(X, Y, 4, 3, 20, 19)) return Paper;
                     return Picture_Pixel(Art[size_t(Y - 3)][size_t(X - 4)]).value_or(Paper);
                 }) == 0);
    }

    Win32_Surface Src(23, 23), Dst(100, 60);
    for (int Y = 0; Y < 23; ++Y)
        for (int X = 0; X < 23; ++X)
            Src.Fill_Rect({X, Y, X + 1, Y + 1}, Rgb(uint8_t(X * 10), uint8_t(Y * 10), 7));
    Dst.Fill_Rect({0, 0, 100, 60}, Paper);
    Dst.Blit(Src, 24, 30, 23, 23);
    CHECK(C, Wrong(Dst, [&](int X, int Y) {
                 return Inside(X, Y, 24, 30, 47, 53) ? Src.Pixel(X - 24, Y - 30) : Paper;
             }) == 0);
    // Growing the back buffer keeps what was drawn and fills the new part.
    Dst.Resize_Keeping(120, 80, Ink);
    CHECK(C, Dst.Width() == 120 && Dst.Pixel(24, 30) == Src.Pixel(0, 0) &&
                 Dst.Pixel(0, 0) == Paper && Dst.Pixel(110, 70) == Ink);
    // A panel narrower than the text column: no bitmap, no failure.
    Win32_Surface Empty(-5, 23);
    Empty.Draw_Text("text", {0, 0, 10, 10}, Ink);
    Dst.Blit(Empty, 0, 0, 10, 10);
    CHECK(C, Empty.Width() == 0 && Dst.Pixel(0, 0) == Paper);

    // Text stays inside its rectangle: long lines and later lines are clipped.
    Win32_Surface T(120, 40);
    T.Fill_Rect({0, 0, 120, 40}, Paper);
    T.Draw_Text("W&W WWWWWWWWWWWWWWWWWWWWWWW\r\nsecond\r\nthird\r\nfourth", {51, 2, 90, 20}, Ink);
    CHECK(C, Wrong(T, [](int, int) { return Paper; }) > 0);
    CHECK(C, Wrong(T, [&](int X, int Y) { return Inside(X, Y, 51, 2, 90, 20) ? T.Pixel(X, Y) : Paper; }) == 0);
    CHECK(C, T.Text_Line_Height() > 8 && T.Text_Line_Height() < 30);
    return C.Failures;
}
