#include "tests/storage/Byte_Image.h"

#include <gtest/gtest.h>

namespace {

TEST(Data_File, PathJoinsFolderAndTitle) {
    EXPECT_EQ(Data_File_Path("C:\\Apps", "PimLoft"), "C:\\Apps\\PimLoft.ini");
    EXPECT_EQ(Data_File_Path("C:\\", "PimLoft"), "C:\\PimLoft.ini");
    EXPECT_EQ(Data_File_Path("/opt/", "PimLoft"), "/opt/PimLoft.ini");
}

// A missing file, one that cannot be read, an unknown version and the older text format all
// start the program with defaults, an empty list and a centred window.
TEST(Data_File, UnusableFilesGiveDefaults) {
    struct Case {
        const char* Name;
        std::optional<std::string> Content;
        bool Read_Fails;
    };
    const Case Cases[] = {{"missing", std::nullopt, false},
                          {"unreadable", "1.00.50", true},
                          {"unknown version", "1.00.60" + std::string(2000, '\x01'), false},
                          {"text format", "[Position]\r\nLeft=100\r\n", false},
                          {"shorter than the version", "1.00", false}};
    for (const Case& C : Cases) {
        World W;
        if (C.Content) W.Files.Files[Data_Path].assign(C.Content->begin(), C.Content->end());
        W.Files.Fail_Read = C.Read_Fails;
        W.U.Current_Slot = 33, W.U.Ignore_Case = 0, W.U.Tip_Font_Name = "left over";
        W.Load();
        SCOPED_TRACE(C.Name);
        EXPECT_EQ(W.U.Data_File, Data_Path);
        EXPECT_TRUE(W.U.Current_Slot == 0 && W.U.Ignore_Case == 1);
        EXPECT_EQ(W.U.Tip_Font_Name, "Times New Roman");
        EXPECT_EQ(W.List.Head, Nil_Slot);
        EXPECT_TRUE(List_Is_Consistent(W.List));
        EXPECT_EQ(W.Win.L, 15360 / 2 - 4800 / 2);
        EXPECT_EQ(W.Win.T, 11520 / 2 - 3600 / 2);
    }
}

TEST(Data_File, Version_1_00_50_RestoresSettingsListAndWindow) {
    Image F;
    F.Raw("1.00.50").I16({-120, 300, 5000, 2000, 0, 1, 77, Pos_Bottom, 0, -1});
    F.I16({2, 1, 2, 67}); // Head, Tail, List_Ubound, Free_Top
    F.Str("Arial").F32(12.5f).I16({-1, 0, -1, 0}).Str("Verdana").F32(9).I16({0, -1, 0});
    for (int I = 0; I < 71; ++I) {
        // Chain 2, 0, 1; node 5 free with a stale record.
        const int Prev[] = {2, 0, 9988}, Next[] = {1, 9988, 0};
        F.I16({I < 3 ? Prev[I] : 9988, I < 3 ? Next[I] : 9988, I == 0 ? -1 : 0});
        // Node 2's text is longer than a signed 16-bit count can say.
        F.Str(I == 2            ? std::string(40000, 'z')
              : I < 3 || I == 5 ? "text\x80" + std::to_string(I)
                                : "");
        F.Str(I == 1 ? "tip" : "");
    }
    std::vector<int> Stack;
    for (int I = 70; I >= 3; --I)
        Stack.push_back(I == 5 ? 3 : I == 3 ? 5 : I);
    for (int I = 0; I < 71; ++I)
        F.I16({I < 68 ? Stack[static_cast<size_t>(I)] : 1234});

    World W;
    W.Load(F.Bytes);
    EXPECT_EQ(W.U.File_Version, "1.00.50");
    EXPECT_EQ(Chain(W.List), (std::vector<int16_t>{2, 0, 1}));
    EXPECT_EQ(W.List.Nodes[0].Data, (Slot_Record{true, "text€0", ""}));
    EXPECT_EQ(W.List.Nodes[1].Data, (Slot_Record{false, "text€1", "tip"}));
    EXPECT_EQ(W.List.Nodes[5].Data.Text, "text€5");
    EXPECT_EQ(W.List.Nodes[2].Data.Text, std::string(40000, 'z'));
    EXPECT_EQ(W.List.Free_Stack[67], 5);
    EXPECT_EQ(W.List.Free_Stack[68], 1234); // unused entries stay as stored
    EXPECT_TRUE(List_Is_Consistent(W.List));

    const Settings_Record Stored{-120, 300,     5000,  2000, 0, 1,  77, Pos_Bottom, 0, -1, 2,  1, 2,
                                 67,   "Arial", 12.5f, -1,   0, -1, 0,  "Verdana",  9, 0,  -1, 0};
    EXPECT_EQ(W.U.Saved_Settings, Stored);
    // Applied to the settings, with -1 as True.
    EXPECT_TRUE(W.U.Current_Slot == 1 && W.U.Ignore_Case == 0 && W.U.Add_Mode == Pos_Bottom);
    EXPECT_TRUE(!W.U.Del_Warn && !W.U.Print_Tip && W.U.Text_Font_Size == 12.5f);
    EXPECT_TRUE(W.U.Text_Font_Bold && W.U.Text_Font_Underline && !W.U.Text_Font_Italic);
    EXPECT_TRUE(W.U.Tip_Font_Name == "Verdana" && W.U.Tip_Font_Italic && !W.U.Tip_Font_Bold);
    EXPECT_TRUE(W.Win.L == -120 && W.Win.T == 300 && W.Win.W == 5000 && W.Win.H == 2000);
    EXPECT_TRUE(W.Win.On_Top);
}

// "1.00.40" and "1.00.10" share a layout; only "1.00.40" keeps its ignore-case value.
TEST(Data_File, Versions_1_00_40_And_1_00_10) {
    const auto Files = Version_Files();
    for (int K : {1, 2}) {
        World W;
        W.Load(Files[static_cast<size_t>(K)]);
        SCOPED_TRACE(K);
        EXPECT_EQ(W.U.Ignore_Case, K == 1 ? 0 : 1);
        EXPECT_EQ(W.U.Add_Mode, Pos_Top);
        EXPECT_FALSE(W.U.Del_Warn);
        EXPECT_EQ(W.U.Current_Slot, 0); // the unused sixth Integer is not the current slot
        EXPECT_EQ(W.U.Saved_Settings.Reserved, 5);
        EXPECT_EQ(Chain(W.List), (std::vector<int16_t>{0, 1, 2, 3}));
        EXPECT_EQ(W.List.Nodes[3].Data, (Slot_Record{true, "text 3", "tip 3"}));
        EXPECT_EQ(W.List.Nodes[4].Data.Text, "old 4");
        EXPECT_EQ(W.Win.W, 3000);
    }
}

TEST(Data_File, Version_1_00_00_AppendsNonEmptySlotsInFileOrder) {
    World W;
    W.Load(Version_Files()[3]);
    ASSERT_EQ(W.List.List_Ubound, 31); // 41 slots, every fifth empty
    EXPECT_TRUE(List_Is_Consistent(W.List));
    std::vector<std::string> Texts;
    for (int16_t Idx : Chain(W.List))
        Texts.push_back(W.List.Nodes[Idx].Data.Text);
    EXPECT_EQ(Texts[0], "slot 1");
    EXPECT_EQ(Texts[4], "slot 6");
    EXPECT_EQ(Texts[31], "slot 39");
    EXPECT_TRUE(W.List.Nodes[0].Data.Locked && !W.List.Nodes[1].Data.Locked);
    EXPECT_EQ(W.List.Nodes[4].Data.Description, "d"); // slot 6
    EXPECT_EQ(W.U.Current_Slot, W.List.Head);
    EXPECT_EQ(W.U.Saved_Settings.Reserved, 42);
    EXPECT_TRUE(W.Win.On_Top);
    EXPECT_EQ(W.Win.L, 10);
}

} // namespace
