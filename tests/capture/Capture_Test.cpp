#include "platform/Clipboard.h"
#include "slots/Capture.h"
#include "tests/doubles/Cp1252_Codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const Cp1252_Codec Codec;

// Slots top to bottom separated by '|'; "*" before a text marks the slot locked.
LinkList Make_List(const std::string& Slots) {
    LinkList L;
    List_Init(L);
    for (size_t From = 0, End = 0; From <= Slots.size(); From = End + 1) {
        End = std::min(Slots.find('|', From), Slots.size());
        const bool Locked = Slots[From] == '*' && From < End;
        int16_t Idx = 0;
        List_Insert(L, {Locked, Slots.substr(From + Locked, End - From - Locked), ""}, Pos_Bottom,
                    Idx);
    }
    return L;
}

std::string Texts(const LinkList& L) {
    std::string Out;
    for (int16_t I = L.Head; I != Nil_Slot; I = L.Nodes[I].Next) {
        const std::string& Text = L.Nodes[I].Data.Text;
        Out += (I == L.Head ? "" : "|") + std::string(L.Nodes[I].Data.Locked ? "*" : "") + Text;
    }
    return Out;
}

TEST(Capture, PlacementAndDuplicates) {
    const int16_t Top = Pos_Top, Bottom = Pos_Bottom, Next = Mode_Next_Free;
    struct Case {
        const char* Name;
        const char* Before;
        int16_t Current, Mode, Ignore_Case;
        const char* Str;
        const char* After;
        int16_t New_Current; // also the node that now holds the text
    };
    const Case Cases[] = {
        {"fresh start: the only slot", "", 0, Next, 1, "N", "N", 0},
        {"next free skips a locked slot", "*A|B", 0, Next, 1, "N", "*A|N", 1},
        {"next free wraps to the top", "A|*B|*C", 1, Next, 1, "N", "N|*B|*C", 0},
        {"next free tries the current slot last", "*A|B|*C", 1, Next, 1, "N", "*A|N|*C", 1},
        {"other mode values act as next free", "A|B", 0, 7, 1, "N", "A|N", 1},
        {"next free, all locked: bottom overwritten", "*A|*B", 0, Next, 1, "N", "*A|N", 1},
        {"top removes the lowest unlocked", "X|Y|*Z", 0, Top, 1, "N", "N|X|*Z", 1},
        {"top, all locked: bottom removed", "*A|*B", 0, Top, 1, "N", "N|*A", 1},
        {"bottom removes the highest unlocked", "*X|Y|Z", 0, Bottom, 1, "N", "*X|Z|N", 1},
        {"bottom, all locked: bottom removed", "*A|*B", 0, Bottom, 1, "N", "*A|N", 1},
        {"blank slot first (next free)", "X||Z", 2, Next, 1, "N", "X|N|Z", 1},
        {"blank slot first, moved to the top", "X||Z", 0, Top, 1, "N", "N|X|Z", 1},
        {"blank slot first, moved to the bottom", "X||Z", 0, Bottom, 1, "N", "X|Z|N", 1},
        {"a locked empty slot is not blank", "A|*|B", 0, Next, 1, "N", "A|*|N", 2},
        {"invalid current slot in top mode", "A|B", Nil_Slot, Top, 1, "N", "N|A", 1},
        {"invalid current slot in next free", "A|B", Nil_Slot, Next, 1, "N", "A|B", Nil_Slot},
        {"held text selects its slot", "*A|B", 1, Next, 1, "A", "*A|B", 0},
        {"held by the current slot: nothing", "A|B", 1, Next, 1, "B", "A|B", 1},
        {"case differs: newer case replaces", "Hello|B", 1, Next, 1, "HELLO", "HELLO|B", 0},
        {"case differs in the current slot", "Hello", 0, Next, 1, "hello", "hello", 0},
        {"case matters when not ignored", "Hello|B", 0, Next, 0, "HELLO", "Hello|HELLO", 1},
        {"ignore-case other than 1 is exact", "Hello|B", 0, Next, -1, "HELLO", "Hello|HELLO", 1},
        {"tie-break: the current slot wins", "a|x|A|B", 0, Next, 1, "a", "a|x|A|B", 0},
        {"tie-break: else the lowest", "a|x|A|B", 3, Next, 1, "A", "a|x|A|B", 2},
        {"tie-break exact: the lowest", "Q|Q|B", 2, Next, 0, "Q", "Q|Q|B", 1},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        LinkList L = Make_List(C.Before);
        int16_t Cur = C.Current;
        const bool Changed = std::string(C.Before) != C.After || C.Current != C.New_Current;
        EXPECT_EQ(Add_To_Clipboard(L, Cur, {C.Mode, C.Ignore_Case, Codec}, C.Str, false),
                  Changed ? Capture_Result::Refresh : Capture_Result::Unchanged);
        EXPECT_EQ(Texts(L), C.After);
        EXPECT_EQ(Cur, C.New_Current);
    }
}

TEST(Capture, DuplicateKeepsLockAndDescriptionAndForceAddFilesAgain) {
    LinkList L = Make_List("*Hello|B");
    L.Nodes[0].Data.Description = "my note";
    int16_t Cur = 1;
    Add_To_Clipboard(L, Cur, {Mode_Next_Free, 1, Codec}, "HELLO", false);
    EXPECT_EQ(L.Nodes[0].Data, (Slot_Record{true, "HELLO", "my note"}));

    Cur = 0;
    Add_To_Clipboard(L, Cur, {Mode_Next_Free, 1, Codec}, "HELLO", true);
    EXPECT_EQ(Texts(L), "*HELLO|HELLO");
}

TEST(Capture, EmptyAndOversizedTextsAreNotFiled) {
    LinkList L = Make_List("A|");
    int16_t Cur = 0;
    const Capture_Rules Rules{Mode_Next_Free, 1, Codec};
    EXPECT_EQ(Add_To_Clipboard(L, Cur, Rules, "", false), Capture_Result::Unchanged);
    const std::string Huge(Max_Clip_Bytes + 1, 'x');
    EXPECT_EQ(Add_To_Clipboard(L, Cur, Rules, Huge, false), Capture_Result::Unchanged);
    EXPECT_EQ(Texts(L), "A|");

    const std::string Largest(Max_Clip_Bytes, 'y');
    EXPECT_EQ(Add_To_Clipboard(L, Cur, Rules, Largest, false), Capture_Result::Refresh);
    EXPECT_EQ(L.Nodes[1].Data.Text.size(), Max_Clip_Bytes);
}

TEST(Capture, DescriptionIsTheTrimmedFirstLine) {
    const std::pair<const char*, const char*> Cases[] = {
        {"  Title line  \r\nbody", "Title line"},
        {"lone\nline feed", "lone\nline feed"},
        {"lone\rreturn", "lone\rreturn"},
        {"\r\nsecond", ""},
        {"    ", ""},
        {"\tTab stays\t \r\n", "\tTab stays\t"},
        {" a \r\n b \r\n", "a"},
    };
    for (const auto& [In, Out] : Cases)
        EXPECT_EQ(First_Line_Description(In), Out) << In;

    // No 16-bit limit on where the first line ends.
    const std::string Long = std::string(40000, 'a') + "\r\nrest";
    EXPECT_EQ(First_Line_Description(Long).size(), 40000u);
}

TEST(Capture, VerifyLocksKeepsOneUnlockedSlot) {
    const Slot_Record Blank;
    struct Case {
        int Slots;
        bool One_Unlocked;
        int Ubound_After;
        bool Resize;
    };
    for (const Case C : {Case{1, true, 0, false}, Case{70, false, 70, true},
                         Case{71, false, 70, true}, Case{71, true, 70, false}}) {
        std::string Slots = "*t";
        for (int I = 1; I < C.Slots; ++I)
            Slots += "|*t";
        LinkList L = Make_List(Slots);
        if (C.One_Unlocked) L.Nodes[static_cast<size_t>(C.Slots / 2)].Data.Locked = false;
        EXPECT_EQ(Verify_Locks(L, Blank), C.Resize) << C.Slots;
        EXPECT_EQ(L.List_Ubound, C.Ubound_After) << C.Slots;
        EXPECT_TRUE(C.Slots != 70 || L.Nodes[L.Tail].Data == Blank) << "blank slot appended";
    }
}

TEST(Capture, IgnoreCaseComparesWholeCharacters) {
    struct Case {
        std::string A, B;
        bool Equal;
    };
    const Case Cases[] = {
        {"hello", "HELLO", true},
        {"hello", "hellO!", false},
        {"caf\xC3\xA9", "CAF\xC3\x89", true},           // é / É differ in a continuation byte
        {"\xD1\x8F\xD0\xB7", "\xD0\xAF\xD0\x97", true}, // я з / Я З
        {"\xC4\xB1stanbul", "ISTANBUL", true},          // dotless i: two bytes against one
        {"ISTANBUL", "\xC4\xB1stanbul", true},
        {"\xC5\xBF", "s", true}, // long s folds to S
        {"e", "\xC3\xA9", false},
        {"\xE2\x82\xAC", "\xE2\x82\xAD", false}, // differ in the last byte of three
        {"\xFF\xFE", "\xFF\xFE", true},          // invalid bytes compare as themselves
        {"emoji \xF0\x9F\x98\x80 x", "EMOJI \xF0\x9F\x98\x80 X", true},
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x81", false},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(Equal_Ignore_Case(C.A, C.B, Codec), C.Equal) << C.A << " / " << C.B;

    // The fast path skips equal runs in blocks; a difference anywhere, including one that
    // splits a character across a block boundary, must still be found and folded.
    for (size_t Prefix : {0, 1, 15, 16, 17, 47, 4095, 4096, 12000}) {
        const std::string Head(Prefix, 'q');
        SCOPED_TRACE(Prefix);
        EXPECT_TRUE(
            Equal_Ignore_Case(Head + "caf\xC3\xA9" + Head, Head + "CAF\xC3\x89" + Head, Codec));
        EXPECT_FALSE(Equal_Ignore_Case(Head + "x" + Head, Head + "y" + Head, Codec));
        EXPECT_FALSE(Equal_Ignore_Case(Head + "x", Head + "xx", Codec));
        EXPECT_FALSE(Equal_Ignore_Case(Head + "\xC3\xA9", Head + "\xC3\xA8", Codec));
    }
}

} // namespace
