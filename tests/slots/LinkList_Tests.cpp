#include "slots/LinkList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

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

TEST(LinkList, InsertAndMoveByPosition) {
    struct Case {
        int Slots;
        int16_t From; // Nil_Slot: insert a new slot instead of moving
        int16_t Where;
        std::vector<int16_t> Expected; // unchanged when refused
    };
    const Case Cases[] = {
        {3, Nil_Slot, Pos_Top, {3, 0, 1, 2}},    {3, Nil_Slot, Nil_Slot, {3, 0, 1, 2}},
        {3, Nil_Slot, 2 /* Tail */, {0, 1, 2, 3}}, {3, Nil_Slot, 0, {0, 3, 1, 2}},
        {0, Nil_Slot, 5, {0}}, // an empty list takes it at the top whatever the position
        {5, 1, 4 /* Tail */, {0, 2, 3, 4, 1}},   {5, 3, Pos_Top, {3, 0, 1, 2, 4}},
        {5, 0, Pos_Bottom, {1, 2, 3, 4, 0}},     {5, 4, 0, {0, 4, 1, 2, 3}},
        {5, 2, 2, {0, 1, 2, 3, 4}},              {5, 2, Nil_Slot, {0, 1, 2, 3, 4}},
        {5, 2, 30 /* free */, {0, 1, 2, 3, 4}},  {5, 40 /* free */, 0, {0, 1, 2, 3, 4}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(::testing::Message() << C.From << " -> " << C.Where);
        LinkList L = With_Slots(C.Slots);
        int16_t Idx = 0;
        const bool Done = C.From == Nil_Slot ? List_Insert(L, Rec(99), C.Where, Idx)
                                             : List_Move(L, C.From, C.Where);
        EXPECT_EQ(Done, C.Expected != Chain(With_Slots(C.Slots)));
        EXPECT_EQ(Chain(L), C.Expected);
        EXPECT_TRUE(List_Is_Consistent(L));
        if (C.From != Nil_Slot && C.From < C.Slots) {
            EXPECT_EQ(Node(L, C.From).Data, Rec(C.From));
        }
    }
}

TEST(LinkList, CapacityAndNodeReuse) {
    LinkList L = With_Slots(Max_Slots);
    EXPECT_EQ(Chain(L).back(), 70);
    int16_t Idx = 0;
    const LinkList Full = L;
    EXPECT_FALSE(List_Insert(L, Rec(1), Pos_Top, Idx));
    EXPECT_EQ(Idx, No_Free_Slot);
    EXPECT_EQ(L, Full);
    for (int16_t I : {5, 3, 7})
        ASSERT_TRUE(List_Delete(L, I));
    EXPECT_EQ(Node(L, 5).Data, Rec(5)) << "a freed node keeps its record until reused";
    for (int16_t Want : {7, 3, 5}) {
        ASSERT_TRUE(List_Insert(L, Rec(1), Pos_Top, Idx));
        EXPECT_EQ(Idx, Want);
    }
    LinkList One = With_Slots(1);
    EXPECT_TRUE(List_Delete(One, 0));
    EXPECT_TRUE(One.Head == Nil_Slot && One.Tail == Nil_Slot && One.List_Ubound == -1);
    EXPECT_FALSE(List_Delete(One, 0));
}

// Regression: deleting a free node twice put it on the free stack twice; indices outside the
// array reached other memory.
TEST(LinkList, IndicesOutsideTheChainChangeNothing) {
    for (int16_t Bad : {-1, 71, 1000, Pos_Top - 1, 40}) {
        LinkList L = With_Slots(5);
        const LinkList Before = L;
        int16_t Idx = 0;
        EXPECT_FALSE(List_Insert(L, Rec(1), Bad, Idx)) << Bad;
        EXPECT_FALSE(List_Delete(L, Bad)) << Bad;
        EXPECT_FALSE(List_Move(L, Bad, 0)) << Bad;
        EXPECT_EQ(L, Before) << Bad;
    }
    EXPECT_THROW(Node(With_Slots(0), 71), std::out_of_range);
}

// Random operations against a plain vector: chain order, free stack and records.
TEST(LinkList, RandomOperationsMatchAModel) {
    std::mt19937 Rng(2024);
    LinkList L = With_Slots(0);
    std::vector<int16_t> Order, Free;
    for (int16_t I = Max_Slots - 1; I >= 0; --I)
        Free.push_back(I);
    for (int Step = 0; Step < 20000; ++Step) {
        const unsigned Op = Rng() % 10, Kind = Order.empty() ? 0 : Rng() % 3;
        const int16_t Where = Kind == 0 ? Pos_Top : Kind == 1 ? Pos_Bottom : Order[Rng() % Order.size()];
        const auto Place = [&](int16_t Idx) {
            Order.insert(Where == Pos_Top      ? Order.begin()
                         : Where == Pos_Bottom ? Order.end()
                                               : std::find(Order.begin(), Order.end(), Where) + 1,
                         Idx);
        };
        const size_t Pos = Order.empty() ? 0 : Rng() % Order.size();
        if (Op < 4) {
            int16_t Idx = 0;
            ASSERT_EQ(List_Insert(L, Rec(Step), Where, Idx), !Free.empty());
            if (Free.empty()) continue;
            ASSERT_EQ(Idx, Free.back());
            Free.pop_back();
            Place(Idx);
        } else if (Op < 7 && !Order.empty()) {
            ASSERT_TRUE(List_Delete(L, Order[Pos]));
            Free.push_back(Order[Pos]);
            Order.erase(Order.begin() + static_cast<long>(Pos));
        } else if (!Order.empty()) {
            const int16_t Idx = Order[Pos];
            ASSERT_EQ(List_Move(L, Idx, Where), Where != Idx);
            if (Where == Idx) continue;
            Order.erase(Order.begin() + static_cast<long>(Pos));
            Place(Idx);
        }
        ASSERT_TRUE(List_Is_Consistent(L)) << Step;
        ASSERT_EQ(Chain(L), Order) << Step;
    }
}

} // namespace
