#include "slots/Capture.h"
#include "tests/doubles/Cp1252_Codec.h"
#include "tests/doubles/List_Notation.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

const Cp1252_Codec Codec;
constexpr int16_t Top = Pos_Top, Bottom = Pos_Bottom, Next = Mode_Next_Free;

// Lists as in List_Notation.h: '*' current, '!' locked.
TEST(Capture, PlacementDuplicatesAndCase) {
    // before, copied text, mode, Ignore_Case, after
    const std::tuple<const char*, const char*, int16_t, int16_t, const char*> Cases[] = {
        {"*", "N", Next, 1, "*N"}, // first run: the one empty slot
        {"*!A|B", "N", Next, 1, "!A|*N"},
        {"A|*B|C", "N", Next, 1, "A|B|*N"}, // the walk starts below the current slot
        {"A|*!B|!C", "N", Next, 1, "*N|!B|!C"},
        {"!A|*B|!C", "N", Next, 1, "!A|*N|!C"}, // the current slot is tried last
        {"*A|B", "N", 7, 1, "A|*N"},            // any other mode is next free
        {"*X|!Y|Z", "N", Top, 1, "*N|X|!Y"},
        {"*!A|!B", "N", Top, 1, "*N|!A"},
        {"*!X|Y|Z", "N", Bottom, 1, "!X|Z|*N"},
        {"*!A|!B", "N", Bottom, 1, "!A|*N"},
        {"X||*Z", "N", Next, 1, "X|*N|Z"}, // a blank slot before any rule
        {"*X||Z", "N", Top, 1, "*N|X|Z"},
        {"*A|!|B", "N", Next, 1, "A|!|*N"}, // a locked empty slot is not blank
        {"A|B", "N", Top, 1, "*N|A"},       // no current slot
        {"A|B", "N", Next, 1, "A|B"},
        {"*A", "", Next, 1, "*A"},
        {"!A|*B", "A", Next, 1, "*!A|B"},           // a held text selects its slot
        {"Hello|*B", "HELLO", Next, 1, "*HELLO|B"}, // the newer case replaces
        {"*Hello|B", "HELLO", Next, 0, "Hello|*HELLO"},
        {"*Hello|B", "HELLO", Next, -1, "Hello|*HELLO"},
        {"*a|x|A|B", "a", Next, 1, "*a|x|A|B"}, // tie: the current slot wins, else the lowest
        {"a|x|A|*B", "A", Next, 1, "a|x|*A|B"}};
    for (const auto& [Before, Str, Mode, Ignore_Case, After] : Cases) {
        SCOPED_TRACE(::testing::Message() << Before << " + " << Str << " mode " << Mode);
        int16_t Cur = 0;
        LinkList L = Build_List(Before, Cur);
        const auto R = Add_To_Clipboard(L, Cur, {Mode, Ignore_Case, Codec}, Str, false);
        EXPECT_EQ(Show_List(L, Cur), After);
        EXPECT_EQ(R == Capture_Result::Refresh, std::string(Before) != After);
        EXPECT_TRUE(List_Is_Consistent(L));
    }
}

TEST(Capture, NewTextDescriptionAndDuplicateKeepsLockAndDescription) {
    int16_t Cur = 0;
    LinkList L = Build_List("!Hello|*B", Cur);
    L.Nodes[0].Data.Description = "note";
    Add_To_Clipboard(L, Cur, {Next, 1, Codec}, "HELLO", false);
    EXPECT_EQ(L.Nodes[0].Data, (Slot_Record{true, "HELLO", "note"}));
    Add_To_Clipboard(L, Cur, {Next, 1, Codec}, "  Title line  \r\nbody", true);
    EXPECT_EQ(L.Nodes[1].Data, (Slot_Record{false, "  Title line  \r\nbody", "Title line"}));
    const std::pair<const char*, const char*> Lines[] = {
        {"lone\nline feed", "lone\nline feed"}, {"\r\nsecond", ""}, {"\tTab\t \r\n", "\tTab\t"}};
    for (const auto& [In, Out] : Lines)
        EXPECT_EQ(First_Line_Description(In), Out) << In;
    // A long first line gives the 1,024 characters a tool tip shows, never half a character.
    const std::string Wide = Codec.From_Code_Page(std::string(1100, '\xE9'));
    EXPECT_EQ(First_Line_Description(Wide + "\r\nrest").size(), 2048u);
}

TEST(Capture, IgnoreCaseComparesWholeCharacters) {
    const std::tuple<std::string, std::string, bool> Cases[] = {
        {"hello", "hellO!", false},
        {"caf\xC3\xA9", "CAF\xC3\x89", true},  // differ in a continuation byte
        {"\xC4\xB1stanbul", "ISTANBUL", true}, // two bytes against one
        {"\xC5\xBF", "s", true},
        {"e", "\xC3\xA9", false},
        {"\xE2\x82\xAC", "\xE2\x82\xAD", false},
        {"\xFF\xFE", "\xFF\xFE", true} // invalid bytes compare as themselves
    };
    for (const auto& [A, B, Equal] : Cases)
        EXPECT_EQ(Equal_Ignore_Case(A, B, Codec), Equal) << A << " / " << B;
    // Equal runs are skipped in blocks: a difference across a block boundary must still count.
    for (const size_t N : {15, 16, 17, 4095, 4096}) {
        const std::string H(N, 'q');
        EXPECT_TRUE(Equal_Ignore_Case(H + "caf\xC3\xA9" + H, H + "CAF\xC3\x89" + H, Codec)) << N;
        EXPECT_FALSE(Equal_Ignore_Case(H + "x" + H, H + "y" + H, Codec)) << N;
        EXPECT_FALSE(Equal_Ignore_Case(H + "\xC3\xA9", H + "\xC3\xA8", Codec)) << N;
    }
}

} // namespace
