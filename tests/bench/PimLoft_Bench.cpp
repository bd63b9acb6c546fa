// The costly paths over a full list of 71 slots: filing a 1 MB text (against a plain memcmp), a
// full redraw, and save and load (against a plain write and read of as many bytes through the
// same in-memory folder, so the table shows what the format costs beyond the I/O).
#include "commands/Paste_Lines.h"
#include "slots/Capture.h"
#include "storage/Data_Store.h"
#include "tests/doubles/Test_Platform.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

namespace {

const Cp1252_Codec Codec;

// Whole lines up to at least Size bytes.
std::string Repeat(const std::string& Line, size_t Size) {
    std::string Text;
    while (Text.size() < Size)
        Text += Line;
    return Text;
}

// Fills List up to 71 slots, each Text plus a suffix of its own, every Lock_Every-th locked.
void Fill(LinkList& List, const std::string& Text, const std::string& Description,
          bool Numbered = false, int Lock_Every = 0) {
    for (int16_t I = List.List_Ubound + 1, Idx = 0; I < Max_Slots; ++I)
        List_Insert(List,
                    Slot_Record{Lock_Every > 0 && I % Lock_Every == 0,
                                Numbered ? Text + std::to_string(I) : Text, Description},
                    Pos_Bottom, Idx);
}

// The worst case of a capture: every slot shares a 1 MB prefix with the new text.
struct Capture_Setup {
    const std::string Prefix =
        Repeat("The Quick brown fox jumps over the lazy dog, caf\xC3\xA9 \xD0\xAF. ", 1 << 20);
    const std::string New_Text = Prefix + "new";
    LinkList List;
    Capture_Setup() { List_Init(List), Fill(List, Prefix, "d", true); }
};
const Capture_Setup Capture;

void BM_Memcmp(benchmark::State& State) {
    for (auto _ : State)
        for (const auto& N : Capture.List.Nodes)
            benchmark::DoNotOptimize(
                std::memcmp(N.Data.Text.data(), Capture.New_Text.data(), 1 << 20));
}
BENCHMARK(BM_Memcmp)->Unit(benchmark::kMillisecond);

void BM_Find_Match(benchmark::State& State) {
    const Capture_Rules Rules{Mode_Next_Free, static_cast<int16_t>(State.range(0)), Codec};
    for (auto _ : State)
        benchmark::DoNotOptimize(Find_Match(Capture.List, 0, Rules, Capture.New_Text));
}
BENCHMARK(BM_Find_Match)->Arg(0)->Arg(1)->ArgName("Ignore_Case")->Unit(benchmark::kMillisecond);

// Each row holds ten bytes (0), a megabyte of 80-byte lines (1) or one megabyte line (2).
void Refresh_71_Rows(benchmark::State& State) {
    Rig R("*x");
    std::string Text = State.range(0) == 0 ? "0123456789" : std::string(1 << 20, 'w');
    for (size_t I = 78; State.range(0) == 1 && I + 1 < Text.size(); I += 80)
        Text.replace(I, 2, "\r\n");
    Fill(R.M.Store.List, Text, "tip", false, 3);
    R.T.Window.Buffer.Record_Text = false;
    Form_Resize(R.M);
    for (auto _ : State)
        Refresh_Pics(R.M);
}
BENCHMARK(Refresh_71_Rows)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// 71 slots of Size bytes each, lines of ASCII or of mixed scripts, saved once.
struct Storage_Setup {
    Memory_File_System Files;
    Fake_Trace Log;
    Data_Location Where{Files, Codec, "PimLoft.ini", Log};
    Stored_Data Data = Load_Data(Where).Data;
    std::vector<uint8_t> Plain;

    Storage_Setup(size_t Size, bool Ascii) {
        const std::string Line = Ascii
                                     ? "The quick brown fox jumps over the lazy dog 0123456789\r\n"
                                     : "Gr\xC3\xBC\xC3\x9F"
                                       "e \xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3"
                                       "\xCE\xB1 \xE4\xB8\xAD\xE6\x96\x87 caf\xC3\xA9\r\n";
        Fill(Data.List, Repeat(Line, Size).substr(0, Size), Line.substr(0, Line.size() - 2));
        if (!Save_Data(Data.Util, Data.List, Where).empty()) std::abort();
        Plain.assign(Files.Files[Where.Data_File].size(), 'x');
    }
};

void Storage(benchmark::State& State, bool Ascii, int What) {
    Storage_Setup S(static_cast<size_t>(State.range(0)), Ascii);
    for (auto _ : State) {
        if (What == 0) benchmark::DoNotOptimize(Save_Data(S.Data.Util, S.Data.List, S.Where));
        if (What == 1) benchmark::DoNotOptimize(Load_Data(S.Where));
        if (What == 2) benchmark::DoNotOptimize(S.Files.Write_New_File(S.Where.Data_File, S.Plain));
        if (What == 3) benchmark::DoNotOptimize(S.Files.Read_File(S.Where.Data_File, SIZE_MAX));
    }
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * S.Plain.size()));
}

// One keystroke in the Quick Paste filter over 71 slots of 4 MiB, for a word found in none of
// them (every byte is looked at), against a plain byte search for the same word over the same
// bytes: memmem and std::string_view::find. Arg 0: ASCII text; 1: Latin, Cyrillic and CJK.
struct Filter_Setup {
    LinkList List;
    std::string Word;
    explicit Filter_Setup(bool Ascii) {
        const std::string Line =
            Ascii ? "The Quick brown fox jumps over the lazy dog, and then some more words. "
                  : "The Quick brown fox, caf\xC3\xA9 \xD0\xAF: \xD0\xA1\xD1\x8A\xD0\xB5\xD1"
                    "\x88\xD1\x8C \xD0\xB6\xD0\xB5 \xD0\xB5\xD1\x89\xD1\x91 \xE6\x97\xA5"
                    "\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE6\x96\x87. ";
        Word =
            Ascii
                ? "jumpz"
                : "\xD0\xB5\xD1\x89\xD1\x91\xD0\xB9"; // "ещёй": nowhere, though "ещё" is everywhere
        List_Init(List);
        Fill(List, Repeat(Line, (4 << 20) - 16), "", true);
    }
};

void Filter(benchmark::State& State, int How) {
    const Filter_Setup S(State.range(0) == 0);
    size_t Bytes = 0;
    for (const auto& N : S.List.Nodes)
        Bytes += N.Data.Text.size();
    for (auto _ : State) {
        if (How == 0) benchmark::DoNotOptimize(Paste_Slots(S.List, S.Word, Codec));
        for (const auto& N : S.List.Nodes) {
            const std::string& T = N.Data.Text;
            if (How == 1)
                benchmark::DoNotOptimize(memmem(T.data(), T.size(), S.Word.data(), S.Word.size()));
            if (How == 2) benchmark::DoNotOptimize(std::string_view(T).find(S.Word));
        }
    }
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * Bytes));
}

const int Registered = [] {
    const char* Filters[] = {"Quick_Paste_Filter", "Plain_Memmem", "Plain_Find"};
    for (const int How : {0, 1, 2})
        benchmark::RegisterBenchmark(Filters[How], Filter, How)
            ->Arg(0)
            ->Arg(1)
            ->ArgName("Mixed")
            ->Unit(benchmark::kMillisecond);
    const char* Names[] = {"Save", "Load", "Plain_Write", "Plain_Read"};
    for (const bool Ascii : {true, false})
        for (const int What : {0, 2, 1, 3})
            benchmark::RegisterBenchmark(
                (Names[What] + std::string(Ascii ? "_Ascii" : "_Unicode")).c_str(), Storage, Ascii,
                What)
                ->Arg(32 << 10)
                ->Arg(1 << 20)
                ->Unit(benchmark::kMillisecond);
    return 0;
}();

} // namespace

// A copy of 14 bytes into a full list of 71 texts of Size bytes, and its save, as the window's
// thread does them; the whole rewrites run outside the timing, as they run on the worker.
// Counters: bytes written to the disk for each capture (the whole rewrites included), and the
// whole rewrites.
void BM_Capture_And_Save(benchmark::State& State) {
    Rig R("*"); // the one slot copies go to; the 70 large ones are locked
    Fill(R.M.Store.List, Repeat("0123456789abcdef", size_t(State.range(0))), "d", true, 1);
    R.M.Saves.Save_Now(Save_Kind::Whole);
    R.T.Worker.Automatic = false;
    const size_t Before = R.T.Files.Bytes_Written;
    int Captures = 0, Folds = 0;
    for (auto _ : State) {
        R.Copy("short copy " + std::to_string(Captures++ % 1000));
        R.T.Window.Advance(Save_Delay_Ms);
        State.PauseTiming();
        Folds += R.T.Worker.Busy();
        R.T.Worker.Finish();
        State.ResumeTiming();
    }
    State.counters["bytes_per_capture"] = double(R.T.Files.Bytes_Written - Before) / Captures;
    State.counters["folds"] = Folds;
}
BENCHMARK(BM_Capture_And_Save)
    ->Arg(32 << 10)->Arg(1 << 20)->Arg(4 << 20)->Iterations(1000)
    ->Unit(benchmark::kMillisecond);
