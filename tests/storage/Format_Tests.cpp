#include "storage/Crc32.h"
#include "storage/Xxh32.h"
#include "tests/storage/Byte_Image.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::string> Texts(const LinkList& L) {
    std::vector<std::string> Out;
    for (int Idx = L.Head; Idx != Nil_Slot && Out.size() <= Max_Slots; Idx = Node(L, Idx).Next)
        Out.push_back(Node(L, Idx).Data.Text);
    return Out;
}

struct Wide_Row {
    char Kind, Index;
    std::string Narrow, Wide;
    uint32_t Bad_Text = 0, Bad_Row = 0; // spoil the text's or the row's own check
};

// The Unicode block: its rows, then their texts.
Image& Add_Block(Image& F, const std::vector<Wide_Row>& Rows) {
    F.Raw("PLFTWIDE").I16({int(Rows.size())});
    uint32_t Offset = 0;
    for (const Wide_Row& W : Rows) {
        Image Row;
        Row.Raw({W.Kind, W.Index}).U32(Xxh32(W.Narrow)).U32(Offset).U32(uint32_t(W.Wide.size()));
        Row.U32(Xxh32(W.Wide) + W.Bad_Text).U32(Xxh32(Row.Bytes.data(), 18) + W.Bad_Row);
        F.Bytes.insert(F.Bytes.end(), Row.Bytes.begin(), Row.Bytes.end());
        Offset += uint32_t(W.Wide.size());
    }
    for (const Wide_Row& W : Rows)
        F.Raw(W.Wide);
    return F;
}

TEST(Format, Version_1_00_50_ReadsAndWritesBackItsLayout) {
    Image F;
    F.Raw("1.00.50").I16({1500, -30, 4000, 2500, 0, 2, 5, 1101, 7, -1, 0, 2, 2, 67});
    F.Str("Arial").F32(9).I16({-1, 0, 0, 0}).Str("Tahoma").F32(12).I16({0, -1, 0});
    F.Ordered_List(3);
    World W;
    const Loaded_Data D = W.Load(F.Bytes);
    Settings U;
    U.Placement = Window_Placement{1500, -30, 4000, 2500};
    U.Ignore_Case = 0, U.Current_Slot = 2, U.Reserved = 5, U.Add_Mode = 1101;
    U.Del_Warn = true, U.On_Top = true, U.Print_Tip = false; // Del_Warn: 7 is not 0
    U.Text_Font = {"Arial", 9, true}, U.Tip_Font = {"Tahoma", 12, false, true};
    EXPECT_EQ(D.Status, Load_Status::Loaded);
    EXPECT_EQ(D.Data.Util, U);
    EXPECT_EQ(Texts(D.Data.List), (std::vector<std::string>{"text 0", "text 1", "text 2"}));
    EXPECT_EQ(D.Data.List.Nodes[9].Data, (Slot_Record{true, "old 9", "tip 9"}));

    ASSERT_EQ(W.Save(D.Data), "");
    F.Bytes[23] = F.Bytes[24] = 0xFF; // True is written as -1
    EXPECT_EQ(W.File(), F.Bytes);
}

TEST(Format, OldVersionsKeepTheirRules) {
    for (auto [Version, Ignore_Case] : {std::pair{"1.00.40", 0}, {"1.00.10", 1}}) {
        Image F;
        F.Raw(Version).I16({100, 200, 3000, 4000, 0, 2, 5, 1101, 0, -1, 0, 3, 3, 66});
        World W;
        const Loaded_Data D = W.Load(F.Ordered_List(4).Bytes);
        Settings U; // the sixth Integer is not the selection; no fonts
        U.Ignore_Case = int16_t(Ignore_Case), U.Add_Mode = 1101, U.Del_Warn = false;
        U.On_Top = true, U.Reserved = 5, U.Placement = Window_Placement{100, 200, 3000, 4000};
        EXPECT_EQ(D.Data.Util, U) << Version;
        EXPECT_EQ(Texts(D.Data.List).size(), 4u);
    }
}

TEST(Format, Version_1_00_00_SkipsOnlyEntriesWithNeitherTextNorDescription) {
    Image F;
    F.Raw("1.00.00").I16({10, 20, 3000, 4000, 1, 2, 42});
    for (int I = 0; I < 41; ++I)
        F.Str(I % 5 ? "slot " + std::to_string(I) : "");
    for (int I = 0; I < 41; ++I)
        F.I16({I % 2 ? -1 : 0});
    F.I16({0, 0});
    for (int I = 0; I < 41; ++I)
        F.Str(I == 5 ? "only" : "");
    World W;
    const Loaded_Data D = W.Load(F.I16({-1}).Bytes);
    const std::vector<std::string> T = Texts(D.Data.List);
    ASSERT_EQ(T.size(), 33u);
    EXPECT_EQ(std::vector<std::string>(T.begin(), T.begin() + 5),
              (std::vector<std::string>{"slot 1", "slot 2", "slot 3", "slot 4", ""}));
    EXPECT_EQ(Node(D.Data.List, D.Data.List.Head).Data.Locked, true);
    Settings U;
    U.Current_Slot = D.Data.List.Head, U.On_Top = true, U.Reserved = 42;
    U.Placement = Window_Placement{10, 20, 3000, 4000};
    EXPECT_EQ(D.Data.Util, U);
}

// Each row and each text is checked on its own: damage costs only the entry it touches, and a
// text whose 8-bit field has changed since is not applied.
TEST(Format, UnicodeBlockLosesOnlyADamagedEntry) {
    Image F;
    F.Raw("1.00.50").I16({0, 0, 0, 0, 1, 0, 0, 2, -1, 0, 0, 4, 4, 65});
    F.Str("Courier New").F32(10).I16({0, 0, 0, -1}).Str("Times New Roman").F32(14);
    F.I16({-1, 0, 0}).Ordered_List(5);
    const size_t Head = F.Bytes.size();
    Add_Block(F, {{0, 1, "text 1", "\xCE\xA9mega"},
                  {0, 2, "text 2", "\u03A9two", 1},
                  {1, 3, "tip 3", "\u03A9three", 0, 1},
                  {0, 4, "text 9", "\u03A9four"},
                  {3, 0, "Times New Roman", "\xE6\x97\xA5"}});
    World W;
    const Loaded_Data D = W.Load(F.Bytes);
    EXPECT_EQ(Texts(D.Data.List),
              (std::vector<std::string>{"text 0", "\xCE\xA9mega", "text 2", "text 3", "text 4"}));
    EXPECT_EQ(D.Data.List.Nodes[3].Data.Description, "tip 3");
    EXPECT_EQ(D.Data.Util.Tip_Font.Name, "\xE6\x97\xA5");

    // The block of earlier builds: one CRC-32 over the body, CRC-32 field checks.
    Image Body;
    Body.I16({1, 1 << 8}).U32(Crc32("text 1")).U32(5).Raw("\u03A9old");
    const std::string B(Body.Bytes.begin(), Body.Bytes.end());
    F.Bytes.resize(Head);
    F.Raw("PLFTUTF8").U32(uint32_t(B.size())).Raw(B).U32(Crc32(B));
    EXPECT_EQ(W.Load(F.Bytes).Data.List.Nodes[1].Data.Text, "\u03A9old");
}

// The Quick Paste settings live in a trailer that older programs neither read nor keep: they
// rewrite the file in place, without truncating it, and leave the trailer behind.
TEST(Format, TheExtensionIsReadOnlyWhenItBelongsToTheFileBeforeIt) {
    World W;
    Stored_Data D = Load_Data(W.Where).Data;
    int16_t Idx = 0;
    List_Insert(D.List, {false, "\xCE\xA9 wide", "tip"}, Pos_Bottom, Idx);
    D.Util.Quick_Paste_On = false, D.Util.Quick_Paste_Key = {0x20, Win_Mask};
    ASSERT_EQ(W.Save(D), "");
    const std::vector<uint8_t> Ours = W.File();
    World Older; // the same list saved by a program without the extension or the Unicode text
    Stored_Data Narrow = D;
    Narrow.List.Nodes[static_cast<size_t>(Idx)].Data.Text = "wide";
    ASSERT_EQ(Older.Save(Narrow), "");
    const size_t Older_Size = Older.File().size() - 28 - (2 + 4 + 3); // no trailer, no record

    enum Case { Whole, Rewritten_Shorter, Trailer_Damaged, Record_Damaged, Cut };
    for (Case C : {Whole, Rewritten_Shorter, Trailer_Damaged, Record_Damaged, Cut}) {
        SCOPED_TRACE(C);
        std::vector<uint8_t> F = Ours;
        if (C == Rewritten_Shorter) std::copy_n(Older.File().begin(), Older_Size, F.begin());
        if (C == Trailer_Damaged) F[F.size() - 20] ^= 1;
        if (C == Record_Damaged) F[F.size() - 30] ^= 1;
        if (C == Cut) F.pop_back();
        const Loaded_Data L = W.Load(F);
        ASSERT_EQ(L.Status, Load_Status::Loaded);
        EXPECT_EQ(L.Data.List.Nodes[static_cast<size_t>(Idx)].Data.Text,
                  C == Rewritten_Shorter ? "wide" : "\xCE\xA9 wide");
        EXPECT_EQ(L.Data.Util, C == Whole ? D.Util : Settings{});
    }
}

// The block as written, checked against a hand-built one: a row for each field the code page
// cannot hold, font names first, then the nodes in index order; the texts after the rows.
TEST(Format, TextsTheCodePageCannotHoldGoToTheUnicodeBlock) {
    // Files of earlier builds carry these checks: the hashes must stay the published ones.
    EXPECT_EQ(Xxh32(""), 0x02CC5D05u);
    EXPECT_EQ(Xxh32("Nobody inspects the spammish repetition"), 0xE2293B2Fu);
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
    const std::string Omega = "\xCE\xA9mega", Day = "\xE6\x97\xA5";
    World W;
    Stored_Data D = Load_Data(W.Where).Data;
    int16_t Idx = 0;
    List_Insert(D.List, {false, "caf\xC3\xA9", Omega}, Pos_Bottom, Idx);
    List_Insert(D.List, {false, Day, ""}, Pos_Bottom, Idx);
    D.Util.Tip_Font.Name = Day;
    D.Util.Quick_Paste_On = false;
    ASSERT_EQ(W.Save(D), "");
    Image Block;
    Add_Block(Block, {{3, 0, "?", Day}, {1, 0, "?mega", Omega}, {0, 1, "?", Day}});
    // Then the extension: the Quick Paste record and the trailer that vouches for the head.
    const std::vector<uint8_t>& File = W.File();
    // The head holds the font's text too: only the list's texts lie beyond it.
    const size_t Texts_End = File.size() - 9 - 28;
    const size_t Head_Size = Texts_End - Omega.size() - Day.size();
    Block.I16({1}).U32(3).Raw({0, '\xC0', Ctrl_Mask});
    const uint32_t Record_Check = Xxh32(&*(Block.Bytes.end() - 9), 9);
    Block.U32(9).U32(Record_Check).U32(uint32_t(Head_Size));
    Block.U32(Xxh32(File.data(), Head_Size)).U32(uint32_t(Texts_End)).Raw("PLFTEXT1");
    ASSERT_GT(File.size(), Block.Bytes.size());
    EXPECT_EQ(std::vector<uint8_t>(File.end() - std::ssize(Block.Bytes), File.end()), Block.Bytes);
    EXPECT_EQ(Load_Data(W.Where).Data.List, D.List);
}

} // namespace
