#include "tests/mainwindow/Main_Harness.h"

#include <gtest/gtest.h>

namespace {

// The two-pixel frame DrawEdge gives a W x 23 block: bottom and right sides take the dark
// colour; nothing for pixels inside the frame.
std::optional<Color> Frame_At(const System_Colors& C, bool Sunken, int W, int X, int Y) {
    const int Ring = std::min(std::min(X, Y), std::min(W - 1 - X, 22 - Y));
    if (Ring > 1) return std::nullopt;
    const bool Dark = X == W - 1 - Ring || Y == 22 - Ring;
    const int Raised[2][2] = {{COLOR_3DLIGHT_, COLOR_3DDKSHADOW_},
                              {COLOR_BTNHIGHLIGHT_, COLOR_BTNSHADOW_}};
    const int Lowered[2][2] = {{COLOR_BTNSHADOW_, COLOR_BTNHIGHLIGHT_},
                               {COLOR_3DDKSHADOW_, COLOR_3DLIGHT_}};
    return C.Sys_Color((Sunken ? Lowered : Raised)[Ring][Dark ? 1 : 0]);
}

// A button face derived from the rules rather than by drawing: frame, picture, then the face
// colour or, when pressed, the checkerboard.
Color Expected_Face(const System_Colors& C, bool Pressed, Picture_Id Pic, int X, int Y) {
    if (const auto F = Frame_At(C, Pressed, 23, X, Y)) return *F;
    const int At = Pressed ? 4 : 3;
    if (X >= At && X < At + 16 && Y >= At && Y < At + 16)
        if (const auto P = Picture_Pixel(Picture_Art(Pic)[size_t(Y - At)][size_t(X - At)]))
            return *P;
    if (!Pressed) return C.Sys_Color(COLOR_BTNFACE_);
    return C.Sys_Color((X + Y) % 2 == 0 ? COLOR_BTNHIGHLIGHT_ : COLOR_3DLIGHT_);
}

TEST(Button_Faces, EveryPixelOfEachFaceAndPanel) {
    Harness H;
    H.Start_With({"a"});
    const System_Colors& C = H.T.Colors;
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
                ASSERT_EQ(S.At(X, Y), Expected_Face(C, F.Pressed, F.Pic, X, Y))
                    << "pressed " << F.Pressed << " at " << X << "," << Y;
    }
    for (const bool High : {false, true}) {
        const Pixel_Surface& P = H.Sprite(High ? H.M.TextHigh : H.M.TextNorm);
        ASSERT_EQ(P.Width(), 232 - 48);
        for (int Y = 0; Y < 23; ++Y)
            for (int X = 0; X < P.Width(); ++X)
                ASSERT_EQ(P.At(X, Y),
                          Frame_At(C, true, P.Width(), X, Y)
                              .value_or(C.Sys_Color(High ? COLOR_HIGHLIGHT_ : COLOR_WINDOW_)))
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
        const bool Sel = Rows[R].Selected;
        SCOPED_TRACE(R);
        EXPECT_EQ(H.M.Row_Slot[size_t(R)], R);
        EXPECT_TRUE(Block_Equals(B, 0, Y, H.Sprite(Sel ? H.M.pArrowDown : H.M.pArrowUp)));
        EXPECT_TRUE(Block_Equals(B, 24, Y, H.Sprite(Rows[R].Locked ? H.M.pLockDown : H.M.pLockUp)));
        const Rect Text_Box{51, Y + 2, 232 - 3, Y + 20};
        EXPECT_TRUE(Block_Equals(B, 48, Y, H.Sprite(Sel ? H.M.TextHigh : H.M.TextNorm), Text_Box));
        EXPECT_EQ(B.Text_Calls[size_t(R)].Text, Rows[R].Text);
        EXPECT_EQ(B.Text_Calls[size_t(R)].R, Text_Box);
        EXPECT_EQ(B.Text_Calls[size_t(R)].Text_Color,
                  H.T.Colors.Sys_Color(Sel ? COLOR_HIGHLIGHTTEXT_ : COLOR_WINDOWTEXT_));
    }
}

TEST(Rows, DrawnInListOrderArrowPanelLockText) {
    Harness H;
    H.Start_With({"a", "b", "c"});
    List_Move(H.M.List, 0, Pos_Bottom); // list order b, c, a: nodes 1, 2, 0
    Pixel_Surface& B = H.T.Window.Buffer;
    B.Ops.clear();
    Refresh_Pics(H.M);
    std::vector<std::string> Expected;
    for (int Y : {0, 24, 48})
        for (const char* Op : {"Blit 0,", "Blit 48,", "Blit 24,", "Text 51,"})
            Expected.push_back(Op + std::to_string(Op[0] == 'T' ? Y + 2 : Y));
    EXPECT_EQ(B.Ops, Expected);
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
    EXPECT_EQ(B.Text_Calls.size(), 2u);
    for (int Y : {0, 24, 48}) {
        EXPECT_TRUE(Block_Equals(B, 0, Y, H.Sprite(H.M.pArrowUp)));
        EXPECT_TRUE(Block_Equals(B, 24, Y, H.Sprite(H.M.pLockUp)));
    }
}

TEST(Resize, HeightSnapsToRowsInNormalStateAndPanelsFollowTheWidth) {
    const struct {
        int Slots, State, W, H;
        int Want_H, Want_Panel, Want_Texts; // rows below the client area get no text
    } Cases[] = {
        {1, Window_Normal, 300, 500, 23, 252, 1},
        {71, Window_Normal, 300, 500, 24 * 71 - 1, 252, 71},
        {2, Window_Maximized, 800, 600, 600, 752, 2},
        {3, Window_Minimized, 232, 30, 30, 184, 2},
        {1, Window_Normal, 40, 23, 23, 0, 1}, // narrower than the text column
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(std::to_string(C.Slots) + " slots, width " + std::to_string(C.W));
        Harness H;
        H.Start_With(std::vector<std::string>(size_t(C.Slots), "x"));
        H.T.Window.State = C.State;
        auto& Calls = H.T.Window.Buffer.Text_Calls;
        Calls.clear();
        H.T.Window.User_Resize(C.W, C.H);
        EXPECT_EQ(H.T.Window.Client_H, C.Want_H);
        EXPECT_EQ(H.M.TextNorm->Width(), C.Want_Panel);
        EXPECT_EQ(H.M.TextHigh->Width(), C.Want_Panel);
        EXPECT_EQ(H.T.Window.Tip_Width, C.Want_Panel);
        ASSERT_EQ(Calls.size(), size_t(C.Want_Texts));
        const int Y = 24 * (C.Want_Texts - 1);
        EXPECT_EQ(Calls.back().R, (Rect{51, Y + 2, 48 + C.Want_Panel - 3, Y + 20}));
        EXPECT_FALSE(H.M.Resizing);
    }
}

TEST(Colors, ChangeRepaintsFacesAndPanelsInNewColours) {
    Harness H;
    H.Start_With({"a", "b"}, 1);
    H.T.Colors.Colors[COLOR_BTNFACE_] = Rgb(1, 2, 3);
    H.T.Colors.Colors[COLOR_HIGHLIGHT_] = Rgb(4, 5, 6);
    Sys_SysColorsChanged(H.M);
    EXPECT_EQ(H.T.Window.Buffer.At(11, 2), Rgb(1, 2, 3));        // released arrow face, row 0
    EXPECT_EQ(H.T.Window.Buffer.At(100, 24 + 20), Rgb(4, 5, 6)); // selected panel, row 1
}

} // namespace
