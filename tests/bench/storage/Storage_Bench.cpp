// Save and load of a full list against a plain write and read of as many bytes through the
// same in-memory folder, so the table shows what the format costs beyond the I/O.
#include "storage/Data_Store.h"
#include "tests/doubles/Cp1252_Codec.h"
#include "tests/doubles/Fake_Services.h"
#include "tests/doubles/Memory_File_System.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>

namespace {

// 71 slots of Size bytes each, lines of ASCII or of mixed scripts.
struct Setup {
    Memory_File_System Files;
    Cp1252_Codec Codec;
    Fake_Trace Log;
    Data_Location Where{Files, Codec, "PimLoft.ini", Log};
    Stored_Data Data = Load_Data(Where).Data;
    std::vector<uint8_t> Plain;

    Setup(size_t Size, bool Ascii) {
        const std::string Line = Ascii
                                     ? "The quick brown fox jumps over the lazy dog 0123456789\r\n"
                                     : "Gr\xC3\xBC\xC3\x9F"
                                       "e \xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3"
                                       "\xCE\xB1 \xE4\xB8\xAD\xE6\x96\x87 caf\xC3\xA9\r\n";
        std::string Text;
        while (Text.size() < Size)
            Text += Line;
        Text.resize(Size);
        for (int16_t I = 0, Idx = 0; I < Max_Slots; ++I)
            List_Insert(Data.List, {false, Text, Line.substr(0, Line.size() - 2)}, Pos_Bottom, Idx);
        if (!Save_Data(Data.Util, Data.List, Where).empty()) std::abort();
        Plain.assign(Files.Read_File(Where.Data_File, SIZE_MAX).Bytes.size(), 'x');
    }
};

void Run(benchmark::State& State, bool Ascii, int What) {
    Setup S(static_cast<size_t>(State.range(0)), Ascii);
    for (auto _ : State) {
        if (What == 0) benchmark::DoNotOptimize(Save_Data(S.Data.Util, S.Data.List, S.Where));
        if (What == 1) benchmark::DoNotOptimize(Load_Data(S.Where));
        if (What == 2) benchmark::DoNotOptimize(S.Files.Write_New_File(S.Where.Data_File, S.Plain));
        if (What == 3) benchmark::DoNotOptimize(S.Files.Read_File(S.Where.Data_File, SIZE_MAX));
    }
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * S.Plain.size()));
}

const int Registered = [] {
    const char* Names[] = {"Save", "Load", "Plain_Write", "Plain_Read"};
    for (const bool Ascii : {true, false})
        for (const int What : {0, 2, 1, 3})
            benchmark::RegisterBenchmark(
                (Names[What] + std::string(Ascii ? "_Ascii" : "_Unicode")).c_str(), Run, Ascii,
                What)
                ->Arg(32 << 10)
                ->Arg(1 << 20)
                ->Unit(benchmark::kMillisecond);
    return 0;
}();

} // namespace
