// The worst case of Find_Match: a full list of 1 MB texts that all share a long prefix with
// the new text, compared with a plain memcmp of the same bytes.
#include "slots/Capture.h"
#include "tests/doubles/Cp1252_Codec.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

constexpr size_t Text_Size = 1 << 20;
const Cp1252_Codec Codec;

std::string Prefix() {
    std::string S;
    while (S.size() < Text_Size - 16)
        S += "The Quick brown fox jumps over the lazy dog, caf\xC3\xA9 \xD0\xAF. ";
    return S.substr(0, Text_Size - 16);
}

std::string With_Tail(const std::string& Prefix, long N) {
    std::string T = std::to_string(N);
    return Prefix + std::string(16 - T.size(), '#') + T;
}

struct Full_List {
    LinkList List;
    std::string New_Text;
    Full_List() {
        const std::string P = Prefix();
        List_Init(List);
        int16_t Idx = 0;
        for (long I = 0; I < Max_Slots; ++I)
            List_Insert(List, Slot_Record{false, With_Tail(P, I), "d"}, Pos_Bottom, Idx);
        New_Text = With_Tail(P, 999999);
    }
};

const Full_List& List() {
    static const Full_List L;
    return L;
}

void BM_Memcmp(benchmark::State& State) {
    const Full_List& L = List();
    for (auto _ : State) {
        int Equal = 0;
        for (const auto& N : L.List.Nodes)
            Equal += std::memcmp(N.Data.Text.data(), L.New_Text.data(), Text_Size) == 0;
        benchmark::DoNotOptimize(Equal);
    }
}

void BM_Find_Match(benchmark::State& State) {
    const Full_List& L = List();
    const Capture_Rules Rules{Mode_Next_Free, static_cast<int16_t>(State.range(0)), Codec};
    for (auto _ : State)
        benchmark::DoNotOptimize(Find_Match(L.List, 0, Rules, L.New_Text));
}

// A whole capture: the search, then the text filed over the next slot.
void BM_Capture(benchmark::State& State) {
    Full_List L = List();
    const std::string P = Prefix();
    const Capture_Rules Rules{Mode_Next_Free, static_cast<int16_t>(State.range(0)), Codec};
    int16_t Cur = 0;
    long N = 1000;
    for (auto _ : State) {
        State.PauseTiming();
        std::string Text = With_Tail(P, N++);
        State.ResumeTiming();
        benchmark::DoNotOptimize(Add_To_Clipboard(L.List, Cur, Rules, Text, false));
    }
}

} // namespace

BENCHMARK(BM_Memcmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Find_Match)->Arg(0)->Arg(1)->ArgName("Ignore_Case")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Capture)->Arg(0)->Arg(1)->ArgName("Ignore_Case")->Unit(benchmark::kMillisecond);
