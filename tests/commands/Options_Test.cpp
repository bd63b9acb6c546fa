#include "tests/commands/Rig.h"

#include <gtest/gtest.h>

namespace {

using C = Options_Control;

struct Options_Rig : Rig {
    Options_Rig() : Rig({"A"}) {
        T.Dialogs.Realize_Label_Font = [this](const Font_Spec& F) { return T.Fonts.Realize(F); };
    }
    // Opens the dialog, lets Act work on it, and returns the values it opened with.
    std::map<C, int> Open(std::function<void(Fake_Options_View&)> Act) {
        std::map<C, int> Shown;
        T.Dialogs.On_Options = [&](Fake_Options_View& V) {
            Shown = V.Values;
            if (Act) Act(V);
        };
        Cmd.mnuOptions_Click();
        return Shown;
    }
};

void Press_OK(Fake_Options_View& V) {
    V.Click(C::OKButton);
}

// OK without touching anything stores every setting back as it was shown.
TEST(Options, FillAndReadBack) {
    const struct {
        int16_t Stored;
        C Shown;
        int16_t Saved;
        bool Flags; // Del_Warn, Print_Tip and Ignore_Case together
    } Cases[] = {{Pos_Top, C::News0, Pos_Top, true},
                 {Pos_Bottom, C::News1, Pos_Bottom, false},
                 {2, C::News2, 2, true},
                 {0, C::News2, 2, false},
                 {7, C::News2, 2, true},
                 {Nil_Slot, C::News2, 2, false}};
    for (const auto& K : Cases) {
        SCOPED_TRACE(K.Stored);
        Options_Rig R;
        Utilities& U = R.M.Util;
        U.Add_Mode = K.Stored;
        U.Del_Warn = U.Print_Tip = K.Flags;
        U.Ignore_Case = K.Flags ? 1 : 0;
        U.Text_Font_Italic = U.Tip_Font_Underline = true;
        const uint64_t Changes = R.M.Change_Count;
        auto Shown = R.Open(Press_OK);
        for (C O : {C::News0, C::News1, C::News2})
            EXPECT_EQ(Shown[O], O == K.Shown ? 1 : 0);
        for (C O : {C::cDelWarn, C::cCase, C::cToolTip})
            EXPECT_EQ(Shown[O], K.Flags ? 1 : 0);
        EXPECT_EQ(U.Add_Mode, K.Saved);
        EXPECT_EQ(U.Del_Warn, K.Flags);
        EXPECT_EQ(U.Print_Tip, K.Flags);
        EXPECT_EQ(U.Ignore_Case, K.Flags ? 1 : 0);
        EXPECT_TRUE(U.Text_Font_Italic && U.Tip_Font_Underline && U.Tip_Font_Bold);
        EXPECT_GT(R.M.Change_Count, Changes); // the settings are saved soon after
    }
}

TEST(Options, CancelAndFrameCloseApplyNothing) {
    for (bool Frame : {false, true}) {
        Options_Rig R;
        R.Open(Press_OK); // an earlier OK must not count for this use
        R.T.Fonts.Choice = Font_Spec{"Arial", 20, true, true, false};
        const Utilities Before = R.M.Util;
        const uint64_t Changes = R.M.Change_Count;
        R.Open([&](Fake_Options_View& V) {
            for (C Control : {C::News0, C::cDelWarn, C::cCase, C::cToolTip, C::cToolTip,
                              C::ToolButton, C::FontButton})
                V.Click(Control);
            EXPECT_EQ(V.Caption(C::FontLabel), "Arial (20)");
            if (!Frame) V.Click(C::CancelButton);
        });
        EXPECT_EQ(R.M.Util.Add_Mode, Before.Add_Mode);
        EXPECT_EQ(R.M.Util.Del_Warn, Before.Del_Warn);
        EXPECT_EQ(R.M.Util.Ignore_Case, Before.Ignore_Case);
        EXPECT_EQ(R.M.Util.Text_Font_Name, "Courier New");
        EXPECT_EQ(R.M.Util.Tip_Font_Name, "Times New Roman");
        EXPECT_EQ(R.M.Change_Count, Changes);
        EXPECT_EQ(R.Open(nullptr)[C::News2], 1); // reopened on the stored values
        EXPECT_EQ(R.T.Dialogs.Options->Caption(C::FontLabel), "Courier New (10)");
        EXPECT_EQ(R.T.Dialogs.Options_Created, 1);
    }
}

TEST(Options, DescriptionFontControlsFollowTheCheckBox) {
    Options_Rig R;
    R.M.Util.Print_Tip = false;
    R.Open([&](Fake_Options_View& V) {
        for (const bool On : {false, true, false}) {
            for (C Control : {C::ToolLabel, C::ToolButton, C::DescLabel})
                EXPECT_EQ(V.Enabled(Control), On);
            V.Click(C::cToolTip);
        }
        EXPECT_TRUE(V.Enabled(C::FontButton));
    });
}

TEST(Options, FontLabelsShowTheFontTheyReallyGot) {
    const struct {
        const char* Name;
        float Size;
        std::map<std::string, std::string> Substitute;
        float Step;
        const char* Caption;
        const char* Stored_Name;
        float Stored_Size;
    } Cases[] = {
        {"Courier New", 10, {}, 0, "Courier New (10)", "Courier New", 10},
        {"Arial", 10.5f, {}, 0, "Arial (10.5)", "Arial", 10.5f},
        {"Arial", 10.4f, {}, 0.5f, "Arial (10.5)", "Arial", 10.5f},
        {"Missing Face", 12, {{"Missing Face", "Arial"}}, 0, "Arial (12)", "Arial", 12},
    };
    for (const auto& K : Cases) {
        SCOPED_TRACE(K.Caption);
        Options_Rig R;
        R.T.Fonts.Substitute = K.Substitute;
        R.T.Fonts.Size_Step = K.Step;
        R.M.Util.Text_Font_Name = K.Name;
        R.M.Util.Text_Font_Size = K.Size;
        R.Open([&](Fake_Options_View& V) {
            EXPECT_EQ(V.Caption(C::FontLabel), K.Caption);
            EXPECT_EQ(V.Caption(C::ToolLabel), "Times New Roman (14)");
            EXPECT_TRUE(V.Label_Font(C::ToolLabel).Bold);
            V.Click(C::OKButton);
        });
        EXPECT_EQ(R.M.Util.Text_Font_Name, K.Stored_Name);
        EXPECT_EQ(R.M.Util.Text_Font_Size, K.Stored_Size);
    }
}

TEST(Options, ChangeButtonsUseTheChooserAndCancelKeepsTheLabel) {
    Options_Rig R;
    R.M.Util.Text_Font_Underline = true;
    R.Open([&](Fake_Options_View& V) {
        V.Click(C::FontButton); // cancelled
        EXPECT_EQ(V.Caption(C::FontLabel), "Courier New (10)");
        R.T.Fonts.Choice = Font_Spec{"Georgia", 11, true, true, false};
        V.Click(C::FontButton);
        V.Click(C::OKButton);
    });
    ASSERT_EQ(R.T.Fonts.Offered.size(), 2u);
    EXPECT_EQ(R.T.Fonts.Offered[0], (Font_Spec{"Courier New", 10, false, false, true}));
    EXPECT_EQ(R.M.Util.Text_Font_Name, "Georgia");
    EXPECT_TRUE(R.M.Util.Text_Font_Bold);
    EXPECT_TRUE(R.M.Util.Text_Font_Underline); // the chooser offers no underline
    EXPECT_EQ(R.M.Util.Tip_Font_Name, "Times New Roman");
}

} // namespace
