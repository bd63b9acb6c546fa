#include "slots/Capture.h"
#include "tests/doubles/Cp1252_Codec.h"

#include <gtest/gtest.h>

namespace {

const Cp1252_Codec Codec;

TEST(IgnoreCase, WholeTexts) {
    struct Case {
        std::string A, B;
        bool Equal;
    };
    const Case Cases[] = {
        {"", "", true},
        {"hello", "HELLO", true},
        {"hello", "hellO!", false},
        {"abc", "abd", false},
        {"caf\xC3\xA9", "CAF\xC3\x89", true},           // é / É differ in a continuation byte
        {"\xD1\x8F\xD0\xB7", "\xD0\xAF\xD0\x97", true}, // я з / Я З
        {"\xC4\xB1stanbul", "ISTANBUL", true},          // dotless i: two bytes against one
        {"ISTANBUL", "\xC4\xB1stanbul", true},
        {"\xC5\xBF", "s", true}, // long s folds to S
        {"e", "\xC3\xA9", false},
        {"\xE2\x82\xAC", "\xE2\x82\xAD", false}, // differ in the last byte of three
        {"\xFF\xFE", "\xFF\xFE", true},          // invalid bytes compare as themselves
        {"\xFF", "\xFE", false},
        {"emoji \xF0\x9F\x98\x80 x", "EMOJI \xF0\x9F\x98\x80 X", true},
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x81", false},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(Equal_Ignore_Case(C.A, C.B, Codec), C.Equal) << C.A << " / " << C.B;
}

// The fast path skips equal runs in blocks; a difference anywhere, including one that splits a
// character across a block boundary, must still be found and folded.
TEST(IgnoreCase, DifferencesAtEveryOffsetAroundBlockBoundaries) {
    for (size_t Prefix : {0, 1, 7, 8, 15, 16, 17, 31, 47, 63, 4095, 4096, 8191, 12000}) {
        const std::string Head(Prefix, 'q');
        SCOPED_TRACE(Prefix);
        EXPECT_TRUE(
            Equal_Ignore_Case(Head + "caf\xC3\xA9" + Head, Head + "CAF\xC3\x89" + Head, Codec));
        EXPECT_FALSE(Equal_Ignore_Case(Head + "x" + Head, Head + "y" + Head, Codec));
        EXPECT_FALSE(Equal_Ignore_Case(Head + "x", Head + "xx", Codec));
        EXPECT_FALSE(Equal_Ignore_Case(Head + "\xC3\xA9", Head + "\xC3\xA8", Codec));
    }
    std::string Mixed, Upper;
    for (int I = 0; I < 20000; ++I) {
        Mixed += (I % 3) ? "a" : "\xC3\xA9";
        Upper += (I % 3) ? "A" : "\xC3\x89";
    }
    EXPECT_TRUE(Equal_Ignore_Case(Mixed, Upper, Codec));
    Upper.back() = 'B';
    EXPECT_FALSE(Equal_Ignore_Case(Mixed, Upper, Codec));
}

} // namespace
