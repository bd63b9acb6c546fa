// A full list redrawn, each row holding a megabyte, against handing every row its whole text.
#include "tests/doubles/Test_Platform.h"

#include <benchmark/benchmark.h>

namespace {

enum Shape { Short_Text, Megabyte_Of_Lines, Megabyte_One_Line };

struct Full_List : Rig {
    explicit Full_List(Shape S) : Rig("*x") {
        std::string Text = S == Short_Text ? "0123456789" : std::string(1 << 20, 'w');
        for (size_t I = 78; S == Megabyte_Of_Lines && I + 1 < Text.size(); I += 80)
            Text.replace(I, 2, "\r\n");
        for (int16_t I = 1, Idx = 0; I < Max_Slots; ++I)
            List_Insert(M.Store.List, Slot_Record{I % 3 == 0, Text, "tip"}, Pos_Bottom, Idx);
        M.Store.List.Nodes[0].Data.Text = Text;
        T.Window.Buffer.Record_Text = false;
        Form_Resize(M);
    }
};

void Refresh_71_Rows(benchmark::State& State) {
    Full_List L(static_cast<Shape>(State.range(0)));
    for (auto _ : State)
        Refresh_Pics(L.M);
}
BENCHMARK(Refresh_71_Rows)->DenseRange(Short_Text, Megabyte_One_Line)->Unit(benchmark::kMicrosecond);

void Whole_Text_71_Rows(benchmark::State& State) {
    Full_List L(static_cast<Shape>(State.range(0)));
    const std::string& Text = L.M.Store.List.Nodes[0].Data.Text;
    for (auto _ : State)
        for (int Y = 0; Y < 71 * 24; Y += 24)
            L.T.Window.Buffer.Draw_Text(Text, {51, Y + 2, 229, Y + 20}, 0);
}
BENCHMARK(Whole_Text_71_Rows)->DenseRange(Short_Text, Megabyte_Of_Lines)->Unit(benchmark::kMicrosecond);

} // namespace
