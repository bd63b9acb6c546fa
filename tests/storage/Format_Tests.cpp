#include "storage/Crc32.h"
#include "storage/Extensions.h"
#include "storage/Journal.h"
#include "storage/Xxh32.h"
#include "tests/doubles/List_Notation.h"
#include "tests/storage/Byte_Image.h"

#include <gtest/gtest.h>

namespace {

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

// Older files: no fonts, the sixth Integer is not the selection, 1.00.10 ignores case.
TEST(Format, EachVersionReadsItsLayoutAnd1_00_50IsWrittenBack) {
    for (const std::string Version : {"1.00.50", "1.00.40", "1.00.10"}) {
        SCOPED_TRACE(Version);
        const bool Newest = Version == "1.00.50";
        Image F;
        F.Raw(Version).I16({1500, -30, 4000, 2500, 0, 2, 5, 1101, 7, -1, 0, 2, 2, 67});
        if (Newest) F.Str("Arial").F32(9).I16({-1, 0, 0, 0}).Str("Tahoma").F32(12).I16({0, -1, 0});
        World W;
        const Loaded_Data D = W.Load(F.Ordered_List(3).Bytes);
        Settings U;
        U.Placement = Window_Placement{1500, -30, 4000, 2500};
        U.Ignore_Case = Version == "1.00.10", U.Reserved = 5, U.Add_Mode = 1101;
        U.Del_Warn = true, U.On_Top = true; // Del_Warn: 7 is not 0
        if (Newest) {
            U.Current_Slot = 2, U.Print_Tip = false;
            U.Text_Font = {"Arial", 9, true}, U.Tip_Font = {"Tahoma", 12, false, true};
        }
        EXPECT_EQ(D.Status, Load_Status::Loaded);
        EXPECT_EQ(D.Data.Util, U);
        EXPECT_EQ(Show_List(D.Data.List, Nil_Slot), "!text 0|text 1|text 2");
        if (!Newest) continue;
        ASSERT_EQ(W.Save(D.Data), "");
        F.Bytes[23] = F.Bytes[24] = 0xFF; // True is written as -1
        EXPECT_EQ(W.File(), F.Bytes);
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
    const std::string T = Show_List(D.Data.List, Nil_Slot);
    EXPECT_TRUE(T.starts_with("!slot 1|slot 2|!slot 3|slot 4|!|slot 6|")) << T;
    EXPECT_EQ(std::ranges::count(T, '|'), 32);
    Settings U;
    U.Current_Slot = D.Data.List.Head, U.On_Top = true, U.Reserved = 42;
    U.Placement = Window_Placement{10, 20, 3000, 4000};
    EXPECT_EQ(D.Data.Util, U);
}

// The block and the extension as written, checked against hand-built ones: a row for each field
// the code page cannot hold, font names first, then the nodes in index order, the texts after
// the rows; then the Quick Paste and history records and the trailer that vouches for the head.
TEST(Format, TextsTheCodePageCannotHoldAndTheExtension) {
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
    D.Util.Quick_Paste_On = false, D.Util.Quick_Paste_Key = {0x20, Win_Mask};
    D.Util.History_Keep = 0;
    ASSERT_EQ(W.Save(D), "");
    const std::vector<uint8_t> File = W.File();
    const std::vector<Wide_Row> Rows{{3, 0, "?", Day}, {1, 0, "?mega", Omega}, {0, 1, "?", Day}};
    constexpr int Ext_Size = 9 + 10 + 28;
    Image Block;
    Add_Block(Block, Rows);
    ASSERT_GT(File.size(), Block.Bytes.size() + Ext_Size);
    const auto Block_At = File.end() - std::ssize(Block.Bytes) - Ext_Size;
    const std::vector<uint8_t> Part(File.begin(), Block_At);
    EXPECT_EQ(std::vector<uint8_t>(Block_At, File.end() - Ext_Size), Block.Bytes);
    // The head holds the font's text too: only the list's texts lie beyond it.
    const size_t Texts_End = File.size() - Ext_Size;
    const size_t Head_Size = Texts_End - Omega.size() - Day.size();
    // The file with the records in tag order, Keep the history's, and the trailer.
    const auto Extended = [&](const std::vector<uint8_t>& Keep) {
        Image E;
        E.I16({1}).U32(3).Raw({0, ' ', Win_Mask}).I16({3}).U32(uint32_t(Keep.size()));
        E.Bytes.insert(E.Bytes.end(), Keep.begin(), Keep.end());
        const auto Size = uint32_t(E.Bytes.size());
        E.U32(Size).U32(Xxh32(E.Bytes.data(), Size)).U32(uint32_t(Head_Size));
        E.U32(Xxh32(File.data(), Head_Size)).U32(uint32_t(Texts_End)).Raw("PLFTEXT1");
        std::vector<uint8_t> F(File.begin(), File.begin() + std::ptrdiff_t(Texts_End));
        F.insert(F.end(), E.Bytes.begin(), E.Bytes.end());
        return F;
    };
    EXPECT_EQ(Extended({0, 0, 0, 0}), File);
    // A history size beyond the most reads as the most; a short record leaves the default.
    EXPECT_EQ(W.Load(Extended(Image().U32(2000000).Bytes)).Data.Util.History_Keep,
              Max_History_Keep);
    const Settings Short = W.Load(Extended({7, 0})).Data.Util;
    EXPECT_TRUE(Short.History_Keep == Default_History_Keep && !Short.Quick_Paste_On);
    // Each row and each text is checked on its own: damage costs only the entry it touches.
    for (size_t R = 0; R < Rows.size(); ++R)
        for (const bool Spoil_Row : {false, true}) {
            std::vector<Wide_Row> Spoilt = Rows;
            (Spoil_Row ? Spoilt[R].Bad_Row : Spoilt[R].Bad_Text) = 1;
            Image F{Part};
            const Stored_Data L = W.Load(Add_Block(F, Spoilt).Bytes).Data;
            const std::string Got[] = {L.Util.Tip_Font.Name, L.List.Nodes[0].Data.Description,
                                       L.List.Nodes[1].Data.Text};
            for (size_t I = 0; I < Rows.size(); ++I)
                EXPECT_EQ(Got[I], I == R ? Rows[I].Narrow : Rows[I].Wide) << R << Spoil_Row;
        }
    // The block of earlier builds: one CRC-32 over the body, CRC-32 field checks.
    Image Body;
    Body.I16({1, 1 << 8}).U32(Crc32("?")).U32(5).Raw("\u03A9old");
    const std::string B(Body.Bytes.begin(), Body.Bytes.end());
    Image Old{Part};
    Old.Raw("PLFTUTF8").U32(uint32_t(B.size())).Raw(B).U32(Crc32(B));
    EXPECT_EQ(W.Load(Old.Bytes).Data.List.Nodes[1].Data.Text, "\u03A9old");
    // Older programs neither read nor keep the extension: they rewrite the file in place,
    // without truncating it, and leave the block and the trailer behind. Only rows whose 8-bit
    // field is unchanged still apply.
    World Older;
    Stored_Data Narrow = D;
    Narrow.Util.Tip_Font.Name = "?";
    Narrow.List.Nodes[0].Data.Description = "?mega";
    Narrow.List.Nodes[1].Data.Text = "!";
    ASSERT_EQ(Older.Save(Narrow), "");
    ASSERT_EQ(Older.File().size(), Part.size() + Ext_Size);
    enum Case { Whole, Rewritten, Trailer_Damaged, Record_Damaged, Cut };
    for (Case C : {Whole, Rewritten, Trailer_Damaged, Record_Damaged, Cut}) {
        SCOPED_TRACE(C);
        std::vector<uint8_t> F = File;
        if (C == Rewritten) std::copy_n(Older.File().begin(), Part.size(), F.begin());
        if (C == Trailer_Damaged) F[F.size() - 20] ^= 1;
        if (C == Record_Damaged) F[F.size() - 30] ^= 1;
        if (C == Cut) F.pop_back();
        const Loaded_Data L = W.Load(F);
        ASSERT_EQ(L.Status, Load_Status::Loaded);
        EXPECT_EQ(L.Data.List.Nodes[1].Data.Text, C == Rewritten ? "!" : Day);
        EXPECT_EQ(L.Data.List.Nodes[0].Data.Description, Omega);
        EXPECT_EQ(L.Data.Util.Quick_Paste_On, C != Whole);
        EXPECT_TRUE(C != Whole || (L.Data.List == D.List && L.Data.Util == D.Util));
    }
}

// The privacy settings and the slots' times go after all that older programs read, which stays
// byte for byte as without them. The privacy settings come whole or as the defaults; a time
// applies only to a node it names.
TEST(Format, PrivacyAndSlotTimesRecords) {
    World W;
    Stored_Data D = Load_Data(W.Where).Data;
    D.List = Build_List("*A|B|C", D.Util.Current_Slot);
    ASSERT_EQ(W.Save(D), "");
    const std::vector<uint8_t> Plain = W.File();
    D.Util.Capture_Paused = true, D.Util.Expire_Days = 30;
    D.Util.Excluded_Programs = {"KeePass.exe", "\xC3\xA9.exe"};
    D.List.Nodes[0].Data.Filled = 0x123456789A, D.List.Nodes[2].Data.Filled = 7;
    ASSERT_EQ(W.Save(D), "");
    Image P, T;
    P.Raw({1}).I16({30, 2}).Str("KeePass.exe").Str("\xC3\xA9.exe");
    T.Raw({0}).U32(0x3456789A).U32(0x12).Raw({2}).U32(7).U32(0);
    const std::vector<uint8_t>& File = W.File();
    ASSERT_EQ(File.size(), Plain.size() + 6 + P.Bytes.size() + 6 + T.Bytes.size() + 28);
    EXPECT_TRUE(std::equal(Plain.begin(), Plain.end(), File.begin()));
    EXPECT_EQ(Read_Extensions(File), (Extensions{{Extension_Tag::Privacy, P.Bytes},
                                                 {Extension_Tag::Slot_Times, T.Bytes}}));
    const Stored_Data Back = W.Load(File).Data;
    EXPECT_TRUE(Back.List == D.List && Back.Util == D.Util);
    Image Times; // node 0 at 5; a node 71, a time before 1970 and a time cut short pass over
    Times.Raw({0}).U32(5).U32(0).Raw({71}).U32(9).U32(0).Raw({1}).U32(~0u).U32(~0u).Raw({2}).U32(8);
    const std::tuple<Image, bool, uint16_t, std::vector<std::string>> Cases[] = {
        {Image().Raw({1}).I16({4000, 1}).Str("a.exe"), true, Max_Expire_Days, {"a.exe"}},
        {Image().Raw({2}).I16({5, 0}), false, 0, {}},
        {Image().Raw({1}).I16({5, 2}).Str("a.exe"), false, 0, {}},
        {Image().Raw({1}).I16({5, 2}).Str("").Str(std::string(2000, 'x')), true, 5, {}},
    };
    for (const auto& [Privacy, Paused, Days, Names] : Cases) {
        std::vector<uint8_t> F = Plain;
        const std::vector<uint8_t> X = Write_Extensions(
            {{Extension_Tag::Privacy, Privacy.Bytes}, {Extension_Tag::Slot_Times, Times.Bytes}},
            Plain, Plain.size());
        F.insert(F.end(), X.begin(), X.end());
        const Stored_Data L = W.Load(F).Data;
        EXPECT_TRUE(L.Util.Capture_Paused == Paused && L.Util.Expire_Days == Days);
        EXPECT_EQ(L.Util.Excluded_Programs, Names);
        for (size_t I = 0; I < 3; ++I)
            EXPECT_EQ(L.List.Nodes[I].Data.Filled, I == 0 ? 5 : 0) << I;
    }
}

} // namespace
