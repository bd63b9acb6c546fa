#include "slots/LinkList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <list>
#include <random>
#include <string>
#include <vector>

namespace {

Slot_Record Rec(const std::string& Text) {
    return Slot_Record{false, Text, "tip " + Text};
}

LinkList Fresh() {
    LinkList L;
    List_Init(L);
    return L;
}

// Node indices from Head to Tail, bounded so that a broken chain cannot hang the test.
std::vector<int16_t> Chain(const LinkList& L) {
    std::vector<int16_t> Out;
    for (int Idx = L.Head; Idx != Nil_Slot && Out.size() <= Max_Slots; Idx = Node(L, Idx).Next)
        Out.push_back(static_cast<int16_t>(Idx));
    return Out;
}

int16_t Insert(LinkList& L, const std::string& Text, int16_t Where) {
    int16_t Idx = No_Free_Slot;
    EXPECT_TRUE(List_Insert(L, Rec(Text), Where, Idx));
    return Idx;
}

// A list of N slots appended at the bottom: nodes 0..N-1 in order.
LinkList With_Slots(int N) {
    LinkList L = Fresh();
    for (int I = 0; I < N; ++I)
        Insert(L, std::to_string(I), Pos_Bottom);
    return L;
}

TEST(LinkList, FillsInAscendingOrderAndRefusesTheSeventySecond) {
    LinkList L = Fresh();
    for (int I = 0; I < Max_Slots; ++I)
        EXPECT_EQ(Insert(L, "x", Pos_Bottom), I);
    EXPECT_EQ(L.List_Ubound, 70);
    EXPECT_EQ(L.Free_Top, -1);
    EXPECT_TRUE(List_Is_Consistent(L));

    const LinkList Before = L;
    int16_t Idx = 0;
    EXPECT_FALSE(List_Insert(L, Rec("one too many"), Pos_Top, Idx));
    EXPECT_EQ(Idx, No_Free_Slot);
    EXPECT_EQ(L, Before);
}

TEST(LinkList, InsertPlacesByPosition) {
    struct Case {
        int Slots; // 0..Slots-1 in order before the insert
        int16_t Where;
        std::vector<int16_t> Expected;
    };
    const Case Cases[] = {
        {3, Pos_Top, {3, 0, 1, 2}},
        {3, Nil_Slot, {3, 0, 1, 2}},
        {3, Pos_Bottom, {0, 1, 2, 3}},
        {3, 2 /* Tail */, {0, 1, 2, 3}},
        {3, 0, {0, 3, 1, 2}},
        {3, 1, {0, 1, 3, 2}},
        // An empty list takes the new slot at the top whatever the position.
        {0, Pos_Bottom, {0}},
        {0, 5, {0}},
        {0, Nil_Slot, {0}},
    };
    for (const Case& C : Cases) {
        LinkList L = With_Slots(C.Slots);
        EXPECT_EQ(Insert(L, "new", C.Where), C.Slots);
        EXPECT_EQ(Chain(L), C.Expected) << C.Where;
        EXPECT_EQ(L.Tail, C.Expected.back()) << C.Where;
        EXPECT_TRUE(List_Is_Consistent(L)) << C.Where;
    }
}

TEST(LinkList, DeletedNodesAreReusedLastFreedFirstAndKeepTheirRecord) {
    LinkList L = With_Slots(10);
    ASSERT_TRUE(List_Delete(L, 5));
    EXPECT_EQ(Node(L, 5).Data, Rec("5")); // stale until reused
    ASSERT_TRUE(List_Delete(L, 3));
    ASSERT_TRUE(List_Delete(L, 7));
    EXPECT_EQ(Insert(L, "a", Pos_Top), 7);
    EXPECT_EQ(Insert(L, "b", Pos_Top), 3);
    EXPECT_EQ(Insert(L, "c", Pos_Top), 5);
    EXPECT_EQ(Insert(L, "d", Pos_Top), 10);
    EXPECT_EQ(Node(L, 5).Data, Rec("c"));

    LinkList One = With_Slots(1);
    EXPECT_TRUE(List_Delete(One, 0));
    EXPECT_TRUE(One.Head == Nil_Slot && One.Tail == Nil_Slot && One.List_Ubound == -1 &&
                One.Free_Top == 70)
        << "deleting the only slot empties the list";
    EXPECT_FALSE(List_Delete(One, 0));
}

TEST(LinkList, MoveKeepsTheNodeIndex) {
    struct Case {
        int16_t From, To;
        bool Moved;
        std::vector<int16_t> Expected; // on 0..4
    };
    const Case Cases[] = {
        {1, 4 /* Tail */, true, {0, 2, 3, 4, 1}},
        {3, Pos_Top, true, {3, 0, 1, 2, 4}},
        {0, Pos_Bottom, true, {1, 2, 3, 4, 0}},
        {0, 2, true, {1, 2, 0, 3, 4}},
        {4, 0, true, {0, 4, 1, 2, 3}},
        {2, 2, false, {0, 1, 2, 3, 4}},
        {2, Nil_Slot, false, {0, 1, 2, 3, 4}},
        {2, 30 /* free node */, false, {0, 1, 2, 3, 4}},
    };
    for (const Case& C : Cases) {
        LinkList L = With_Slots(5);
        EXPECT_EQ(List_Move(L, C.From, C.To), C.Moved) << C.From << "->" << C.To;
        EXPECT_EQ(Chain(L), C.Expected) << C.From << "->" << C.To;
        EXPECT_TRUE(List_Is_Consistent(L));
        EXPECT_EQ(Node(L, C.From).Data, Rec(std::to_string(C.From)));
    }
}

// Regression: deleting a free node twice put it on the free stack twice, and inserting
// below one chained the new node to nothing; indices outside the array reached other memory.
TEST(LinkList, IndicesOutsideTheChainFailWithoutChange) {
    const int16_t Bad[] = {-1, 71, 1000, Nil_Slot, Pos_Top - 1, 40 /* free */};
    for (int16_t Idx : Bad) {
        LinkList L = With_Slots(5);
        ASSERT_TRUE(List_Delete(L, 2));
        const LinkList Before = L;
        if (Idx != Nil_Slot) {
            int16_t New_Idx = 0;
            EXPECT_FALSE(List_Insert(L, Rec("x"), Idx, New_Idx)) << Idx;
            EXPECT_EQ(New_Idx, No_Free_Slot);
        }
        EXPECT_FALSE(List_Delete(L, Idx)) << Idx;
        EXPECT_FALSE(List_Delete(L, 2)) << "freed node deleted again";
        EXPECT_FALSE(List_Move(L, Idx, 0)) << Idx;
        EXPECT_FALSE(Is_Chained(L, Idx));
        EXPECT_EQ(L, Before) << Idx;
    }
    LinkList L = Fresh();
    EXPECT_THROW(Node(L, 71), std::out_of_range);
    EXPECT_THROW(Node(L, -1), std::out_of_range);
}

// The operations must stay inside the arrays even on a list no operation could have made;
// the tests are built with subscript checks, which abort on any stray index.
TEST(LinkList, DamagedStateNeverLeadsOutsideTheArrays) {
    std::mt19937 Rng(7);
    auto Any = [&] {
        const int16_t Values[] = {
            -2, -1, 0, 35, 70, 71, 1001, Nil_Slot, Pos_Top, Pos_Bottom, int16_t(-32768), 32767};
        return Values[Rng() % std::size(Values)];
    };
    for (int Round = 0; Round < 3000; ++Round) {
        LinkList L = With_Slots(static_cast<int>(Rng() % 72));
        for (int K = 0, N = 1 + static_cast<int>(Rng() % 4); K < N; ++K) {
            switch (Rng() % 6) {
            case 0:
                L.Head = Any();
                break;
            case 1:
                L.Tail = Any();
                break;
            case 2:
                L.Free_Top = Any();
                break;
            case 3:
                L.List_Ubound = Any();
                break;
            case 4:
                L.Free_Stack[Rng() % Max_Slots] = Any();
                break;
            default:
                (Rng() % 2 ? L.Nodes[Rng() % Max_Slots].Next : L.Nodes[Rng() % Max_Slots].Prev) =
                    Any();
            }
        }
        for (int Op = 0; Op < 8; ++Op) {
            int16_t New_Idx = 0;
            switch (Rng() % 4) {
            case 0:
                List_Insert(L, Rec("x"), Any(), New_Idx);
                break;
            case 1:
                List_Delete(L, Any());
                break;
            case 2:
                List_Move(L, Any(), Any());
                break;
            default:
                Pop_Free(L);
            }
        }
    }
}

// Random operations against a std::list of (index, record) and a vector as the free stack.
TEST(LinkList, RandomOperationsMatchASimpleModel) {
    std::mt19937 Rng(2024);
    LinkList L = Fresh();
    std::list<std::pair<int16_t, Slot_Record>> Model;
    std::vector<int16_t> Free;
    for (int I = Max_Slots - 1; I >= 0; --I)
        Free.push_back(static_cast<int16_t>(I));
    auto Pick = [&]() {
        auto It = Model.begin();
        std::advance(It, static_cast<long>(Rng() % Model.size()));
        return It;
    };

    for (int Step = 0; Step < 20000; ++Step) {
        const unsigned Op = Rng() % 10;
        if (Op < 4) {
            const Slot_Record R = Rec(std::to_string(Step));
            int16_t Where = Pos_Top;
            auto At = Model.begin();
            switch (Model.empty() ? 0 : Rng() % 4) {
            case 0:
                Where = Rng() % 2 ? Pos_Top : Nil_Slot;
                break;
            case 1:
                Where = Pos_Bottom, At = Model.end();
                break;
            default:
                At = Pick(), Where = At->first, ++At;
            }
            int16_t Idx = 0;
            const bool Ok = List_Insert(L, R, Where, Idx);
            ASSERT_EQ(Ok, !Free.empty());
            if (Ok) {
                ASSERT_EQ(Idx, Free.back());
                Free.pop_back();
                Model.insert(At, {Idx, R});
            }
        } else if (Op < 7) {
            if (Model.empty()) {
                ASSERT_FALSE(List_Delete(L, 0));
                continue;
            }
            auto It = Pick();
            ASSERT_TRUE(List_Delete(L, It->first));
            Free.push_back(It->first);
            Model.erase(It);
        } else if (!Model.empty()) {
            auto From = Pick();
            const int16_t Idx = From->first;
            const auto Rec_Moved = From->second;
            const unsigned Kind = Rng() % 3;
            int16_t To = Kind == 0 ? Pos_Top : Kind == 1 ? Pos_Bottom : Pick()->first;
            const bool Ok = List_Move(L, Idx, To);
            ASSERT_EQ(Ok, To != Idx);
            if (!Ok) continue;
            Model.erase(From);
            auto At = To == Pos_Top ? Model.begin() : Model.end();
            if (To != Pos_Top && To != Pos_Bottom)
                At = std::next(std::find_if(Model.begin(), Model.end(),
                                            [&](const auto& P) { return P.first == To; }));
            Model.insert(At, {Idx, Rec_Moved});
        }

        ASSERT_TRUE(List_Is_Consistent(L)) << "step " << Step;
        ASSERT_EQ(L.List_Ubound + 1, static_cast<int>(Model.size()));
        ASSERT_EQ(L.Free_Top, 69 - L.List_Ubound);
        auto It = Model.begin();
        for (int16_t Idx : Chain(L)) {
            ASSERT_EQ(Idx, It->first);
            ASSERT_EQ(Node(L, Idx).Data, It->second);
            ++It;
        }
    }
}

} // namespace
