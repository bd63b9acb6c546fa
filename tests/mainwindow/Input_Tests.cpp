#include "tests/mainwindow/Main_Harness.h"

#include <gtest/gtest.h>

namespace {

void Click(Harness& H, double X, double Y, int Button = Button_Left) {
    Form_MouseDown(H.M, Button, 0, X, Y);
    Form_MouseUp(H.M, Button, 0, X, Y);
}

TEST(Surface_Clicks, ArrowTextAndLockColumns) {
    const struct {
        double X;
        int Row;
        int16_t Current;
        bool Locked;
    } Cases[] = {{5, 2, 2, false},
                 {60, 1, 1, false},
                 {30, 2, 2, true},
                 {47.4, 1, 1, true},
                 {10, 7, 0, false}}; // below the last row: nothing
    for (const auto& C : Cases) {
        Harness H;
        H.Start_With({"a", "b", "c", "d"});
        H.T.Clip_Board.Writes = 0;
        Click(H, C.X, 24 * C.Row + 5);
        SCOPED_TRACE(C.X);
        EXPECT_EQ(H.M.Util.Current_Slot, C.Current);
        EXPECT_EQ(H.T.Clip_Board.Writes, C.Current == 0 ? 0 : 1);
        if (C.Current != 0) {
            EXPECT_EQ(H.T.Clip_Board.Content, H.Texts()[size_t(C.Row)]);
        }
        EXPECT_EQ(H.M.List.Nodes[size_t(C.Current)].Data.Locked, C.Locked && C.Current != 0);
        EXPECT_EQ(H.T.Window.Tip_Top, C.Row < 4 ? 24 * C.Row : 0);
    }
}

TEST(Surface_Clicks, PressOnOneRowReleaseOnAnother) {
    Harness H;
    H.Start_With({"a", "b", "c"});
    Form_MouseDown(H.M, Button_Left, 0, 30, 24 + 3);
    EXPECT_EQ(H.M.Util.Current_Slot, 1);
    EXPECT_FALSE(H.M.List.Nodes[1].Data.Locked); // a press never toggles
    Form_MouseUp(H.M, Button_Left, 0, 30, 48 + 3);
    EXPECT_EQ(H.M.Util.Current_Slot, 2);
    EXPECT_TRUE(H.M.List.Nodes[2].Data.Locked);
    EXPECT_FALSE(H.M.List.Nodes[1].Data.Locked);
}

TEST(Surface_Clicks, LockingTheLastUnlockedSlotAddsARow) {
    Harness H;
    H.Start_With({"*a", "b"});
    Click(H, 30, 24 + 1);
    EXPECT_EQ(H.M.List.List_Ubound, 2);
    EXPECT_EQ(H.M.List.Nodes[size_t(H.M.List.Tail)].Data, Slot_Record{});
    EXPECT_EQ(H.T.Window.Client_H, 3 * 24 - 1);
}

TEST(Surface_Clicks, RightClickSelectsThenShowsTheRowMenu) {
    Harness H;
    H.Start_With({"a", "b"});
    H.T.Menu.Choices = {Menu_Item::mnuEdit};
    Click(H, 100, 30, Button_Right);
    EXPECT_EQ(H.M.Util.Current_Slot, 1);
    ASSERT_EQ(H.T.Menu.Defaults, std::vector<Menu_Item>{Menu_Item::mnuEdit});
    EXPECT_FALSE(H.T.Menu.Is_Visible(Menu_Item::mnuShow));
    EXPECT_TRUE(H.T.Log.Has("cmd Edit"));
}

TEST(Keys, TableAndModifierRules) {
    const struct {
        int Key, Shift;
        const char* Command; // "" for none
    } Cases[] = {{78, Ctrl_Mask, "cmd Add"},
                 {80, Ctrl_Mask, "cmd Print"},
                 {67, Ctrl_Mask, "cmd Copy"},
                 {88, Ctrl_Mask, "cmd Delete"},
                 {46, 0, "cmd Clear"},
                 {46, Ctrl_Mask | Alt_Mask, "cmd Clear"},
                 {78, Ctrl_Mask | Shift_Mask, ""},
                 {67, Ctrl_Mask | Alt_Mask, ""},
                 {78, 0, ""},
                 {65, Ctrl_Mask, ""}};
    for (const auto& C : Cases) {
        Harness H;
        H.Start_With({"a"});
        Form_KeyDown(H.M, C.Key, C.Shift);
        EXPECT_EQ(H.T.Log.Lines.empty() ? "" : H.T.Log.Lines.back(), C.Command)
            << C.Key << " " << C.Shift;
    }
    Harness H; // no command table yet: keys do nothing rather than crash
    H.Start_With({"a"});
    H.M.Commands = nullptr;
    Form_KeyDown(H.M, 78, Ctrl_Mask);
}

TEST(Keys, UpAndDownWrapAndAlwaysReselect) {
    const struct {
        int Slots;
        int16_t From;
        int Key;
        int16_t To;
    } Cases[] = {{3, 0, 38, 2}, {3, 2, 40, 0}, {3, 1, 38, 0},
                 {3, 1, 40, 2}, {1, 0, 38, 0}, {1, 0, 40, 0}};
    for (const auto& C : Cases) {
        Harness H;
        H.Start_With(std::vector<std::string>(size_t(C.Slots), "x"), C.From);
        H.T.Clip_Board.Writes = 0;
        Form_KeyDown(H.M, C.Key, 0);
        EXPECT_EQ(H.M.Util.Current_Slot, C.To);
        EXPECT_EQ(H.T.Clip_Board.Writes, 1);
    }
    Harness H;
    H.Start_With({"a", "b"}, Nil_Slot);
    Form_KeyDown(H.M, 40, 0);
    EXPECT_EQ(H.M.Util.Current_Slot, Nil_Slot);
}

TEST(Hover, TipFollowsTheRowOnlyWhileVisible) {
    Harness H;
    H.Start_With({"a", "b", "c"});
    const int Moves = H.T.Window.Tip_Moves;
    for (double Y : {30.0, 33.0, 40.0, 47.0})
        Form_MouseMove(H.M, 0, 0, 520, Y);
    EXPECT_EQ(H.T.Window.Tip_Moves, Moves + 1);
    EXPECT_EQ(H.T.Window.Tip_Top, 24);
    EXPECT_EQ(H.T.Window.Tip_Text, "tip b");
    Form_MouseMove(H.M, 0, 0, 517, 60); // a pointer at x 517 is not a tray right click
    EXPECT_TRUE(H.T.Menu.Defaults.empty());
    EXPECT_EQ(H.T.Window.Tip_Text, "tip c");
    H.T.Window.Hide();
    Form_MouseMove(H.M, 0, 0, 60, 5);
    EXPECT_EQ(H.T.Window.Tip_Top, 48);
}

TEST(Select_Item, NilSlotAndAFailingClipboard) {
    Harness H;
    H.Start_With({"a", "b"});
    const int Presents = H.T.Window.Presents;
    Select_Item(H.M, Nil_Slot, true);
    EXPECT_EQ(H.M.Util.Current_Slot, 0);
    EXPECT_EQ(H.T.Clip_Board.Writes, 0);

    H.T.Clip_Board.Busy = true;
    Select_Item(H.M, 1, true);
    EXPECT_EQ(H.M.Util.Current_Slot, 1); // selected, but neither written nor redrawn
    EXPECT_FALSE(H.M.Ignore_Clip);
    EXPECT_EQ(H.T.Window.Presents, Presents);
    H.T.Clip_Board.Busy = false;
    H.T.Clip_Board.Copy_From_Other_Program("later");
    EXPECT_EQ(H.M.List.Nodes[0].Data.Text, "later"); // capture still works afterwards
}

// Five rows, dragging row 2 (Tip top 48): the pointer's y gives the bar and the drop.
TEST(Drag, WorkedExampleRowByRow) {
    const struct {
        int Y;
        int Bar; // -100: refused, the bar stays on the dragged row's top edge (45)
        std::vector<std::string> Order;
    } Cases[] = {
        {10, -3, {"c", "a", "b", "d", "e"}},    {30, 21, {"a", "c", "b", "d", "e"}},
        {50, 45, {"a", "b", "c", "d", "e"}},    {80, -100, {"a", "b", "c", "d", "e"}},
        {100, 93, {"a", "b", "d", "c", "e"}},   {130, 117, {"a", "b", "d", "e", "c"}},
        {150, -100, {"a", "b", "c", "d", "e"}}, {-30, -100, {"a", "b", "c", "d", "e"}},
    };
    for (const auto& C : Cases) {
        Harness H;
        H.Start_With({"a", "b", "c", "d", "e"});
        Form_MouseMove(H.M, 0, 0, 100, 50);
        Tip_MouseDown(H.M, Button_Left, Shift_Mask, 30, 15);
        EXPECT_EQ(H.T.Clip_Board.Content, "c");
        EXPECT_TRUE(H.T.Window.Splitter_Visible);
        Tip_MouseMove(H.M, Button_Left, Shift_Mask, 30, (C.Y - 48) * 15.0 + 7);
        EXPECT_EQ(H.T.Window.Splitter_Top, C.Bar == -100 ? 45 : C.Bar) << C.Y;
        EXPECT_EQ(H.T.Window.Splitter_Width, 232);
        Tip_MouseUp(H.M, Button_Left, 0, 30, 0);
        EXPECT_EQ(H.Texts(), C.Order) << C.Y;
        EXPECT_FALSE(H.T.Window.Splitter_Visible);
        EXPECT_EQ(H.M.Util.Current_Slot, 2); // the slot kept its index and its selection
        EXPECT_EQ(
            H.M.Row_Slot[size_t(std::find(C.Order.begin(), C.Order.end(), "c") - C.Order.begin())],
            2);
    }
}

TEST(Drag, PlainPressSelectsOnlyAndRightButtonOpensMenu) {
    Harness H;
    H.Start_With({"a", "b", "c"});
    Form_MouseMove(H.M, 0, 0, 100, 30);
    Tip_MouseDown(H.M, Button_Left, 0, 0, 0);
    Tip_MouseMove(H.M, Button_Left, 0, 0, 40 * 15);
    Tip_MouseUp(H.M, Button_Left, 0, 0, 40 * 15);
    EXPECT_EQ(H.Texts(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(H.M.Util.Current_Slot, 1);
    EXPECT_FALSE(H.T.Window.Splitter_Visible);
    Tip_MouseUp(H.M, Button_Right, 0, 0, 0);
    EXPECT_EQ(H.T.Menu.Defaults, std::vector<Menu_Item>{Menu_Item::mnuEdit});
    Tip_DblClick(H.M);
    EXPECT_TRUE(H.T.Log.Has("cmd Edit"));
}

} // namespace
