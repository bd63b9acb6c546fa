#include "platform/Clipboard.h"
#include "slots/Capture.h"
#include "tests/doubles/Cp1252_Codec.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// One slot as a test writes it: "*" before the text marks it locked.
LinkList Make_List(const std::vector<std::string>& Slots) {
    LinkList L;
    List_Init(L);
    for (const auto& S : Slots) {
        const bool Locked = !S.empty() && S[0] == '*';
        int16_t Idx = 0;
        List_Insert(L, Slot_Record{Locked, Locked ? S.substr(1) : S, ""}, Pos_Bottom, Idx);
    }
    return L;
}

std::vector<std::string> Texts(const LinkList& L) {
    std::vector<std::string> Out;
    for (int16_t I = L.Head; I != Nil_Slot; I = L.Nodes[I].Next) {
        Out.push_back(L.Nodes[I].Data.Locked ? "*" : "");
        Out.back() += L.Nodes[I].Data.Text;
    }
    return Out;
}

const Cp1252_Codec Codec;

Capture_Rules Rules(int16_t Mode, int16_t Ignore_Case = 1) {
    return Capture_Rules{Mode, Ignore_Case, Codec};
}

struct Placement_Case {
    const char* Name;
    std::vector<std::string> Before;
    int16_t Current;
    int16_t Mode;
    std::vector<std::string> After;
    int16_t New_Current; // also the node that now holds the text
};

TEST(Capture, PlacementRules) {
    const Placement_Case Cases[] = {
        {"fresh start: the only slot", {""}, 0, 2, {"N"}, 0},
        {"the only slot is overwritten", {"A"}, 0, 2, {"N"}, 0},
        {"next free skips a locked slot", {"*A", "B"}, 0, 2, {"*A", "N"}, 1},
        {"next free wraps to the top", {"A", "*B", "*C"}, 1, 2, {"N", "*B", "*C"}, 0},
        {"next free tries the current slot last", {"*A", "B", "*C"}, 1, 2, {"*A", "N", "*C"}, 1},
        {"next free from the bottom slot", {"A", "B", "C"}, 2, 2, {"N", "B", "C"}, 0},
        {"other mode values act as next free", {"A", "B"}, 0, 7, {"A", "N"}, 1},
        {"all locked: bottom slot overwritten", {"*A", "*B"}, 0, 2, {"*A", "N"}, 1},
        {"top removes the lowest unlocked", {"X", "*Y", "Z"}, 0, Pos_Top, {"N", "X", "*Y"}, 2},
        {"top with the bottom locked", {"X", "Y", "*Z"}, 0, Pos_Top, {"N", "X", "*Z"}, 1},
        {"top, all locked: bottom removed", {"*A", "*B"}, 0, Pos_Top, {"N", "*A"}, 1},
        {"bottom removes the highest unlocked", {"X", "Y", "Z"}, 2, Pos_Bottom, {"Y", "Z", "N"}, 0},
        {"bottom skips locked at the top", {"*X", "Y", "Z"}, 0, Pos_Bottom, {"*X", "Z", "N"}, 1},
        {"bottom, all locked: bottom removed", {"*A", "*B"}, 0, Pos_Bottom, {"*A", "N"}, 1},
        {"blank slot first (next free)", {"X", "", "Z"}, 2, 2, {"X", "N", "Z"}, 1},
        {"blank slot first, moved to the top", {"X", "", "Z"}, 0, Pos_Top, {"N", "X", "Z"}, 1},
        {"blank slot first, moved to the bottom",
         {"X", "", "Z"},
         0,
         Pos_Bottom,
         {"X", "Z", "N"},
         1},
        {"a locked empty slot is not blank", {"A", "*", "B"}, 0, 2, {"A", "*", "N"}, 2},
        {"invalid current slot in top mode is fine", {"A", "B"}, 9988, Pos_Top, {"N", "A"}, 1},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        LinkList L = Make_List(C.Before);
        int16_t Cur = C.Current;
        EXPECT_EQ(Add_To_Clipboard(L, Cur, Rules(C.Mode), "N", false), Capture_Result::Refresh);
        EXPECT_EQ(Texts(L), C.After);
        EXPECT_EQ(Cur, C.New_Current);
        EXPECT_EQ(L.Nodes[C.New_Current].Data.Text, "N");
        EXPECT_FALSE(L.Nodes[C.New_Current].Data.Locked);
    }
}

TEST(Capture, InvalidCurrentSlotInNextFreeModeChangesNothing) {
    for (int16_t Bad : {int16_t(-1), Nil_Slot}) {
        LinkList L = Make_List({"A", "B"});
        const LinkList Before = L;
        int16_t Cur = Bad;
        EXPECT_EQ(Add_To_Clipboard(L, Cur, Rules(2), "N", false), Capture_Result::Unchanged);
        EXPECT_EQ(Texts(L), Texts(Before));
        EXPECT_EQ(Cur, Bad);
    }
}

struct Duplicate_Case {
    const char* Name;
    std::vector<std::string> Before;
    int16_t Current;
    int16_t Ignore_Case;
    const char* Str;
    std::vector<std::string> After;
    int16_t New_Current;
    Capture_Result Result;
};

TEST(Capture, Duplicates) {
    const auto R = Capture_Result::Refresh, U = Capture_Result::Unchanged;
    const Duplicate_Case Cases[] = {
        {"held text selects its slot", {"*A", "B"}, 1, 1, "A", {"*A", "B"}, 0, R},
        {"held by the current slot: nothing", {"A", "B"}, 1, 1, "B", {"A", "B"}, 1, U},
        {"case differs: newer case replaces", {"Hello", "B"}, 1, 1, "HELLO", {"HELLO", "B"}, 0, R},
        {"case differs in the current slot", {"Hello"}, 0, 1, "hello", {"hello"}, 0, R},
        {"case matters when not ignored", {"Hello", "B"}, 0, 0, "HELLO", {"Hello", "HELLO"}, 1, R},
        {"a value other than 1 compares exactly",
         {"Hello", "B"},
         0,
         -1,
         "HELLO",
         {"Hello", "HELLO"},
         1,
         R},
        {"tie-break: the current slot wins",
         {"a", "x", "A", "B"},
         0,
         1,
         "a",
         {"a", "x", "A", "B"},
         0,
         U},
        {"tie-break: else the lowest in the list",
         {"a", "x", "A", "B"},
         3,
         1,
         "A",
         {"a", "x", "A", "B"},
         2,
         R},
        {"tie-break exact: the lowest", {"Q", "Q", "B"}, 2, 0, "Q", {"Q", "Q", "B"}, 1, R},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        LinkList L = Make_List(C.Before);
        int16_t Cur = C.Current;
        EXPECT_EQ(Add_To_Clipboard(L, Cur, Rules(2, C.Ignore_Case), C.Str, false), C.Result);
        EXPECT_EQ(Texts(L), C.After);
        EXPECT_EQ(Cur, C.New_Current);
    }
}

TEST(Capture, DuplicateKeepsLockAndDescriptionAndForceAddFilesAgain) {
    LinkList L = Make_List({"*Hello", "B"});
    L.Nodes[0].Data.Description = "my note";
    int16_t Cur = 1;
    Add_To_Clipboard(L, Cur, Rules(2), "HELLO", false);
    EXPECT_EQ(L.Nodes[0].Data, (Slot_Record{true, "HELLO", "my note"}));

    Cur = 0;
    Add_To_Clipboard(L, Cur, Rules(2), "HELLO", true);
    EXPECT_EQ(Texts(L), (std::vector<std::string>{"*HELLO", "HELLO"}));
}

TEST(Capture, EmptyAndOversizedTextsAreNotFiled) {
    LinkList L = Make_List({"A", ""});
    int16_t Cur = 0;
    EXPECT_EQ(Add_To_Clipboard(L, Cur, Rules(2), "", false), Capture_Result::Unchanged);
    const std::string Huge(Max_Clip_Bytes + 1, 'x');
    EXPECT_EQ(Add_To_Clipboard(L, Cur, Rules(2), Huge, false), Capture_Result::Unchanged);
    EXPECT_EQ(Texts(L), (std::vector<std::string>{"A", ""}));

    const std::string Largest(Max_Clip_Bytes, 'y');
    EXPECT_EQ(Add_To_Clipboard(L, Cur, Rules(2), Largest, false), Capture_Result::Refresh);
    EXPECT_EQ(L.Nodes[1].Data.Text.size(), Max_Clip_Bytes);
}

TEST(Capture, DescriptionIsTheTrimmedFirstLine) {
    const std::pair<const char*, const char*> Cases[] = {
        {"  Title line  \r\nbody", "Title line"},
        {"one line", "one line"},
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
        LinkList L = Make_List(std::vector<std::string>(static_cast<size_t>(C.Slots), "*t"));
        if (C.One_Unlocked) L.Nodes[static_cast<size_t>(C.Slots / 2)].Data.Locked = false;
        EXPECT_EQ(Verify_Locks(L, Blank), C.Resize) << C.Slots;
        EXPECT_EQ(L.List_Ubound, C.Ubound_After) << C.Slots;
        if (C.Slots == 70) {
            EXPECT_EQ(L.Nodes[L.Tail].Data, Blank);
        }
    }
    LinkList Empty;
    List_Init(Empty);
    EXPECT_TRUE(Verify_Locks(Empty, Blank));
    EXPECT_EQ(Empty.List_Ubound, 0);
}

} // namespace
