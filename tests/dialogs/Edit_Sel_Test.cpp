#include "tests/dialogs/Rig.h"

#include <gtest/gtest.h>

namespace {

using C = Edit_Sel_Control;

// What the user types before leaving the dialog; Leave: 1 OK, 0 Cancel, -1 the frame's close.
void User_Edits(Rig& R, std::string Text, std::string Tip, int Leave) {
    R.T.Dialogs.On_Edit_Sel = [=](Fake_Edit_Sel_View& V) {
        V.Set_Text(C::Editing, Text);
        V.Set_Text(C::Tip, Tip);
        if (Leave == 1) V.Click_OK();
        if (Leave == 0) V.Click_Cancel();
    };
}

TEST(EditSelection, WhatOkAndCancelStore) {
    struct Case {
        const char* Name;
        const char* Text;
        const char* Tip;
        int Leave;
        Slot_Record After;
        bool Clip_Written;
    };
    const Case Cases[] = {
        {"new text", "new\r\ntext", "tip", 1, {true, "new\r\ntext", "tip"}, true},
        {"description only", "old", "new tip", 1, {true, "old", "new tip"}, false},
        {"letter case is a change", "OLD", "old tip", 1, {true, "OLD", "old tip"}, true},
        {"cancel", "x", "y", 0, {true, "old", "old tip"}, false},
        {"frame close", "x", "y", -1, {true, "old", "old tip"}, false},
        {"unicode",
         "\xE2\x82\xAC \xF0\x9F\x98\x80",
         "\xE4\xB8\xAD",
         1,
         {true, "\xE2\x82\xAC \xF0\x9F\x98\x80", "\xE4\xB8\xAD"},
         true},
    };
    for (const auto& K : Cases) {
        SCOPED_TRACE(K.Name);
        Rig R({"A", "*old", "B"}, 1);
        R.M.List.Nodes[1].Data.Description = "old tip";
        User_Edits(R, K.Text, K.Tip, K.Leave);
        R.Cmd.mnuEdit_Click();
        EXPECT_EQ(R.M.List.Nodes[1].Data, K.After);
        EXPECT_EQ(R.T.Clip_Board.Writes, K.Clip_Written ? 1 : 0);
        if (K.Clip_Written) {
            EXPECT_EQ(R.T.Clip_Board.Content, K.After.Text);
        }
        EXPECT_EQ(R.M.List.List_Ubound, 2); // our own write was not captured
        EXPECT_EQ(R.M.Util.Current_Slot, 1);
    }
}

TEST(EditSelection, CreatedOnceFilledEachTimeAndFrameCloseIsCancel) {
    Rig R({"one", "two"}, 0);
    R.M.List.Nodes[1].Data.Description = "second";
    User_Edits(R, "edited", "", 1);
    R.Cmd.mnuEdit_Click();
    R.T.Dialogs.Edit_Sel->Resize(400, 300); // the user's size stays with the dialog

    std::string Seen_Text, Seen_Tip;
    R.T.Dialogs.On_Edit_Sel = [&](Fake_Edit_Sel_View& V) {
        Seen_Text = V.Text(C::Editing);
        Seen_Tip = V.Text(C::Tip);
        V.Set_Text(C::Editing, "lost"); // then closed through the frame
    };
    R.M.Util.Current_Slot = 1;
    R.Cmd.mnuEdit_Click();
    EXPECT_EQ(Seen_Text, "two");
    EXPECT_EQ(Seen_Tip, "second");
    EXPECT_EQ(R.M.List.Nodes[1].Data.Text, "two"); // the earlier OK does not carry over
    EXPECT_EQ(R.T.Dialogs.Edit_Sel_Created, 1);
    EXPECT_EQ(R.T.Dialogs.Edit_Sel->Width, 400);
    EXPECT_EQ(R.T.Dialogs.Edit_Sel->Bounds(C::Editing).Width(), 400);
}

// The user copies text while editing: the edit lands on the slot they opened, and the copy
// is filed afterwards, not lost to the dialog's own clipboard write.
TEST(EditSelection, CaptureDuringTheDialogWaitsUntilItCloses) {
    for (bool Text_Changed : {true, false}) {
        SCOPED_TRACE(Text_Changed);
        Rig R({"A", "B", "C"}, 0);
        R.T.Dialogs.On_Edit_Sel = [&](Fake_Edit_Sel_View& V) {
            R.T.Clip_Board.Copy_From_Other_Program("X");
            EXPECT_EQ(R.Texts(), (Texts_t{"A", "B", "C"}));
            if (Text_Changed) V.Set_Text(C::Editing, "A2");
            V.Set_Text(C::Tip, "note");
            V.Click_OK();
        };
        R.Cmd.mnuEdit_Click();
        EXPECT_EQ(R.M.List.Nodes[0].Data.Text, Text_Changed ? "A2" : "A");
        EXPECT_EQ(R.M.List.Nodes[0].Data.Description, "note");
        EXPECT_EQ(R.Texts(), (Texts_t{Text_Changed ? "A2" : "A", "X", "C"}));
        EXPECT_EQ(R.M.Util.Current_Slot, 1);
    }
}

} // namespace
