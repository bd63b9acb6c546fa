// The worst case of a capture: a full list of 1 MB texts that all share a long prefix with the
// new text, against a plain memcmp of the same bytes.
#include "slots/Capture.h"
#include "tests/doubles/Cp1252_Codec.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

struct Full_List {
    LinkList List;
    std::string New_Text;
    Full_List() {
        std::string P;
        while (P.size() < (1 << 20))
            P += "The Quick brown fox jumps over the lazy dog, caf\xC3\xA9 \xD0\xAF. ";
        List_Init(List);
        for (int16_t I = 0, Idx = 0; I < Max_Slots; ++I)
            List_Insert(List, Slot_Record{false, P + std::to_string(I), "d"}, Pos_Bottom, Idx);
        New_Text = P + "new";
    }
};
const Full_List L;
const Cp1252_Codec Codec;

void BM_Memcmp(benchmark::State& State) {
    for (auto _ : State)
        for (const auto& N : L.List.Nodes)
            benchmark::DoNotOptimize(std::memcmp(N.Data.Text.data(), L.New_Text.data(), 1 << 20));
}

void BM_Find_Match(benchmark::State& State) {
    const Capture_Rules Rules{Mode_Next_Free, static_cast<int16_t>(State.range(0)), Codec};
    for (auto _ : State)
        benchmark::DoNotOptimize(Find_Match(L.List, 0, Rules, L.New_Text));
}

} // namespace

BENCHMARK(BM_Memcmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Find_Match)->Arg(0)->Arg(1)->ArgName("Ignore_Case")->Unit(benchmark::kMillisecond);
