// A full list redrawn, each row holding a megabyte of short lines or of one line.
#include "tests/doubles/Test_Platform.h"

#include <benchmark/benchmark.h>

namespace {

void Refresh_71_Rows(benchmark::State& State) {
    Rig R("*x");
    std::string Text = State.range(0) == 0 ? "0123456789" : std::string(1 << 20, 'w');
    for (size_t I = 78; State.range(0) == 1 && I + 1 < Text.size(); I += 80)
        Text.replace(I, 2, "\r\n");
    for (int16_t I = 1, Idx = 0; I < Max_Slots; ++I)
        List_Insert(R.M.Store.List, Slot_Record{I % 3 == 0, Text, "tip"}, Pos_Bottom, Idx);
    R.T.Window.Buffer.Record_Text = false;
    Form_Resize(R.M);
    for (auto _ : State)
        Refresh_Pics(R.M);
}
BENCHMARK(Refresh_71_Rows)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace
