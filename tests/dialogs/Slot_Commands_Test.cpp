#include "tests/dialogs/Rig.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const std::string Ask_Clear =
    "Ok_Cancel: Confirm Clear: Are you sure you want to clear this locked buffer?";
const std::string Ask_Delete =
    "Ok_Cancel: Confirm Delete: Are you sure you want to delete this locked buffer?";

TEST(SlotCommands, AddAndCopyStopAtSeventyOneSlots) {
    for (int Slots : {70, 71}) {
        for (bool Copy : {false, true}) {
            SCOPED_TRACE(std::to_string(Slots) + (Copy ? " copy" : " add"));
            std::vector<std::string> Start(static_cast<size_t>(Slots), "t");
            Start[3] = "*source";
            Rig R(Start, 3);
            R.M.List.Nodes[3].Data.Description = "note";
            const int Height = R.T.Window.Client_H;
            if (Copy)
                R.Cmd.mnuCopy_Click();
            else
                R.Cmd.mnuAdd_Click();
            EXPECT_EQ(R.M.List.List_Ubound, 70);
            EXPECT_EQ(R.M.Util.Current_Slot, 3);
            EXPECT_EQ(R.T.Window.Client_H - Height, Slots == 70 ? 24 : 0);
            if (Slots == 70) {
                const Slot_Record Want = Copy ? Slot_Record{true, "source", "note"} : Slot_Record{};
                EXPECT_EQ(R.M.List.Nodes[R.M.List.Tail].Data, Want);
            }
            EXPECT_EQ(R.T.Clip_Board.Writes, 0);
        }
    }
}

struct Confirm_Case {
    bool Delete, Del_Warn, Locked, Answer;
    bool Asked, Done;
};

TEST(SlotCommands, ClearAndDeleteAskOnlyForLockedSlotsWhenWarned) {
    const Confirm_Case Cases[] = {
        {false, true, false, false, false, true}, {false, false, true, false, false, true},
        {false, true, true, true, true, true},    {false, true, true, false, true, false},
        {true, true, false, false, false, true},  {true, false, true, false, false, true},
        {true, true, true, true, true, true},     {true, true, true, false, true, false},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(std::string(C.Delete ? "delete" : "clear") + " warn " +
                     std::to_string(C.Del_Warn) + " locked " + std::to_string(C.Locked) +
                     " answer " + std::to_string(C.Answer));
        Rig R({"A", C.Locked ? "*B" : "B", "C"}, 1);
        R.M.List.Nodes[1].Data.Description = "d";
        R.M.Util.Del_Warn = C.Del_Warn;
        R.T.Box.Answers = {C.Answer};
        if (C.Delete)
            R.Cmd.mnuDelete_Click();
        else
            R.Cmd.mnuClear_Click();

        EXPECT_EQ(R.T.Box.Shown, C.Asked ? 1 : 0);
        if (C.Asked) {
            EXPECT_EQ(R.Boxes()[0], C.Delete ? Ask_Delete : Ask_Clear);
        }
        const std::string Kept = C.Locked ? "*B" : "B";
        if (!C.Done) {
            EXPECT_EQ(R.Texts(), (Texts_t{"A", Kept, "C"}));
            EXPECT_EQ(R.T.Clip_Board.Writes, 0);
        } else if (C.Delete) {
            EXPECT_EQ(R.Texts(), (Texts_t{"A", "C"}));
            EXPECT_EQ(R.M.Util.Current_Slot, 2);
            EXPECT_EQ(R.T.Clip_Board.Content, "C");
        } else {
            EXPECT_EQ(R.Texts(), (Texts_t{"A", "", "C"}));
            EXPECT_EQ(R.M.List.Nodes[1].Data, Slot_Record{});
            EXPECT_EQ(R.M.Util.Current_Slot, 1);
            EXPECT_EQ(R.T.Clip_Board.Content, ""); // and our own write was not captured
            EXPECT_EQ(R.T.Window.Tip_Text, "");
        }
    }
}

TEST(SlotCommands, DeletePicksTheNextSlotAndKeepsOneUnlocked) {
    struct Case {
        const char* Name;
        Texts_t Before;
        int16_t Current;
        Texts_t After;
        int16_t New_Current;
        const char* Clip;
    };
    const Case Cases[] = {
        {"middle: the successor", {"A", "B", "C"}, 1, {"A", "C"}, 2, "C"},
        {"last: the predecessor", {"A", "B", "C"}, 2, {"A", "B"}, 1, "B"},
        {"first: the successor", {"A", "B", "C"}, 0, {"B", "C"}, 1, "B"},
        {"all others locked", {"*A", "B", "*C"}, 1, {"*A", "*C", ""}, 2, "C"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Rig R(C.Before, C.Current);
        const int Height = R.T.Window.Client_H;
        R.Cmd.mnuDelete_Click();
        EXPECT_EQ(R.Texts(), C.After);
        EXPECT_EQ(R.M.Util.Current_Slot, C.New_Current);
        EXPECT_EQ(R.T.Clip_Board.Content, C.Clip);
        EXPECT_EQ(R.T.Window.Client_H - Height,
                  24 * (static_cast<int>(C.After.size()) - static_cast<int>(C.Before.size())));
    }
}

TEST(SlotCommands, DeletingTheOnlySlotClearsItInstead) {
    struct Case {
        std::deque<bool> Answers;
        std::vector<std::string> Boxes;
        Texts_t After;
    };
    const Case Cases[] = {
        {{true, true}, {Ask_Delete, Ask_Clear}, {""}},
        {{true, false}, {Ask_Delete, Ask_Clear}, {"*only", ""}},
        {{false}, {Ask_Delete}, {"*only", ""}},
    };
    for (const auto& C : Cases) {
        Rig R({"*only"}, 0);
        R.T.Box.Answers = C.Answers;
        R.Cmd.mnuDelete_Click();
        EXPECT_EQ(R.Boxes(), C.Boxes);
        EXPECT_EQ(R.Texts(), C.After);
        EXPECT_EQ(R.M.Util.Current_Slot, 0);
    }
    Rig Unlocked({"only"}, 0);
    Unlocked.Cmd.mnuDelete_Click();
    EXPECT_EQ(Unlocked.Texts(), Texts_t{""});
    EXPECT_EQ(Unlocked.T.Box.Shown, 0);
}

TEST(SlotCommands, WithoutSelectionOnlyDeleteChecksTheLocks) {
    const std::function<void(Dialog_Commands&)> Commands[] = {
        [](Dialog_Commands& C) { C.mnuCopy_Click(); },
        [](Dialog_Commands& C) { C.mnuClear_Click(); },
        [](Dialog_Commands& C) { C.mnuEdit_Click(); },
        [](Dialog_Commands& C) { C.mnuPrint_Click(); },
    };
    for (int16_t None : {Nil_Slot, int16_t(5)}) { // 5 is a free node: not a slot either
        for (const auto& Run : Commands) {
            Rig R({"*A", "*B"}, None);
            Run(R.Cmd);
            EXPECT_EQ(R.Texts(), (Texts_t{"*A", "*B"}));
            EXPECT_EQ(R.T.Box.Shown, 0);
            EXPECT_EQ(R.T.Clip_Board.Writes, 0);
            EXPECT_EQ(R.T.Dialogs.Edit_Sel_Created, 0);
            EXPECT_TRUE(R.T.Printer_.Log.empty());
        }
        Rig R({"*A", "*B"}, None);
        R.Cmd.mnuDelete_Click();
        EXPECT_EQ(R.Texts(), (Texts_t{"*A", "*B", ""}));
        EXPECT_EQ(R.T.Box.Shown, 0);
    }
}

// A copy made while the confirmation is open must neither redirect the command to another
// slot nor be lost to the command's own clipboard write.
TEST(SlotCommands, CaptureDuringConfirmationIsFiledAfterTheCommand) {
    {
        Rig R({"A", "*B", "C"}, 1);
        R.T.Box.On_Show = [&] { R.T.Clip_Board.Copy_From_Other_Program("X"); };
        R.Cmd.mnuDelete_Click();
        EXPECT_EQ(R.Texts(), (Texts_t{"X", "C"})); // B deleted, then X filed below C, wrapping
        EXPECT_EQ(R.M.Util.Current_Slot, 0);
    }
    {
        Rig R({"A", "*B", "C"}, 1);
        R.T.Box.On_Show = [&] { R.T.Clip_Board.Copy_From_Other_Program("X"); };
        R.Cmd.mnuClear_Click();
        EXPECT_EQ(R.Texts(), (Texts_t{"A", "X", "C"})); // cleared, then refilled as the blank
        EXPECT_EQ(R.M.Util.Current_Slot, 1);
    }
    {
        Rig R({"A", "*B", "C"}, 1);
        R.T.Box.Answers = {false};
        R.T.Box.On_Show = [&] { R.T.Clip_Board.Copy_From_Other_Program("X"); };
        R.Cmd.mnuClear_Click();
        EXPECT_EQ(R.Texts(), (Texts_t{"A", "*B", "X"}));
        EXPECT_EQ(R.M.Util.Current_Slot, 2);
    }
}

TEST(SlotCommands, AlwaysOnTopToggles) {
    Rig R({"A"});
    R.Cmd.mnuTop_Click();
    EXPECT_TRUE(R.T.Menu.Is_Checked(Menu_Item::mnuTop));
    EXPECT_TRUE(R.T.Window.Topmost);
    R.Cmd.mnuTop_Click();
    EXPECT_FALSE(R.T.Menu.Is_Checked(Menu_Item::mnuTop));
    EXPECT_FALSE(R.T.Window.Topmost);
}

TEST(SlotCommands, HelpOpensTheOldHelpFileOnlyWhereItStillOpens) {
    struct Case {
        bool Hlp_Exists, Hlp_Opens;
        const char* Opened;
    };
    for (const Case C : {Case{true, true, "C:\\PimLoft\\PimLoft.hlp"},
                         Case{true, false, "C:\\PimLoft\\PimLoft.html"},
                         Case{false, true, "C:\\PimLoft\\PimLoft.html"}}) {
        Rig R({"A"});
        if (C.Hlp_Exists) R.T.Files.Files["C:\\PimLoft\\PimLoft.hlp"] = {};
        if (!C.Hlp_Opens) R.T.Shell_.Fail_Open.insert("C:\\PimLoft\\PimLoft.hlp");
        R.Cmd.mnuHelp_Click();
        EXPECT_EQ(R.T.Shell_.Opened, std::vector<std::string>{C.Opened});
    }
}

} // namespace
