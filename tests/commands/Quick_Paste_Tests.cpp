#include "commands/Paste_Lines.h"
#include "commands/Quick_Paste.h"
#include "tests/doubles/Test_Platform.h"

#include <gtest/gtest.h>

namespace {

using K = Popup_Key;
const Cp1252_Codec Codec;
const Case_Table Folds{Codec};

Paste_Target At_Caret(int X, int Y) {
    return {0, true, {X, Y, X + 2, Y + 18}, 0, 0, false};
}

// Each word in the description or the text, without case, by whole characters; numbered,
// lock-marked one-line labels; the popup inside the work area; F1's address.
TEST(Quick_Paste_Lines, FilterLabelsPlacementAndHelpUrl) {
    const std::string Long(5000, 'x');
    const std::pair<std::string, std::string> Filters[] = {
        // the texts; the filter, then the texts it keeps
        {"Apple pie|apple||Pear", "|Apple pie|apple|Pear"}, // no empty text
        {"caf\xC3\xA9|CAF\xC3\x89|cafe", "Caf\xC3\xA9|caf\xC3\xA9|CAF\xC3\x89"},
        // U+00C3 shares its first byte with U+00E9
        {"\xC3\xA9t\xC3\xA9|\xC3\xA3", "\xC3\x83|\xC3\xA3"},
        {"Cla\xC5\xBF\xC5\xBF|\xC4\xB1n|Class", "ss|Cla\xC5\xBF\xC5\xBF|Class"},
        // the scan finds the rare q first and steps back over a character of either length
        {"x\xC5\xBFQ|xsq|\xC5\xBF q|q", "\xC5\xBFq|x\xC5\xBFQ|xsq"},
        {Long + "Needle|" + Long + "needl|N" + Long, "needle|" + Long + "Needle"},
        {Long + "\xC3\x89t\xC3\xA9|x", "\xC3\xA9T\xC3\x89|" + Long + "\xC3\x89t\xC3\xA9"},
        {"Apple pie|Pear|Pie", "FRUIT pie|Apple pie"}, // the first two are described "fruit"
    };
    int16_t Current = 0;
    for (const auto& [Texts, Want] : Filters) {
        LinkList L = Build_List(Texts, Current);
        Node(L, 0).Data.Description = Node(L, 1).Data.Description = "fruit";
        const std::string Filter = Want.substr(0, Want.find('|'));
        std::string Kept = Filter;
        for (const int16_t S : Paste_Slots(L, Filter, Folds))
            Kept += "|" + Node(L, S).Data.Text.str();
        EXPECT_EQ(Kept, Want);
    }
    const LinkList L = Build_List("A|!B|C|D|E|F|G|H|I|J|K", Current);
    const std::vector<Popup_Line> Lines = Paste_Lines(L, Paste_Slots(L, "", Folds));
    EXPECT_EQ(Lines[1], (Popup_Line{'2', true, "B", {}}));
    // An older text: no number, its age and program beside it.
    EXPECT_EQ(Older_Line({" a\r\n b", "notepad.exe", 1000, 1}, 1000 + 7199),
              (Popup_Line{' ', false, "a b", "1 h \xC2\xB7 notepad.exe"}));
    EXPECT_EQ(Age_Of(0, 3 * 86400 + 5), "3 d");
    EXPECT_TRUE(Lines[9].Number == '0' && Lines[10].Number == ' ');
    EXPECT_EQ(Line_Label({false, "  one\r\n\ttwo   three \n", ""}), "one two three");
    EXPECT_EQ(Line_Label({false, "text", "the description"}), "the description");
    EXPECT_LT(Line_Label({false, "\xC3\xA9" + std::string(3 << 20, 'w'), ""}).size(), 1000u);
    const Monitor_Area Screen{{0, 0, 1920, 1040}, 96};
    EXPECT_EQ(Place_Popup(At_Caret(-50, -30), Screen), (Rect{0, 0, 420, 320}));
    EXPECT_EQ(Place_Popup({0, false, {}, 300, 400, false}, Screen), (Rect{300, 420, 720, 740}))
        << "at the pointer";
    EXPECT_EQ(File_Url("C:\\Pim Loft#2\\PimLoft.html", "quick-paste"),
              "file:///C:/Pim%20Loft%232/PimLoft.html#quick-paste");
}

TEST(Quick_Paste, TheChoiceFollowsKeysTypingAndTheList) {
    Rig R("A|*B|Carrot|!Date|"); // nodes 0 to 4
    Fake_Paste_Desk& D = R.T.Paste_Desk;
    Fake_Paste_Popup& V = D.View;
    D.Monitors.push_back({{-2560, 0, 0, 1400}, 144});
    D.Target = At_Caret(-10, 1390);
    R.Events.Hotkey();
    EXPECT_EQ(V.Dots, 144) << "the caret's monitor";
    EXPECT_EQ(V.Bounds, (Rect{-630, 910, 0, 1390}));
    EXPECT_EQ(V.Choice, 1) << "the selected slot";
    const std::pair<K, int> Keys[] = {{K::Up, 0},        {K::Up, 0},     {K::Down, 1},
                                      {K::End, 3},       {K::Down, 3},   {K::Home, 0},
                                      {K::Page_Down, 3}, {K::Page_Up, 0}};
    for (const auto& [Key, After] : Keys) {
        V.Key(Key);
        EXPECT_EQ(V.Choice, After) << int(Key);
    }
    V.Key(K::Down);
    V.Filter("a");
    EXPECT_EQ(R.Kept.Paste->Listed(), (std::vector<int16_t>{0, 2, 3}));
    EXPECT_EQ(V.Choice, 0) << "the first remaining line";
    V.Key(K::Down);
    R.Copy("banana");
    EXPECT_EQ(R.Kept.Paste->Chosen(), 2) << "kept while a copy is filed";
    EXPECT_EQ(V.Lines.size(), 4u) << "the new copy is listed";
    R.T.Text.Upper_Calls = 0;
    V.Filter("az"), V.Filter("azz");
    EXPECT_LT(R.T.Text.Upper_Calls, 0x10000u) << "the case rules are asked once, not per key";
    EXPECT_EQ(V.Choice, -1);
    V.Key(K::Enter);
    EXPECT_TRUE(V.Shown) << "nothing to paste";
}

// A paste selects the slot, gives the focus back and sends Ctrl+V into the target once it is
// in front and the keys are up, while the clipboard still holds our write; else nothing is
// sent and the user is told why.
TEST(Quick_Paste, EachWayToPasteOrClose) {
    const char* Before = "A|*B|Carrot|!Date|";
    using Act = std::function<void(Rig&, Fake_Paste_Desk&)>;
    const struct {
        const char *List, *Clip;
        size_t Pastes;
        Window_Id Focus;           // 99: our popup
        const char* Told;          // part of the one balloon; "" for none
        Act First, Held = nullptr; // First: before Enter; Held: a second after it, keys down
    } Cases[] = {
        {"A|B|*Carrot|!Date|", "Carrot", 1, 7, "", [](Rig&, auto& D) { D.View.Filter("arr"); }},
        {"A|B|Carrot|*!Date|", "Date", 1, 7, "", [](Rig&, auto& D) { D.View.Key(K::Digit, 2, 4); }},
        {"*A|B|Carrot|!Date|", "A", 1, 7, "",
         [](Rig&, auto& D) { D.View.Events->Line_Clicked(0); }},
        {Before, "B", 1, 7, "", [](Rig&, auto& D) { D.View.Key(K::Digit, 2, 0); }}, // no 10th line
        {Before, "", 0, 7, "", [](Rig& R, auto&) { R.Events.Hotkey(); }},
        {Before, "", 0, 5, "", [](Rig&, auto& D) { D.Focus = 5, D.View.Events->Deactivated(); }},
        {Before, "", 0, 7, "could not put", [](Rig& R, auto&) { R.T.Clip.Busy = true; }},
        {Before, "x", 0, 7, "clipboard changed", nullptr,
         [](Rig& R, auto&) { R.T.Clip.Change("x"); }},
        {Before, "B", 0, 5, "front", [](Rig&, auto& D) { D.Focus_Refused = true, D.Focus = 5; }},
        {Before, "B", 0, 7, "", nullptr, [](Rig&, auto& D) { D.Closed.insert(7); }},
        {Before, "B", 0, 99, "", nullptr, [](Rig& R, auto& D) { R.Events.Hotkey(), D.Focus = 99; }},
        {Before, "B", 0, 7, "administrator",
         [](Rig& R, auto& D) {
             D.Target.Elevated = true; // from the next opening
             R.Events.Hotkey(), R.Events.Hotkey(), D.View.Key(K::Enter);
             R.Events.Hotkey();
         }},
    };
    for (const auto& C : Cases) {
        Rig R(Before);
        Fake_Paste_Desk& D = R.T.Paste_Desk;
        D.Focus = 99;
        R.Events.Hotkey();
        D.Keys_Down = true;
        if (C.First) C.First(R, D);
        D.View.Key(K::Enter);
        D.Wait(1000);
        EXPECT_TRUE(D.Pasted_In.empty()) << "while keys are held";
        if (C.Held) C.Held(R, D);
        D.Wait(1000);
        D.Keys_Down = false;
        D.Wait(3000);
        EXPECT_EQ(std::tuple(R.List(), R.T.Clip.Content.value_or(""), D.Pasted_In, D.Focus,
                             D.View.Shown, D.Waiting),
                  std::tuple(C.List, C.Clip, std::vector<Window_Id>(C.Pastes, 7), C.Focus,
                             C.Focus == 99, false))
            << C.Told;
        const auto& Told = R.T.Tray.Balloons;
        EXPECT_EQ(Told.size() == 1 && Told[0].find(C.Told) != std::string::npos, *C.Told != 0);
    }
}

// Opens Options for Act to play the user, then OK; without it the fake cancels.
void Options(Rig& R, bool Ok, const std::function<void(Fake_Options_View&)>& Act) {
    R.T.Dialogs.On_Options = [&](Fake_Options_View& V) {
        if (Act(V); Ok) V.Events->OKButton_Click();
    };
    R.M.Run_Menu_Command(Menu_Item::mnuOptions);
}

// A taken hotkey is told once; only OK applies, and untouched every setting comes back as it
// was; the Run value shows as the registry holds it; a cleared hotkey stays off.
TEST(Options, HotkeyStartAtLogonAndSettingsReadBack) {
    using O = Options_Control;
    Rig R("*A");
    auto& Run = R.T.Reg.Keys["hkcu\\software\\microsoft\\windows\\currentversion\\run"];
    Fake_Paste_Desk& D = R.T.Paste_Desk;
    const Settings& U = R.M.Store().Util();
    D.Held_Elsewhere = {{0xC0, Ctrl_Mask}, {'Q', Ctrl_Mask}};
    R.Kept.Paste->Apply_Settings();
    R.Kept.Paste->Apply_Settings();
    const auto& Told = R.T.Tray.Balloons;
    EXPECT_TRUE(Told.size() == 1 && Told[0].find("Ctrl+`") != std::string::npos);
    int Shown_Startup = -1;
    std::string Taken;
    R.Set([](Settings& S) { S.Tip_Font.Size = 10.5f; });
    // Key -1 and Startup -1 leave those controls as shown; returns the Run value after.
    const auto Set_And_Run = [&](int Key, int Startup, bool Ok) {
        Options(R, Ok, [&](Fake_Options_View& V) {
            Shown_Startup = V.Value(O::cStartup);
            EXPECT_EQ(V.Enabled(O::ToolButton), U.Print_Tip);
            EXPECT_EQ(V.Caption(O::ToolLabel), "Times New Roman (10.5)");
            if (Key >= 0) V.Set_Value(O::hkQuickPaste, Key), V.Events->hkQuickPaste_Change();
            Taken = V.Caption(O::lblTaken);
            if (Startup >= 0) V.Set_Value(O::cStartup, Startup);
        });
        return Run["pimloft"].second;
    };
    EXPECT_EQ(Set_And_Run('Q' | Ctrl_Mask << 8, 1, false), "");
    EXPECT_EQ(Taken, "Another program holds Ctrl+Q.") << "told while the dialog is open";
    EXPECT_EQ(U.Quick_Paste_Key, Default_Quick_Paste_Key);
    EXPECT_EQ(Set_And_Run('W' | (Ctrl_Mask | Shift_Mask) << 8, 1, true),
              "\"C:\\PimLoft\\PimLoft.exe\"");
    EXPECT_EQ(D.Ours, (std::pair{'W' + 0, Ctrl_Mask | Shift_Mask}));
    R.Set(
        [](Settings& S) { S.Add_Mode = 7, S.Ignore_Case = -1, S.Print_Tip = S.Del_Warn = false; });
    Settings Want = U;
    Want.Add_Mode = Mode_Next_Free, Want.Ignore_Case = 0;
    EXPECT_EQ(Set_And_Run(-1, 0, true), "");
    EXPECT_TRUE(Shown_Startup == 1 && U == Want);
    EXPECT_TRUE(R.Kept.Paste->Registered()) << "the old registration is undone first";
    R.T.Reg.Refusal = 5; // access denied: the box would show what was not written
    R.Set([](Settings& S) { S.Add_Mode = Pos_Top; });
    EXPECT_EQ(Set_And_Run(-1, 1, true), "");
    EXPECT_EQ(U.Add_Mode, Pos_Top);
    EXPECT_EQ(Told.back(),
              "Windows refused to add PimLoft to the programs that start when you log on.");
    R.T.Reg.Refusal = 0;
    // Another copy of the program starts at logon: not ours to show or to remove.
    Run["pimloft"] = {REG_SZ_, "\"D:\\Old\\PimLoft.exe\""};
    EXPECT_EQ(Set_And_Run(-1, -1, true), "\"D:\\Old\\PimLoft.exe\"");
    EXPECT_EQ(Shown_Startup, 0);
    // Cleared, or key 0 as an earlier build left it in the data file or its journal: off, with
    // the default key, as builds that take key 0 for damage read it.
    const auto Off = [](const Settings& S) {
        return !S.Quick_Paste_On && S.Quick_Paste_Key == Default_Quick_Paste_Key;
    };
    Set_And_Run(0, -1, true);
    EXPECT_TRUE(Off(U) && !D.Ours);
    R.Set([](Settings& S) { S.Quick_Paste_On = true, S.Quick_Paste_Key.Key = 0; });
    R.M.Saves().Save_Now(Save_Kind::Whole);
    EXPECT_TRUE(Off(R.Saved().Util)) << "from the data file";
    R.M.Saves().Save_Now(Save_Kind::Journal);
    EXPECT_TRUE(Off(R.Saved().Util)) << "from the journal";
    // The history's size: shown, read back and saved ("12a" pasted: no number). Turning the
    // history off asks first, and No keeps it; Clear History asks at once, Cancel or not.
    const std::tuple<std::string, bool, bool, uint32_t, std::string> Steps[] = {
        {"250", true, false, 250, ""},
        {"9999999", true, false, Max_History_Keep, ""},
        {"12a", true, false, Max_History_Keep, ""},
        {"0", false, false, Max_History_Keep, "Turn the History Off"},
        {"5", true, true, Max_History_Keep, "Clear History: Clear"},
        {"00", true, false, 0, "Turn the History Off"},
        {"0", true, false, 0, ""}};
    for (const auto& [Typed, Yes, Clear, Kept, Asked] : Steps) {
        R.T.Box.Default_Answer = Yes;
        R.T.Box.Shown.clear();
        Options(R, !Clear, [&](Fake_Options_View& V) {
            EXPECT_EQ(V.Caption(O::txtKeep), std::to_string(U.History_Keep));
            V.Set_Caption(O::txtKeep, Typed);
            if (Clear) V.Events->ClearHistory_Click();
        });
        const auto& Box = R.T.Box.Shown;
        EXPECT_EQ(Box.empty() ? "" : Box[0].substr(0, 20), Asked) << Typed;
        EXPECT_EQ(U.History_Keep, Kept) << Typed;
    }
    R.M.Saves().Save_Now(Save_Kind::Journal);
    EXPECT_EQ(R.Saved().Util.History_Keep, 0u);
    R.Set([](Settings& S) { S.History_Keep = Default_History_Keep; });
    R.M.Saves().Save_Now(Save_Kind::Journal);
    EXPECT_EQ(R.Saved().Util.History_Keep, Default_History_Keep) << "a record without it";
}

// A program is listed once, path or not; Remove takes the selected line, then the one that
// moved up; a name typed and left there is kept by OK (Enter); the last copy's program is
// offered once known. Days are clamped, empty is never; Cancel leaves what OK stored.
TEST(Options, ExcludedProgramsAndExpiry) {
    using O = Options_Control;
    Rig R("*A");
    const Settings& U = R.M.Store().Util();
    std::string Shown; // the days, and whether the last copy's program is offered
    const auto Look = [&](Fake_Options_View& V) {
        Shown = V.Caption(O::txtExpire) + (V.Enabled(O::AddLastProgram) ? " last" : "");
    };
    Options(R, true, [&](Fake_Options_View& V) {
        Look(V);
        for (const char* Typed :
             {"\"C:\\Apps\\KeePass.exe\"", "keepass.EXE", " ", "b.exe", "c.exe"})
            V.Set_Caption(O::txtProgram, Typed), V.Events->AddProgram_Click();
        V.Set_Value(O::lstExcluded, 1);
        V.Events->RemoveProgram_Click();
        V.Events->RemoveProgram_Click();
        V.Set_Caption(O::txtProgram, "d.exe");
        V.Set_Caption(O::txtExpire, "99999");
    });
    EXPECT_EQ(U.Excluded_Programs, (std::vector<std::string>{"KeePass.exe", "d.exe"}));
    EXPECT_TRUE(U.Expire_Days == Max_Expire_Days && Shown.empty());
    R.T.Clip.Program = "notepad.exe";
    R.Copy("x");
    const Settings Before = U;
    for (const bool Ok : {false, true}) {
        Options(R, Ok, [&](Fake_Options_View& V) {
            Look(V), V.Events->AddLastProgram_Click();
            V.Set_Caption(O::txtExpire, "");
        });
        EXPECT_EQ(U == Before, !Ok);
    }
    EXPECT_EQ(Shown, "3650 last");
    EXPECT_EQ(U.Excluded_Programs,
              (std::vector<std::string>{"KeePass.exe", "d.exe", "notepad.exe"}));
    EXPECT_EQ(U.Expire_Days, 0);
}

} // namespace
