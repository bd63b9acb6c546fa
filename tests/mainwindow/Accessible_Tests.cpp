#include "mainwindow/Accessible_List.h"
#include "tests/doubles/Test_Platform.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace {

std::string Repeat(const std::string& S, int N) {
    std::string Out;
    while (N-- > 0)
        Out += S;
    return Out;
}

// A reader hears each slot once and briefly, and nothing cut inside a character.
TEST(Accessible_Row, NamesDescriptionsAndValues) {
    const std::string Long_Tip = Repeat("\xC3\xA9", 300); // e-acute, two bytes each
    const std::string Emoji = "\xF0\x9F\x98\x80";
    const struct {
        Slot_Record Rec;
        std::string Name, Description;
    } Cases[] = {
        {{false, "text", "a tip"}, "a tip", ""},
        {{false, "", ""}, "empty slot", ""},
        {{false, "\r\n \t\n  third\tline  \nfourth", ""}, "third line", ""},
        {{true, "x", "two\r\nlines"}, "two  lines", "locked"},
        {{false, "x", Long_Tip}, Repeat("\xC3\xA9", 256), Long_Tip},
        {{true, std::string("a\0b", 3), Long_Tip}, Repeat("\xC3\xA9", 256), "locked, " + Long_Tip},
        {{false, std::string(255, 'a') + Emoji + "zz", ""}, std::string(255, 'a') + Emoji, ""},
    };
    for (const auto& K : Cases) {
        const Accessible_Row R = Describe_Slot(K.Rec);
        EXPECT_EQ(R.Name, K.Name) << K.Rec.Text;
        EXPECT_EQ(R.Description, K.Description) << K.Rec.Text;
    }
    EXPECT_EQ(Describe_Slot({false, "a\r\nb", ""}).Value, "a\r\nb");
    const std::string Cjk = "\xE6\x97\xA5";
    EXPECT_EQ(Describe_Slot({false, Repeat(Cjk, 5000), ""}).Value, Repeat(Cjk, Max_Value_Chars));
}

// The rows a reader finds are the rows drawn at every dpi; a gap or beside the list is no row.
TEST(Accessible_List, StatesLocationsAndHitsFollowTheDrawing) {
    for (const int Dpi : {96, 144}) {
        Rig R("A|*!B|C", Dpi);
        const Reader_Rows& A = R.M.Reader();
        const int W = R.T.Window.Client_Width(), P = Dpi * 24 / 96;
        ASSERT_EQ(A.Count(), 3);
        for (int Row = 0; Row < 3; ++Row) {
            const Accessible_Row Got = A.Row(Row);
            EXPECT_EQ(Got.Selected, Row == 1);
            EXPECT_EQ(Got.Location, (Rect{0, Row * P, W, Row * P + P - 1})) << Dpi;
        }
        EXPECT_EQ(A.Focus(), 1);
        const struct {
            int X, Y, Row;
        } Hits[] = {{0, 0, 0},   {W - 1, P - 2, 0}, {5, P - 1, -1},
                    {5, P, 1},   {5, 3 * P - 2, 2}, {5, 3 * P, -1},
                    {-1, 5, -1}, {W, 5, -1},        {5, -1, -1}};
        for (const auto& H : Hits)
            EXPECT_EQ(A.Hit(H.X, H.Y), H.Row) << Dpi << " " << H.X << "," << H.Y;
        // A reader may send any child id: 0 is the list, 1 the first row.
        const std::pair<int32_t, std::optional<int>> Ids[] = {
            {0, -1}, {3, 2}, {4, {}}, {-1, {}}, {INT32_MIN, {}}, {INT32_MAX, {}}};
        for (const auto& [Id, Row] : Ids)
            EXPECT_EQ(Row_Of_Child_Id(A, Id), Row) << Id;
    }
}

// Space clicks the selected slot's lock, Ctrl+Up and Ctrl+Down drag it by one row, and the
// shortcut keys run their commands.
TEST(Keyboard, EachKeyActsOnTheSelectedSlot) {
    Rig R("!A|*B");
    const std::tuple<Key, int, const char*> Steps[] = {
        {Key::Space, 0, "!A|*!B|"}, // every slot locked: a blank one is added
        {Key::Space, 0, "!A|*B|"},
        {Key::Space, Shift_Mask, "!A|*B|"},
        {Key::Up, Ctrl_Mask, "*B|!A|"},
        {Key::Up, Ctrl_Mask, "*B|!A|"},
        {Key::Down, Ctrl_Mask, "!A|*B|"},
        {Key::Down, Ctrl_Mask, "!A||*B"},
        {Key::Down, Ctrl_Mask, "!A||*B"},
        {Key::N, Ctrl_Mask, "!A||*B|"},
        {Key::C, Ctrl_Mask, "!A||*B||B"},
        {Key::Delete, Ctrl_Mask | Shift_Mask | Alt_Mask, "!A||*||B"}, // any modifiers
        {Key::X, Ctrl_Mask, "!A||*|B"},
        {Key::Down, 0, "!A|||*B"},
        {Key::Down, 0, "*!A|||B"}, // round to the top
        {Key::Up, 0, "!A|||*B"},
        {Key::N, Ctrl_Mask | Shift_Mask, "!A|||*B"},
        {Key::C, 0, "!A|||*B"},
        {Key::Delete, 0, "!A|||*"}};
    for (const auto& [K, Shift, After] : Steps) {
        const uint32_t Seq = R.T.Clip.Seq;
        R.Press(K, Shift);
        EXPECT_EQ(R.List(), After) << int(K) << " " << Shift;
        const bool Move = Shift == Ctrl_Mask && (K == Key::Up || K == Key::Down);
        EXPECT_TRUE(!Move || R.T.Clip.Seq == Seq) << "moving is no selection";
    }
    // Enter edits the selected slot, Shift+F10 and the menu key open the row menu below the
    // selected row; with other modifiers they are the system's.
    Rig M("A|B|*C", 144);
    M.Press(Key::Up, Ctrl_Mask); // C moves to row 1 and stays node 2
    std::string Edited;
    M.T.Dialogs.On_Edit_Sel = [&](Fake_Edit_Sel_View& V) {
        Edited += V.Text(Edit_Sel_Control::Editing);
    };
    M.T.Menu.Choices = {Menu_Item::mnuEdit, Menu_Item::mnuEdit};
    const std::pair<Key, int> Keys[] = {{Key::Enter, 0}, {Key::F10, Shift_Mask},
                                        {Key::Apps, 0},  {Key::Enter, Alt_Mask},
                                        {Key::F10, 0},   {Key::Apps, Ctrl_Mask}};
    for (const auto& [K, Shift] : Keys)
        M.Press(K, Shift);
    EXPECT_EQ(Edited, "CCC");
    const Menu_Place At_Row{Menu_Place::Origin::Client, 72, 36 + 35};
    EXPECT_EQ(M.T.Menu.Places, (std::vector{At_Row, At_Row}));
    M.Click(0, 100, Button_Right);
    EXPECT_EQ(M.T.Menu.Places.back(), Menu_Place{}) << "a click's menu opens at the pointer";
}

// Readers hear each move of the selection, new name, lock and order once, of the rows drawn.
TEST(Readers, EventsForEachChange) {
    Rig R("*A|B|C");
    R.T.Window.On_Tell = [&](int Row) {
        if (Row < 0) return;
        int16_t Walk = R.M.Store().List().Head; // the list as it is now
        for (int I = 0; I < Row; ++I)
            Walk = R.M.Store().List().Nodes[static_cast<size_t>(Walk)].Next;
        EXPECT_EQ(R.M.View().Slot_Of_Row(Row), Walk) << Row;
    };
    R.Click(2);
    R.Click(2);
    R.Press(Key::Up);
    R.Press(Key::Space);
    R.Press(Key::Up, Ctrl_Mask);
    R.Copy("new"); // filed over the unlocked slot below
    R.Copy("A");   // a match in another slot is selected
    R.Set([](Settings& U) { U.Add_Mode = Pos_Top; });
    R.Copy("top");
    EXPECT_EQ(R.T.Window.Heard, "F2 S2 F1 S1 D1 R-1 F0 S0 N1 F1 S1 N2 F2 S2 R-1 N0 F0 S0");
}

// Shift-drag on Tip moves the slot to the bar; the pointer capture lost ends it unmoved.
TEST(Drag, MovesToTheBarUnlessTheCaptureIsLost) {
    for (const bool Lost : {false, true}) {
        Rig R("a|b|*c|d|e");
        R.Events.Pointer({Pointer_Area::Surface, Pointer_Action::Move, 0, 0, 100, 50});
        R.Events.Pointer(
            {Pointer_Area::Tip, Pointer_Action::Down, Button_Left, Shift_Mask, 30, 15});
        R.Events.Pointer({Pointer_Area::Tip, Pointer_Action::Move, Button_Left, Shift_Mask, 30,
                          (75 - 48) * 15.0});
        EXPECT_EQ(R.T.Window.Splitter_Top, 45) << "just below itself is no place to go";
        R.Events.Pointer({Pointer_Area::Tip, Pointer_Action::Move, Button_Left, Shift_Mask, 30,
                          (30 - 48) * 15.0});
        EXPECT_EQ(R.T.Window.Splitter_Top, 21);
        if (Lost) R.Events.Capture_Lost();
        R.Events.Pointer({Pointer_Area::Tip, Pointer_Action::Up, Button_Left, 0, 30, 0});
        EXPECT_EQ(R.List(), Lost ? "a|b|*c|d|e" : "a|*c|b|d|e");
        EXPECT_FALSE(R.T.Window.Splitter_Visible);
    }
}

} // namespace
