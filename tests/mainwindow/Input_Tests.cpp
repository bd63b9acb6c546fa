#include "tests/mainwindow/Main_Harness.h"

#include <gtest/gtest.h>

namespace {

TEST(Surface_Clicks, ArrowTextAndLockColumns) {
    const struct {
        double X;
        int Row, Button;
        int16_t Current;
        bool Locked, Menu;
    } Cases[] = {{5, 2, Button_Left, 2, false, false},   {60, 1, Button_Left, 1, false, false},
                 {30, 2, Button_Left, 2, true, false},   {47.4, 1, Button_Left, 1, true, false},
                 {100, 1, Button_Right, 1, false, true}, {30, 1, Button_Right, 1, false, true},
                 {10, 7, Button_Left, 0, false, false}}; // below the last row: nothing
    for (const auto& C : Cases) {
        SCOPED_TRACE(std::to_string(C.X) + " row " + std::to_string(C.Row));
        Harness H;
        H.Start_With({"a", "b", "c", "d"});
        H.T.Menu.Choices = {Menu_Item::mnuEdit};
        H.T.Clip_Board.Writes = 0;
        Form_MouseDown(H.M, C.Button, 0, C.X, 24 * C.Row + 5);
        Form_MouseUp(H.M, C.Button, 0, C.X, 24 * C.Row + 5);
        EXPECT_EQ(H.M.Util.Current_Slot, C.Current);
        EXPECT_EQ(H.T.Clip_Board.Writes, C.Current == 0 ? 0 : 1);
        EXPECT_EQ(H.T.Clip_Board.Content.value_or(""), C.Row < 4 ? H.Texts()[size_t(C.Row)] : "");
        EXPECT_EQ(H.M.List.Nodes[size_t(C.Current)].Data.Locked, C.Locked);
        EXPECT_EQ(H.T.Window.Tip_Top, C.Row < 4 ? 24 * C.Row : 0);
        EXPECT_EQ(H.T.Menu.Defaults.size(), C.Menu ? 1u : 0u);
        EXPECT_EQ(H.T.Log.Has("cmd Edit"), C.Menu);
    }
}

TEST(Surface_Clicks, LockGoesToTheRowOfTheRelease) {
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
    Form_MouseDown(H.M, Button_Left, 0, 30, 25);
    Form_MouseUp(H.M, Button_Left, 0, 30, 25);
    EXPECT_EQ(H.M.List.List_Ubound, 2);
    EXPECT_EQ(H.M.List.Nodes[size_t(H.M.List.Tail)].Data, Slot_Record{});
    EXPECT_EQ(H.T.Window.Client_H, 3 * 24 - 1);
}

TEST(Keys, TableModifierRulesAndWrappingArrows) {
    const int Ctrl = Ctrl_Mask;
    const struct {
        int Slots, From, Key, Shift;
        const char* Command; // "" for none
        int16_t To;          // every arrow key reselects, so writes the clipboard
    } Cases[] = {
        {3, 1, 78, Ctrl, "cmd Add", 1},
        {3, 1, 80, Ctrl, "cmd Print", 1},
        {3, 1, 67, Ctrl, "cmd Copy", 1},
        {3, 1, 88, Ctrl, "cmd Delete", 1},
        {3, 1, 46, 0, "cmd Clear", 1},
        {3, 1, 46, Ctrl | Alt_Mask, "cmd Clear", 1},
        {3, 1, 78, Ctrl | Shift_Mask, "", 1},
        {3, 1, 67, Ctrl | Alt_Mask, "", 1},
        {3, 1, 78, 0, "", 1},
        {3, 1, 65, Ctrl, "", 1},
        {3, 0, 38, 0, "", 2},
        {3, 2, 40, 0, "", 0},
        {3, 1, 38, 0, "", 0},
        {3, 1, 40, 0, "", 2},
        {1, 0, 38, 0, "", 0},
        {1, 0, 40, 0, "", 0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(std::to_string(C.Key) + " " + std::to_string(C.Shift));
        Harness H;
        H.Start_With(std::vector<std::string>(size_t(C.Slots), "x"), int16_t(C.From));
        H.T.Clip_Board.Writes = 0;
        Form_KeyDown(H.M, C.Key, C.Shift);
        std::string Command;
        for (const std::string& L : H.T.Log.Lines)
            if (L.rfind("cmd ", 0) == 0) Command = L;
        EXPECT_EQ(Command, C.Command);
        EXPECT_EQ(H.M.Util.Current_Slot, C.To);
        EXPECT_EQ(H.T.Clip_Board.Writes, C.Key == 38 || C.Key == 40 ? 1 : 0);
    }
    Harness H;
    H.Start_With({"a", "b"}, Nil_Slot);
    Form_KeyDown(H.M, 40, 0);
    EXPECT_EQ(H.M.Util.Current_Slot, Nil_Slot);
    H.M.Commands = nullptr; // no command table yet: keys do nothing rather than crash
    Form_KeyDown(H.M, 78, Ctrl_Mask);
}

TEST(Hover, TipFollowsTheRowOnlyWhenItChanges) {
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
        int Bar; // 45 when refused: the bar stays on the dragged row's top edge
        std::string Order;
    } Cases[] = {{10, -3, "cabde"},  {30, 21, "acbde"},   {50, 45, "abcde"},  {80, 45, "abcde"},
                 {100, 93, "abdce"}, {130, 117, "abdec"}, {150, 45, "abcde"}, {-30, 45, "abcde"}};
    for (const auto& C : Cases) {
        Harness H;
        H.Start_With({"a", "b", "c", "d", "e"});
        Form_MouseMove(H.M, 0, 0, 100, 50);
        Tip_MouseDown(H.M, Button_Left, Shift_Mask, 30, 15);
        EXPECT_TRUE(H.T.Window.Splitter_Visible);
        Tip_MouseMove(H.M, Button_Left, Shift_Mask, 30, (C.Y - 48) * 15.0 + 7);
        EXPECT_EQ(H.T.Window.Splitter_Top, C.Bar) << C.Y;
        EXPECT_EQ(H.T.Window.Splitter_Width, 232);
        Tip_MouseUp(H.M, Button_Left, 0, 30, 0);
        std::string Order;
        for (const std::string& T : H.Texts())
            Order += T;
        EXPECT_EQ(Order, C.Order) << C.Y;
        EXPECT_FALSE(H.T.Window.Splitter_Visible);
        EXPECT_EQ(H.M.Util.Current_Slot, 2); // the slot kept its index and its selection
        EXPECT_EQ(H.M.Row_Slot[C.Order.find('c')], 2);
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
