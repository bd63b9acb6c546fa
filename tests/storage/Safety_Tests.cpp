#include "platform/Limits.h"
#include "storage/Journal.h"
#include "tests/storage/Byte_Image.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

const std::string Temporary = Data_Path + ".tmp";

bool Has(const std::string& Text, const std::string& Part) {
    return Text.find(Part) != std::string::npos;
}

// Regression: a file that could not be read was replaced by the next save's empty list; with
// the data file missing, a temporary file that was busy, damaged or too large for memory was
// taken for no file at all. Either is kept aside, or left where it is while held.
TEST(Safety, AFileThatCannotBeReadIsKeptAside) {
    World Good;
    ASSERT_EQ(Good.Save(Load_Data(Good.Where).Data), "");
    std::vector<uint8_t> Whole = Good.File(), Newer = Whole, Cut(Whole.begin(), Whole.end() - 99);
    Newer[6] = '6';
    enum Fault { None, Unreadable, Out_Of_Memory, Held_Briefly, Held };
    const std::tuple<const std::string&, const std::vector<uint8_t>&, Fault, Load_Status> Cases[] =
        {{Data_Path, Whole, Unreadable, Load_Status::Set_Aside},
         {Data_Path, Newer, None, Load_Status::Set_Aside},
         {Temporary, Cut, None, Load_Status::Set_Aside},
         {Temporary, Whole, Out_Of_Memory, Load_Status::Set_Aside},
         {Temporary, Whole, Held, Load_Status::Left},
         {Temporary, Whole, Held_Briefly, Load_Status::Recovered}};
    for (const auto& [Path, File, F, Status] : Cases) {
        SCOPED_TRACE(::testing::Message() << Path << " " << F);
        World W;
        W.Files.Files[Path] = File;
        W.Files.Fail_Read = F == Unreadable, W.Files.Read_Out_Of_Memory = F == Out_Of_Memory;
        W.Files.Busy_Reads = F == Held_Briefly ? 9 : F == Held ? 11 : 0;
        const Loaded_Data D = Load_Data(W.Where);
        W.Files.Fail_Read = W.Files.Read_Out_Of_Memory = false, W.Files.Busy_Reads = 0;
        EXPECT_EQ(D.Status, Status);
        if (Status == Load_Status::Recovered) {
            EXPECT_TRUE(W.File() == Whole && !W.Files.File_Exists(Temporary));
            EXPECT_EQ(W.Files.Paused_Ms, 900);
            continue;
        }
        const std::string Kept = F == Held ? Path : Path + ".unreadable-20261206-153000";
        EXPECT_TRUE(Has(D.Message, Path) && !Has(D.Message, "..") &&
                    Has(D.Message, Kept.substr(Kept.rfind('\\') + 1)))
            << D.Message;
        EXPECT_EQ(D.Data.List.List_Ubound, -1);
        EXPECT_EQ(W.Log.Lines.size(), 1u);
        ASSERT_EQ(F == Held ? "" : W.Save(D.Data), ""); // held: the caller must not save
        EXPECT_EQ(W.Files.Files[Kept], File);
    }
}

// Regression: every failure removed the temporary file, even when the replace had already
// removed the data file, leaving no copy at all.
TEST(Safety, AFailedSaveNeverLeavesNoCopy) {
    World W;
    Stored_Data D = Load_Data(W.Where).Data;
    int16_t Idx = 0;
    List_Insert(D.List, {false, "slot", ""}, Pos_Bottom, Idx);
    ASSERT_EQ(W.Save(D), "");
    const std::vector<uint8_t> Old = W.File();
    Stored_Data Changed = D;
    Changed.List.Nodes[0].Data.Text = "changed";
    Memory_File_System& Fs = W.Files;
    for (int Step = 0; Step < 5; ++Step) {
        Fs.Fail_Create = Step == 0, Fs.Fail_Flush = Step == 2, Fs.Fail_Replace = Step == 3;
        Fs.Fail_Write_After = Step == 1 ? std::optional<size_t>(Old.size() / 2) : std::nullopt;
        Fs.Replace_Loses_Target = Step == 4;
        const std::string Reason = W.Save(Changed);
        EXPECT_TRUE(Has(Reason, Data_Path)) << Step;
        EXPECT_TRUE(Step == 4 || (Fs.Files.size() == 1 && W.File() == Old)) << Step;
    }
    // The data file is gone: a save that follows first puts the only copy in place, then writes.
    ASSERT_TRUE(!Fs.File_Exists(Data_Path) && Fs.File_Exists(Temporary));
    Fs.Replace_Loses_Target = false, Fs.Fail_Create = true;
    EXPECT_NE(W.Save(D), "");
    EXPECT_EQ(Load_Data(W.Where).Data.List, Changed.List);
}

// Regression: 32 texts of the largest capture made a file the reader refused.
TEST(Safety, TheLargestFileTheWriterMakesIsRead) {
    World W;
    Stored_Data D = Load_Data(W.Where).Data;
    // Characters of three bytes with no 8-bit equivalent: the most bytes each field can take.
    std::string Text = "\xE4\xB8\xAD", Typed;
    while (Text.size() * 2 <= Max_Clip_Bytes)
        Text += Text;
    Text += Text.substr(0, (Max_Clip_Bytes - Text.size()) / 3 * 3);
    Typed = Text.substr(0, 3 * Max_Typed_Description_Units);
    D.Util.Text_Font.Name = D.Util.Tip_Font.Name = Typed;
    for (int16_t I = 0, Idx = 0; I < Max_Slots; ++I)
        List_Insert(D.List, {false, Text, Typed}, Pos_Bottom, Idx);
    ASSERT_EQ(W.Save(D), "");
    EXPECT_LE(W.File().size(), Max_Data_File_Bytes);
    const Stored_Data Back = Load_Data(W.Where).Data;
    EXPECT_TRUE(Back.List == D.List);
    EXPECT_EQ(Back.Util, D.Util);
}

// A crash at any byte of an append leaves a journal that loads to the list as it was before or
// after that change; a journal that continues another data file (an older program rewrote the
// data file since) is kept aside, never applied.
TEST(Safety, AJournalCutAnywhereLoadsBeforeOrAfterAndAForeignOneIsKeptAside) {
    World W;
    Stored_Data D = Load_Data(W.Where).Data;
    ASSERT_EQ(Save_Data(D.Util, D.List, W.Where, {42, 0}), "");
    std::vector<Stored_Data> States{D};
    std::vector<size_t> Ends{Journal_Header_Size};
    std::vector<uint8_t> Journal = Journal_Header(42);
    for (uint64_t N = 1; N <= 3; ++N) {
        const LinkList Before = D.List;
        int16_t Idx = 0;
        List_Insert(D.List, {N == 2, "text " + std::to_string(N), "tip"}, Pos_Top, Idx);
        D.Util.Current_Slot = Idx;
        D.Util.On_Top = N % 2 == 1;
        const std::vector<uint8_t> Record = Journal_Record(N, D.Util, D.List, Before);
        Journal.insert(Journal.end(), Record.begin(), Record.end());
        Ends.push_back(Journal.size());
        States.push_back(D);
    }
    const std::string Path = Journal_Path(Data_Path);
    for (size_t Cut = 0; Cut <= Journal.size(); ++Cut) {
        W.Files.Files[Path].assign(Journal.begin(), Journal.begin() + std::ptrdiff_t(Cut));
        Stored_Data Got = Load_Data(W.Where).Data;
        const Journal_State J = Load_Journal(W.Where, Got);
        const size_t Whole = size_t(std::ranges::upper_bound(Ends, Cut) - Ends.begin());
        const Stored_Data& Expected = States[Whole == 0 ? 0 : Whole - 1];
        ASSERT_TRUE(Got.List == Expected.List) << Cut;
        ASSERT_EQ(Got.Util, Expected.Util) << Cut;
        EXPECT_EQ(J.Appendable, std::ranges::count(Ends, Cut) == 1) << Cut;
        EXPECT_TRUE(J.Message.empty()) << Cut;
    }

    // Another data file's journal, as when an older program has rewritten the data file since.
    std::fill_n(W.Files.Files[Path].begin() + 8, 8, uint8_t{7});
    Stored_Data Got = Load_Data(W.Where).Data;
    const Journal_State J = Load_Journal(W.Where, Got);
    EXPECT_TRUE(Got.List == States[0].List);
    EXPECT_TRUE(Has(J.Message, "continues another PimLoft.ini")) << J.Message;
    EXPECT_EQ(W.Files.Files[Path + ".unreadable-20261206-153000"].size(), Journal.size());
    EXPECT_FALSE(W.Files.File_Exists(Path));
}

} // namespace
