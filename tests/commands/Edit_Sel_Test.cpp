#include "tests/commands/Rig.h"

#include <gtest/gtest.h>

namespace {

using C = Edit_Sel_Control;

TEST(EditSelection, WhatOkAndCancelStore) {
    const std::string Euro = "\xE2\x82\xAC \xF0\x9F\x98\x80", Han = "\xE4\xB8\xAD";
    const struct {
        const char* Name;
        std::string Text, Tip;
        int Leave; // 1 OK, 0 Cancel, -1 the frame's close box
        Slot_Record After;
        bool Clip_Written;
    } Cases[] = {
        {"new text", "new\r\ntext", "tip", 1, {true, "new\r\ntext", "tip"}, true},
        {"description only", "old", "new tip", 1, {true, "old", "new tip"}, false},
        {"letter case is a change", "OLD", "old tip", 1, {true, "OLD", "old tip"}, true},
        {"cancel", "x", "y", 0, {true, "old", "old tip"}, false},
        {"frame close", "x", "y", -1, {true, "old", "old tip"}, false},
        {"unicode", Euro, Han, 1, {true, Euro, Han}, true},
    };
    for (const auto& K : Cases) {
        SCOPED_TRACE(K.Name);
        Rig R({"A", "*old", "B"}, 1);
        R.M.List.Nodes[1].Data.Description = "old tip";
        R.T.Dialogs.On_Edit_Sel = [&](Fake_Edit_Sel_View& V) {
            V.Set_Text(C::Editing, K.Text);
            V.Set_Text(C::Tip, K.Tip);
            if (K.Leave == 1) V.Events->OKButton_Click();
            if (K.Leave == 0) V.Events->CancelButton_Click();
        };
        R.Cmd.mnuEdit_Click();
        EXPECT_EQ(R.M.List.Nodes[1].Data, K.After);
        EXPECT_EQ(R.T.Clip_Board.Writes, K.Clip_Written ? 1 : 0);
        if (K.Clip_Written) {
            EXPECT_EQ(R.T.Clip_Board.Content, static_cast<const std::string&>(K.After.Text));
        }
        EXPECT_EQ(R.M.List.List_Ubound, 2); // our own write was not captured
    }
}

TEST(EditSelection, CreatedOnceFilledEachTimeAndKeepsItsSize) {
    Rig R({"one", "two"}, 0);
    R.M.List.Nodes[1].Data.Description = "second";
    R.T.Dialogs.On_Edit_Sel = [](Fake_Edit_Sel_View& V) {
        V.Set_Text(C::Editing, "edited");
        V.Events->OKButton_Click();
    };
    R.Cmd.mnuEdit_Click();
    R.T.Dialogs.Edit_Sel->Resize(400, 300);

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
    EXPECT_EQ(R.Texts(), (Texts_t{"edited", "two"})); // the earlier OK does not carry over
    EXPECT_EQ(R.T.Dialogs.Edit_Sel_Created, 1);
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
            V.Events->OKButton_Click();
        };
        R.Cmd.mnuEdit_Click();
        EXPECT_EQ(R.M.List.Nodes[0].Data.Description, "note");
        EXPECT_EQ(R.Texts(), (Texts_t{Text_Changed ? "A2" : "A", "X", "C"}));
        EXPECT_EQ(R.M.Util.Current_Slot, 1);
    }
}

} // namespace
