#include "storage/Crc32.h"
#include "storage/Xxh32.h"
#include "tests/storage/Byte_Image.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// The first run's one empty slot, saved: every setting at its default, field by field.
TEST(Stored_Files, AFirstRunSavesTheDefaults) {
    World W;
    Stored_Data D = Load_Data(W.Where).Data;
    int16_t Idx = 0;
    List_Insert(D.List, {}, Pos_Bottom, Idx);
    ASSERT_EQ(W.Save(D), "");
    Image F;
    F.Raw("1.00.50").I16({0, 0, 0, 0, 1, 0, 0, 2, -1, 0, 0, 0, 0, 69});
    F.Str("Courier New").F32(10).I16({0, 0, 0, -1}).Str("Times New Roman").F32(14);
    F.I16({-1, 0, 0});
    for (int I = 0; I < 71; ++I)
        F.I16({9988, 9988, 0, 0, 0}); // links, lock, two empty texts
    for (int I = 0; I < 71; ++I)
        F.I16({70 - I});
    EXPECT_EQ(W.File(), F.Bytes);
}

// Regression guard: a misread header would move the window of everyone who upgrades.
TEST(Stored_Files, OlderVersionsKeepTheirPlaceAndAreSavedAsCurrent) {
    const auto Older = [](const char* Version) {
        Image F;
        F.Raw(Version).I16({100, 200, 3000, 4000, 0, 2, 5, 1101, 0, -1, 0, 2, 2, 67});
        return F.Ordered_List(3);
    };
    Image Oldest;
    Oldest.Raw("1.00.00").I16({100, 200, 3000, 4000, 0, 0, 5});
    for (int I = 0; I < 41; ++I)
        Oldest.Str(I < 3 ? "slot " + std::to_string(I) : "");
    for (int I = 0; I < 43; ++I)
        Oldest.I16({0}); // locks, two unused Integers
    for (int I = 0; I < 41; ++I)
        Oldest.Str("");
    for (const Image& F : {Older("1.00.40"), Older("1.00.10"), Oldest.I16({0})}) {
        SCOPED_TRACE(std::string(F.Bytes.begin(), F.Bytes.begin() + 7));
        World W;
        const Loaded_Data D = W.Load(F.Bytes);
        EXPECT_EQ(D.Data.Util.Placement, (Window_Placement{100, 200, 3000, 4000}));
        EXPECT_EQ(D.Data.List.List_Ubound, 2);
        ASSERT_EQ(W.Save(D.Data), "");
        EXPECT_EQ(std::string(W.File().begin(), W.File().begin() + 7), "1.00.50");
        const Loaded_Data Again = Load_Data(W.Where);
        EXPECT_EQ(Again.Data.List, D.Data.List);
        EXPECT_EQ(Again.Data.Util, D.Data.Util);
    }
}

// The block as written, checked against a hand-built one: a row for each field the code page
// cannot hold, font names first, then the nodes in index order; the texts after the rows.
TEST(Stored_Files, TextsTheCodePageCannotHoldGoToTheUnicodeBlock) {
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
    Block.Raw("PLFTWIDE").I16({3});
    uint32_t Offset = 0;
    const std::tuple<char, char, const char*, std::string> Rows[] = {
        {3, 0, "?", Day}, {1, 0, "?mega", Omega}, {0, 1, "?", Day}};
    for (const auto& [Kind, Index, Narrow, Wide] : Rows) {
        Image Row;
        Row.Raw({Kind, Index}).U32(Xxh32(Narrow)).U32(Offset).U32(uint32_t(Wide.size()));
        Row.U32(Xxh32(Wide)).U32(Xxh32(Row.Bytes.data(), 18));
        Block.Raw(std::string(Row.Bytes.begin(), Row.Bytes.end()));
        Offset += uint32_t(Wide.size());
    }
    Block.Raw(Day + Omega + Day);
    // Then the extension: the Quick Paste record and the trailer that vouches for the head.
    const std::vector<uint8_t>& File = W.File();
    // The head holds the font's text too: only the list's texts lie beyond it.
    const size_t Texts_End = File.size() - 9 - 28;
    const size_t Head_Size = Texts_End - Omega.size() - Day.size();
    Image Records;
    Records.I16({1}).U32(3).Raw({0, '\xC0', Hotkey_Ctrl});
    Image Tail = Records;
    Tail.U32(9).U32(Xxh32(Records.Bytes.data(), 9)).U32(uint32_t(Head_Size));
    Tail.U32(Xxh32(File.data(), Head_Size)).U32(uint32_t(Texts_End)).Raw("PLFTEXT1");
    Block.Raw(std::string(Tail.Bytes.begin(), Tail.Bytes.end()));
    ASSERT_GT(File.size(), Block.Bytes.size());
    EXPECT_EQ(std::vector<uint8_t>(File.end() - std::ssize(Block.Bytes), File.end()), Block.Bytes);
    EXPECT_EQ(Load_Data(W.Where).Data.List, D.List);
}

} // namespace
