// Start-up after 1,000 copies: the data file with its journal, against the same list folded.
#include "storage/Data_Store.h"
#include "tests/doubles/Test_Platform.h"
#include "tests/storage/Byte_Image.h"

#include <benchmark/benchmark.h>

namespace {

struct Journal_Setup {
    std::map<std::string, std::vector<uint8_t>> With_Journal, Folded;
    Journal_Setup() {
        Rig R("*"); // the one slot copies go to; the 70 large ones are locked
        for (int16_t I = 1, Idx = 0; I < Max_Slots; ++I)
            List_Insert(R.M.Store.List, {true, std::string(32 << 10, char('a' + I % 26)), "d"},
                        Pos_Bottom, Idx);
        R.M.Saves.Save_Now(Save_Kind::Whole);
        R.T.Worker.Automatic = true;
        for (int N = 0; N < 1000; ++N) {
            R.Copy("copy " + std::to_string(N));
            R.T.Window.Advance(Save_Delay_Ms);
        }
        With_Journal = R.T.Files.Files;
        R.M.Saves.Save_Now(Save_Kind::Whole);
        Folded = R.T.Files.Files;
    }
};

void BM_Load_After_1000_Copies(benchmark::State& State) {
    static const Journal_Setup Setup;
    World W;
    W.Files.Files = State.range(0) ? Setup.With_Journal : Setup.Folded;
    for (auto _ : State) {
        Stored_Data D = Load_Data(W.Where).Data;
        Load_Journal(W.Where, D);
        benchmark::DoNotOptimize(D.List.Head);
    }
    State.counters["journal_bytes"] =
        double(W.Files.Files.count(Journal_Path(Data_Path)) ? W.Files.Files[Journal_Path(Data_Path)].size() : 0);
}
BENCHMARK(BM_Load_After_1000_Copies)->Arg(0)->Arg(1)->ArgName("Journal")->Unit(benchmark::kMillisecond);

} // namespace
