#include "slots/LinkList.h"

#include <gtest/gtest.h>

namespace {

Slot_Record Rec(int N) {
    return Slot_Record{false, std::to_string(N), "tip"};
}

// Node indices from Head to Tail, bounded so that a broken chain cannot hang the test.
std::vector<int16_t> Chain(const LinkList& L) {
    std::vector<int16_t> Out;
    for (int I = L.Head; I != Nil_Slot && Out.size() <= Max_Slots; I = Node(L, I).Next)
        Out.push_back(static_cast<int16_t>(I));
    return Out;
}

LinkList With_Slots(int N) { // nodes 0..N-1 in order
    LinkList L;
    List_Init(L);
    for (int16_t I = 0, Idx = 0; I < N; ++I)
        List_Insert(L, Rec(I), Pos_Bottom, Idx);
    return L;
}

// Indices outside the chain (free nodes, outside the array) change nothing.
TEST(LinkList, InsertMoveAndDeleteByPosition) {
    const struct {
        char Op; // Insert, Move From, Delete From
        int Slots;
        int16_t From, Where;
        std::vector<int16_t> Expected; // unchanged when refused
    } Cases[] = {{'I', 3, 0, Pos_Top, {3, 0, 1, 2}},
                 {'I', 3, 0, 2 /* Tail */, {0, 1, 2, 3}},
                 {'I', 3, 0, 0, {0, 3, 1, 2}},
                 {'I', 0, 0, 5, {0}}, // empty: at the top
                 {'M', 5, 1, 4, {0, 2, 3, 4, 1}},
                 {'M', 5, 3, Pos_Top, {3, 0, 1, 2, 4}},
                 {'M', 5, 0, Pos_Bottom, {1, 2, 3, 4, 0}},
                 {'M', 5, 4, 0, {0, 4, 1, 2, 3}},
                 {'M', 5, 2, 2, {0, 1, 2, 3, 4}},
                 {'M', 5, 2, 30, {0, 1, 2, 3, 4}},
                 {'D', 4, 0, 0, {1, 2, 3}},
                 {'D', 4, 2, 0, {0, 1, 3}},
                 {'D', 4, 3, 0, {0, 1, 2}},
                 {'D', 1, 0, 0, {}},
                 {'D', 4, 40, 0, {0, 1, 2, 3}},
                 {'I', 5, 0, 40, {0, 1, 2, 3, 4}},
                 {'D', 5, -1, 0, {0, 1, 2, 3, 4}},
                 {'I', 5, 0, Pos_Top - 1, {0, 1, 2, 3, 4}}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(::testing::Message() << C.Op << C.From << " -> " << C.Where);
        LinkList L = With_Slots(C.Slots);
        int16_t Idx = 0;
        const bool Done = C.Op == 'I'   ? List_Insert(L, Rec(99), C.Where, Idx)
                          : C.Op == 'M' ? List_Move(L, C.From, C.Where)
                                        : List_Delete(L, C.From);
        EXPECT_EQ(Done, C.Expected != Chain(With_Slots(C.Slots)));
        EXPECT_EQ(Chain(L), C.Expected);
        EXPECT_TRUE(List_Is_Consistent(L));
        for (int16_t I : C.Expected) // moved nodes keep their index and record
            EXPECT_EQ(Node(L, I).Data, Rec(I < C.Slots ? I : 99));
        EXPECT_TRUE(Done || L == With_Slots(C.Slots));
    }
}

TEST(LinkList, AFullListTakesNothingAndFreedNodesAreReusedLastFirst) {
    LinkList L = With_Slots(Max_Slots);
    int16_t Idx = 0;
    EXPECT_FALSE(List_Insert(L, Rec(1), Pos_Top, Idx));
    EXPECT_EQ(Idx, No_Free_Slot);
    EXPECT_TRUE(List_Delete(L, 5) && List_Delete(L, 3));
    EXPECT_FALSE(List_Delete(L, 3)) << "a free node freed twice";
    for (const int16_t Want : {3, 5})
        EXPECT_TRUE(List_Insert(L, Rec(1), Pos_Top, Idx) && Idx == Want) << Want;
}

} // namespace
