#include "mainwindow/Visible_Text.h"
#include "tests/doubles/Test_Platform.h"

#include <gtest/gtest.h>

namespace {

const Pixel_Surface& Px(const std::unique_ptr<Surface>& S) {
    return static_cast<const Pixel_Surface&>(*S);
}

// The two-pixel DrawEdge frame of a W x 23 block (bottom and right sides dark); none inside.
std::optional<Color> Frame_At(const System_Colors& C, bool Sunken, int W, int X, int Y) {
    const int Ring = std::min(std::min(X, Y), std::min(W - 1 - X, 22 - Y));
    if (Ring > 1) return std::nullopt;
    const bool Dark = X == W - 1 - Ring || Y == 22 - Ring;
    const int Raised[2][2] = {{COLOR_3DLIGHT_, COLOR_3DDKSHADOW_}, {COLOR_BTNHIGHLIGHT_, COLOR_BTNSHADOW_}};
    const int Lowered[2][2] = {{COLOR_BTNSHADOW_, COLOR_BTNHIGHLIGHT_}, {COLOR_3DDKSHADOW_, COLOR_3DLIGHT_}};
    return C.Sys_Color((Sunken ? Lowered : Raised)[Ring][Dark]);
}

// A button face from the rules: frame, picture, then the face colour or the checkerboard.
Color Expected_Face(const System_Colors& C, bool Pressed, Picture_Id Pic, int X, int Y) {
    if (const auto F = Frame_At(C, Pressed, 23, X, Y)) return *F;
    const int At = Pressed ? 4 : 3;
    if (X >= At && X < At + 16 && Y >= At && Y < At + 16)
        if (const auto P = Picture_Pixel(Picture_Art(Pic)[size_t(Y - At)][size_t(X - At)])) return *P;
    if (!Pressed) return C.Sys_Color(COLOR_BTNFACE_);
    return C.Sys_Color((X + Y) % 2 == 0 ? COLOR_BTNHIGHLIGHT_ : COLOR_3DLIGHT_);
}

// Every pixel of the four faces and two panels, before and after a colour change.
TEST(Drawing, EveryPixelOfEachFaceAndPanel) {
    Rig R("*a");
    for (const Color Shift : {Color(0), Rgb(3, 3, 3)}) {
        R.T.Colors.Shift = Shift;
        Sys_SysColorsChanged(R.M);
        const System_Colors& C = R.T.Colors;
        const List_View& V = R.M.View;
        const std::tuple<const Pixel_Surface&, bool, Picture_Id> Faces[] = {
            {Px(V.pArrowDown), true, Picture_Id::Arrow_Down}, {Px(V.pArrowUp), false, Picture_Id::Arrow_Up},
            {Px(V.pLockDown), true, Picture_Id::Lock_Down},   {Px(V.pLockUp), false, Picture_Id::Lock_Up}};
        for (const auto& [S, Pressed, Pic] : Faces)
            for (int Y = 0; Y < 23; ++Y)
                for (int X = 0; X < 23; ++X)
                    ASSERT_EQ(S.At(X, Y), Expected_Face(C, Pressed, Pic, X, Y)) << X << "," << Y;
        for (const bool High : {false, true}) {
            const Pixel_Surface& P = Px(High ? V.TextHigh : V.TextNorm);
            ASSERT_EQ(P.Width(), 232 - 48);
            const Color Fill = C.Sys_Color(High ? COLOR_HIGHLIGHT_ : COLOR_WINDOW_);
            for (int Y = 0; Y < 23; ++Y)
                for (int X = 0; X < P.Width(); ++X)
                    ASSERT_EQ(P.At(X, Y), Frame_At(C, true, P.Width(), X, Y).value_or(Fill)) << X << "," << Y;
        }
    }
}

bool Block_Equals(const Pixel_Surface& B, int X0, int Y0, const Pixel_Surface& S, const Rect& Skip) {
    for (int Y = 0; Y < S.Height(); ++Y)
        for (int X = 0; X < S.Width(); ++X)
            if (!(X0 + X >= Skip.Left && X0 + X < Skip.Right && Y0 + Y >= Skip.Top && Y0 + Y < Skip.Bottom) &&
                B.At(X0 + X, Y0 + Y) != S.At(X, Y))
                return false;
    return true;
}

TEST(Drawing, RowsInListOrderWithSelectionLockAndText) {
    Rig R("one|*!two|three & more|!four");
    List_Move(R.M.Store.List, 0, Pos_Bottom); // nodes 1, 2, 3, 0
    Pixel_Surface& B = R.T.Window.Buffer;
    B.Text_Calls.clear();
    Refresh_Pics(R.M);
    const List_View& V = R.M.View;
    const struct {
        int16_t Slot;
        bool Sel, Locked;
        const char* Text;
    } Rows[] = {{1, true, true, "two"}, {2, false, false, "three & more"}, {3, false, true, "four"}, {0, false, false, "one"}};
    ASSERT_EQ(B.Text_Calls.size(), 4u);
    for (int Row = 0; Row < 4; ++Row) {
        const auto& W = Rows[Row];
        const int Y = 24 * Row;
        const Rect Text_Box{51, Y + 2, 232 - 3, Y + 20};
        EXPECT_EQ(V.Row_Slot[size_t(Row)], W.Slot);
        EXPECT_TRUE(Block_Equals(B, 0, Y, Px(W.Sel ? V.pArrowDown : V.pArrowUp), {}));
        EXPECT_TRUE(Block_Equals(B, 24, Y, Px(W.Locked ? V.pLockDown : V.pLockUp), {}));
        EXPECT_TRUE(Block_Equals(B, 48, Y, Px(W.Sel ? V.TextHigh : V.TextNorm), Text_Box));
        EXPECT_EQ(B.Text_Calls[size_t(Row)].Text, W.Text);
        EXPECT_EQ(B.Text_Calls[size_t(Row)].R, Text_Box);
        EXPECT_EQ(B.Text_Calls[size_t(Row)].Text_Color,
                  R.T.Colors.Sys_Color(W.Sel ? COLOR_HIGHLIGHTTEXT_ : COLOR_WINDOWTEXT_));
    }
}

TEST(Drawing, HeightSnapsToTheRowsAndPanelsFollowTheWidth) {
    const struct {
        int Slots, State, W, H, Want_H, Want_Panel, Want_Texts; // rows below the window: no text
    } Cases[] = {
        {1, Window_Normal, 300, 500, 23, 252, 1},         {71, Window_Normal, 300, 500, 24 * 71 - 1, 252, 71},
        {2, Window_Maximized, 800, 600, 600, 752, 2},     {3, Window_Minimized, 232, 30, 30, 184, 2},
        {1, Window_Normal, 40, 23, 23, 0, 1},
    };
    for (const auto& C : Cases) {
        std::string Spec = "*x";
        for (int I = 1; I < C.Slots; ++I)
            Spec += "|x";
        Rig R(Spec);
        R.T.Window.State = C.State;
        auto& Calls = R.T.Window.Buffer.Text_Calls;
        Calls.clear();
        R.T.Window.User_Resize(C.W, C.H);
        EXPECT_EQ(R.T.Window.Client_Height(), C.Want_H) << C.Slots;
        EXPECT_EQ(R.M.View.TextHigh->Width(), C.Want_Panel) << C.Slots;
        EXPECT_EQ(R.T.Window.Tip_Width, C.Want_Panel) << C.Slots;
        ASSERT_EQ(Calls.size(), size_t(C.Want_Texts)) << C.Slots;
    }
}

// Drawing only the visible part of a text must show exactly what the whole text shows.
TEST(Drawing, VisibleTextShowsWhatTheWholeTextShows) {
    const Fake_System_Colors Colors;
    const std::string Long(5000, 'w');
    std::string Many;
    for (int I = 0; I < 30; ++I)
        Many += std::to_string(I) + (I % 3 == 0 ? "\r\n" : I % 3 == 1 ? "\n\r" : "\n");
    const std::string Texts[] = {"", "short", Long, "a\n\rb\r\rc\n\nd", "\r\n\r\nthird", Long + "\r\n" + Long,
                                 "\xC3\xA9t\xE4\xB8\xAD\xF0\x9F\x98\x80 " + Long,
                                 std::string(2000, 'e') + std::string(3000, '\xCC'), Many + Long};
    for (const int Height : {18, 40})
        for (const int Width : {0, 40, 700})
            for (const int Line : {1, 13, 30})
                for (const std::string& T : Texts) {
                    Pixel_Surface Whole(Colors, Width + 60, Height + 12), Cut(Colors, Width + 60, Height + 12);
                    Whole.Line_Height = Cut.Line_Height = Line;
                    const Rect Box{3, 2, 3 + Width, 2 + Height};
                    Whole.Draw_Text(T, Box, 7);
                    const std::string Shown = Visible_Text(T, Width, Height, Line);
                    Cut.Draw_Text(Shown, Box, 7);
                    ASSERT_TRUE(Whole == Cut) << T.substr(0, 20) << " " << Width << "x" << Height << "/" << Line;
                    ASSERT_LT(Shown.size(), 4u * 16 * (2 * size_t(Width) + 16) * 40 + 80);
                }
    // Lines found on a draw belong to that text alone: a new text of the same size shows its own.
    Slot_Text Text = std::string("abcdefgh\r\nijk");
    Visible_Text(Text, 180, 18, 1);
    Text = std::string("ab\r\ncdefghijk");
    EXPECT_EQ(Visible_Text(Text, 180, 18, 1), Visible_Text(Slot_Text("ab\r\ncdefghijk"), 180, 18, 1));
}

} // namespace
