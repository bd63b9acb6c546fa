#include "mainwindow/Row_Geometry.h"
#include "mainwindow/Visible_Text.h"
#include "tests/doubles/Test_Platform.h"

#include <gtest/gtest.h>

namespace {

// A button: the picture centred (pressed: a pixel lower right) on the face or the checkerboard.
Pixel_Surface Expected_Face(const System_Colors& C, bool Pressed, Picture_Id Id, int Face,
                            int Pic) {
    Pixel_Surface S(C, Face, Face);
    for (int Y = 0; Y < Face; ++Y)
        for (int X = 0; X < Face; ++X)
            S.Set(X, Y,
                  C.Sys_Color(!Pressed           ? System_Color::Button_Face
                              : (X + Y) % 2 == 0 ? System_Color::Button_Highlight
                                                 : System_Color::Light_3D));
    const int At = (Face - Pic) / 2 + Pressed;
    S.Draw_Picture(Id, At, At, Pic);
    S.Draw_Edge({0, 0, Face, Face}, Pressed ? Edge::Sunken : Edge::Raised);
    return S;
}

// At each dpi and after a colour change: the faces, the rows with their state, and the height.
TEST(Drawing, FacesRowsAndHeightAtEachDpi) {
    const struct {
        int Dpi, Pitch, Face, Text_Left, Picture, Outline, Margin, Top, Bottom; // text box in a row
    } Cases[] = {{96, 24, 23, 48, 16, 1, 3, 2, 20},
                 {144, 36, 35, 72, 24, 1, 5, 3, 30},
                 {192, 48, 47, 96, 32, 2, 6, 4, 40}};
    for (const auto& K : Cases) {
        SCOPED_TRACE(K.Dpi);
        Rig R("one|*!two|three|!four", K.Dpi);
        R.M.Store().Move(0, Pos_Bottom); // nodes 1, 2, 3, 0
        EXPECT_EQ(R.T.Window.Client_Height(), 4 * K.Pitch - 1);
        // The lock body's left side, in its middle row: outlines stay whole, crisp pixels.
        const auto Row =
            Picture_Rows_At(Picture_Id::Lock_Down, K.Picture)[size_t(K.Picture * 10 / 16)];
        EXPECT_EQ(Row.find_first_not_of('K', Row.find('K')) - Row.find('K'), size_t(K.Outline));
        for (const Color Shift : {Color(0), Rgb(3, 3, 3)}) {
            R.T.Colors.Shift = Shift;
            Pixel_Surface& B = R.T.Window.Buffer;
            B.Text_Calls.clear();
            R.Events.Colors_Changed();
            const System_Colors& C = R.T.Colors;
            // The button at (X, Y) of the back buffer: Up's picture, or pressed the one after it.
            const auto Face_At = [&](int X, int Y, bool Pressed, Picture_Id Up) {
                const Pixel_Surface Want =
                    Expected_Face(C, Pressed, Picture_Id(int(Up) + Pressed), K.Face, K.Picture);
                for (int DY = 0; DY < K.Face; ++DY)
                    for (int DX = 0; DX < K.Face; ++DX)
                        if (B.At(X + DX, Y + DY) != Want.At(DX, DY)) return false;
                return true;
            };
            const char* Names[] = {"one", "two", "three", "four"};
            ASSERT_EQ(B.Text_Calls.size(), 4u);
            for (int N = 0; N < 4; ++N) {
                const int16_t Slot = int16_t((N + 1) % 4); // "two" selected, it and "four" locked
                const bool Sel = N == 0, Locked = Slot % 2 == 1;
                const int Y = K.Pitch * N;
                const Rect Box{K.Text_Left + K.Margin, Y + K.Top, 232 - K.Margin, Y + K.Bottom};
                EXPECT_TRUE(Face_At(0, Y, Sel, Picture_Id::Arrow_Up)) << N;
                EXPECT_TRUE(Face_At(K.Pitch, Y, Locked, Picture_Id::Lock_Up)) << N;
                EXPECT_EQ(B.At(K.Text_Left + 2, Y + K.Pitch / 2),
                          C.Sys_Color(Sel ? System_Color::Highlight : System_Color::Window));
                const auto& Call = B.Text_Calls[size_t(N)];
                EXPECT_TRUE(Call.Text == Names[Slot] && Call.R == Box &&
                            Call.Ink == C.Sys_Color(Sel ? System_Color::Highlight_Text
                                                        : System_Color::Window_Text))
                    << N;
            }
        }
    }
}

// Drawing only the visible part of a text must show exactly what the whole text shows.
TEST(Drawing, VisibleTextShowsWhatTheWholeTextShows) {
    const Fake_System_Colors Colors;
    const std::string Long(5000, 'w');
    std::string Many;
    for (int I = 0; I < 30; ++I)
        Many += std::to_string(I) + (I % 3 == 0 ? "\r\n" : I % 3 == 1 ? "\n\r" : "\n");
    const std::string Texts[] = {"",
                                 "short",
                                 Long,
                                 "a\n\rb\r\rc\n\nd",
                                 "\r\n\r\nthird",
                                 Long + "\r\n" + Long,
                                 "\xC3\xA9t\xE4\xB8\xAD\xF0\x9F\x98\x80 " + Long,
                                 std::string(2000, 'e') + std::string(3000, '\xCC'),
                                 Many + Long};
    for (const int Height : {18, 40})
        for (const int Width : {0, 40, 700})
            for (const int Line : {1, 13, 30})
                for (const std::string& T : Texts) {
                    Pixel_Surface Whole(Colors, Width + 60, Height + 12),
                        Cut(Colors, Width + 60, Height + 12);
                    Whole.Line_Height = Cut.Line_Height = Line;
                    const Rect Box{3, 2, 3 + Width, 2 + Height};
                    Whole.Draw_Text(T, Box, 7);
                    const std::string Shown = Visible_Text(T, Width, Height, Line);
                    Cut.Draw_Text(Shown, Box, 7);
                    ASSERT_TRUE(Whole == Cut)
                        << T.substr(0, 20) << " " << Width << "x" << Height << "/" << Line;
                    ASSERT_LT(Shown.size(), 4u * 16 * (2 * size_t(Width) + 16) * 40 + 80);
                }
    // Lines found on a draw belong to that text alone: a new text of the same size shows its own.
    Slot_Text Text = std::string("abcdefgh\r\nijk");
    Visible_Text(Text, 180, 18, 1);
    Text = std::string("ab\r\ncdefghijk");
    EXPECT_EQ(Visible_Text(Text, 180, 18, 1),
              Visible_Text(Slot_Text("ab\r\ncdefghijk"), 180, 18, 1));
}

} // namespace
