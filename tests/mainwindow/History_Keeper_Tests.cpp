#include "commands/Quick_Paste.h"
#include "tests/mainwindow/History_Probe.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Each copy is kept, with its program, across a restart; texts a slot holds are not listed
// again; a copy made again moves to the front; Enter pastes an older text and files it again.
TEST(History, KeepsEveryCopyAndQuickPasteFindsAndPastesOne) {
    Rig First("*");
    for (const char* Text : {"alpha one", "beta two", "alpha three", "beta two", "gamma"}) {
        First.T.Clip.Program = std::string(Text).starts_with("alpha") ? "notepad.exe" : "";
        First.Copy(Text);
    }
    First.M.Run_Menu_Command(Menu_Item::mnuExit);
    EXPECT_FALSE(Held_In_Any_File(First, "alpha one")) << "in no file in plain form";
    Rig R(First.T.Files.Files, 0x2000);
    EXPECT_EQ(Open_Popup(R), "beta two now|alpha three now \xC2\xB7 notepad.exe|alpha one now "
                             "\xC2\xB7 notepad.exe");
    R.T.Paste_Desk.View.Filter("ALPHA");
    Settle(R);
    EXPECT_EQ(R.T.Paste_Desk.View.Lines.size(), 2u) << "no slot matches";
    R.T.Paste_Desk.View.Key(Popup_Key::Down);
    R.T.Paste_Desk.View.Key(Popup_Key::Enter);
    Settle(R);
    EXPECT_TRUE(R.T.Clip.Content == "alpha one" && R.T.Paste_Desk.Pasted_In.size() == 1);
    EXPECT_EQ(R.List(), "*alpha one");
    EXPECT_EQ(Open_Popup(R).find("alpha one"), std::string::npos) << "a slot holds it";
}

// The popup keeps at most 1,000 older lines; the choice at the last one brings the next.
TEST(History, MoreOlderLinesComeAtTheLast) {
    Rig R("*");
    for (int N = 0; N <= 1002; ++N)
        R.Copy("t" + std::to_string(N));
    Open_Popup(R);
    const Fake_Paste_Popup& V = R.T.Paste_Desk.View;
    ASSERT_EQ(V.Lines.size(), 1000u) << "the slot, and 999: the slot's text is found once";
    R.T.Paste_Desk.View.Key(Popup_Key::End);
    Settle(R);
    ASSERT_EQ(V.Lines.size(), 1001u);
    EXPECT_EQ(V.Lines.back().Label, "t0");
    EXPECT_EQ(V.Lines.at(size_t(V.Choice)).Label, "t3") << "the choice stays on its text";
}

// A start reads nothing before the tray icon, and copies are appended while the index is built
// on another lane: one made again is stored twice and merged by the index, and the programs of
// those copies are named once it is ready.
TEST(History, CopiesGoOnWhileTheIndexIsBuilt) {
    Rig First("*");
    First.Copy("old one");
    First.Copy("old two");
    First.M.Run_Menu_Command(Menu_Item::mnuExit);
    Rig R(First.T.Files.Files, 0x2000);
    R.T.Worker.Automatic = false;
    R.T.Worker.Finish(Work_Lane::History);
    ASSERT_TRUE(R.T.Worker.Busy(Work_Lane::Rewrite)) << "the index is built on its own lane";
    R.T.Clip.Program = "early.exe";
    R.Copy("old one");
    R.Copy("early");
    R.T.Worker.Finish(Work_Lane::History);
    R.T.Worker.Finish(Work_Lane::History);
    EXPECT_EQ(Sealed_Texts(R), "old one|old two|old one|early|");
    R.T.Clip.Program = "";
    R.Copy("last");
    R.T.Worker.Automatic = true;
    EXPECT_EQ(Open_Popup(R),
              "early now \xC2\xB7 early.exe|old one now \xC2\xB7 early.exe|old two now");
}

// Shift+Del hides an older text at once, even from a start right after it. The rewrite a few
// seconds later runs on its own lane while copies go on; it leaves the text's record in no
// file, the slots' journal included, and keeps the copies made meanwhile with their program.
TEST(History, ForgetHidesAtOnceAndTheRewriteRemovesIt) {
    Rig R("*");
    for (const char* Text : {"keep me", "forget me", "last"})
        R.Copy(Text);
    R.T.Window.Advance(Save_Delay_Ms); // the journal holds "forget me"
    ASSERT_EQ(Open_Popup(R, "forget"), "forget me now");
    R.T.Paste_Desk.View.Key(Popup_Key::Forget);
    EXPECT_EQ(Older_Lines(R), "");
    R.T.Paste_Desk.View.Filter("forget m"); // the next keystroke
    Settle(R);
    EXPECT_EQ(Older_Lines(R), "");
    {
        Rig Crashed(R.T.Files.Files, 0x3000);
        EXPECT_EQ(Open_Popup(Crashed), "keep me now");
    }
    EXPECT_EQ(Sealed_Texts(R), "keep me|forget me|last|");
    R.T.Worker.Automatic = false;
    R.T.Window.Advance(3000);
    R.T.Worker.Finish(Work_Lane::History); // planned: it starts on its own lane
    ASSERT_TRUE(R.T.Worker.Busy(Work_Lane::Rewrite));
    R.T.Clip.Program = "late.exe";
    R.Copy("during the rewrite");
    R.T.Worker.Finish(Work_Lane::History);
    EXPECT_FALSE(R.T.Worker.Busy(Work_Lane::History)) << "the copy waited for no rewrite";
    Settle(R);
    EXPECT_EQ(Sealed_Texts(R), "keep me|last|during the rewrite|");
    EXPECT_FALSE(Held_In_Any_File(R, "forget me"));
    R.Copy("after");
    R.T.Worker.Automatic = true;
    R.T.Window.Advance(Save_Delay_Ms);
    Rig After(R.T.Files.Files, 0x4000);
    EXPECT_EQ(Open_Popup(After), "during the rewrite now \xC2\xB7 late.exe|last now|keep me now");
}

// A history another account wrote, or a damaged one, is kept aside with a word and a new one
// is started; capture goes on. A refusing cipher turns the history off and leaves the file.
TEST(History, AFileThisAccountCannotReadIsKeptAside) {
    Fake_Cipher Other(2);
    const std::vector<uint8_t> Foreign = Start_History(Other).Header;
    const std::vector<uint8_t> Damaged{'P', 'L', 'F', 'T', 'H', 'S', 'T', '1', 9};
    for (const auto& Bytes : {Foreign, Damaged}) {
        Rig R({{History, Bytes}}, 0x5000);
        Settle(R);
        ASSERT_EQ(R.T.Tray.Balloons.size(), 1u);
        EXPECT_NE(R.T.Tray.Balloons[0].find("kept as PimLoft.history.unreadable-"),
                  std::string::npos);
        EXPECT_EQ(R.T.Files.Files.at(History + ".unreadable-20261206-153000"), Bytes);
        R.Copy("after");
        R.Copy("next");
        EXPECT_EQ(Open_Popup(R), "after now");
    }
    Rig R({{History, Foreign}}, 0x6000);
    R.T.Crypto.Refused = "no AES-GCM";
    Settle(R);
    EXPECT_NE(R.T.Tray.Balloons.at(0).find("no AES-GCM"), std::string::npos);
    EXPECT_EQ(R.T.Files.Files.at(History), Foreign);
}

// Clear History starts again under a new key; 0 texts removes the file; the count limit keeps
// the newest.
TEST(History, ClearTurningOffAndTheCountLimit) {
    Rig R("*");
    R.Copy("old");
    R.Copy("new");
    Settle(R);
    const auto Key_Blob = [&] { // the wrapped key, in the header
        const std::vector<uint8_t>& F = R.T.Files.Files.at(History);
        return std::vector<uint8_t>(F.begin() + 16, F.begin() + 96);
    };
    const std::vector<uint8_t> Old_Key = Key_Blob();
    R.T.Box.Default_Answer = true;
    R.T.Dialogs.On_Options = [](Fake_Options_View& V) {
        V.Events->ClearHistory_Click();
        V.Events->CancelButton_Click();
    };
    R.M.Run_Menu_Command(Menu_Item::mnuOptions);
    Settle(R);
    EXPECT_EQ(Open_Popup(R), "");
    EXPECT_NE(Key_Blob(), Old_Key);
    R.Set([](Settings& U) { U.History_Keep = 2; });
    for (const char* Text : {"a", "b", "c", "d", "e"})
        R.Copy(Text);
    Settle(R);
    EXPECT_EQ(Open_Popup(R), "d now") << "the newest two: e is the slot";
    R.Set([](Settings& U) { U.History_Keep = 0; });
    Settle(R);
    EXPECT_FALSE(R.T.Files.File_Exists(History));
}

} // namespace
