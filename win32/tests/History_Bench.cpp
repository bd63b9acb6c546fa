// What the history costs with the real cipher and file system: run by hand under Wine or on
// Windows, "History_Bench [texts] [megabytes] [kept at]" (1,000,000 texts in 1,000 MB unless told).
#include "slots/Text_Search.h"
#include "storage/History_File.h"
#include "storage/History_Search.h"
#include "win32/Win32_Cipher.h"
#include "win32/Win32_File_System.h"
#include "win32/Win32_Text.h"
#include "win32/Win32_Text_Codec.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <new>

// Bytes held, to tell what the index keeps.
std::atomic<long long> Held{0};
void* operator new(size_t Size) {
    void* P = HeapAlloc(GetProcessHeap(), 0, Size ? Size : 1);
    if (!P) throw std::bad_alloc();
    return Held += static_cast<long long>(HeapSize(GetProcessHeap(), 0, P)), P;
}
void operator delete(void* P) noexcept {
    if (!P) return;
    Held -= static_cast<long long>(HeapSize(GetProcessHeap(), 0, P));
    HeapFree(GetProcessHeap(), 0, P);
}
void operator delete(void* P, size_t) noexcept {
    operator delete(P);
}

namespace {

double Now_Ms() {
    LARGE_INTEGER T, Hz;
    QueryPerformanceCounter(&T), QueryPerformanceFrequency(&Hz);
    return double(T.QuadPart) * 1000 / double(Hz.QuadPart);
}

// Texts of every script a user copies, each one unique; every 50th holds "zebrafish".
uint32_t State = 12345;
uint32_t Draw() {
    return State = State * 1664525u + 1013904223u, State >> 8;
}
std::string Make_Text(size_t Serial, size_t Mean) {
    static constexpr std::string_view Words[][6] = {
        {"the", "meeting", "invoice", "return", "value", "clipboard"},
        {"café", "naïve", "façade", "Größe", "señor", "déjà"},
        {"привет", "мир", "буфер", "обмена", "текст", "история"},
        {"漢字", "東京", "中文", "日本語", "剪贴板", "検索"},
        {"😀", "🎉", "👍🏽", "🚀", "❤️", "🐟"}};
    static constexpr std::string_view Script_Of = "00000000001111222334"; // of 20 words
    std::string T = "#" + std::to_string(Serial) + (Serial % 50 == 7 ? " Zebrafish" : "");
    const size_t Size = 8 + Draw() % (2 * std::max<size_t>(Mean, 9) - 16);
    while (T.size() < Size)
        (T += ' ') += Words[Script_Of[Draw() % 20] - '0'][Draw() % 6];
    return T;
}

// Appends a few MiB at a time, as the program's writer does.
History_Sink Writer(File_System& Fs, const std::string& Path, std::vector<uint8_t>& Pending) {
    return [&Fs, Path, &Pending](std::span<const uint8_t> Bytes) {
        Pending.insert(Pending.end(), Bytes.begin(), Bytes.end());
        if (Pending.size() < (4u << 20) && !Bytes.empty()) return true;
        const bool Ok = Pending.empty() || Fs.Append_File(Path, {Pending}, false).empty();
        Pending.clear();
        return Ok;
    };
}

} // namespace

int main(int Argc, char** Argv) {
    const size_t Texts = Argc > 1 ? std::strtoull(Argv[1], nullptr, 10) : 1000000;
    const size_t Megabytes = Argc > 2 ? std::strtoull(Argv[2], nullptr, 10) : 1000;
    const size_t Mean = std::max<size_t>(Megabytes * 1000000 / std::max<size_t>(Texts, 1), 16);
    Win32_Cipher C;
    if (!C.Available().empty()) return std::printf("%s\n", C.Available().c_str()), 1;
    Win32_File_System Fs;
    wchar_t Temp[MAX_PATH + 1];
    const std::string Path = To_Utf8(Temp, GetTempPathW(MAX_PATH + 1, Temp)) + "PimLoft_Bench.hst",
                      New_Path = Path + ".new";
    for (const std::string& P : {Path, New_Path})
        Fs.Remove_File(P);
    const History_Source Read = [&](uint64_t Offset, std::span<uint8_t> Out) {
        const File_Read R = Fs.Read_Part(Path, Offset, Out.size());
        std::copy(R.Bytes.begin(), R.Bytes.end(), Out.begin());
        return R.Bytes.size();
    };
    const char* Programs[] = {"notepad.exe", "winword.exe", "chrome.exe", "code.exe"};
    std::vector<uint8_t> Pending;
    // Built as copies come: no reads, a few MiB written at a time.
    double T = Now_Ms();
    History_Started Started = Start_History(C);
    uint64_t End = Started.Header.size();
    Fs.Write_New_File(Path, Started.Header);
    {
        History_Index Index;
        const History_Sink Out = Writer(Fs, Path, Pending);
        for (size_t I = 0; I < Texts; ++I) {
            const auto Bytes = Append_Copy(Index, *Started.Key, C, End, Make_Text(I, Mean),
                                           1000 + I, Programs[I % 4]);
            if (Bytes.empty() || !Out(Bytes)) return std::printf("build failed\n"), 1;
            End += Bytes.size();
        }
        Out({});
    }
    std::printf("built: %zu texts, %.1f MB, %.0f ms\n", Texts, double(End) / 1e6, Now_Ms() - T);
    T = Now_Ms();
    const History_Opened Opened = Open_History(Read, C);
    const double Unwrapped = Now_Ms() - T;
    const long long Before = Held;
    const History_Load Load = Load_History(Read, Opened);
    if (Load.End != History_End::Whole) return std::printf("load failed\n"), 1;
    std::printf("unwrap / build the index: %.1f ms / %.0f ms\nindex held: %.1f B a text\n",
                Unwrapped, Now_Ms() - T, double(Held - Before) / double(Load.Index.Live()));
    History_Index Index = Load.Index;
    Record_Key& Key = *Opened.Key;
    const std::vector<History_Entry> Entries = Index.Newest_First();
    const Win32_Text_Codec Codec;
    const Case_Table Cases(Codec);
    for (const char* Word : {"zebrafish", "qwxzkvj"}) {
        double First = 0;
        size_t Hits = 0;
        T = Now_Ms();
        const History_Scan Scan = Search_History(
            Read, Key, Opened.Header_Size, Entries, {Word, Cases},
            [&](std::vector<History_Hit> Batch) {
                if (!Hits) First = Now_Ms() - T;
                Hits += Batch.size();
            },
            [&] { return Hits > 0; });
        Hits ? std::printf("first batch, word in 2 %%: %.1f ms (%zu hits)\n", First, Hits)
             : std::printf("whole scan, word nowhere: %.0f ms (%zu)\n", Now_Ms() - T, Scan.Next);
    }
    // What any scan must do at least: open every record, and look for the word in it.
    T = Now_Ms();
    size_t Found = 0;
    uint64_t At = Opened.Header_Size;
    Walk_Records(Read, Key, At, [&](const History_Record& R, uint64_t, uint32_t) {
        Found += R.Text.find("qwxzkvj") != std::string::npos;
    });
    std::printf("decrypt every record + find: %.0f ms (%zu)\n", Now_Ms() - T, Found);
    const auto Forget = Append_Record(
        Index, Key, C, End, {History_Kind::Forget, 0, 0, Entries[Entries.size() / 2].Name, {}});
    Fs.Append_File(Path, {Forget}, true);
    T = Now_Ms();
    const History_Sink Out = Writer(Fs, New_Path, Pending);
    const bool Rewritten = Rewrite_History(Read, Key, Index, SIZE_MAX, Key, C, Out) && Out({});
    std::printf("rewrite after forgetting one: %.0f ms%s\n", Now_Ms() - T,
                Rewritten ? "" : " FAILED");
    for (const size_t Size : {size_t(14), size_t(4) << 20}) {
        std::vector<double> Ms;
        for (int I = 0; I < 7; ++I) {
            std::string Text = Make_Text(Texts + size_t(I), Size);
            Text.resize(Size, 'x');
            T = Now_Ms();
            const auto Bytes = Append_Copy(Index, Key, C, End, Text, 9000000 + I, Programs[0]);
            Fs.Append_File(Path, {Bytes}, true);
            Ms.push_back(Now_Ms() - T);
            End += Bytes.size();
            if (I == 6) std::printf("copy of %zu B: text + %zu B, ", Size, Bytes.size() - Size);
        }
        std::ranges::sort(Ms);
        std::printf("seal and append %.3f ms median\n", Ms[3]);
    }
    // A third argument keeps the history there, for a start-up timed with it.
    if (Argc > 3) Fs.Move_File(Path, Argv[3]);
    for (const std::string& P : {Path, New_Path})
        Fs.Remove_File(P);
    return 0;
}
