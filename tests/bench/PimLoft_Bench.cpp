// The costly paths over a full list of 71 slots, each beside a plain baseline over the same
// bytes where one exists (memcmp, plain I/O through the same in-memory folder, memmem).
#include "commands/Paste_Lines.h"
#include "slots/Capture.h"
#include "slots/Text_Search.h"
#include "storage/Journal.h"
#include "tests/doubles/Test_Platform.h"
#include "tests/storage/Byte_Image.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <cstring>

namespace {

const Cp1252_Codec Codec;
const Case_Table Cases{Codec};
constexpr auto Ms = benchmark::kMillisecond;
const std::string Mixed = "The Quick brown fox, caf\xC3\xA9 \xD0\xAF: \xD0\xA1\xD1\x8A\xD0\xB5\xD1"
                          "\x88\xD1\x8C \xD0\xB6\xD0\xB5 \xD0\xB5\xD1\x89\xD1\x91 \xE6\x97\xA5"
                          "\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE6\x96\x87.\r\n";
const std::string Ascii = "The Quick brown fox jumps over the lazy dog, 0123456789 and more.\r\n";

std::string Repeat(const std::string& Line, size_t Size) { // whole lines, at least Size bytes
    std::string Text;
    while (Text.size() < Size)
        Text += Line;
    return Text;
}

// Up to 71 slots: Line repeated to Size bytes and the slot's number; every Lock_Every-th locked.
LinkList& Fill(LinkList& List, const std::string& Line, size_t Size, int Lock_Every = 0) {
    const std::string Text = Repeat(Line, Size);
    for (int16_t I = List.List_Ubound + 1, Idx = 0; I < Max_Slots; ++I)
        List_Insert(List, {Lock_Every > 0 && I % Lock_Every == 0, Text + std::to_string(I), "tip"},
                    Pos_Bottom, Idx);
    return List;
}

LinkList Full_List(size_t Size, const std::string& Line = Mixed) {
    LinkList List;
    List_Init(List);
    return Fill(List, Line, Size);
}

// The rig's one slot takes the copies; the 70 of Size bytes are locked, saved whole.
void Fill_Locked(Rig& R, size_t Size) {
    LinkList L = R.M.Store().List();
    R.M.Store().Replace({R.M.Store().Util(), Fill(L, "0123456789abcdef", Size, 1), {}});
    R.Events.Resized();
    R.M.Saves().Save_Now(Save_Kind::Whole);
}

// The worst case of a capture: every slot shares a 1 MB prefix with the new text.
const LinkList Capture_List = Full_List(1 << 20);
const std::string New_Text = Repeat(Mixed, 1 << 20) + "new";

void Capture(benchmark::State& State, bool Plain) {
    const Capture_Rules Rules{Mode_Next_Free, static_cast<int16_t>(State.range(0)), Codec};
    for (auto _ : State)
        if (Plain)
            for (const auto& N : Capture_List.Nodes)
                benchmark::DoNotOptimize(std::memcmp(N.Data.Text.data(), New_Text.data(), 1 << 20));
        else
            benchmark::DoNotOptimize(Find_Match(Capture_List, 0, Rules, New_Text));
}
BENCHMARK_CAPTURE(Capture, Find_Match, false)->DenseRange(0, 1)->ArgName("Ignore_Case")->Unit(Ms);
BENCHMARK_CAPTURE(Capture, Plain_Memcmp, true)->DenseRange(0, 1)->ArgName("Ignore_Case")->Unit(Ms);

// Each row holds ten bytes (0), a megabyte of 80-byte lines (1) or one megabyte line (2).
void Refresh_71_Rows(benchmark::State& State) {
    Rig R("*x");
    const std::string Lines[] = {"0123456789", std::string(78, 'w') + "\r\n",
                                 std::string(1 << 20, 'w')};
    LinkList L = R.M.Store().List();
    Fill(L, Lines[State.range(0)], State.range(0) == 1 ? 1 << 20 : 1, 3);
    R.T.Window.Buffer.Record_Text = false;
    R.M.Store().Replace({R.M.Store().Util(), L, {}});
    R.Events.Resized();
    // The window's own list, drawn again as a change of one row draws it.
    List_View View(R.T.Window, R.T.Colors);
    View.Make_Pictures();
    View.Draw_Pictures();
    for (auto _ : State)
        View.Paint(L, R.M.Store().Current());
}
BENCHMARK(Refresh_71_Rows)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// 71 mixed slots of Size bytes each, saved once; What: 0 save, 1 load, 2 plain write, 3 plain read.
void Storage(benchmark::State& State, int What) {
    World W;
    Stored_Data Data = Load_Data(W.Where).Data;
    Fill(Data.List, Mixed, size_t(State.range(0)));
    if (!W.Save(Data).empty()) std::abort();
    const std::vector<uint8_t> Plain(W.File().size(), 'x');
    for (auto _ : State) {
        if (What == 0) benchmark::DoNotOptimize(W.Save(Data));
        if (What == 1) benchmark::DoNotOptimize(Load_Data(W.Where));
        if (What == 2) benchmark::DoNotOptimize(W.Files.Write_New_File(Data_Path, Plain));
        if (What == 3) benchmark::DoNotOptimize(W.Files.Read_File(Data_Path, SIZE_MAX));
    }
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * Plain.size()));
}
BENCHMARK_CAPTURE(Storage, Save, 0)->RangeMultiplier(32)->Range(32 << 10, 1 << 20)->Unit(Ms);
BENCHMARK_CAPTURE(Storage, Plain_Write, 2)->RangeMultiplier(32)->Range(32 << 10, 1 << 20)->Unit(Ms);
BENCHMARK_CAPTURE(Storage, Load, 1)->RangeMultiplier(32)->Range(32 << 10, 1 << 20)->Unit(Ms);
BENCHMARK_CAPTURE(Storage, Plain_Read, 3)->RangeMultiplier(32)->Range(32 << 10, 1 << 20)->Unit(Ms);

// One keystroke over 71 slots of 4 MiB for a word found in none, so that every byte is looked
// at; against memmem (How 1). Arg 1: Latin, Cyrillic and CJK, and a word ("ещёй") whose start
// is everywhere.
void Filter(benchmark::State& State, int How) {
    static const LinkList Lists[] = {Full_List((4 << 20) - 16, Ascii), Full_List((4 << 20) - 16)};
    const LinkList& List = Lists[State.range(0)];
    const std::string Word = State.range(0) ? "\xD0\xB5\xD1\x89\xD1\x91\xD0\xB9" : "jumpz";
    for (auto _ : State) {
        if (How == 0) benchmark::DoNotOptimize(Paste_Slots(List, Word, Cases));
        for (const auto& N : List.Nodes)
            if (How == 1)
                benchmark::DoNotOptimize(
                    memmem(N.Data.Text.data(), N.Data.Text.size(), Word.data(), Word.size()));
    }
    State.SetBytesProcessed(int64_t(State.iterations() * Max_Slots * (4 << 20)));
}
BENCHMARK_CAPTURE(Filter, Quick_Paste_Filter, 0)->DenseRange(0, 1)->ArgName("Mixed")->Unit(Ms);
BENCHMARK_CAPTURE(Filter, Plain_Memmem, 1)->DenseRange(0, 1)->ArgName("Mixed")->Unit(Ms);

// Start-up after 1,000 copies: the data file with its journal (1), against the same list folded.
void Load_After_1000_Copies(benchmark::State& State) {
    static const auto Saved = [] { // folded, with the journal
        Rig R("*");
        Fill_Locked(R, 32 << 10);
        for (int N = 0; N < 1000; ++N) {
            R.Copy("copy " + std::to_string(N));
            R.T.Window.Advance(Save_Delay_Ms);
        }
        const auto With_Journal = R.T.Files.Files;
        R.M.Saves().Save_Now(Save_Kind::Whole);
        return std::array{R.T.Files.Files, With_Journal};
    }();
    World W;
    W.Files.Files = Saved[size_t(State.range(0))];
    for (auto _ : State) {
        Stored_Data D = Load_Data(W.Where).Data;
        Load_Journal(W.Where, D);
        benchmark::DoNotOptimize(D.List.Head);
    }
    State.counters["journal_bytes"] = double(W.Files.Files[Journal_Path(Data_Path)].size());
}
BENCHMARK(Load_After_1000_Copies)->DenseRange(0, 1)->ArgName("Journal")->Unit(Ms);

// A copy of 14 bytes into a full list of Size-byte texts, and its save, as the window's thread
// does them; the whole rewrites (counted, their bytes in bytes_per_capture) run untimed, as
// they run on the worker.
void Capture_And_Save(benchmark::State& State) {
    Rig R("*");
    Fill_Locked(R, size_t(State.range(0)));
    R.T.Worker.Automatic = false;
    const size_t Before = R.T.Files.Bytes_Written;
    int Captures = 0, Folds = 0;
    for (auto _ : State) {
        R.Copy("short copy " + std::to_string(Captures++ % 1000));
        R.T.Window.Advance(Save_Delay_Ms);
        State.PauseTiming();
        Folds += R.T.Worker.Busy(Work_Lane::Fold);
        R.T.Worker.Finish(Work_Lane::Fold);
        State.ResumeTiming();
    }
    State.counters["bytes_per_capture"] = double(R.T.Files.Bytes_Written - Before) / Captures;
    State.counters["folds"] = Folds;
}
BENCHMARK(Capture_And_Save)
    ->RangeMultiplier(32)
    ->Range(32 << 10, 4 << 20)
    ->Iterations(1000)
    ->Unit(Ms);

} // namespace
