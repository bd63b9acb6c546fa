#include "commands/About.h"
#include "commands/Edit_Sel.h"
#include "commands/Options.h"
#include "tests/doubles/Test_Platform.h"

#include <gtest/gtest.h>

namespace {

using I = Menu_Item;
using O = Options_Control;
using E = Edit_Sel_Control;
using Strings = std::vector<std::string>;

TEST(Slot_Commands, ClearAndDeleteAskForLockedSlotsOnlyWhenWarned) {
    const std::tuple<const char*, I, bool, bool, const char*, bool> Cases[] = {
        // before, command, Del_Warn, answer, after, asked
        {"A|*B|C", I::mnuDelete, true, true, "A|*C", false}, // the slot below is picked
        {"A|*B", I::mnuDelete, true, true, "*A", false},     // else the one above
        {"*A", I::mnuDelete, true, true, "*", false},        // the only slot is cleared instead
        {"A|*!B", I::mnuDelete, true, false, "A|*!B", true},
        {"A|*!B", I::mnuDelete, false, false, "*A", false},
        {"!A|*!B", I::mnuDelete, true, true, "*!A|", true}, // one unlocked slot is kept
        {"A|*!B", I::mnuClear, true, false, "A|*!B", true},
        {"A|*!B", I::mnuClear, true, true, "A|*", true},
        {"*!A|B", I::mnuCopy, true, true, "*!A|B|!A", false},
        {"A|B", I::mnuClear, true, true, "A|B", false} // nothing selected
    };
    for (const auto& [Before, Item, Warn, Answer, After, Asked] : Cases) {
        Rig R(Before);
        R.M.Store.Util.Del_Warn = Warn;
        R.T.Box.Default_Answer = Answer;
        Run_Menu_Command(R.M, Item);
        EXPECT_EQ(R.List(), After) << Before << " " << int(Item);
        EXPECT_EQ(R.T.Box.Shown.size(), Asked ? 1u : 0u) << Before;
    }
    Rig One("*A");
    Run_Menu_Command(One.M, I::mnuDelete);
    EXPECT_EQ(One.T.Clip.Content, "") << "the only slot is cleared and selected again";
}

// Laid out for its first size; only a changed text goes to the clipboard.
TEST(Edit_Selection, LayoutCancelAndOk) {
    const Rect Layout[] = {{0, 0, 314, 148},   {174, 183, 239, 208}, {244, 183, 309, 208},
                           {0, 153, 314, 178}, {4, 4, 109, 21},      {112, 0, 314, 25}};
    const std::tuple<const char*, bool, Slot_Record, bool> Cases[] = {
        // text typed, OK, the slot after, clipboard written
        {"new", false, {false, "B", "B"}, false},
        {"B", true, {false, "B", "tip"}, false},
        {"new", true, {false, "new", "tip"}, true}};
    Rig R("A|*B");
    for (const auto& [Text, Ok, After, Written] : Cases) {
        const uint32_t Seq = R.T.Clip.Seq;
        R.T.Dialogs.On_Edit_Sel = [&](Fake_Edit_Sel_View& V) {
            EXPECT_EQ(V.Text(E::Editing), "B");
            for (const auto& [C, Box] : V.Places)
                EXPECT_EQ(Box, Layout[int(C)]) << int(C);
            V.Set_Text(E::Editing, Text);
            V.Set_Text(E::Tip, "tip");
            if (Ok) V.Events->OKButton_Click();
        };
        Form_DblClick(R.M);
        EXPECT_EQ(R.M.Store.List.Nodes[1].Data, After) << Text << Ok;
        EXPECT_EQ(R.T.Clip.Seq != Seq, Written) << Text << Ok;
        EXPECT_EQ(R.Changed(), Ok);
    }
}

// OK without touching anything stores every setting back as it was shown.
TEST(Options, FillAndReadBack) {
    const std::tuple<int16_t, O, int16_t, bool> Cases[] = {
        // stored mode, option shown, mode saved, Del_Warn, Ignore_Case and Print_Tip
        {Pos_Top, O::News0, Pos_Top, true},
        {Pos_Bottom, O::News1, Pos_Bottom, false},
        {7, O::News2, 2, false}};
    for (const auto& [Stored, Shown, Saved, Flags] : Cases) {
        Rig R("*A");
        Settings& U = R.M.Store.Util;
        U.Add_Mode = Stored;
        U.Del_Warn = U.Print_Tip = Flags;
        U.Ignore_Case = Flags ? 1 : -1;
        U.Text_Font.Italic = U.Tip_Font.Underline = true;
        U.Tip_Font.Size = 10.5f;
        Settings Want = U;
        Want.Add_Mode = Saved;
        Want.Ignore_Case = Flags;
        R.T.Dialogs.On_Options = [&, Shown = Shown, Flags = Flags](Fake_Options_View& V) {
            for (O C : {O::News0, O::News1, O::News2})
                EXPECT_EQ(V.Value(C), C == Shown);
            for (O C : {O::cDelWarn, O::cCase, O::cToolTip})
                EXPECT_EQ(V.Value(C), Flags);
            for (O C : {O::ToolLabel, O::ToolButton, O::DescLabel})
                EXPECT_EQ(V.Enabled(C), Flags);
            EXPECT_EQ(V.Caption(O::ToolLabel), "Times New Roman (10.5)");
            V.Events->OKButton_Click();
        };
        Run_Menu_Command(R.M, I::mnuOptions);
        EXPECT_EQ(U, Want) << Stored;
    }
}

TEST(Printing, DescriptionThenTextInTheirFontsAndAFailureIsTold) {
    const std::string Tip_Part =
        "Name Times New Roman|Size 14|Bold 1|Italic 0|Underline 0|Print desc|Print |";
    for (const bool Tip : {true, false}) {
        Rig R("*A");
        R.M.Store.List.Nodes[0].Data = Slot_Record{false, "line 1\r\nline 2", "desc"};
        R.M.Store.Util.Print_Tip = Tip;
        R.T.Print_Device.Fail_Reason = Tip ? "" : "Out of paper.";
        R.Press(Key::P, Ctrl_Mask);
        EXPECT_EQ(R.T.Print_Device.Log, (Tip ? Tip_Part : "") + "Name Courier New|Size 10|Bold 0|" +
                                            "Italic 0|Underline 0|Print line 1\r\nline 2|End_Doc");
        const Strings& Told = R.T.Box.Shown;
        EXPECT_EQ(Told.size() == 1 && Told[0].ends_with("\r\n\r\nOut of paper."), !Tip);
    }
}

TEST(About, SystemInformation) {
    // MSINFO\PATH ("" of another type), Shared Tools Location\MSINFO, the exe there, started
    const std::tuple<const char*, const char*, bool, const char*> Cases[] = {
        {"C:\\T\\msinfo32.exe", "C:\\Other", true, "C:\\T\\msinfo32.exe"},
        {nullptr, "C:\\T", true, "C:\\T\\MSINFO32.EXE"},
        {nullptr, "C:\\T", false, nullptr},
        {"", nullptr, false, nullptr},
        {nullptr, nullptr, false, nullptr}};
    for (const auto& [Path, Folder, Exe, Started] : Cases) {
        Rig R("*A");
        const std::string Tools = "SOFTWARE\\Microsoft\\Shared Tools";
        if (Path) R.T.Reg.Set(Tools + "\\MSINFO", "PATH", *Path ? REG_SZ_ : 2, Path);
        if (Folder) R.T.Reg.Set(Tools + " Location", "MSINFO", REG_SZ_, Folder);
        if (Exe) R.T.Files.Files["C:\\T\\MSINFO32.EXE"] = {};
        R.T.Dialogs.On_About = [](Fake_About_View& V) { V.Events->cmdSysInfo_Click(); };
        Run_Menu_Command(R.M, I::mnuAbout);
        EXPECT_EQ(R.T.Launcher.Started, Started ? Strings{Started} : Strings{});
        EXPECT_EQ(R.T.Box.Shown.size(), Started ? 0u : 1u);
    }
}

// Strings with or without their terminator; another type leaves the value; never a cut string.
TEST(About, GetKeyValue) {
    const std::string Longest(1023, 'p');
    const std::tuple<uint32_t, std::string, bool, std::string> Cases[] = {
        {REG_SZ_, std::string("C:\\m.exe\0", 9), true, "C:\\m.exe"},
        {REG_SZ_, "ab", true, "ab"},
        {REG_DWORD_, std::string("\x00\x28\x6B\xEE", 4), true, "4000000000"},
        {2, "x", true, "before"},
        {REG_SZ_, Longest + '\0', true, Longest},
        {REG_SZ_, Longest + "p" + '\0', false, ""}};
    for (const auto& [Type, Data, Result, Want] : Cases) {
        Fake_Registry Reg;
        Reg.Set("Key", "PATH", Type, Data);
        std::string Value = "before";
        EXPECT_EQ(GetKeyValue(Reg, HKEY_LOCAL_MACHINE_, "KEY", "path", Value), Result) << Want;
        EXPECT_EQ(Value, Want);
        EXPECT_FALSE(GetKeyValue(Reg, HKEY_LOCAL_MACHINE_, "Key", "OTHER", Value) ||
                     !Value.empty());
        EXPECT_TRUE(Reg.Open.empty());
    }
}

} // namespace
