#include "tests/storage/Byte_Image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// A list shaped by use: reordered, with freed nodes holding stale records.
void Fill(World& W) {
    W.Load();
    int16_t Idx = 0;
    for (int I = 0; I < 12; ++I)
        List_Insert(W.List, {I % 4 == 0, "text " + std::to_string(I), "tip"}, Pos_Bottom, Idx);
    List_Delete(W.List, 4);
    List_Delete(W.List, 9);
    List_Move(W.List, 0, Pos_Bottom);
    W.U.Current_Slot = 7;
    W.U.Add_Mode = Pos_Top;
    W.U.Del_Warn = false;
    W.U.Tip_Font_Name = "Tahoma";
    W.U.Text_Font_Italic = true;
    W.Win.On_Top = true;
}

TEST(Save, ThenLoadRestoresEverything) {
    World W;
    Fill(W);
    ASSERT_EQ(W.Save(), "");
    World Again;
    Again.Load(W.File());
    EXPECT_EQ(Again.List, W.List); // node indices, free-stack order, stale records
    EXPECT_EQ(Again.U.Saved_Settings, W.U.Saved_Settings);
    EXPECT_TRUE(Again.U.Current_Slot == 7 && Again.U.Add_Mode == Pos_Top && !Again.U.Del_Warn);
    EXPECT_TRUE(Again.U.Tip_Font_Name == "Tahoma" && Again.U.Text_Font_Italic);
    EXPECT_TRUE(Again.Win.On_Top);
}

// The writer against an image built field by field from the format.
TEST(Save, WritesTheLayoutByteForByte) {
    World W;
    W.Load();
    int16_t Idx = 0;
    for (int I = 0; I < 3; ++I)
        List_Insert(W.List, {I == 0, "text " + std::to_string(I), "tip " + std::to_string(I)},
                    Pos_Bottom, Idx);
    for (int I = 3; I < 71; ++I)
        W.List.Nodes[static_cast<size_t>(I)].Data = {I % 3 == 0, "old " + std::to_string(I),
                                                     "tip " + std::to_string(I)};
    W.Win = Test_Window{};
    W.Win.L = 1500.5, W.Win.T = -30, W.Win.W = 4000, W.Win.H = 2500.4;
    ASSERT_EQ(W.Save(), "");

    Image F;
    F.Raw("1.00.50").I16({1500, -30, 4000, 2500, 1, 0, 0, 2, -1, 0, 0, 2, 2, 67});
    F.Str("Courier New").F32(10).I16({0, 0, 0, -1}).Str("Times New Roman").F32(14);
    F.I16({-1, 0, 0}).Ordered_List(3);
    EXPECT_EQ(W.File(), F.Bytes);
}

TEST(Save, AlwaysWritesTheCurrentVersion) {
    World W;
    W.Load(Version_Files()[1]);
    ASSERT_EQ(W.U.File_Version, "1.00.40");
    ASSERT_EQ(W.Save(), "");
    EXPECT_EQ(std::string(W.File().begin(), W.File().begin() + 7), "1.00.50");
}

TEST(Save, OnlyANormalWindowUpdatesThePlacement) {
    for (int State : {0, 1, 2}) {
        World W;
        W.Load();
        W.U.Saved_Settings.Left = 11, W.U.Saved_Settings.Width = 22;
        W.Win.State = State;
        W.Win.L = 700, W.Win.W = 9000;
        ASSERT_EQ(W.Save(), "");
        World Again;
        Again.Load(W.File());
        EXPECT_EQ(Again.Win.L, State == 0 ? 700 : 11) << State;
        EXPECT_EQ(Again.Win.W, State == 0 ? 9000 : 22) << State;
    }
}

TEST(Save, ClampsThePlacementTo16Bits) {
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, int16_t> Cases[] = {{40000, 32767}, {-40000, -32768}, {32767.4, 32767},
                                                {1e300, 32767}, {NaN, 0},         {2.5, 2}};
    for (auto [Value, Stored] : Cases) {
        World W;
        W.Load();
        W.Win.L = W.Win.T = W.Win.W = W.Win.H = Value;
        ASSERT_EQ(W.Save(), "");
        const Settings_Record& S = W.U.Saved_Settings;
        EXPECT_EQ(S.Left, Stored) << Value;
        EXPECT_EQ(S.Height, Stored) << Value;
        EXPECT_EQ(W.File()[7] | W.File()[8] << 8, static_cast<uint16_t>(Stored)) << Value;
    }
}

// Regression: the file was written in place, so a failure left it half old, half new, and a
// shorter new file kept the old one's tail.
TEST(Save, AFailureAtAnyStepLeavesTheOldFileWhole) {
    World W;
    Fill(W);
    W.List.Nodes[30].Data.Text = std::string(5000, 'x'); // the old file is the longer one
    ASSERT_EQ(W.Save(), "");
    const std::vector<uint8_t> Old = W.File();
    W.List.Nodes[30].Data.Text = "short";
    const LinkList In_Memory = W.List;
    const size_t New_Size = Old.size() - 4995;

    // Create, writes cut at 0, 7, half-way and one byte short, flush, replace.
    const std::optional<size_t> Cut[] = {{}, 0, 7, New_Size / 2, New_Size - 1, {}, {}};
    for (int S = 0; S < 7; ++S) {
        Memory_File_System& Fs = W.Files;
        Fs.Fail_Create = S == 0, Fs.Fail_Flush = S == 5, Fs.Fail_Replace = S == 6;
        Fs.Fail_Write_After = Cut[S];
        const std::string Reason = W.Save();
        EXPECT_NE(Reason.find(Data_Path), std::string::npos) << S << ": " << Reason;
        EXPECT_EQ(W.File(), Old) << S;
        EXPECT_EQ(Fs.Files.size(), 1u) << S << ": the temporary file was left behind";
        EXPECT_EQ(W.List, In_Memory) << S;
    }
    W.Files.Fail_Replace = false;
    ASSERT_EQ(W.Save(), "");
    World Again;
    Again.Load(W.File());
    EXPECT_EQ(Again.List.Nodes[30].Data.Text, "short");
    EXPECT_LT(W.File().size(), Old.size());
}

} // namespace
