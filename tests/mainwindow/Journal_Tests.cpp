// What the next start loads (the data file and its journal) is what the user saw.
#include "storage/Journal.h"
#include "storage/Xxh32.h"
#include "tests/doubles/Test_Platform.h"
#include "tests/storage/Byte_Image.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace {

using Folder = std::map<std::string, std::vector<uint8_t>>;
constexpr Work_Lane Fold = Work_Lane::Fold;

// Older programs read the data file up to its extension as their own: a first run's save, with
// the settings at their defaults, adds only the journal mark there.
TEST(Journal, AFirstRunWritesAnOlderProgramsFileAndTheMark) {
    Rig S(Folder{}, 0x0123456789ABCDEF);
    S.M.Saves().Save_Now();
    S.T.Worker.Finish(Fold);
    World Older;
    ASSERT_EQ(Older.Save(S.M.Store().Data()), "");
    const std::vector<uint8_t>& Head = Older.File();
    const std::vector<uint8_t>& File = S.T.Files.Files[S.M.Data_File()];
    Image E; // the mark: identity, last record 0, no journal replaced
    E.I16({2}).U32(32).U32(0x89ABCDEF).U32(0x01234567).U32(0).U32(0).U32(0).U32(0).U32(0).U32(0);
    const uint32_t Records_Check = Xxh32(E.Bytes.data(), E.Bytes.size());
    E.U32(38).U32(Records_Check).U32(uint32_t(Head.size()));
    E.U32(Xxh32(Head.data(), Head.size())).U32(uint32_t(Head.size())).Raw("PLFTEXT1");
    ASSERT_EQ(File.size(), Head.size() + 66);
    EXPECT_TRUE(std::equal(Head.begin(), Head.end(), File.begin()));
    EXPECT_EQ(std::vector<uint8_t>(File.end() - 66, File.end()), E.Bytes);
}

// Regression: the journal of later sessions was applied to a data file put back from a backup
// (Exit had kept the identity), loading a list that never existed: later links, older texts.
TEST(Journal, ARestoredBackupLoadsAsItWasAndTheLaterJournalIsKeptAside) {
    Rig R("*A|B|");
    const std::vector<uint8_t> Backup = R.T.Files.Files.at(R.M.Data_File());
    const std::string Journal = Journal_Path(R.M.Data_File()), Kept = ".unreadable-20261206-153000";
    R.Copy("exit writes it"); // in no journal
    R.M.Run_Menu_Command(Menu_Item::mnuExit);
    // After Exit's whole write, then after the first save of a start that set a journal aside.
    auto Session = std::make_unique<Rig>(R.T.Files.Files, 0x1000);
    for (uint64_t Round = 1; Round <= 2; ++Round) {
        SCOPED_TRACE(Round);
        Session->Copy("later");
        ASSERT_EQ(Session->M.Saves().Save_Now(), "");
        Session->T.Worker.Finish(Fold);
        Session->Copy("in the journal");
        ASSERT_EQ(Session->M.Saves().Save_Now(), "");
        const std::vector<uint8_t> Later = Session->T.Files.Files[Journal]; // then a crash
        Session->T.Files.Files[R.M.Data_File()] = Backup;
        Session = std::make_unique<Rig>(Session->T.Files.Files, 0x1000 * (Round + 1));
        EXPECT_EQ(Session->List(), "*A|B|");
        ASSERT_EQ(Session->T.Tray.Balloons.size(), 1u);
        EXPECT_TRUE(
            Session->T.Tray.Balloons[0].ends_with("kept in PimLoft.ini.journal" + Kept + "."));
        EXPECT_EQ(Session->T.Files.Files[Journal + Kept], Later);
        Session->T.Files.Files.erase(Journal + Kept);
    }
}

// Random changes, folds, closes, a disk failing at any step and a worker finishing whenever:
// an unsaved change always has a save coming; with none, the files load to the list in memory.
TEST(Journal, WhateverFailsTheFilesCatchUpWithTheList) {
    std::mt19937 Random(7);
    const auto Pick = [&](int N) { return static_cast<int>(Random() % static_cast<unsigned>(N)); };
    int Folds = 0, Compared = 0;
    for (int Round = 0; Round < 20; ++Round) {
        Rig R("*A|!B|C|");
        Memory_File_System& Disk = R.T.Files;
        R.T.Worker.Automatic = false;
        for (int Step = 0; Step < 120; ++Step) {
            const int Rows = R.M.Store().List().List_Ubound + 1, Kind = Pick(12), Edit = Pick(8);
            const Key Keys[] = {Key::N, Key::X, Key::Delete, Key::C};
            if (Kind < 2 && Edit < 4) {
                R.Press(Keys[Edit], Edit == 2 ? 0 : Ctrl_Mask);
            } else if (Kind < 2 && Edit < 6) {
                R.Click(Pick(Rows), Edit == 4 ? 60 : 30); // the text or the lock
            } else if (Kind < 2 && Edit == 6) {
                R.M.Run_Menu_Command(Menu_Item::mnuTop);
            } else if (Kind < 2) {
                R.Events.Pointer(
                    {Pointer_Area::Tip, Pointer_Action::Down, Button_Left, Shift_Mask, 0, 0});
                R.Events.Pointer({Pointer_Area::Tip, Pointer_Action::Move, Button_Left, Shift_Mask,
                                  0, Pick(Rows * 24) * 15.0});
                R.Events.Pointer({Pointer_Area::Tip, Pointer_Action::Up, Button_Left, 0, 0, 0});
            } else if (Kind < 4 && Edit == 0 && R.M.Store().Has_Selection()) {
                // Copied again later: only the slot's time changes.
                const std::chrono::system_clock::time_point Later{std::chrono::seconds(Step + 1)};
                R.M.Store().File_Copy(R.M.Store().Selected().Text, R.T.Text, nullptr, {Later, ""});
            } else if (Kind < 4 && Edit == 1) {
                R.Set([&](Settings& U) {
                    U.Capture_Paused = Pick(2), U.Expire_Days = uint16_t(Pick(3));
                    U.Excluded_Programs.assign(size_t(Pick(2)), "KeePass.exe");
                });
            } else if (Kind < 4) { // first lines repeat: a text may change under its description
                R.Copy("copy " + std::to_string(Pick(3)) + "\r\n" + std::to_string(Step) +
                       std::string(size_t(Pick(4)) * 15000, 'x'));
            } else if (Kind < 8) {
                R.T.Window.Advance(Pick(2) ? Save_Delay_Ms : Pick(40000));
            } else if (Kind == 8) { // the worker's thread gets to its job
                Folds += R.T.Worker.Busy(Fold) && !R.T.Worker.Ran(Fold);
                const bool Replace_Fails = Disk.Fail_Replace;
                Disk.Fail_Replace |= Pick(2) == 0;
                R.T.Worker.Run(Fold);
                Disk.Fail_Replace = Replace_Fails;
                if (Pick(2)) R.Events.Worker_Done(Fold);
            } else if (Kind == 9 && Edit < 6) {
                R.Events.Worker_Done(Fold);
            } else if (Kind == 9) {
                R.Events.Close(Unload_Mode::Close_Box);
                R.Events.Show_Asked();
            } else {
                const int Fault = Pick(10); // at most one write fault, often none
                Disk.Fail_Create = Fault == 0, Disk.Fail_Flush = Fault == 1;
                Disk.Fail_Replace = Fault == 2, Disk.Fail_Remove = Pick(8) == 0;
                Disk.Fail_Write_After =
                    Fault == 3 ? std::optional<size_t>(Pick(400)) : std::nullopt;
            }
            if (R.Changed()) {
                ASSERT_TRUE(R.T.Window.Due.count(Timer_Id::Save) || R.T.Worker.Busy(Fold))
                    << "no save coming: round " << Round << ", step " << Step;
                continue;
            }
            const Stored_Data Back = R.Saved();
            ASSERT_TRUE(Back.List == R.M.Store().List()) << "round " << Round << ", step " << Step;
            ASSERT_EQ(Back.Util, R.M.Store().Util()) << "round " << Round << ", step " << Step;
            ++Compared;
        }
        Disk.Fail_Create = Disk.Fail_Flush = Disk.Fail_Replace = Disk.Fail_Remove = false;
        Disk.Fail_Write_After.reset();
        R.M.Run_Menu_Command(Menu_Item::mnuExit);
        R.T.Worker.Run(Fold); // a fold exit did not wait for writes its older copy now
        ASSERT_TRUE(R.Saved().List == R.M.Store().List()) << "exit, round " << Round;
    }
    EXPECT_GT(Folds, 50); // each delivered fold lets the next start
    EXPECT_GT(Compared, 400);
}

// Regression: after a close whose flush failed the next record reused its number, so a journal
// left behind undid a later whole write at the next start. One the data file holds goes quietly.
TEST(Journal, ANumberThatMayBeOnDiskIsNeverUsedAgain) {
    Rig R("*A||");
    R.Copy("B");
    R.T.Files.Fail_Flush = true;
    R.Events.Close(Unload_Mode::Close_Box);
    R.T.Files.Fail_Flush = false, R.T.Files.Fail_Remove = true;
    R.Copy("C");
    R.T.Window.Advance(Save_Delay_Ms); // written whole: the journal stays behind
    R.T.Window.Advance(0);
    R.Copy("D"); // the next whole write must still name the journal left behind
    R.M.Run_Menu_Command(Menu_Item::mnuExit);
    const Rig Next(R.T.Files.Files, 0x1000); // the journal is still there
    EXPECT_EQ(Next.List(), R.List());
    EXPECT_TRUE(Next.T.Tray.Balloons.empty() && Next.T.Box.Shown.empty());
    EXPECT_EQ(Next.T.Files.Files.size(), 2u) << "nothing but the data file and the history";
}

// The journal is written whole into the data file once it reaches half of it.
TEST(Journal, AFoldStartsAtHalfTheDataFile) {
    Rig R("*||");
    R.Copy(std::string(400000, 'a')); // a data file the journal's minimum is well below half of
    R.T.Window.Advance(Save_Delay_Ms);
    R.T.Window.Advance(0);
    R.T.Worker.Automatic = false;
    auto& Files = R.T.Files.Files;
    for (int Step = 0; !R.T.Worker.Busy(Fold); ++Step) {
        ASSERT_LT(Step, 20) << "the journal grew past half the data file";
        R.Copy("copy " + std::to_string(Step) + std::string(40000, 'b'));
        R.T.Window.Advance(Save_Delay_Ms);
        EXPECT_EQ(R.T.Worker.Busy(Fold),
                  Files[Journal_Path(R.M.Data_File())].size() >= Files[R.M.Data_File()].size() / 2);
    }
}

// A damaged or hand-edited file's current slot may be a free node. Its slots have no times,
// as with a file of an earlier version: they count from the start, and the next save says so.
TEST(Start_Up, ASavedListWithAStrayCurrentSlotAndNoTimes) {
    World W;
    Stored_Data D;
    D.List = Build_List("A|B|C", D.Util.Current_Slot);
    D.Util.Current_Slot = 50;
    ASSERT_EQ(Save_Data(D.Util, D.List, W.Where, {5, 0}), ""); // a journal may continue it
    Rig R(W.Files.Files, 1);
    EXPECT_EQ(R.List(), "*A|B|C");
    EXPECT_EQ(R.T.Window.Client_Height(), 3 * 24 - 1);
    EXPECT_NE(R.M.Store().Slot(2).Filled, 0);
    R.M.Store().Select(1);
    R.T.Window.Advance(Save_Delay_Ms);
    EXPECT_TRUE(R.Saved().List == R.M.Store().List());
}

} // namespace
