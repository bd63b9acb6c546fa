#include "storage/List_Repair.h"
#include "tests/storage/Byte_Image.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// What every load must leave, however damaged the file: a consistent list and a current slot
// that commands can act on.
void Expect_Sound(const World& W, const std::string& What) {
    ASSERT_TRUE(List_Is_Consistent(W.List)) << What;
    EXPECT_TRUE(W.List.List_Ubound < 0 || Is_Chained(W.List, W.U.Current_Slot)) << What;
}

TEST(Damaged_File, EveryTruncationLoadsIntoASoundList) {
    for (const std::vector<uint8_t>& Full : Version_Files()) {
        for (size_t Size = 0; Size <= Full.size(); ++Size) {
            World W;
            W.Load(std::vector<uint8_t>(Full.begin(), Full.begin() + static_cast<long>(Size)));
            Expect_Sound(W, std::to_string(Size));
        }
    }
}

TEST(Damaged_File, RandomMutationsLoadIntoASoundList) {
    std::mt19937 Rng(99);
    const auto Files = Version_Files();
    for (int Round = 0; Round < 4000; ++Round) {
        std::vector<uint8_t> File = Files[Round % Files.size()];
        const int Changes = 1 + static_cast<int>(Rng() % 8);
        for (int K = 0; K < Changes; ++K) {
            const size_t At = Rng() % File.size();
            const unsigned Kind = Rng() % 4;
            if (Kind == 0) File[At] = static_cast<uint8_t>(Rng());
            if (Kind == 1) File[At] = 0xFF; // huge counts, negative links
            if (Kind == 2) File.erase(File.begin() + static_cast<long>(At));
            if (Kind == 3) File.insert(File.begin() + static_cast<long>(At), uint8_t(Rng()));
        }
        World W;
        W.Load(File);
        Expect_Sound(W, "round " + std::to_string(Round));
    }
}

// A file cut in the settings block keeps the defaults for what it did not reach.
TEST(Damaged_File, ShortFileKeepsLaterFieldsAsTheyWere) {
    Image F;
    F.Raw("1.00.50").I16({100, 200, 3000, 4000, 0, 1, 0});
    World W;
    W.Load(F.Bytes);
    EXPECT_TRUE(W.Win.W == 3000 && W.U.Ignore_Case == 0 && W.U.Add_Mode == Mode_Next_Free);
    EXPECT_EQ(W.List.List_Ubound, -1);
    EXPECT_EQ(W.U.Current_Slot, 0); // an empty list's current slot is the node it fills first
}

// Slots 0..5 chained in order, then one kind of damage; what the repair keeps, in order.
TEST(Damaged_File, RepairKeepsEverySlotItCanReach) {
    struct Case {
        const char* Name;
        void (*Damage)(LinkList&);
        std::vector<int16_t> Kept;
    };
    const std::vector<int16_t> All = {0, 1, 2, 3, 4, 5};
    const Case Cases[] = {
        {"cycle back to the head", [](LinkList& L) { L.Nodes[3].Next = 0; }, All},
        {"next cut short", [](LinkList& L) { L.Nodes[2].Next = Nil_Slot; }, All},
        {"head and tail lost", [](LinkList& L) { L.Head = L.Tail = Nil_Slot; }, {}},
        {"into a free node", [](LinkList& L) { L.Nodes[5].Next = 40; }, {0, 1, 2, 3, 4, 5, 40}},
        {"wrong count", [](LinkList& L) { L.List_Ubound = 60; }, All},
        {"prev wrong", [](LinkList& L) { L.Nodes[4].Prev = 1; }, All},
        {"free stack: a chained node", [](LinkList& L) { L.Free_Stack[3] = 2; }, All},
        {"free stack: out of range", [](LinkList& L) { L.Free_Stack[4] = 300; }, All},
        {"free top out of range", [](LinkList& L) { L.Free_Top = 99; }, All},
    };
    for (const Case& C : Cases) {
        LinkList L;
        List_Init(L);
        int16_t Idx = 0;
        for (int I = 0; I < 6; ++I)
            List_Insert(L, {false, std::to_string(I), ""}, Pos_Bottom, Idx);
        L.Nodes[40].Data.Text = "stale";
        C.Damage(L);
        EXPECT_TRUE(Repair_List(L)) << C.Name;
        EXPECT_TRUE(List_Is_Consistent(L)) << C.Name;
        EXPECT_EQ(Chain(L), C.Kept) << C.Name;
        EXPECT_EQ(L.Nodes[3].Data.Text, "3") << C.Name;
    }
}

TEST(Damaged_File, RepairKeepsTheSoundPartOfTheFreeStackOrder) {
    LinkList L;
    List_Init(L);
    int16_t Idx = 0;
    for (int I = 0; I < 5; ++I)
        List_Insert(L, {}, Pos_Bottom, Idx);
    for (int16_t I : {1, 3})
        List_Delete(L, I);
    L.Free_Stack[0] = 2; // node 70 lost from the stack, chained node 2 put there instead
    L.Nodes[2].Next = Nil_Slot;
    ASSERT_TRUE(Repair_List(L));
    EXPECT_FALSE(Repair_List(L)) << "a sound list is left alone";
    EXPECT_EQ(Pop_Free(L), 3);
    EXPECT_EQ(Pop_Free(L), 1);
    EXPECT_EQ(Pop_Free(L), 5);
}

} // namespace
