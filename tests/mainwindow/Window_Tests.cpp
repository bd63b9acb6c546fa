#include "tests/doubles/Test_Platform.h"
#include "tests/storage/Byte_Image.h"

#include <gtest/gtest.h>

namespace {

// A damaged or hand-edited file's current slot may be a free node.
TEST(Start_Up, ASavedListWithAStrayCurrentSlot) {
    World W;
    Stored_Data D;
    D.List = Build_List("A|B|C", D.Util.Current_Slot);
    D.Util.Current_Slot = 50;
    ASSERT_EQ(W.Save(D), "");
    Rig R(W.Files.Files, 1);
    EXPECT_EQ(R.List(), "*A|B|C");
    EXPECT_EQ(R.T.Window.Client_Height(), 3 * 24 - 1);
}

TEST(Capture_Gate, AClearConfirmedOverACopyAndAClickActsOnTheSlotChosen) {
    Rig R("A|*!B|");
    R.T.Box.On_Show = [&] {
        R.Click(0); // the box disables the window: no click lands
        R.Copy("late");
    };
    R.Press(Key::Delete);
    R.Pump();
    EXPECT_EQ(R.List(), "A|*late|");
    EXPECT_EQ(R.T.Clip.Content, "late") << "the clipboard holds the selection again";
}

// Our own write is known by its sequence number, not its text; a failed write still selects.
// A redraw is no change of the data; the journal test saves every kind of change.
TEST(Select_Item, OwnWritesAreNoCopiesAndOnlyDataChangesAreSaved) {
    for (const bool Busy : {false, true}) {
        Rig R("*A|B");
        R.M.Store.List.Nodes[1].Data.Text = std::string("a\0b", 3);
        R.T.Window.User_Resize(300, 100);
        Sys_SysColorsChanged(R.M);
        R.Click(0, 60, Button_Right); // the menu dismissed
        EXPECT_FALSE(R.Changed() || R.T.Window.Due.count(Timer_Id::Save));
        R.T.Clip.Busy = Busy;
        R.T.Window.Buffer.Text_Calls.clear();
        R.Click(1, Busy ? 5 : 60); // the arrow or the text
        R.Pump();
        EXPECT_EQ(R.List(), "A|*" + std::string("a\0b", 3));
        EXPECT_TRUE(R.Changed() && R.T.Window.Due.count(Timer_Id::Save));
        EXPECT_EQ(R.T.Window.Buffer.Text_Calls.at(1).Ink,
                  R.T.Colors.Sys_Color(System_Color::Highlight_Text));
    }
}

// Shift-drag on Tip moves the slot to the bar; the pointer capture lost ends it unmoved.
TEST(Drag, MovesToTheBarUnlessTheCaptureIsLost) {
    for (const bool Lost : {false, true}) {
        Rig R("a|b|*c|d|e");
        Form_MouseMove(R.M, 0, 0, 100, 50);
        Tip_MouseDown(R.M, Button_Left, Shift_Mask, 30, 15);
        Tip_MouseMove(R.M, Button_Left, Shift_Mask, 30, (130 - 48) * 15.0);
        EXPECT_EQ(R.T.Window.Splitter_Top, 117);
        if (Lost) Tip_CaptureLost(R.M);
        Tip_MouseUp(R.M, Button_Left, 0, 30, 0);
        EXPECT_EQ(R.List(), Lost ? "a|b|*c|d|e" : "a|b|d|e|*c");
        EXPECT_FALSE(R.T.Window.Splitter_Visible);
    }
}

} // namespace
