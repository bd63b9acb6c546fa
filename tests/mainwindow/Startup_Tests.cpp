#include "tests/mainwindow/Main_Harness.h"

#include "mainwindow/Main_Data.h"
#include "mainwindow/Nested_Loop.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const std::string Data_Path = "C:\\PimLoft\\PimLoft.ini";
using Texts_t = std::vector<std::string>;

TEST(Start_Up, FirstRunStartsHiddenInTheTrayWithoutWriting) {
    Harness H;
    Form_Load(H.M);
    EXPECT_TRUE(H.T.Log.In_Order({"Tray_Add", "Set_Height 855", "Present", "Caption PimLoft",
                                  "Topmost 0", "Hide", "Clip_Start"}));
    EXPECT_EQ(H.M.List.List_Ubound, 0);
    EXPECT_EQ(H.T.Window.Client_H, 23);
    EXPECT_FALSE(H.T.Window.Visible());
    EXPECT_EQ(H.T.Tray.Tip, "PimLoft 1.0.8");
    EXPECT_FALSE(H.T.Window.Timer_Running);
    EXPECT_EQ(H.T.Files.Writes, 0);
}

TEST(Start_Up, SavedSlotsAndTopmostComeBack) {
    Harness First;
    First.Start_With({"a", "*b", "c"}, 1);
    First.T.Menu.Set_Checked(Menu_Item::mnuTop, true);
    ASSERT_EQ(Main_Save_Data(First.M), "");

    Harness Second;
    Second.T.Files.Files = First.T.Files.Files;
    Form_Load(Second.M);
    EXPECT_EQ(Second.Texts(), (Texts_t{"a", "b", "c"}));
    EXPECT_EQ(Second.M.Util.Current_Slot, 1);
    EXPECT_TRUE(Second.T.Window.Topmost);
    EXPECT_EQ(Second.T.Window.Client_H, 71);
}

TEST(Tray, RightReleaseRunsItsStepsInOrderThenTheCommand) {
    Harness H;
    H.Start_With({"a"});
    H.T.Menu.Choices = {Menu_Item::mnuAbout};
    EXPECT_TRUE(Tray_Dispatch(H.M, 517));
    EXPECT_TRUE(H.T.Log.In_Order({"Visible mnuShow 1", "Visible mnuHelp 0", "Foreground",
                                  "Track mnuShow", "Post_User_Message", "cmd About"}));
    EXPECT_FALSE(H.M.Tray_Busy);
}

TEST(Tray, DoubleClickShowsAndReentryInsideTheMenuIsRefused) {
    Harness H;
    Form_Load(H.M);
    bool Inner_Consumed = true;
    H.T.Menu.On_Track = [&] {
        Inner_Consumed = Tray_Dispatch(H.M, 517) || Tray_Dispatch(H.M, 515);
    };
    Tray_Dispatch(H.M, 517);
    EXPECT_FALSE(Inner_Consumed);
    EXPECT_EQ(H.T.Menu.Defaults.size(), 1u);
    EXPECT_FALSE(H.T.Window.Visible());
    EXPECT_FALSE(Tray_Dispatch(H.M, 513)); // a single left click
    EXPECT_FALSE(H.T.Window.Visible());
    EXPECT_TRUE(Tray_Dispatch(H.M, 515));
    EXPECT_TRUE(H.T.Window.Visible());
}

TEST(Tray, FixMenuShowsOneSetOrTheOther) {
    using MI = Menu_Item;
    const std::vector<MI> Tray_Items = {MI::mnuShow,    MI::mnuHyphen1, MI::mnuOptions,
                                        MI::mnuTop,     MI::mnuHyphen3, MI::mnuAbout,
                                        MI::mnuHyphen4, MI::mnuExit};
    std::vector<MI> List_Items;
    for (int I = 1; I < Menu_Item_Count; ++I)
        List_Items.push_back(MI(I));
    for (const bool Vis : {false, true}) {
        Harness H;
        Fix_Menu(H.M, Vis);
        H.T.Menu.Track(MI::None);
        EXPECT_EQ(H.T.Menu.Shown_Items.back(), Vis ? List_Items : Tray_Items) << Vis;
    }
}

TEST(Close, CloseBoxHidesExitAndSessionEndStop) {
    const struct {
        int Mode; // -1: the tray menu's Exit
        bool Ends;
    } Cases[] = {{Unload_Close_Box, false}, {-1, true}, {Unload_Session_End, true}};
    for (const auto& C : Cases) {
        Harness H;
        H.Start_With({"a"});
        bool Cancel = false;
        if (C.Mode < 0) {
            H.T.Menu.Choices = {Menu_Item::mnuExit};
            Tray_Dispatch(H.M, 517);
        } else {
            Form_QueryUnload(H.M, Cancel, C.Mode);
        }
        SCOPED_TRACE(C.Mode);
        EXPECT_TRUE(H.T.Files.File_Exists(Data_Path));
        EXPECT_EQ(Cancel, C.Mode == Unload_Close_Box);
        EXPECT_EQ(H.T.Window.Ended, C.Ends);
        EXPECT_EQ(H.T.Clip.Running, !C.Ends);
        EXPECT_EQ(H.T.Tray.Shown, !C.Ends);
        if (C.Ends) {
            EXPECT_TRUE(H.T.Log.In_Order({"Clip_Stop", "Tray_Remove", "End_Program"}));
        } else {
            EXPECT_FALSE(H.T.Window.Visible());
        }
    }
}

TEST(Failed_Save, CloseBoxTellsOnceKeepsSlotsAndRetries) {
    Harness H;
    H.Start_With({"keep me"});
    H.T.Files.Fail_Replace = true;
    bool Cancel = false;
    Form_QueryUnload(H.M, Cancel, Unload_Close_Box);
    ASSERT_EQ(H.T.Tray.Balloons.size(), 1u);
    EXPECT_NE(H.T.Tray.Balloons[0].second.find(Data_Path), std::string::npos);
    EXPECT_NE(H.T.Tray.Balloons[0].second.find("Access is denied."), std::string::npos);
    EXPECT_EQ(H.Texts(), Texts_t{"keep me"});
    Save_Timer_Tick(H.M);
    EXPECT_EQ(H.T.Tray.Balloons.size(), 1u);
    H.T.Files.Fail_Replace = false;
    Save_Timer_Tick(H.M);
    EXPECT_TRUE(H.T.Files.File_Exists(Data_Path));
}

TEST(Failed_Save, ExitAsksAndSessionEndDoesNot) {
    const struct {
        int Mode; // -1: the menu's Exit
        bool Answer, Asked, Ends;
    } Cases[] = {
        {-1, false, true, false}, {-1, true, true, true}, {Unload_Session_End, false, false, true}};
    for (const auto& C : Cases) {
        Harness H;
        H.Start_With({"a"});
        H.T.Files.Fail_Create = true;
        H.T.Box.Default_Answer = C.Answer;
        bool Cancel = false;
        if (C.Mode < 0)
            mnuExit_Click(H.M);
        else
            Form_QueryUnload(H.M, Cancel, C.Mode);
        EXPECT_EQ(H.T.Box.Shown, C.Asked ? 1 : 0) << C.Mode << C.Answer;
        EXPECT_EQ(H.T.Window.Ended, C.Ends);
        EXPECT_EQ(H.T.Tray.Shown, !C.Ends);
    }
}

TEST(Save_Timer, OneSavePerBurstOfChanges) {
    Harness H;
    H.Start_With({"a", "b"});
    H.T.Files.Writes = 0;
    H.T.Clip_Board.Copy_From_Other_Program("new");
    H.T.Clip_Board.Copy_From_Other_Program("newer");
    EXPECT_EQ(H.T.Window.Timer_Ms, 2000);
    Save_Timer_Tick(H.M);
    Save_Timer_Tick(H.M);
    EXPECT_EQ(H.T.Files.Writes, 1);
    EXPECT_FALSE(H.T.Window.Timer_Running);
}

TEST(Capture, DeferredWhileANestedLoopIsOpenThenOnlyTheLastFiled) {
    Harness H;
    H.Start_With({"a", "b"});
    {
        Nested_Loop Outer(H.M);
        {
            Nested_Loop Inner(H.M);
            H.T.Clip_Board.Copy_From_Other_Program("first");
            H.T.Clip_Board.Copy_From_Other_Program("second");
        }
        EXPECT_EQ(H.Texts(), (Texts_t{"a", "b"}));
    }
    EXPECT_EQ(H.Texts(), (Texts_t{"a", "second"}));
    EXPECT_EQ(H.M.Util.Current_Slot, 1);
}

// Both menus: a copy made while the menu is open must not move the selection the chosen
// command acts on.
TEST(Capture, MenuCommandActsOnTheSlotChosenBeforeTheCopy) {
    const std::function<void(Main&)> Open_Menu[] = {
        [](Main& M) { Row_Context_Menu(M); },
        [](Main& M) { Tray_Dispatch(M, 517); },
    };
    for (const auto& Open : Open_Menu) {
        Harness H;
        H.Start_With({"a", "b"});
        struct Clear_Probe : Logged_Commands {
            using Logged_Commands::Logged_Commands;
            Main* M = nullptr;
            int16_t Seen = -1;
            void mnuClear_Click() override { Seen = M->Util.Current_Slot; }
        } Probe(H.T.Log);
        Probe.M = &H.M;
        H.M.Commands = &Probe;
        H.T.Menu.On_Track = [&] { H.T.Clip_Board.Copy_From_Other_Program("copied meanwhile"); };
        H.T.Menu.Choices = {Menu_Item::mnuClear};
        Open(H.M);
        EXPECT_EQ(Probe.Seen, 0);
        EXPECT_EQ(H.Texts(), (Texts_t{"a", "copied meanwhile"}));
    }
}

TEST(Capture, ExcludedContentIsNotFiled) {
    Harness H;
    H.Start_With({"a", "b"});
    H.T.Clip_Board.Excluded = true;
    H.T.Clip_Board.Copy_From_Other_Program("secret");
    EXPECT_EQ(H.Texts(), (Texts_t{"a", "b"}));
}

} // namespace
