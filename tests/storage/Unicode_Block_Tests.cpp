#include "tests/storage/Byte_Image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

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

// Every text comes back exactly; readers that stop at the free stack still find the layout
// intact and the best 8-bit text (checked where Narrow is given).
TEST(Unicode_Block, TextsRoundTripExactly) {
    const std::pair<std::string, std::optional<std::string>> Cases[] = {
        {"Grüße € ‰", "Grüße € ‰"},
        {"Ωμέγα 中", "????? ?"},
        {"emoji 😀", "emoji ?"},
        {"bad \xFF\xC3 utf-8", "bad ?? utf-8"},
        {std::string("nul\0inside", 10), std::nullopt},
        {Repeat("a", 40000), Repeat("a", 32767)}, // longer than the 8-bit field may be
        {Repeat("中文 ", 100 * 1024), std::nullopt},
    };
    for (const auto& [Text, Narrow] : Cases) {
        SCOPED_TRACE(Text.substr(0, 20));
        World W;
        W.Load();
        int16_t Idx = 0;
        List_Insert(W.List, {false, Text, Text}, Pos_Top, Idx);
        W.U.Tip_Font_Name = Text;
        ASSERT_EQ(W.Save(), "");
        World Again;
        Again.Load(W.File());
        EXPECT_EQ(Again.List.Nodes[0].Data, (Slot_Record{false, Text, Text}));
        EXPECT_EQ(Again.U.Tip_Font_Name, Text);

        if (!Narrow) continue;
        std::vector<uint8_t> File = W.File();
        File.resize(Block_Start(File));
        World Old_Reader;
        Old_Reader.Load(File);
        EXPECT_EQ(Old_Reader.List.Nodes[0].Data.Text, *Narrow);
    }
}

// The block as the format lays it out, built by hand: applied when intact, ignored when any
// byte of it is damaged.
TEST(Unicode_Block, HandBuiltBlockIsReadAndADamagedOneIgnored) {
    const std::vector<uint8_t> Good = Version_Files()[0];
    World W;
    W.Load(Good);
    EXPECT_EQ(W.List.Nodes[1].Data.Text, "Ωmega");
    for (size_t At = Block_Start(Good); At < Good.size(); ++At) {
        std::vector<uint8_t> Bad = Good;
        Bad[At] ^= 0x20;
        World Again;
        Again.Load(Bad);
        EXPECT_EQ(Again.List.Nodes[1].Data.Text, "text 1") << At;
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
