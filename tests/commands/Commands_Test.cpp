#include "commands/About.h"
#include "commands/Edit_Sel.h"
#include "commands/Options.h"
#include "tests/doubles/Test_Platform.h"

#include <gtest/gtest.h>

namespace {

using I = Menu_Item;
using O = Options_Control;
using E = Edit_Sel_Control;

TEST(Slot_Commands, ClearAndDeleteAskForLockedSlotsOnlyWhenWarned) {
    struct Case {
        const char* Before;
        I Item;
        bool Del_Warn, Answer;
        const char* After;
        bool Asked;
    };
    const Case Cases[] = {
        {"A|*B|C", I::mnuDelete, true, true, "A|*C", false}, // the slot below is picked
        {"A|*B", I::mnuDelete, true, true, "*A", false},     // else the one above
        {"*A", I::mnuDelete, true, true, "*", false},        // the only slot is cleared instead
        {"A|*!B", I::mnuDelete, true, false, "A|*!B", true},
        {"A|*!B", I::mnuDelete, false, false, "*A", false},
        {"!A|*!B", I::mnuDelete, true, true, "*!A|", true}, // one unlocked slot is kept
        {"A|*!B", I::mnuClear, true, false, "A|*!B", true},
        {"A|*!B", I::mnuClear, true, true, "A|*", true},
        {"*!A|B", I::mnuCopy, true, true, "*!A|B|!A", false},
        {"A|B", I::mnuClear, true, true, "A|B", false}, // nothing selected
    };
    for (const Case& C : Cases) {
        Rig R(C.Before);
        R.M.Store.Util.Del_Warn = C.Del_Warn;
        R.T.Box.Default_Answer = C.Answer;
        Run_Menu_Command(R.M, C.Item);
        EXPECT_EQ(R.List(), C.After) << C.Before << " " << static_cast<int>(C.Item);
        EXPECT_EQ(R.T.Box.Shown.size(), C.Asked ? 1u : 0u) << C.Before;
    }
    Rig Full("*A");
    for (int N = 0; N < 75; ++N)
        Run_Menu_Command(Full.M, N % 2 ? I::mnuAdd : I::mnuCopy);
    EXPECT_EQ(Full.M.Store.List.List_Ubound, 70);
    Run_Menu_Command(Full.M, I::mnuTop);
    EXPECT_TRUE(Full.T.Window.Topmost && Full.M.Store.Util.On_Top);
}

TEST(Edit_Selection, OkStoresCancelKeepsAndTheDialogIsKept) {
    Rig R("A|*B");
    R.T.Dialogs.On_Edit_Sel = [&](Fake_Edit_Sel_View& V) {
        EXPECT_EQ(V.Text(E::Editing), "B");
        EXPECT_FALSE(R.T.Window.Enabled);
        V.Set_Text(E::Editing, "new text");
        V.Set_Text(E::Tip, "new tip");
        V.Resize(400, 300);
    };
    Form_DblClick(R.M); // the frame closes it: Cancel
    EXPECT_EQ(R.M.Store.List.Nodes[1].Data, (Slot_Record{false, "B", "B"}));
    EXPECT_FALSE(R.Changed());
    const auto Old = R.T.Dialogs.On_Edit_Sel;
    R.T.Dialogs.On_Edit_Sel = [&](Fake_Edit_Sel_View& V) {
        EXPECT_EQ(V.Inner_Width(), 400) << "the size carries over";
        Old(V);
        V.Events->OKButton_Click();
    };
    Tip_DblClick(R.M);
    EXPECT_EQ(R.M.Store.List.Nodes[1].Data, (Slot_Record{false, "new text", "new tip"}));
    EXPECT_EQ(R.T.Clip_Board.Content, "new text");
    EXPECT_EQ(R.T.Dialogs.Created, 1);
}

TEST(Edit_Selection, LayoutFollowsTheSizeAndNeverGoesNegative) {
    const struct {
        int W, H, Edit_Height, Tip_Width, Back_Top;
    } Cases[] = {{314, 213, 148, 202, 153}, {600, 400, 335, 488, 340}, {113, 66, 1, 1, 6},
                 {112, 65, 0, 0, 5},        {0, 0, 0, 0, -60}};
    for (const auto& K : Cases) {
        bool Enabled = true;
        Fake_Dialog_Factory Factory(Enabled);
        EditSel Dialog(Factory.Create_Edit_Sel());
        Factory.Edit_Sel->Resize(K.W, K.H);
        const auto& V = *Factory.Edit_Sel;
        EXPECT_EQ(V.Bounds(E::Editing), (Rect{0, 0, K.W, K.Edit_Height})) << K.W;
        EXPECT_EQ(V.Bounds(E::Tip).Width(), K.Tip_Width) << K.W;
        EXPECT_EQ(V.Bounds(E::TipBack), (Rect{0, K.Back_Top, K.W, K.Back_Top + 25})) << K.W;
        EXPECT_EQ(V.Bounds(E::CancelButton), (Rect{K.W - 70, K.H - 30, K.W - 5, K.H - 5})) << K.W;
        EXPECT_EQ(V.Bounds(E::OKButton), (Rect{K.W - 140, K.H - 30, K.W - 75, K.H - 5})) << K.W;
    }
}

// OK without touching anything stores every setting back as it was shown.
TEST(Options, FillAndReadBack) {
    const struct {
        int16_t Stored;
        O Shown;
        int16_t Saved;
        bool Flags; // Del_Warn, Ignore_Case and Print_Tip together
    } Cases[] = {{Pos_Top, O::News0, Pos_Top, true}, {Pos_Bottom, O::News1, Pos_Bottom, false},
                 {2, O::News2, 2, true},             {7, O::News2, 2, false}};
    for (const auto& K : Cases) {
        Rig R("*A");
        Settings& U = R.M.Store.Util;
        U.Add_Mode = K.Stored;
        U.Del_Warn = U.Print_Tip = K.Flags;
        U.Ignore_Case = K.Flags ? 1 : -1;
        U.Text_Font.Italic = U.Tip_Font.Underline = true;
        const Settings Before = U;
        R.T.Dialogs.On_Options = [&](Fake_Options_View& V) {
            for (O C : {O::News0, O::News1, O::News2})
                EXPECT_EQ(V.Value(C), C == K.Shown) << K.Stored;
            for (O C : {O::cDelWarn, O::cCase, O::cToolTip})
                EXPECT_EQ(V.Value(C), K.Flags) << K.Stored;
            for (O C : {O::ToolLabel, O::ToolButton, O::DescLabel})
                EXPECT_EQ(V.Enabled(C), K.Flags) << K.Stored;
            V.Click(O::OKButton);
        };
        Run_Menu_Command(R.M, I::mnuOptions);
        Settings Want = Before;
        Want.Add_Mode = K.Saved;
        Want.Ignore_Case = K.Flags;
        EXPECT_EQ(U, Want) << K.Stored;
    }
}

TEST(Options, ClicksChooserAndFontCaptions) {
    Rig R("*A");
    R.T.Dialogs.Realize_Label_Font = [&](const Font_Spec& F) { return R.T.Fonts.Realize(F); };
    R.T.Fonts.Substitute["Courier New"] = "Liberation Mono";
    R.T.Fonts.Size_Step = 0.5f;
    R.M.Store.Util.Tip_Font.Size = 10.3f;
    R.T.Fonts.Choice = Font_Spec{"Arial", 12, true, true, false};
    R.T.Dialogs.On_Options = [](Fake_Options_View& V) {
        EXPECT_EQ(V.Caption(O::FontLabel), "Liberation Mono (10)");
        EXPECT_EQ(V.Caption(O::ToolLabel), "Times New Roman (10.5)");
        V.Click(O::cToolTip);
        EXPECT_FALSE(V.Enabled(O::ToolButton));
        V.Click(O::ToolButton); // disabled: no chooser
        V.Click(O::cToolTip);
        V.Click(O::ToolButton);
        EXPECT_EQ(V.Caption(O::ToolLabel), "Arial (12)");
        V.Click(O::News0);
        V.Click(O::cCase);
    }; // closed through the frame: nothing applies
    const Settings Before = R.M.Store.Util;
    Run_Menu_Command(R.M, I::mnuOptions);
    EXPECT_EQ(R.M.Store.Util, Before);
    EXPECT_FALSE(R.Changed());
    EXPECT_EQ(R.T.Fonts.Offered.size(), 1u);
    R.T.Fonts.Choice.reset(); // a cancelled chooser keeps the label
    R.T.Dialogs.On_Options = [](Fake_Options_View& V) {
        V.Click(O::FontButton);
        V.Click(O::OKButton);
    };
    Run_Menu_Command(R.M, I::mnuOptions);
    EXPECT_EQ(R.M.Store.Util.Text_Font, (Font_Spec{"Liberation Mono", 10, false, false, false}));
    EXPECT_EQ(R.M.Store.Util.Tip_Font.Size, 10.5f);
}

TEST(Printing, DescriptionThenTextInTheirFontsAndAFailureIsTold) {
    for (const bool Tip : {true, false}) {
        Rig R("*A");
        R.M.Store.List.Nodes[0].Data = Slot_Record{false, "line 1\r\nline 2", "desc"};
        R.M.Store.Util.Print_Tip = Tip;
        R.Press(Key::P, Ctrl_Mask);
        std::vector<std::string> Want = {"Name Times New Roman", "Size 14", "Bold", "-Italic",
                                         "-Underline", "Print desc", "Print "};
        if (!Tip) Want.clear();
        for (const char* S : {"Name Courier New", "Size 10", "-Bold", "-Italic", "-Underline",
                              "Print line 1\r\nline 2", "End_Doc"})
            Want.push_back(S);
        EXPECT_EQ(R.T.Printer_.Log, Want);
        EXPECT_TRUE(R.T.Box.Shown.empty());
    }
    Rig R("*A");
    R.T.Printer_.Fail_Reason = "Out of paper.";
    R.Press(Key::P, Ctrl_Mask);
    EXPECT_EQ(R.T.Box.Shown, std::vector<std::string>{"PimLoft: The slot could not be printed.\r\n\r\nOut of paper."});
}

TEST(About, CaptionsAndSystemInformation) {
    const char* Msinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    const char* Location = "SOFTWARE\\Microsoft\\Shared Tools Location";
    const struct {
        const char* Path; // MSINFO\PATH ("" of another type), or null
        const char* Folder; // Shared Tools Location\MSINFO, or null
        bool Exe_Exists;
        const char* Started; // null: the message instead
    } Cases[] = {{"C:\\T\\msinfo32.exe", "C:\\Other", true, "C:\\T\\msinfo32.exe"},
                 {nullptr, "C:\\T", true, "C:\\T\\MSINFO32.EXE"},
                 {nullptr, "C:\\T", false, nullptr},
                 {"", nullptr, false, nullptr},
                 {nullptr, nullptr, false, nullptr}};
    for (const auto& K : Cases) {
        Rig R("*A");
        if (K.Path) R.T.Registry_.Set(Msinfo, "PATH", *K.Path ? REG_SZ_ : 2, std::string(K.Path) + '\0');
        if (K.Folder) R.T.Registry_.Set(Location, "MSINFO", REG_SZ_, std::string(K.Folder) + '\0');
        if (K.Exe_Exists) R.T.Files.Files["C:\\T\\MSINFO32.EXE"] = {};
        R.T.Dialogs.On_About = [](Fake_About_View& V) { V.Events->cmdSysInfo_Click(); };
        Run_Menu_Command(R.M, I::mnuAbout);
        EXPECT_EQ(R.T.Shell_.Started, K.Started ? std::vector<std::string>{K.Started} : std::vector<std::string>{});
        EXPECT_EQ(R.T.Box.Shown.size(), K.Started ? 0u : 1u);
        EXPECT_TRUE(R.T.Registry_.Open.empty()) << "every key opened is closed";
        const std::map<About_Control, std::string> Want = {
            {About_Control::Caption, "About PimLoft"},
            {About_Control::lblTitle, "PimLoft - Clipboard Viewer/Editor"},
            {About_Control::lblVersion, "Version 1.0.8"},
            {About_Control::lblDescription, ""},
            {About_Control::lblDisclaimer, "Developed by: PimLoft Project\r\nBuild Date: June 5, 1999"}};
        EXPECT_EQ(R.T.Dialogs.About_Texts, Want);
    }
}

TEST(About, GetKeyValue) {
    const std::string Longest(1023, 'p');
    const struct {
        uint32_t Type;
        std::string Data;
        bool Result;
        std::string Value;
    } Cases[] = {
        {REG_SZ_, std::string("C:\\m.exe\0", 9), true, "C:\\m.exe"},
        {REG_SZ_, "ab", true, "ab"}, // without its terminator
        {REG_DWORD_, std::string("\x00\x28\x6B\xEE", 4), true, "4000000000"},
        {2, "x", true, "before"}, // another type leaves the value
        {REG_SZ_, Longest + '\0', true, Longest},
        {REG_SZ_, Longest + "p" + '\0', false, ""}, // never a cut string
    };
    for (const auto& K : Cases) {
        Fake_Registry Reg;
        Reg.Set("Key", "PATH", K.Type, K.Data);
        std::string Value = "before";
        EXPECT_EQ(GetKeyValue(Reg, HKEY_LOCAL_MACHINE_, "KEY", "path", Value), K.Result) << K.Value;
        EXPECT_EQ(Value, K.Value);
        EXPECT_TRUE(GetKeyValue(Reg, HKEY_LOCAL_MACHINE_, "Key", "OTHER", Value) == false && Value.empty());
        EXPECT_TRUE(Reg.Open.empty());
    }
}

} // namespace
