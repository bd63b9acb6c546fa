#include "commands/Edit_Sel.h"
#include "tests/doubles/Test_Platform.h"

#include <gtest/gtest.h>

namespace {

using I = Menu_Item;
using E = Edit_Sel_Control;
using Strings = std::vector<std::string>;

TEST(Slot_Commands, ClearAndDeleteAskForLockedSlotsOnlyWhenWarned) {
    const std::tuple<const char*, I, bool, bool, const char*, bool> Cases[] = {
        // before, command, Del_Warn, answer, after, asked
        {"A|*B|C", I::mnuDelete, true, true, "A|*C", false}, // the slot below is picked
        {"*A", I::mnuDelete, true, true, "*", false},        // the only slot is cleared instead
        {"A|*!B", I::mnuDelete, true, false, "A|*!B", true},
        {"A|*!B", I::mnuDelete, false, false, "*A", false},
        {"!A|*!B", I::mnuDelete, true, true, "*!A|", true}, // one unlocked slot is kept
        {"A|*!B", I::mnuClear, true, false, "A|*!B", true},
        {"A|*!B", I::mnuClear, true, true, "A|*", true},
        {"*!A|B", I::mnuCopy, true, true, "*!A|B|!A", false},
        {"A|B", I::mnuClear, true, true, "A|B", false} // nothing selected
    };
    for (const auto& [Before, Item, Warn, Answer, After, Asked] : Cases) {
        Rig R(Before);
        R.Set([&](Settings& U) { U.Del_Warn = Warn; });
        R.T.Box.Default_Answer = Answer;
        R.M.Run_Menu_Command(Item);
        EXPECT_EQ(R.List(), After) << Before << " " << int(Item);
        EXPECT_EQ(R.T.Box.Shown.size(), Asked ? 1u : 0u) << Before;
        // A cleared slot is selected again.
        EXPECT_EQ(R.T.Clip.Content == "", std::string(After).ends_with('*')) << Before;
    }
}

// Laid out for its first size; only a changed text goes to the clipboard.
TEST(Edit_Selection, LayoutCancelAndOk) {
    const Rect Layout[] = {{0, 0, 314, 148},   {174, 183, 239, 208}, {244, 183, 309, 208},
                           {0, 153, 314, 178}, {4, 4, 109, 21},      {112, 0, 314, 25}};
    const std::tuple<const char*, bool, Slot_Record, bool> Cases[] = {
        // text typed, OK, the slot after, clipboard written
        {"new", false, {false, "B", "B"}, false},
        {"B", true, {false, "B", "tip"}, false},
        {"new", true, {false, "new", "tip"}, true}};
    Rig R("A|*B");
    for (const auto& [Text, Ok, After, Written] : Cases) {
        const uint32_t Seq = R.T.Clip.Seq;
        R.T.Dialogs.On_Edit_Sel = [&](Fake_Edit_Sel_View& V) {
            EXPECT_EQ(V.Text(E::Editing), "B");
            for (const auto& [C, Box] : V.Places)
                EXPECT_EQ(Box, Layout[int(C)]) << int(C);
            V.Set_Text(E::Editing, Text);
            V.Set_Text(E::Tip, "tip");
            if (Ok) V.Events->OKButton_Click();
        };
        R.Events.Pointer(
            {Pointer_Area::Surface, Pointer_Action::Double_Click, Button_Left, 0, 0, 0});
        Slot_Record Got = R.M.Store().Slot(1);
        Got.Filled = 0; // the time an edit stamps is not this test's
        EXPECT_EQ(Got, After) << Text << Ok;
        EXPECT_EQ(R.T.Clip.Seq != Seq, Written) << Text << Ok;
    }
}

TEST(Printing, DescriptionThenTextInTheirFontsAndAFailureIsTold) {
    const std::string Tip_Part =
        "Name Times New Roman|Size 14|Bold 1|Italic 0|Underline 0|Print desc|Print |";
    for (const bool Tip : {true, false}) {
        Rig R("*A");
        R.M.Store().Edit(0, "line 1\r\nline 2", "desc");
        R.Set([&](Settings& U) { U.Print_Tip = Tip; });
        R.T.Print_Device.Fail_Reason = Tip ? "" : "Out of paper.";
        R.Press(Key::P, Ctrl_Mask);
        EXPECT_EQ(R.T.Print_Device.Log, (Tip ? Tip_Part : "") + "Name Courier New|Size 10|Bold 0|" +
                                            "Italic 0|Underline 0|Print line 1\r\nline 2|End_Doc");
        const Strings& Told = R.T.Box.Shown;
        EXPECT_EQ(Told.size() == 1 && Told[0].ends_with("\r\n\r\nOut of paper."), !Tip);
    }
}

} // namespace
