// A copy the user did not want kept is written nowhere; what the user forgets or lets expire
// leaves every file PimLoft keeps.
#include "storage/Data_File.h"
#include "tests/mainwindow/History_Probe.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using I = Menu_Item;

void Choose(Rig& R, Menu_Item Item) {
    R.T.Menu.Choices = {Item};
    R.Tray(Tray_Event::Right_Up);
    Settle(R);
}

bool Kept_Anywhere(Rig& R, const std::string& Text) {
    const bool Logged = std::ranges::any_of(
        R.T.Log.Lines, [&](const std::string& L) { return L.find(Text) != std::string::npos; });
    return Held_In_Any_File(R, Text) || Logged ||
           (R.T.Files.File_Exists(History) && Sealed_Texts(R).find(Text) != std::string::npos);
}

// Paused from the tray: the icon and tip say so, no copy is filed, not even one that waited for
// the menu, and resuming files none of them; the state outlives a restart. An older PimLoft
// that dropped it is told of once.
TEST(Privacy, PauseFilesNothingAndResumingFilesNothingCopiedMeanwhile) {
    Rig R("*A|");
    R.T.Menu.On_Show = [&] { R.Copy("waited for the menu"); };
    Choose(R, I::mnuPause);
    R.T.Menu.On_Show = nullptr;
    EXPECT_TRUE(R.T.Tray.Paused && R.T.Tray.Tip == "PimLoft 1.0.8 (paused)");
    R.Copy("secret");
    R.T.Window.Advance(Save_Delay_Ms);
    Settle(R);
    EXPECT_EQ(R.List(), "*A|");
    Rig Again(R.T.Files.Files, 0x2000, 96, &R.T.Reg);
    EXPECT_TRUE(Again.T.Tray.Paused) << "the icon shows it from the start";
    Choose(Again, I::mnuPause);
    EXPECT_TRUE(!Again.T.Tray.Paused && Again.T.Tray.Tip == "PimLoft 1.0.8");
    Again.Copy("after");
    EXPECT_EQ(Again.List(), "A|*after");
    Again.M.Run_Menu_Command(I::mnuExit);
    for (const char* Text : {"secret", "waited for the menu"})
        EXPECT_FALSE(Kept_Anywhere(Again, Text)) << Text;
    // An older version writes the file without the records it cannot read.
    Choose(R, I::mnuExit);
    Stored_Data Old = R.Saved();
    Old.Util.Capture_Paused = false;
    const Data_Location Where{R.T.Files, R.T.Text, R.M.Data_File(), R.T.Log};
    ASSERT_EQ(Save_Data(Old.Util, Old.List, Where), "");
    Rig Older(R.T.Files.Files, 0x3000, 96, &R.T.Reg);
    ASSERT_EQ(Older.T.Tray.Balloons.size() + Older.T.Box.Shown.size(), 1u);
    Rig Once_Told(Older.T.Files.Files, 0x4000, 96, &Older.T.Reg);
    EXPECT_EQ(Once_Told.T.Tray.Balloons.size() + Once_Told.T.Box.Shown.size(), 0u);
}

// A text copied by an excluded program is filed nowhere, whatever the case or path of the
// name; a copy whose program is unknown is filed as always.
TEST(Privacy, AnExcludedProgramsCopiesAreFiledNowhere) {
    Rig R("*||");
    R.Set([](Settings& U) { U.Excluded_Programs = {"KeePass.exe"}; });
    for (const auto& [Program, Text] :
         {std::pair{"keepass.EXE", "password"}, {"", "unknown owner"}, {"notepad.exe", "note"}}) {
        R.T.Clip.Program = Program;
        R.Copy(Text);
    }
    EXPECT_EQ(R.List(), "unknown owner|*note|");
    R.M.Run_Menu_Command(I::mnuExit);
    EXPECT_FALSE(Kept_Anywhere(R, "password"));
    EXPECT_TRUE(R.Saved().Util.Excluded_Programs == std::vector<std::string>{"KeePass.exe"});
}

// Old unlocked slots are cleared, never while a box shows one of them, and the data file is
// written whole so that no journal record keeps them; locked and recent slots stay. Old
// history texts go from the history file.
TEST(Privacy, OldUnlockedCopiesExpireOnceNoBoxIsOpen) {
    Rig R("stale|!pinned|*recent||");
    Stored_Data D = R.M.Store().Data();
    const int64_t Now = int64_t(Utc_Seconds(std::chrono::system_clock::now()));
    for (Slot_Node& N : D.List.Nodes)
        N.Data.Filled = Now - (N.Data.Text == "recent" ? 1 : 40) * 86400;
    R.M.Store().Replace(std::move(D));
    const auto Then = std::chrono::system_clock::now() - std::chrono::days(40);
    R.M.Store().File_Copy("ancient", R.T.Text, nullptr, {Then, ""});
    R.Copy("history text");
    R.Click(1); // the locked slot: Clear asks first
    R.T.Box.Default_Answer = false;
    R.T.Box.On_Show = [&] {
        R.Set([](Settings& U) { U.Expire_Days = 30; });
        EXPECT_EQ(R.List(), "stale|*!pinned|recent|ancient|history text") << "waits for the box";
    };
    R.Press(Key::Delete);
    Settle(R);
    EXPECT_EQ(R.List(), "|*!pinned|recent||history text");
    EXPECT_FALSE(R.T.Files.File_Exists(R.M.Data_File() + ".journal")) << "written whole";
    EXPECT_FALSE(Held_In_Any_File(R, "stale") || Held_In_Any_File(R, "ancient"));
    EXPECT_EQ(Sealed_Texts(R), "history text|");
    EXPECT_EQ(R.Saved_List(), "|*!pinned|recent||history text");

    // At start-up, before the history's index is ready.
    R.M.Store().File_Copy("older still", R.T.Text, nullptr, {Then, ""});
    R.M.Run_Menu_Command(I::mnuExit);
    Rig Next(R.T.Files.Files, 0x2000);
    Settle(Next);
    EXPECT_EQ(Next.List(), "*|!pinned|recent||history text");
    EXPECT_EQ(Sealed_Texts(Next), "history text|");
}

// Forget: unlocked slots and the history go from every file, the clipboard is emptied of
// them, locked slots and files set aside stay; a copy made while the box asks is newer than
// the request and kept.
TEST(Privacy, ForgetUnlockedCopiesLeavesOnlyWhatIsLockedOrNewer) {
    for (const bool Late_Copy : {false, true}) {
        SCOPED_TRACE(Late_Copy);
        Rig R("*!pinned|");
        const std::string Aside = R.M.Data_File() + ".unreadable-20261201-101010";
        R.T.Files.Files[Aside] = {'x'};
        for (const char* Text : {"first", "second", "third"})
            R.Copy(Text);
        R.T.Window.Advance(Save_Delay_Ms);
        R.T.Box.Default_Answer = true;
        R.T.Box.On_Show = [&] {
            if (Late_Copy) R.Copy("late");
        };
        Choose(R, I::mnuForget);
        const auto& Asked = R.T.Box.Shown;
        ASSERT_TRUE(Asked.size() == 1 && Asked[0].find(Aside.substr(11)) != std::string::npos);
        R.T.Window.Advance(Save_Delay_Ms);
        Settle(R);
        EXPECT_EQ(R.List(), Late_Copy ? "!pinned|*late" : "!pinned|*");
        EXPECT_EQ(R.T.Clip.Content, Late_Copy ? std::optional<std::string>("late") : std::nullopt);
        for (const char* Text : {"first", "second", "third"})
            EXPECT_FALSE(Kept_Anywhere(R, Text)) << Text;
        EXPECT_TRUE(R.T.Files.File_Exists(Aside));
        EXPECT_EQ(Sealed_Texts(R), Late_Copy ? "late|" : "");
    }
}

} // namespace
