// What the user copied reaches the data file, whatever else happens meanwhile.
#include "mainwindow/Tell_User.h"
#include "tests/doubles/Test_Platform.h"

#include <gtest/gtest.h>

namespace {

using I = Menu_Item;

// Regression: exit saved first and then dropped the copies waiting for the menu or a box.
TEST(Exit, FilesTheWaitingCopiesBeforeItSaves) {
    for (const bool Disk_Fails_First : {false, true}) {
        SCOPED_TRACE(Disk_Fails_First);
        Rig R("*A||");
        R.T.Menu.Choices = {I::mnuExit};
        R.T.Menu.On_Show = [&] { R.Copy("in the menu"); };
        R.T.Files.Fail_Create = Disk_Fails_First;
        R.T.Box.On_Show = [&] { // "Exit anyway?"
            R.Copy("in the box");
            R.T.Files.Fail_Create = false;
        };
        R.Tray(Tray_Event::Right_Up);
        EXPECT_TRUE(R.M.Exiting());
        EXPECT_EQ(R.Saved_List(),
                  Disk_Fails_First ? "A|in the menu|*in the box" : "A|*in the menu|");
    }
}

// Copies made while a dialog is open are filed in order once it closes, excluded ones never.
// Regression: one failed copy cleared the queue; a failed clipboard write stopped capture.
TEST(Capture_Gate, AFailureCostsNoOtherCopy) {
    Rig R("*||");
    R.T.Menu.Choices = {I::mnuAbout};
    R.T.Dialogs.On_About = [&](Fake_About_View&) {
        R.Copy("one");
        R.Copy("two");
        R.T.Clip.Excluded = true;
        R.Copy("password");
        R.T.Clip.Excluded = false;
        R.T.Window.Failing_Presents = 1;
    };
    R.Tray(Tray_Event::Right_Up);
    EXPECT_EQ(R.List(), "one|*two|");
    R.T.Clip.Write_Out_Of_Memory = true;
    EXPECT_NO_THROW(R.Click(0));
    R.T.Clip.Write_Out_Of_Memory = false;
    R.Copy("three");
    EXPECT_EQ(R.List(), "one|two|*three");
    EXPECT_EQ(R.T.Log.Lines.size(), 2u) << "each failure leaves a trace";
    // Regression: a clipboard held by another program when the change arrived lost that copy.
    for (const int Busy_Ms : {5000, 700}) { // given up on, then a later copy is read again
        R.T.Clip.Busy = true;
        R.Copy("held");
        R.T.Window.Advance(Busy_Ms);
        R.T.Clip.Busy = false;
        R.T.Window.Advance(1000);
        EXPECT_EQ(R.List(), Busy_Ms < 1000 ? "*held|two|three" : "one|two|*three") << Busy_Ms;
    }
}

// Regression: every change pushed the save back, so a user copying every 0.6 s saved nothing.
TEST(Saves, AChangeIsOnDiskWithinTheDelayHoweverManyFollow) {
    Rig R("*" + std::string(19, '|')); // a blank slot for each copy
    for (int N = 0; N < 20; ++N) {
        R.Copy(std::to_string(N));
        R.T.Window.Advance(600);
        std::string Saved = "|" + R.Saved_List() + "|";
        std::erase(Saved, '*');
        for (int K = 0; 600 * K + Save_Delay_Ms <= 600 * (N + 1); ++K) // copied a delay ago
            EXPECT_NE(Saved.find("|" + std::to_string(K) + "|"), std::string::npos)
                << K << " " << N;
    }
}

// Regression: with no journal to continue, the session's end left the whole write to the
// worker and returned, and Windows may end the process then.
TEST(Saves, TheSessionsEndIsOnDiskWhenItReturns) {
    Rig R("*||");
    R.T.Files.Fail_Create = true;
    R.Copy("journal lost");
    R.T.Window.Advance(Save_Delay_Ms); // the append fails: no journal may follow it
    R.T.Files.Fail_Create = false;
    R.T.Worker.Automatic = false;
    R.Copy("at the end");
    R.Events.Close(Unload_Mode::Session_End);
    EXPECT_EQ(R.Saved_List(), "journal lost|*at the end|");
}

// Regression: while the disk failed, each retry's fold counted as a success, so the failure was
// told again every 30 s.
TEST(Tell_User, AFailureIsToldOnceAndTriedAgainAndAMessageIsNeverLost) {
    Rig R("*||");
    const auto Wait = [&](int Seconds) {
        for (int S = 0; S < Seconds; ++S)
            R.T.Window.Advance(1000); // the worker keeps up
    };
    for (const std::string Text : {"one", "two"}) {
        R.T.Files.Fail_Create = true;
        R.Copy(Text);
        Wait(310);
        R.T.Files.Fail_Create = false;
        EXPECT_NE(R.Saved_List(), R.List());
        Wait(30);
        EXPECT_EQ(R.Saved_List(), R.List());
    }
    std::erase_if(R.T.Tray.Balloons,
                  [](const std::string& B) { return B.find("history") != std::string::npos; });
    EXPECT_EQ(R.T.Tray.Balloons.size(), 4u) << "the journal and the data file, once each time";
    // Regression: a message was lost while the tray had no icon (Explorer not up at log-on).
    const std::string Fits(255, 'x'), Long = std::string(254, 'x') + "\xF0\x9F\x98\x80";
    Capture_Gate Gate(R.T.Clip, R.M.Store(), R.T.Window, R.T.Text, R.T.Log);
    Tell_User(R.T.Context, Gate, Fits);
    Tell_User(R.T.Context, Gate, Long);
    R.T.Tray.Shown = false;
    Tell_User(R.T.Context, Gate, "short");
    EXPECT_EQ(R.T.Tray.Balloons.size(), 5u);
    EXPECT_EQ(R.T.Tray.Balloons.back(), Fits);
    EXPECT_EQ(R.T.Box.Shown, (std::vector<std::string>{"PimLoft: " + Long, "PimLoft: short"}));
}

// A data file or journal that could be neither read nor kept aside stays as it is: nothing is
// saved for the rest of the run, by the timer, a close or the session's end.
TEST(Saves, StayOffAfterAFileThatCouldNotBeRead) {
    for (const std::string Damaged : {"", ".journal"}) {
        Rig R("*A||");
        R.Copy("in the journal");
        R.T.Window.Advance(Save_Delay_Ms);
        const std::string Path = R.M.Data_File() + Damaged;
        R.T.Files.Files[Path][Damaged.empty() ? 6 : 9] ^= 1;   // a version, an identity
        R.T.Files.Files[Path + ".unreadable-20261206-153000"]; // its name aside is taken
        const auto Disk = R.T.Files.Files;
        Main Next{R.T.Context, R.Kept, Command_Hooks{}};
        Next.Start();
        Next.Store().Select(0);
        Next.Timer(Timer_Id::Save);
        Next.Close(Unload_Mode::Close_Box);
        Next.Close(Unload_Mode::Session_End);
        EXPECT_TRUE(Next.Exiting());
        EXPECT_TRUE(R.T.Files.Files == Disk) << Damaged;
    }
}

// Our own write is known by its sequence number, not its text; a failed write still selects.
// A clear confirmed over a copy acts on the slot chosen.
TEST(Select_Item, OwnWritesAreNoCopies) {
    for (const bool Busy : {false, true}) {
        Rig R(std::string("*A|a\0b", 6));
        R.T.Clip.Busy = Busy;
        R.Click(1, Busy ? 5 : 60); // the arrow or the text
        R.Pump();
        EXPECT_EQ(R.List(), "A|*" + std::string("a\0b", 3));
    }
    Rig R("A|*!B|");
    R.T.Box.On_Show = [&] { R.Copy("late"); };
    R.Press(Key::Delete);
    R.Pump();
    EXPECT_EQ(R.List(), "A|*late|");
    EXPECT_EQ(R.T.Clip.Content, "late") << "the clipboard holds the selection again";
}

} // namespace
