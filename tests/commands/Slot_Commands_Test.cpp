#include "tests/commands/Rig.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const std::string Ask_Clear =
    "Ok_Cancel: Confirm Clear: Are you sure you want to clear this locked buffer?";
const std::string Ask_Delete =
    "Ok_Cancel: Confirm Delete: Are you sure you want to delete this locked buffer?";

TEST(SlotCommands, AddAndCopyStopAtSeventyOneSlots) {
    for (int Slots : {70, 71})
        for (bool Copy : {false, true}) {
            SCOPED_TRACE(std::to_string(Slots) + (Copy ? " copy" : " add"));
            Texts_t Start(static_cast<size_t>(Slots), "t");
            Start[3] = "*source";
            Rig R(Start, 3);
            R.M.List.Nodes[3].Data.Description = "note";
            const int Height = R.T.Window.Client_H;
            Copy ? R.Cmd.mnuCopy_Click() : R.Cmd.mnuAdd_Click();
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

TEST(SlotCommands, ClearAndDeleteAskOnlyForLockedSlotsWhenWarned) {
    const struct {
        bool Delete, Del_Warn, Locked, Answer, Asked, Done;
    } Cases[] = {
        {false, true, false, false, false, true}, {false, false, true, false, false, true},
        {false, true, true, true, true, true},    {false, true, true, false, true, false},
        {true, true, false, false, false, true},  {true, false, true, false, false, true},
        {true, true, true, true, true, true},     {true, true, true, false, true, false},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(std::string(C.Delete ? "delete" : "clear") + " warn " +
                     std::to_string(C.Del_Warn) + " locked " + std::to_string(C.Locked) +
                     " answer " + std::to_string(C.Answer));
        const std::string Kept = C.Locked ? "*B" : "B";
        Rig R({"A", Kept, "C"}, 1);
        R.M.List.Nodes[1].Data.Description = "d";
        R.M.Util.Del_Warn = C.Del_Warn;
        R.T.Box.Answers = {C.Answer};
        C.Delete ? R.Cmd.mnuDelete_Click() : R.Cmd.mnuClear_Click();
        EXPECT_EQ(R.T.Box.Log.Lines,
                  C.Asked ? Texts_t{C.Delete ? Ask_Delete : Ask_Clear} : Texts_t{});
        if (!C.Done) {
            EXPECT_EQ(R.Texts(), (Texts_t{"A", Kept, "C"}));
            EXPECT_EQ(R.T.Clip_Board.Writes, 0);
        } else if (C.Delete) {
            EXPECT_EQ(R.Texts(), (Texts_t{"A", "C"}));
            EXPECT_EQ(R.M.Util.Current_Slot, 2);
            EXPECT_EQ(R.T.Clip_Board.Content, "C");
        } else {
            EXPECT_EQ(R.M.List.Nodes[1].Data, Slot_Record{});
            EXPECT_EQ(R.Texts(), (Texts_t{"A", "", "C"})); // our own write was not captured
            EXPECT_EQ(R.M.Util.Current_Slot, 1);
            EXPECT_EQ(R.T.Clip_Board.Content, "");
            EXPECT_EQ(R.T.Window.Tip_Text, "");
        }
    }
}

TEST(SlotCommands, DeletePicksTheNextSlotAndKeepsOneUnlocked) {
    const struct {
        const char* Name;
        Texts_t Before;
        int16_t Current;
        Texts_t After;
        int16_t New_Current;
        const char* Clip;
    } Cases[] = {
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
        EXPECT_EQ(R.T.Window.Client_H - Height, 24 * int(C.After.size() - C.Before.size()));
    }
}

TEST(SlotCommands, DeletingTheOnlySlotClearsItInstead) {
    const struct {
        const char* Slot;
        std::deque<bool> Answers;
        Texts_t Boxes, After;
    } Cases[] = {
        {"*only", {true, true}, {Ask_Delete, Ask_Clear}, {""}},
        {"*only", {true, false}, {Ask_Delete, Ask_Clear}, {"*only", ""}},
        {"*only", {false}, {Ask_Delete}, {"*only", ""}},
        {"only", {}, {}, {""}},
    };
    for (const auto& C : Cases) {
        Rig R({C.Slot}, 0);
        R.T.Box.Answers = C.Answers;
        R.Cmd.mnuDelete_Click();
        EXPECT_EQ(R.T.Box.Log.Lines, C.Boxes);
        EXPECT_EQ(R.Texts(), C.After);
        EXPECT_EQ(R.M.Util.Current_Slot, 0);
    }
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
            EXPECT_EQ(R.T.Box.Shown + R.T.Clip_Board.Writes + R.T.Dialogs.Edit_Sel_Created, 0);
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
    const struct {
        bool Delete, Answer;
        Texts_t After;
        int16_t Current;
    } Cases[] = {
        {true, true, {"X", "C"}, 0},         // B deleted, then X filed below C, wrapping
        {false, true, {"A", "X", "C"}, 1},   // cleared, then refilled as the blank
        {false, false, {"A", "*B", "X"}, 2}, // kept; X goes to the next free slot
    };
    for (const auto& C : Cases) {
        Rig R({"A", "*B", "C"}, 1);
        R.T.Box.Answers = {C.Answer};
        R.T.Box.On_Show = [&] { R.T.Clip_Board.Copy_From_Other_Program("X"); };
        C.Delete ? R.Cmd.mnuDelete_Click() : R.Cmd.mnuClear_Click();
        EXPECT_EQ(R.Texts(), C.After);
        EXPECT_EQ(R.M.Util.Current_Slot, C.Current);
    }
}

TEST(SlotCommands, AlwaysOnTopToggles) {
    Rig R({"A"});
    for (const bool On : {true, false}) {
        R.Cmd.mnuTop_Click();
        EXPECT_EQ(R.T.Menu.Is_Checked(Menu_Item::mnuTop), On);
        EXPECT_EQ(R.T.Window.Topmost, On);
    }
}

TEST(SlotCommands, HelpOpensTheOldHelpFileOnlyWhereItStillOpens) {
    const std::string Hlp = "C:\\PimLoft\\PimLoft.hlp", Html = "C:\\PimLoft\\PimLoft.html";
    const struct {
        bool Hlp_Exists, Hlp_Opens;
        const std::string& Opened;
    } Cases[] = {{true, true, Hlp}, {true, false, Html}, {false, true, Html}};
    for (const auto& C : Cases) {
        Rig R({"A"});
        if (C.Hlp_Exists) R.T.Files.Files[Hlp] = {};
        if (!C.Hlp_Opens) R.T.Shell_.Fail_Open.insert(Hlp);
        R.Cmd.mnuHelp_Click();
        EXPECT_EQ(R.T.Shell_.Opened, Texts_t{C.Opened});
    }
}

} // namespace
