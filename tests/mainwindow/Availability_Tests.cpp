#include "commands/Quick_Paste.h"
#include "mainwindow/Availability.h"
#include "tests/doubles/Test_Platform.h"

#include <gtest/gtest.h>

namespace {

using I = Menu_Item;

// "|" between lines, "-" for a separator, "+" before a checked line.
std::string Show_Menu(const std::vector<Menu_Line>& Lines) {
    std::string Out;
    for (const Menu_Line& L : Lines)
        Out += (Out.empty() ? "" : "|") + std::string(L.Checked ? "+" : "") +
               (L.Caption.empty() ? "-" : L.Caption);
    return Out;
}

// The tray's menu leaves out what acts on the slots; the list's leaves out Show unless the
// window is hidden. The lines are asked for inside the menu's own loop, which hides none.
TEST(Availability, TheLinesOfBothMenus) {
    // Pause and Forget are the tray's own.
    const std::string Tray = "&Show Clipboards|-|&Options...|Always on &Top|Pa&use Capture|"
                             "&Forget Unlocked Copies...|-|About Pim&Loft...|-|E&xit PimLoft";
    const std::string Tray_Top =
        std::string(Tray).insert(Tray.find("Pa&use"), "+").insert(Tray.find("Always"), "+");
    const std::string List = "&Edit Selection|-|&Add Slot\tCtrl+N|&Copy Slot\tCtrl+C|"
                             "Clea&r Slot\tDel|&Delete Slot\tCtrl+X|&Print Slot\tCtrl+P|-|"
                             "&Options...|Always on &Top|-|&Help\tF1|About Pim&Loft...|-|"
                             "E&xit PimLoft";
    const std::tuple<bool, bool, bool, std::string> Cases[] = {
        // from the tray, window shown, on top and paused, lines
        {true, false, false, Tray},
        {true, true, true, Tray_Top},
        {false, true, false, List},
        {false, false, true, Tray_Top}};
    for (const auto& [From_Tray, Shown, On_Top, Lines] : Cases) {
        Rig R("*A");
        R.Set([&](Settings& U) { U.On_Top = U.Capture_Paused = On_Top; });
        if (!Shown) R.T.Window.Hide();
        From_Tray ? (void)R.Tray(Tray_Event::Right_Up) : R.Events.Key_Down(Key::Apps, 0);
        ASSERT_EQ(R.T.Menu.Shown.size(), 1u);
        EXPECT_EQ(Show_Menu(R.T.Menu.Shown[0]), Lines) << From_Tray << Shown << On_Top;
    }
}

// Every way in asks the rule: while a box, a dialog or the menu is open, nothing starts
// another, and F1 passed on from a dialog still opens help; a tray event inside a tray action
// and the hotkey during the exit do nothing.
TEST(Availability, OneCommandAtATime) {
    Rig R("A|*!B");
    R.T.Box.Default_Answer = false;
    bool Inside = false; // a way in that was not stopped would open its loop again
    const auto Try_All = [&] {
        if (std::exchange(Inside, true)) return;
        R.Tray(Tray_Event::Right_Up);
        EXPECT_FALSE(R.M.Reader().Act(0));
        R.Events.Hotkey();
        R.Events.Key_Down(Key::N, Ctrl_Mask); // were the window not disabled
        R.Events.Key_Down(Key::Apps, 0);
        R.Events.Pointer(
            {Pointer_Area::Surface, Pointer_Action::Double_Click, Button_Left, 0, 0, 0});
        R.Events.Key_Down(Key::F1, 0);
        Inside = false;
    };
    int Edits = 0;
    R.T.Box.On_Show = Try_All;
    R.T.Dialogs.On_Edit_Sel = [&](Fake_Edit_Sel_View&) { ++Edits, Try_All(); };
    R.T.Menu.On_Show = Try_All;
    R.Press(Key::Delete);
    R.M.Run_Menu_Command(I::mnuEdit);
    const Menu_Place Notified{Menu_Place::Origin::Screen, 120, 40};
    R.Tray(Tray_Event::Right_Up, Notified);
    EXPECT_EQ(R.T.Menu.Shown.size(), 1u);
    EXPECT_TRUE(R.T.Menu.Places.back() == Notified) << "where the notification says";
    EXPECT_EQ(Edits, 1);
    EXPECT_EQ(R.T.Paste_Desk.Raised, 3);
    EXPECT_FALSE(R.T.Paste_Desk.View.Shown);
    EXPECT_EQ(R.T.Launcher.Opened.size(), 3u);
    EXPECT_EQ(R.List(), "A|*!B");
    EXPECT_FALSE(R.M.Reader().Act(3)) << "no row 3";
    for (const Way W : {Way::Tray_Show, Way::Tray_Menu})
        EXPECT_FALSE(Availability(W, {.Tray_Busy = true}, I::None).Offered) << int(W);
    EXPECT_FALSE(Availability(Way::Hotkey, {.Exiting = true}, I::None).Offered);
}

} // namespace
