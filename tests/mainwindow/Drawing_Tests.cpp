#include "tests/mainwindow/Main_Harness.h"

#include <gtest/gtest.h>

namespace {

// The colour a 23x23 face must show at (X, Y), derived pixel by pixel from the rules rather
// than by drawing: two frame rings, then the picture, then the face or the checkerboard.
Color Expected_Face(const System_Colors& C, bool Pressed, Picture_Id Pic, int X, int Y) {
    const int Ring = std::min(std::min(X, Y), std::min(22 - X, 22 - Y));
    if (Ring <= 1) {
        const bool Dark = X == 22 - Ring || Y == 22 - Ring;
        const int Raised[2][2] = {{COLOR_3DLIGHT_, COLOR_3DDKSHADOW_},
                                  {COLOR_BTNHIGHLIGHT_, COLOR_BTNSHADOW_}};
        const int Sunken[2][2] = {{COLOR_BTNSHADOW_, COLOR_BTNHIGHLIGHT_},
                                  {COLOR_3DDKSHADOW_, COLOR_3DLIGHT_}};
        return C.Sys_Color((Pressed ? Sunken : Raised)[Ring][Dark ? 1 : 0]);
    }
    const int At = Pressed ? 4 : 3;
    if (X >= At && X < At + 16 && Y >= At && Y < At + 16)
        if (const auto P = Picture_Pixel(Picture_Art(Pic)[size_t(Y - At)][size_t(X - At)]))
            return *P;
    if (!Pressed) return C.Sys_Color(COLOR_BTNFACE_);
    return C.Sys_Color((X + Y) % 2 == 0 ? COLOR_BTNHIGHLIGHT_ : COLOR_3DLIGHT_);
}

TEST(Button_Faces, EveryPixelOfEachFace) {
    Harness H;
    H.Start_With({"a"});
    const struct {
        const std::unique_ptr<Surface>& Sprite;
        bool Pressed;
        Picture_Id Pic;
    } Faces[] = {{H.M.pArrowDown, true, Picture_Id::Arrow_Down},
                 {H.M.pArrowUp, false, Picture_Id::Arrow_Up},
                 {H.M.pLockDown, true, Picture_Id::Lock_Down},
                 {H.M.pLockUp, false, Picture_Id::Lock_Up}};
    for (const auto& F : Faces) {
        const Pixel_Surface& S = H.Sprite(F.Sprite);
        ASSERT_EQ(S.Width(), 23);
        ASSERT_EQ(S.Height(), 23);
        for (int Y = 0; Y < 23; ++Y)
            for (int X = 0; X < 23; ++X)
                ASSERT_EQ(S.At(X, Y), Expected_Face(H.T.Colors, F.Pressed, F.Pic, X, Y))
                    << "pressed " << F.Pressed << " at " << X << "," << Y;
    }
}

TEST(Button_Faces, PanelIsSunkenFrameAroundItsColour) {
    Harness H;
    H.Start_With({"a"});
    const Pixel_Surface& Norm = H.Sprite(H.M.TextNorm);
    const Pixel_Surface& High = H.Sprite(H.M.TextHigh);
    ASSERT_EQ(Norm.Width(), 232 - 48);
    const System_Colors& C = H.T.Colors;
    for (int Y = 0; Y < 23; ++Y)
        for (int X = 0; X < Norm.Width(); ++X) {
            const int Ring = std::min(std::min(X, Y), std::min(Norm.Width() - 1 - X, 22 - Y));
            const bool Dark = X == Norm.Width() - 1 - Ring || Y == 22 - Ring;
            const int Edge[2][2] = {{COLOR_BTNSHADOW_, COLOR_BTNHIGHLIGHT_},
                                    {COLOR_3DDKSHADOW_, COLOR_3DLIGHT_}};
            const Color Frame = Ring <= 1 ? C.Sys_Color(Edge[Ring][Dark]) : 0;
            ASSERT_EQ(Norm.At(X, Y), Ring <= 1 ? Frame : C.Sys_Color(COLOR_WINDOW_))
                << X << "," << Y;
            ASSERT_EQ(High.At(X, Y), Ring <= 1 ? Frame : C.Sys_Color(COLOR_HIGHLIGHT_))
                << X << "," << Y;
        }
}

bool Block_Equals(const Pixel_Surface& Buffer, int X0, int Y0, const Pixel_Surface& Sprite,
                  const Rect& Skip = {}) {
    for (int Y = 0; Y < Sprite.Height(); ++Y)
        for (int X = 0; X < Sprite.Width(); ++X) {
            const bool Skipped = X0 + X >= Skip.Left && X0 + X < Skip.Right && Y0 + Y >= Skip.Top &&
                                 Y0 + Y < Skip.Bottom;
            if (!Skipped && Buffer.At(X0 + X, Y0 + Y) != Sprite.At(X, Y)) return false;
        }
    return true;
}

TEST(Rows, EachRowShowsItsSelectionLockAndText) {
    Harness H;
    H.Start_With({"one", "*two", "three & more", "*four"}, 1);
    Pixel_Surface& B = H.T.Window.Buffer;
    B.Text_Calls.clear();
    Refresh_Pics(H.M);
    const Color Ink = H.T.Colors.Sys_Color(COLOR_WINDOWTEXT_);
    const Color Hi_Ink = H.T.Colors.Sys_Color(COLOR_HIGHLIGHTTEXT_);
    const struct {
        bool Selected, Locked;
        const char* Text;
    } Rows[] = {{false, false, "one"},
                {true, true, "two"},
                {false, false, "three & more"},
                {false, true, "four"}};
    ASSERT_EQ(B.Text_Calls.size(), 4u);
    for (int R = 0; R < 4; ++R) {
        const int Y = 24 * R;
        SCOPED_TRACE(R);
        EXPECT_EQ(H.M.Row_Slot[size_t(R)], R);
        EXPECT_TRUE(
            Block_Equals(B, 0, Y, H.Sprite(Rows[R].Selected ? H.M.pArrowDown : H.M.pArrowUp)));
        EXPECT_TRUE(Block_Equals(B, 24, Y, H.Sprite(Rows[R].Locked ? H.M.pLockDown : H.M.pLockUp)));
        const Rect Text_Box{51, Y + 2, 232 - 3, Y + 20};
        EXPECT_TRUE(Block_Equals(B, 48, Y, H.Sprite(Rows[R].Selected ? H.M.TextHigh : H.M.TextNorm),
                                 Text_Box));
        EXPECT_EQ(B.Text_Calls[size_t(R)].Text, Rows[R].Text);
        EXPECT_EQ(B.Text_Calls[size_t(R)].R, Text_Box);
        EXPECT_EQ(B.Text_Calls[size_t(R)].Text_Color, Rows[R].Selected ? Hi_Ink : Ink);
    }
}

TEST(Rows, DrawnInListOrderArrowPanelLockText) {
    Harness H;
    H.Start_With({"a", "b", "c"});
    List_Move(H.M.List, 0, Pos_Bottom); // list order b, c, a: nodes 1, 2, 0
    Pixel_Surface& B = H.T.Window.Buffer;
    B.Ops.clear();
    B.Text_Calls.clear();
    Refresh_Pics(H.M);
    std::vector<std::string> Expected;
    for (int Y : {0, 24, 48})
        for (const char* Op : {"Blit 0,", "Blit 48,", "Blit 24,", "Text 51,"})
            Expected.push_back(Op + std::to_string(Op[0] == 'T' ? Y + 2 : Y));
    EXPECT_EQ(B.Ops, Expected);
    EXPECT_EQ(B.Text_Calls[2].Text, "a");
    EXPECT_EQ((std::vector<int16_t>{H.M.Row_Slot[0], H.M.Row_Slot[1], H.M.Row_Slot[2]}),
              (std::vector<int16_t>{1, 2, 0}));
}

TEST(Rows, NothingSelectedAndBrokenChainShowPlainRows) {
    Harness H;
    H.Start_With({"a", "b"}, Nil_Slot);
    H.M.List.List_Ubound = 2; // a damaged file: the chain ends one row early
    Pixel_Surface& B = H.T.Window.Buffer;
    B.Text_Calls.clear();
    Form_Resize(H.M);
    EXPECT_EQ(H.M.Row_Slot[2], Nil_Slot);
    EXPECT_EQ(B.Text_Calls.size(), 2u); // no text for the row without a slot
    for (int Y : {0, 24, 48}) {
        EXPECT_TRUE(Block_Equals(B, 0, Y, H.Sprite(H.M.pArrowUp)));
        EXPECT_TRUE(Block_Equals(B, 24, Y, H.Sprite(H.M.pLockUp)));
    }
    EXPECT_TRUE(Block_Equals(B, 48, 48, H.Sprite(H.M.TextNorm)));
}

TEST(Resize, ClientHeightSnapsToRowsInNormalStateOnly) {
    for (int N : {1, 5, 71}) {
        Harness H;
        H.Start_With(std::vector<std::string>(size_t(N), "x"));
        H.T.Window.User_Resize(300, 500); // the user drags the bottom edge
        EXPECT_EQ(H.T.Window.Client_H, 24 * N - 1) << N;
        EXPECT_EQ(H.T.Window.Client_W, 300);
        EXPECT_EQ(H.T.Window.Buffer.Text_Calls.back().R,
                  (Rect{51, 24 * (N - 1) + 2, 297, 24 * N - 4}));
    }
    Harness H;
    H.Start_With({"a", "b"});
    H.T.Window.State = Window_Maximized;
    H.T.Window.User_Resize(800, 600);
    EXPECT_EQ(H.T.Window.Client_H, 600);
    EXPECT_EQ(H.M.TextNorm->Width(), 800 - 48);
    EXPECT_FALSE(H.M.Resizing);
}

TEST(Resize, RowBelowClientAreaGetsNoText) {
    Harness H;
    H.Start_With({"a", "b", "c"});
    H.T.Window.State = Window_Minimized;
    H.T.Window.Buffer.Text_Calls.clear();
    H.T.Window.User_Resize(232, 30);
    ASSERT_EQ(H.T.Window.Buffer.Text_Calls.size(), 2u); // rows at y 0 and 24, not 48
}

TEST(Resize, NarrowerThanTextColumnKeepsZeroWidth) {
    Harness H;
    H.Start_With({"a"});
    H.T.Window.User_Resize(40, 23);
    EXPECT_EQ(H.M.TextNorm->Width(), 0);
    EXPECT_EQ(H.M.TextHigh->Width(), 0);
    EXPECT_EQ(H.T.Window.Tip_Width, 0);
    EXPECT_TRUE(Block_Equals(H.T.Window.Buffer, 0, 0, H.Sprite(H.M.pArrowDown)));
}

TEST(Colors, ChangeRepaintsFacesAndPanelsInNewColours) {
    Harness H;
    H.Start_With({"a", "b"}, 1);
    H.T.Colors.Colors[COLOR_BTNFACE_] = Rgb(1, 2, 3);
    H.T.Colors.Colors[COLOR_HIGHLIGHT_] = Rgb(4, 5, 6);
    Sys_SysColorsChanged(H.M);
    EXPECT_EQ(H.T.Window.Buffer.At(11, 2), Rgb(1, 2, 3));        // released arrow face, row 0
    EXPECT_EQ(H.T.Window.Buffer.At(100, 24 + 20), Rgb(4, 5, 6)); // selected panel, row 1
    EXPECT_EQ(H.T.Window.Clears, 1);
}

} // namespace
