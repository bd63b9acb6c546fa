#include "slots/LinkList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

Slot_Record Rec(const std::string& Text) {
    return Slot_Record{false, Text, "tip " + Text};
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
    LinkList L;
    List_Init(L);
    for (int I = 0; I < N; ++I)
        Insert(L, std::to_string(I), Pos_Bottom);
    return L;
}

TEST(LinkList, FillsInAscendingOrderAndRefusesTheSeventySecond) {
    LinkList L = With_Slots(0);
    for (int I = 0; I < Max_Slots; ++I)
        EXPECT_EQ(Insert(L, "x", Pos_Bottom), I);
    const LinkList Full = L;
    int16_t Idx = 0;
    EXPECT_FALSE(List_Insert(L, Rec("one too many"), Pos_Top, Idx));
    EXPECT_EQ(Idx, No_Free_Slot);
    EXPECT_EQ(L, Full);
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
        // An empty list takes the new slot at the top whatever the position.
        {0, Pos_Bottom, {0}},
        {0, 5, {0}},
    };
    for (const Case& C : Cases) {
        LinkList L = With_Slots(C.Slots);
        EXPECT_EQ(Insert(L, "new", C.Where), C.Slots);
        EXPECT_EQ(Chain(L), C.Expected) << C.Where;
        EXPECT_TRUE(List_Is_Consistent(L)) << C.Where;
    }
}

TEST(LinkList, DeletedNodesAreReusedLastFreedFirstAndKeepTheirRecord) {
    LinkList L = With_Slots(10);
    for (int16_t Idx : {5, 3, 7})
        ASSERT_TRUE(List_Delete(L, Idx));
    EXPECT_EQ(Node(L, 5).Data, Rec("5")); // stale until reused
    for (int16_t Expected : {7, 3, 5, 10})
        EXPECT_EQ(Insert(L, "new", Pos_Top), Expected);

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
        std::vector<int16_t> Expected; // on 0..4; unchanged when the move is refused
    };
    const Case Cases[] = {
        {1, 4 /* Tail */, {0, 2, 3, 4, 1}},
        {3, Pos_Top, {3, 0, 1, 2, 4}},
        {0, Pos_Bottom, {1, 2, 3, 4, 0}},
        {4, 0, {0, 4, 1, 2, 3}},
        {2, 2, {0, 1, 2, 3, 4}},
        {2, Nil_Slot, {0, 1, 2, 3, 4}},
        {2, 30 /* free node */, {0, 1, 2, 3, 4}},
    };
    for (const Case& C : Cases) {
        LinkList L = With_Slots(5);
        const bool Moved = C.Expected != Chain(L);
        EXPECT_EQ(List_Move(L, C.From, C.To), Moved) << C.From << "->" << C.To;
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
        int16_t New_Idx = 0;
        if (Idx != Nil_Slot) { // Nil_Slot means the top for an insert
            EXPECT_FALSE(List_Insert(L, Rec("x"), Idx, New_Idx)) << Idx;
        }
        EXPECT_FALSE(List_Delete(L, Idx)) << Idx;
        EXPECT_FALSE(List_Delete(L, 2)) << "freed node deleted again";
        EXPECT_FALSE(List_Move(L, Idx, 0)) << Idx;
        EXPECT_EQ(L, Before) << Idx;
    }
    EXPECT_THROW(Node(With_Slots(0), 71), std::out_of_range);
}

// The operations must stay inside the arrays even on a list no operation could have made;
// the tests are built with subscript checks, which abort on any stray index.
TEST(LinkList, DamagedStateNeverLeadsOutsideTheArrays) {
    std::mt19937 Rng(7);
    const int16_t Values[] = {-2,   -1,       0,       35,         70,     71,
                              1001, Nil_Slot, Pos_Top, Pos_Bottom, -32768, 32767};
    auto Any = [&] { return Values[Rng() % std::size(Values)]; };
    for (int Round = 0; Round < 3000; ++Round) {
        LinkList L = With_Slots(static_cast<int>(Rng() % 72));
        for (int K = 0, N = 1 + static_cast<int>(Rng() % 4); K < N; ++K) {
            Slot_Node& Some = L.Nodes[Rng() % Max_Slots];
            int16_t* Fields[] = {&L.Head,
                                 &L.Tail,
                                 &L.Free_Top,
                                 &L.List_Ubound,
                                 &Some.Next,
                                 &Some.Prev,
                                 &L.Free_Stack[Rng() % Max_Slots]};
            *Fields[Rng() % std::size(Fields)] = Any();
        }
        for (int Op = 0; Op < 8; ++Op) {
            int16_t New_Idx = 0;
            const unsigned Kind = Rng() % 4;
            if (Kind == 0) List_Insert(L, Rec("x"), Any(), New_Idx);
            if (Kind == 1) List_Delete(L, Any());
            if (Kind == 2) List_Move(L, Any(), Any());
            if (Kind == 3) Pop_Free(L);
        }
    }
}

// Random operations against a model: the chain order, the free stack, every node's record.
TEST(LinkList, RandomOperationsMatchASimpleModel) {
    std::mt19937 Rng(2024);
    LinkList L = With_Slots(0);
    std::vector<int16_t> Order, Free; // the free stack's top at the back
    for (int I = Max_Slots - 1; I >= 0; --I)
        Free.push_back(static_cast<int16_t>(I));
    std::vector<Slot_Record> Data(Max_Slots);

    for (int Step = 0; Step < 20000; ++Step) {
        const unsigned Op = Rng() % 10, Kind = Order.empty() ? 0 : Rng() % 3;
        const size_t Pos = Order.empty() ? 0 : Rng() % Order.size();
        const int16_t Where = Kind == 0   ? Pos_Top
                              : Kind == 1 ? Pos_Bottom
                                          : Order[Rng() % Order.size()];
        auto Place = [&](int16_t Idx) {
            auto At = Where == Pos_Top      ? Order.begin()
                      : Where == Pos_Bottom ? Order.end()
                                            : std::find(Order.begin(), Order.end(), Where) + 1;
            Order.insert(At, Idx);
        };
        if (Op < 4) {
            int16_t Idx = 0;
            ASSERT_EQ(List_Insert(L, Rec(std::to_string(Step)), Where, Idx), !Free.empty());
            if (Free.empty()) continue;
            ASSERT_EQ(Idx, Free.back());
            Free.pop_back();
            Data[Idx] = Rec(std::to_string(Step));
            Place(Idx);
        } else if (Op < 7) {
            const int16_t Idx = Order.empty() ? 0 : Order[Pos];
            ASSERT_EQ(List_Delete(L, Idx), !Order.empty());
            if (Order.empty()) continue;
            Order.erase(Order.begin() + static_cast<long>(Pos));
            Free.push_back(Idx);
        } else if (!Order.empty()) {
            const int16_t Idx = Order[Pos];
            ASSERT_EQ(List_Move(L, Idx, Where), Where != Idx);
            if (Where == Idx) continue;
            Order.erase(Order.begin() + static_cast<long>(Pos));
            Place(Idx);
        }
        ASSERT_TRUE(List_Is_Consistent(L)) << "step " << Step;
        ASSERT_EQ(Chain(L), Order) << "step " << Step;
        for (int I = 0; I < Max_Slots; ++I)
            ASSERT_EQ(Node(L, I).Data, Data[static_cast<size_t>(I)]) << "step " << Step;
    }
}

} // namespace
