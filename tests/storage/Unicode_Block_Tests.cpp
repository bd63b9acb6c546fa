#include "tests/storage/Byte_Image.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string Repeat(const std::string& S, size_t Bytes) {
    std::string Out;
    while (Out.size() < Bytes)
        Out += S;
    return Out;
}

const std::string Magic = "PLFTUTF8";

size_t Block_Start(const std::vector<uint8_t>& File) {
    auto It = std::search(File.begin(), File.end(), Magic.begin(), Magic.end());
    return static_cast<size_t>(It - File.begin());
}

// Saves Text into slot 0's text and description and the tip font, loads it back.
World Round_Trip(const std::string& Text) {
    World W;
    W.Load();
    int16_t Idx = 0;
    List_Insert(W.List, {false, Text, Text}, Pos_Top, Idx);
    W.U.Tip_Font_Name = Text;
    EXPECT_EQ(W.Save(), "");
    World Again;
    Again.Load(W.File());
    return Again;
}

TEST(Unicode_Block, TextsRoundTripExactly) {
    const std::string Cases[] = {
        "plain",
        "Grüße € ‰",
        "Ωμέγα Ёжик",
        "中文テキスト",
        "emoji 😀 and é",
        "bad \xFF\xC3 utf-8",
        std::string("nul\0inside", 10),
        Repeat("abcdefgh", 100 * 1024),
        Repeat("中文 ", 100 * 1024),
    };
    for (const std::string& Text : Cases) {
        World W = Round_Trip(Text);
        EXPECT_EQ(W.List.Nodes[0].Data.Text, Text) << Text.substr(0, 20);
        EXPECT_EQ(W.List.Nodes[0].Data.Description, Text) << Text.substr(0, 20);
        EXPECT_EQ(W.U.Tip_Font_Name, Text) << Text.substr(0, 20);
    }
}

// Readers that stop at the free stack still find the layout intact and the best 8-bit text.
TEST(Unicode_Block, EightBitFieldsStayReadableWithoutTheBlock) {
    struct Case {
        std::string Text, Narrow;
        bool Block;
    };
    const Case Cases[] = {
        {"Grüße €", "Grüße €", false},
        {"Ωmega 中", "?mega ?", true},
        {Repeat("a", 40000), Repeat("a", 32767), true},
    };
    for (const Case& C : Cases) {
        World W;
        W.Load();
        int16_t Idx = 0;
        List_Insert(W.List, {false, C.Text, ""}, Pos_Top, Idx);
        ASSERT_EQ(W.Save(), "");
        std::vector<uint8_t> File = W.File();
        const size_t Start = Block_Start(File);
        EXPECT_EQ(Start < File.size(), C.Block) << C.Narrow.substr(0, 10);
        File.resize(Start);
        World Old_Reader;
        Old_Reader.Load(File);
        EXPECT_EQ(Old_Reader.List.Nodes[0].Data.Text, C.Narrow);
    }
}

TEST(Unicode_Block, DamagedBlockIsIgnored) {
    World W;
    W.Load();
    int16_t Idx = 0;
    List_Insert(W.List, {false, "Ωmega", "中"}, Pos_Top, Idx);
    ASSERT_EQ(W.Save(), "");
    const std::vector<uint8_t> Good = W.File();
    const size_t Start = Block_Start(Good);
    for (size_t At = Start; At < Good.size(); ++At) {
        std::vector<uint8_t> Bad = Good;
        Bad[At] ^= 0x20;
        World Again;
        Again.Load(Bad);
        EXPECT_EQ(Again.List.Nodes[0].Data.Text, "?mega") << At - Start;
        EXPECT_EQ(Again.List.Nodes[0].Data.Description, "?") << At - Start;
    }
}

// A writer that knows nothing of the block writes over the file without truncating it; the
// block left behind must not replace the texts that writer put in the 8-bit fields.
TEST(Unicode_Block, StaleBlockDoesNotReplaceNewerTexts) {
    World W;
    W.Load();
    int16_t Idx = 0;
    List_Insert(W.List, {false, "Ω", ""}, Pos_Top, Idx);
    ASSERT_EQ(W.Save(), "");
    std::vector<uint8_t> File = W.File();

    W.List.Nodes[0].Data.Text = "x"; // same 8-bit length as "?"
    ASSERT_EQ(W.Save(), "");
    const std::vector<uint8_t>& Newer = W.File();
    ASSERT_EQ(Block_Start(Newer), Newer.size());
    std::copy(Newer.begin(), Newer.end(), File.begin());

    World Again;
    Again.Load(File);
    EXPECT_EQ(Again.List.Nodes[0].Data.Text, "x");
}

} // namespace
