#include "commands/Paste_Lines.h"
#include "commands/Quick_Paste.h"
#include "tests/doubles/Test_Platform.h"

#include <gtest/gtest.h>

namespace {

using K = Popup_Key;
const Cp1252_Codec Codec;
const Case_Table Folds{Codec};

// The texts Filter keeps, "|" between them; "description=text" gives a slot a description.
std::string Kept(const std::vector<std::string>& Texts, std::string_view Filter) {
    LinkList L;
    List_Init(L);
    for (const std::string& T : Texts) {
        const size_t Eq = T.find('=') + 1; // 0 without a description
        int16_t Idx = 0;
        List_Insert(L, Slot_Record{false, T.substr(Eq), T.substr(0, Eq ? Eq - 1 : 0)}, Pos_Bottom,
                    Idx);
    }
    std::string Out;
    for (const int16_t S : Paste_Slots(L, Filter, Folds))
        Out += (Out.empty() ? "" : "|") + Node(L, S).Data.Text.str();
    return Out;
}

TEST(Quick_Paste_Filter, EachWordInDescriptionOrTextWithoutCaseByWholeCharacters) {
    const std::string Long(5000, 'x');
    const struct {
        std::vector<std::string> Texts;
        const char* Filter;
        std::string Kept;
    } Cases[] = {
        {{"Apple pie", "apple", "", "Pear"}, "", "Apple pie|apple|Pear"}, // no empty text
        {{"Apple pie", "apple", "Pear"}, " pie  APP ", "Apple pie"},
        {{"Apple", "kiwi", "Pear"}, "P", "Apple|Pear"},
        {{"fruit=Apple pie", "fruit=Pear", "Pie"}, "FRUIT pie", "Apple pie"},
        {{"caf\xC3\xA9", "CAF\xC3\x89", "cafe"}, "Caf\xC3\xA9", "caf\xC3\xA9|CAF\xC3\x89"},
        // U+00C3 shares its first byte with U+00E9
        {{"\xC3\xA9t\xC3\xA9", "\xC3\xA3"}, "\xC3\x83", "\xC3\xA3"},
        {{"Cla\xC5\xBF\xC5\xBF", "\xC4\xB1n", "Class"}, "ss", "Cla\xC5\xBF\xC5\xBF|Class"},
        // the scan finds the rare q first and steps back over a character of either length
        {{"x\xC5\xBFQ", "xsq", "\xC5\xBF q", "q"}, "\xC5\xBFq", "x\xC5\xBFQ|xsq"},
        {{Long + "Needle", Long + "needl", "N" + Long}, "needle", Long + "Needle"},
        {{Long + "\xC3\x89t\xC3\xA9"}, "\xC3\xA9T\xC3\x89", Long + "\xC3\x89t\xC3\xA9"},
        {{"Pear"}, "pears", ""},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(Kept(C.Texts, C.Filter), C.Kept) << C.Filter;
}

TEST(Quick_Paste_Lines, NumberedLockMarkedAndOnOneLine) {
    int16_t Current = 0;
    const LinkList L = Build_List("A|!B|C|D|E|F|G|H|I|J|K", Current);
    const std::vector<Popup_Line> Lines = Paste_Lines(L, Paste_Slots(L, "", Folds));
    std::string Numbers;
    for (const Popup_Line& P : Lines)
        Numbers += P.Number;
    EXPECT_EQ(Numbers, "1234567890 ");
    EXPECT_EQ(Lines[1], (Popup_Line{'2', true, "B"}));
    EXPECT_EQ(Line_Label({false, "  one\r\n\ttwo   three \n", ""}), "one two three");
    EXPECT_EQ(Line_Label({false, "text", "the description"}), "the description");
    const std::string Huge(3 << 20, 'w');
    EXPECT_LT(Line_Label({false, "\xC3\xA9" + Huge, ""}).size(), 1000u);
}

Paste_Target At_Caret(int X, int Y) {
    return {0, true, {X, Y, X + 2, Y + 18}, 0, 0, false};
}

TEST(Quick_Paste_Placement, InsideTheWorkAreaOfTheCaretsMonitorAtItsDpi) {
    const std::pair<Paste_Target, Rect> Cases[] = {
        {At_Caret(100, 100), {100, 118, 520, 438}},
        {At_Caret(1900, 100), {1500, 118, 1920, 438}},
        {At_Caret(100, 1000), {100, 680, 520, 1000}}, // above the caret
        {At_Caret(-50, -30), {0, 0, 420, 320}},
        {Paste_Target{0, false, {}, 300, 400, false}, {300, 420, 720, 740}}, // at the pointer
    };
    for (const auto& [Target, Want] : Cases)
        EXPECT_EQ(Place_Popup(Target, {{0, 0, 1920, 1040}, 96}), Want) << Target.Caret.Left;

    Rig R("*A|B");
    Fake_Paste_Desk& D = R.T.Paste_Desk;
    D.Monitors.push_back({{-2560, 0, 0, 1400}, 144});
    D.Target = At_Caret(-10, 1390);
    Quick_Paste_Hotkey(R.M);
    EXPECT_EQ(D.View.Dots, 144);
    EXPECT_EQ(D.View.Bounds, (Rect{-630, 910, 0, 1390}));
}

TEST(Quick_Paste, TheChoiceFollowsKeysTypingAndTheList) {
    Rig R("A|*B|Carrot|!Date|"); // nodes 0 to 4
    Fake_Paste_Popup& V = R.T.Paste_Desk.View;
    Quick_Paste_Hotkey(R.M);
    ASSERT_TRUE(V.Shown);
    EXPECT_EQ(V.Lines.size(), 4u) << "the empty slot is not listed";
    EXPECT_EQ(V.Choice, 1) << "the selected slot";
    const std::pair<K, int> Keys[] = {{K::Up, 0},        {K::Up, 0},     {K::Down, 1},
                                      {K::End, 3},       {K::Down, 3},   {K::Home, 0},
                                      {K::Page_Down, 3}, {K::Page_Up, 0}};
    for (const auto& [Key, After] : Keys) {
        V.Key(Key);
        EXPECT_EQ(V.Choice, After) << int(Key);
    }
    V.Key(K::Down);
    V.Type("a");
    EXPECT_EQ(R.M.Kept.Paste->Listed(), (std::vector<int16_t>{0, 2, 3}));
    EXPECT_EQ(V.Choice, 0) << "the first remaining line";
    V.Key(K::Down);
    R.Copy("banana");
    EXPECT_EQ(R.M.Kept.Paste->Chosen(), 2) << "kept while a copy is filed";
    EXPECT_EQ(V.Lines.size(), 4u) << "the new copy is listed";
    R.T.Text.Upper_Calls = 0;
    V.Type("z"), V.Type("z");
    EXPECT_LT(R.T.Text.Upper_Calls, 0x10000u) << "the case rules are asked once, not per key";
    EXPECT_EQ(V.Choice, -1);
    V.Key(K::Enter);
    EXPECT_TRUE(V.Shown) << "nothing to paste";
}

// A paste selects the slot and sends Ctrl+V where the focus was; closing changes nothing.
TEST(Quick_Paste, EachWayToPasteOrClose) {
    const char* Before = "A|*B|Carrot|!Date|";
    const struct {
        std::function<void(Rig&, Fake_Paste_Popup&)> Act;
        const char *List, *Clip;
        size_t Pastes;
        Window_Id Focus;
    } Cases[] = {
        {[](Rig&, auto& P) { P.Type("arr"), P.Key(K::Enter); }, "A|B|*Carrot|!Date|", "Carrot", 1,
         7},
        {[](Rig&, auto& P) { P.Key(K::Enter, 1); }, Before, "B", 0, 7}, // the clipboard only
        {[](Rig&, auto& P) { P.Key(K::Digit, 2, 4); }, "A|B|Carrot|*!Date|", "Date", 1, 7},
        {[](Rig&, auto& P) { P.Events->Line_Clicked(0); }, "*A|B|Carrot|!Date|", "A", 1, 7},
        {[](Rig&, auto& P) { P.Key(K::Digit, 2, 0); }, Before, "", 0, 99}, // no 10th line
        {[](Rig&, auto& P) { P.Key(K::Escape); }, Before, "", 0, 7},
        {[](Rig& R, auto&) { Quick_Paste_Hotkey(R.M); }, Before, "", 0, 7},
        {[](Rig& R, auto& P) { R.T.Paste_Desk.Focus = 5, P.Events->Deactivated(); }, Before, "", 0,
         5},
    };
    for (const auto& C : Cases) {
        Rig R(Before);
        Fake_Paste_Desk& D = R.T.Paste_Desk;
        D.Focus = 99; // our own popup has it
        Quick_Paste_Hotkey(R.M);
        C.Act(R, D.View);
        EXPECT_EQ(R.List(), C.List);
        EXPECT_EQ(R.T.Clip.Content.value_or(""), C.Clip) << C.List;
        EXPECT_EQ(D.Pasted_In.size(), C.Pastes) << C.List;
        EXPECT_EQ(D.Focus, C.Focus) << C.List;
        EXPECT_EQ(D.View.Shown, C.Focus == 99) << C.List;
        EXPECT_EQ(R.Changed(), *C.Clip != 0) << C.List;
    }
}

// Ctrl+V goes only into the target, once it is in front and the keys are up, while the
// clipboard still holds our write; else nothing is sent and the user is told why.
TEST(Quick_Paste, CtrlVOnlyIntoTheTargetInFrontWhileTheClipboardHoldsOurWrite) {
    const struct {
        const char* Name;
        bool Held; // Act runs while the keys are held after Enter, else before Enter
        std::function<void(Rig&)> Act;
        size_t Pastes;
        const char* Told; // part of the one balloon; "" for none
    } Cases[] = {
        {"keys let go", true, [](Rig& R) { EXPECT_TRUE(R.T.Paste_Desk.Pasted_In.empty()); }, 1, ""},
        {"clipboard held", false, [](Rig& R) { R.T.Clip.Busy = true; }, 0, "could not put"},
        {"no memory", false, [](Rig& R) { R.T.Clip.Write_Out_Of_Memory = true; }, 0,
         "could not put"},
        {"another copy", true, [](Rig& R) { R.T.Clip.Change("x"); }, 0, "clipboard changed"},
        {"front refused", false, [](Rig& R) { R.T.Paste_Desk.Focus_Refused = true; }, 0, "front"},
        {"another in front", true, [](Rig& R) { R.T.Paste_Desk.Focus = 5; }, 0, "front"},
        {"target closed", true, [](Rig& R) { R.T.Paste_Desk.Closed.insert(7); }, 0, ""},
        {"opened again", true, [](Rig& R) { Quick_Paste_Hotkey(R.M); }, 0, ""},
    };
    for (const auto& C : Cases) {
        Rig R("A|*B");
        Fake_Paste_Desk& D = R.T.Paste_Desk;
        D.Focus = 99;
        Quick_Paste_Hotkey(R.M);
        if (!C.Held) C.Act(R);
        D.Keys_Down = true;
        D.View.Key(K::Enter);
        D.Wait(1000);
        if (C.Held) C.Act(R);
        D.Wait(1000);
        D.Keys_Down = false;
        D.Wait(3000);
        EXPECT_EQ(D.Pasted_In, std::vector<Window_Id>(C.Pastes, 7)) << C.Name;
        EXPECT_FALSE(D.Waiting) << C.Name;
        const auto& Told = R.T.Tray.Balloons;
        EXPECT_EQ(Told.size(), *C.Told ? 1u : 0u) << C.Name;
        if (!Told.empty()) {
            EXPECT_NE(Told[0].find(C.Told), std::string::npos) << Told[0];
        }
    }
}

TEST(Quick_Paste, AnElevatedTargetGetsTheClipboardAndOneBalloon) {
    Rig R("A|*B|Carrot|!Date|");
    R.T.Paste_Desk.Target.Elevated = true;
    for (const char* Filter : {"carrot", "date"}) {
        Quick_Paste_Hotkey(R.M);
        R.T.Paste_Desk.View.Type(Filter);
        R.T.Paste_Desk.View.Key(K::Enter);
    }
    EXPECT_EQ(R.T.Clip.Content, "Date");
    EXPECT_TRUE(R.T.Paste_Desk.Pasted_In.empty());
    EXPECT_EQ(R.T.Tray.Balloons.size(), 1u);
}

TEST(Quick_Paste_Help, F1OpensTheSectionAsAFileUrl) {
    EXPECT_EQ(File_Url("C:\\Pim Loft#2\\PimLoft.html", "quick-paste"),
              "file:///C:/Pim%20Loft%232/PimLoft.html#quick-paste");
}

// A taken hotkey is told once; only OK applies; the Run value is shown as the registry holds it.
TEST(Quick_Paste_Options, TakenKeysToldOnceOnlyOkAppliesAndTheRunValueAsTheRegistryHoldsIt) {
    using O = Options_Control;
    const std::string Run_Key = "hkcu\\software\\microsoft\\windows\\currentversion\\run";
    Rig R("*A");
    Fake_Paste_Desk& D = R.T.Paste_Desk;
    D.Held_Elsewhere = {{0xC0, Ctrl_Mask}, {'Q', Ctrl_Mask}};
    Start_Quick_Paste(R.M);
    Start_Quick_Paste(R.M);
    EXPECT_FALSE(R.M.Kept.Paste->Registered());
    ASSERT_EQ(R.T.Tray.Balloons.size(), 1u);
    EXPECT_NE(R.T.Tray.Balloons[0].find("Ctrl+`"), std::string::npos) << R.T.Tray.Balloons[0];
    int Shown_Startup = -1, Shown_On = -1;
    std::string Taken;
    // Key -1 and Startup -1 leave those controls as shown; returns the Run value after.
    const auto Options = [&](int Key, int Startup, bool Ok) {
        R.T.Dialogs.On_Options = [&, Key, Startup, Ok](Fake_Options_View& V) {
            Shown_Startup = V.Value(O::cStartup), Shown_On = V.Value(O::cQuickPaste);
            if (Key >= 0) V.Set_Value(O::hkQuickPaste, Key), V.Events->hkQuickPaste_Change();
            Taken = V.Caption(O::lblTaken);
            if (Startup >= 0) V.Set_Value(O::cStartup, Startup);
            Quick_Paste_Hotkey(R.M); // the dialog is raised instead
            if (Ok) V.Events->OKButton_Click();
        };
        Run_Menu_Command(R.M, Menu_Item::mnuOptions);
        return Get(R.T.Reg.Keys[Run_Key], std::string("pimloft")).second;
    };
    EXPECT_EQ(Options('Q' | Ctrl_Mask << 8, 1, false), "");
    EXPECT_EQ(Taken, "Another program holds Ctrl+Q.") << "told while the dialog is open";
    EXPECT_EQ(R.M.Store.Util.Quick_Paste_Key, Default_Quick_Paste_Key);
    EXPECT_TRUE(D.Raised == 1 && !D.View.Shown);

    EXPECT_EQ(Options('W' | (Ctrl_Mask | Shift_Mask) << 8, 1, true),
              "\"C:\\PimLoft\\PimLoft.exe\"");
    EXPECT_EQ(D.Ours, (std::pair{'W' + 0, Ctrl_Mask | Shift_Mask}));
    EXPECT_TRUE(R.Changed()) << "the hotkey is kept in the data file";
    EXPECT_EQ(Options(-1, 0, true), "");
    EXPECT_EQ(Shown_Startup, 1);
    EXPECT_TRUE(R.M.Kept.Paste->Registered()) << "the old registration is undone first";
    R.T.Reg.Refusal = 5; // access denied: the box would show what was not written
    EXPECT_EQ(Options(-1, 1, true), "");
    EXPECT_EQ(R.T.Tray.Balloons.back(),
              "Windows refused to add PimLoft to the programs that start when you log on.");
    R.T.Reg.Refusal = 0;

    // Another copy of the program starts at logon: not ours to show or to remove.
    R.T.Reg.Set(Run_Key, "PimLoft", REG_SZ_, "\"D:\\Old\\PimLoft.exe\"");
    EXPECT_EQ(Options(-1, -1, true), "\"D:\\Old\\PimLoft.exe\"");
    EXPECT_EQ(Shown_Startup, 0);

    // A cleared hotkey is off, after either kind of restart, and stored as builds that take
    // key 0 for damage read it: off, with the default key.
    const auto Off = [](const Settings& U) {
        return !U.Quick_Paste_On && U.Quick_Paste_Key == Default_Quick_Paste_Key;
    };
    Options(0, -1, true);
    EXPECT_FALSE(D.Ours);
    R.M.Saves.Save_Now(Save_Kind::Journal);
    EXPECT_TRUE(Off(R.Saved().Util)) << "from the journal";
    R.M.Saves.Save_Now(Save_Kind::Whole);
    EXPECT_TRUE(Off(R.Saved().Util)) << "from the data file";
    Options(-1, -1, false);
    EXPECT_EQ(Shown_On, 0);
    // Key 0 as an earlier build left it in the data file or its journal.
    R.M.Store.Util.Quick_Paste_On = true, R.M.Store.Util.Quick_Paste_Key.Key = 0;
    R.M.Saves.Save_Now(Save_Kind::Whole);
    EXPECT_TRUE(Off(R.Saved().Util)) << "from the data file";
    R.M.Saves.Save_Now(Save_Kind::Journal);
    EXPECT_TRUE(Off(R.Saved().Util)) << "from the journal";
}

} // namespace
