#include "mainwindow/Slot_Store.h"
#include "tests/doubles/Cp1252_Codec.h"
#include "tests/doubles/List_Notation.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

using K = Change_Kind;
using Told = std::vector<std::pair<K, int16_t>>;

struct Recorder final : Store_Observer {
    Told Changes;
    std::vector<const Copy_Source*> Sources; // of the copies told
    void Changed(const Change& What) override {
        Changes.emplace_back(What.Kind, What.Slot);
        if (What.Source) Sources.push_back(What.Source);
    }
};

// Each operation tells one change, of its kind and slot; one that changes nothing tells
// nothing, but a copy is told even then, with its source.
TEST(Slot_Store, EachOperationTellsOneChange) {
    Recorder T;
    Slot_Store S{{&T}};
    Stored_Data D;
    D.List = Build_List("*A|!B|C", D.Util.Current_Slot); // nodes 0, 1, 2
    const Cp1252_Codec Codec;
    const Copy_Source Copied{std::chrono::system_clock::now(), ""};
    Settings U;
    U.Current_Slot = 3;
    const Window_Placement Place{5, 6, 7, 8};
    const std::pair<std::function<void()>, Told> Cases[] = {
        {[&] { S.Replace(D); }, {{K::Loaded, Nil_Slot}}},
        {[&] { S.File_Copy("A", Codec, nullptr, Copied); }, {{K::Seen, 0}}},
        {[&] { S.File_Copy("new", Codec, nullptr, Copied); }, {{K::Filed, 2}}},
        {[&] { S.Select(1); }, {{K::Selected, 1}}},
        {[&] { S.Set_Lock(0, true); }, {{K::Locked, 0}}},
        {[&] { S.Keep_Unlocked(); }, {}},
        {[&] { S.Set_Lock(2, true); }, {{K::Locked, 2}}},
        {[&] { S.Keep_Unlocked(); }, {{K::Added, 3}}},
        {[&] { S.Move(0, Pos_Bottom); }, {{K::Moved, 0}}},
        {[&] { S.Add({}, Pos_Top); }, {{K::Added, 4}}},
        {[&] { S.Duplicate(1); }, {{K::Added, 5}}},
        {[&] { S.Clear(1); }, {{K::Cleared, 1}}},
        {[&] { S.Delete(1); }, {{K::Deleted, 1}}},
        {[&] { S.Edit(0, "x", "y"); }, {{K::Edited, 0}}},
        {[&] { S.Change_Settings(U); }, {{K::Settings, Nil_Slot}}},
        {[&] { S.Remember_Place(Place); }, {{K::Placed, Nil_Slot}}},
    };
    int Step = 0;
    for (const auto& [Run, Want] : Cases) {
        T.Changes.clear();
        Run();
        EXPECT_EQ(T.Changes, Want) << Step++;
    }
    EXPECT_EQ(T.Sources, (std::vector{&Copied, &Copied}));
    EXPECT_EQ(S.Current(), 1) << "the selection is not a setting";
    EXPECT_EQ(S.Util().Placement, Place);
}

// A slot's time is when it last received a text: from a copy (filed, or made again), an edit or
// an add, or, for a file that kept none, the start. Expiry clears the unlocked slots filled
// before the cutoff and keeps their rows.
TEST(Slot_Store, FilledTimesAndExpiry) {
    using namespace std::chrono;
    Recorder T;
    Slot_Store S{{&T}};
    Stored_Data D;
    D.List = Build_List("*A|!B|C|", D.Util.Current_Slot); // nodes 0..3
    D.List.Nodes[0].Data.Filled = 50;
    const auto Start = int64_t(Utc_Seconds(system_clock::now()));
    const auto Times = [&] { // -1: stamped now
        std::vector<int64_t> Out;
        for (int I = 0; I < 6; ++I)
            Out.push_back(S.Slot(I).Filled >= Start ? -1 : S.Slot(I).Filled);
        return Out;
    };
    S.Replace(D);
    EXPECT_EQ(Times(), (std::vector<int64_t>{50, -1, -1, 0, 0, 0}));
    const Cp1252_Codec Codec;
    const auto At = [](int Second) {
        return Copy_Source{system_clock::time_point(seconds(Second)), ""};
    };
    S.File_Copy("A", Codec, nullptr, At(100)); // the selected slot's own text
    S.File_Copy("new", Codec, nullptr, At(200));
    S.File_Copy("c", Codec, nullptr, At(300)); // another slot's, in other case
    S.Add({false, "x", "x"}, Pos_Bottom);
    S.Edit(S.Add({}, Pos_Bottom), "e", "");
    EXPECT_EQ(Times(), (std::vector<int64_t>{100, -1, 300, 200, -1, -1}));
    T.Changes.clear();
    EXPECT_EQ(S.Expire(250), 2);
    EXPECT_EQ(T.Changes, (Told{{K::Cleared, 0}, {K::Cleared, 3}}));
    EXPECT_EQ(S.Expire(std::numeric_limits<int64_t>::max()), 3);
    EXPECT_EQ(Show_List(S.List(), Nil_Slot), "|!B||||");
}

} // namespace
