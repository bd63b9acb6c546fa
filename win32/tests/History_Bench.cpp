// What the history costs with the real cipher and file system: run by hand under Wine or on
// Windows, "History_Bench [texts] [megabytes]" (1,000,000 texts in 1,000 MB unless told).
#include "slots/Text_Search.h"
#include "storage/History_File.h"
#include "storage/History_Search.h"
#include "win32/Win32_Cipher.h"
#include "win32/Win32_File_System.h"
#include "win32/Win32_Text_Codec.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <vector>

// Bytes held now and at most, to tell what the index keeps.
std::atomic<long long> Held{0}, Most{0};
void* operator new(size_t Size) {
    void* P = HeapAlloc(GetProcessHeap(), 0, Size ? Size : 1);
    if (!P) throw std::bad_alloc();
    const long long Now = Held += static_cast<long long>(HeapSize(GetProcessHeap(), 0, P));
    for (long long M = Most; Now > M && !Most.compare_exchange_weak(M, Now);) {
    }
    return P;
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
    QueryPerformanceCounter(&T);
    QueryPerformanceFrequency(&Hz);
    return double(T.QuadPart) * 1000 / double(Hz.QuadPart);
}

void Row(const char* What, const char* Value) {
    std::printf("| %-58s | %24s |\n", What, Value);
}
template <typename... A> void Row(const char* What, const char* Format, A... Args) {
    char Value[64];
    std::snprintf(Value, sizeof Value, Format, Args...);
    Row(What, Value);
}

// Texts of every script a user copies, each one unique; every 50th holds "zebrafish".
class Text_Maker {
  public:
    std::string Next(size_t Serial, size_t Mean) {
        static constexpr std::string_view Words[][6] = {
            {"the", "meeting", "invoice", "return", "value", "clipboard"},
            {"café", "naïve", "façade", "Größe", "señor", "déjà"},
            {"привет", "мир", "буфер", "обмена", "текст", "история"},
            {"漢字", "東京", "中文", "日本語", "剪贴板", "検索"},
            {"😀", "🎉", "👍🏽", "🚀", "❤️", "🐟"}};
        static constexpr int Script_Of[20] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                              1, 1, 1, 1, 2, 2, 2, 3, 3, 4};
        std::string T = "#" + std::to_string(Serial);
        if (Serial % 50 == 7) T += " Zebrafish";
        const size_t Size = 8 + Draw() % (2 * std::max<size_t>(Mean, 9) - 16);
        while (T.size() < Size) {
            T += ' ';
            T += Words[Script_Of[Draw() % 20]][Draw() % 6];
        }
        return T;
    }

  private:
    uint32_t Draw() { return State_ = State_ * 1664525u + 1013904223u, State_ >> 8; }
    uint32_t State_ = 12345;
};

std::string Temp_Folder() {
    wchar_t W[MAX_PATH + 1];
    const DWORD N = GetTempPathW(MAX_PATH + 1, W);
    std::string Path(size_t(N) * 3, '\0');
    Path.resize(size_t(WideCharToMultiByte(CP_UTF8, 0, W, int(N), Path.data(), int(Path.size()),
                                           nullptr, nullptr)));
    return Path;
}

// Appends a few MiB at a time, as the program's writer does.
class Writer {
  public:
    Writer(File_System& Fs, std::string Path) : Fs_(Fs), Path_(std::move(Path)) {}
    ~Writer() { Flush(); }
    bool Add(std::span<const uint8_t> Bytes) {
        Pending_.insert(Pending_.end(), Bytes.begin(), Bytes.end());
        return Pending_.size() < (4u << 20) || Flush();
    }
    bool Flush() {
        const bool Ok = Pending_.empty() || Fs_.Append_File(Path_, {Pending_}, false).empty();
        Pending_.clear();
        return Ok;
    }

  private:
    File_System& Fs_;
    std::string Path_;
    std::vector<uint8_t> Pending_;
};

double Median(std::vector<double> V) {
    std::sort(V.begin(), V.end());
    return V[V.size() / 2];
}

uint32_t Get_U32(const uint8_t* At) {
    return At[0] | At[1] << 8 | At[2] << 16 | static_cast<uint32_t>(At[3]) << 24;
}

// What any scan must do at least: open every record, and look for the word in it.
size_t Decrypt_And_Find(const History_Source& Read, Record_Key& Key, uint64_t From,
                        std::string_view Word) {
    std::vector<uint8_t> Chunk(4 << 20), Plain;
    size_t Found = 0;
    for (;;) {
        const size_t Got = Read(From, Chunk);
        size_t At = 0;
        while (At + 4 <= Got) {
            const uint32_t Size = Get_U32(&Chunk[At]);
            if (Size <= History_Record_Frame) return Found;
            if (At + Size > Got) break;
            const std::span<const uint8_t> R(&Chunk[At], Size);
            Plain.resize(Size - History_Record_Frame);
            if (Key.Open(R.subspan<4, Nonce_Size>(), R.first(4),
                         R.subspan(4 + Nonce_Size, Plain.size()),
                         R.subspan(Size - 4 - Tag_Size).first<Tag_Size>(), Plain) &&
                std::string_view(reinterpret_cast<const char*>(Plain.data()), Plain.size())
                        .find(Word) != std::string_view::npos)
                ++Found;
            At += Size;
        }
        if (At == 0) { // a record larger than the chunk, or the end
            if (Got < 4 || Get_U32(Chunk.data()) <= Chunk.size()) return Found;
            Chunk.resize(Get_U32(Chunk.data()));
        }
        From += At;
    }
}

} // namespace

int main(int Argc, char** Argv) {
    const size_t Texts = Argc > 1 ? std::strtoull(Argv[1], nullptr, 10) : 1000000;
    const size_t Megabytes = Argc > 2 ? std::strtoull(Argv[2], nullptr, 10) : 1000;
    const size_t Mean = std::max<size_t>(Megabytes * 1000000 / std::max<size_t>(Texts, 1), 16);
    Win32_Cipher C;
    Win32_File_System Fs;
    const std::string Path = Temp_Folder() + "PimLoft_History_Bench.hst", New_Path = Path + ".new";
    Fs.Remove_File(Path);
    Fs.Remove_File(New_Path);
    const History_Source Read = [&](uint64_t Offset, std::span<uint8_t> Out) {
        const File_Read R = Fs.Read_Part(Path, Offset, Out.size());
        std::copy(R.Bytes.begin(), R.Bytes.end(), Out.begin());
        return R.Bytes.size();
    };
    if (!C.Available().empty()) return std::printf("%s\n", C.Available().c_str()), 1;
    const char* Programs[] = {"notepad.exe", "winword.exe", "chrome.exe", "code.exe"};
    std::printf("| %-58s | %24s |\n|%s|%s|\n", "What", "Measured", std::string(60, '-').c_str(),
                std::string(26, '-').c_str());

    // Built as copies come: no reads, a few MiB written at a time.
    double T = Now_Ms();
    History_Started Started = Start_History(C);
    uint64_t End = Started.Header.size();
    {
        Fs.Write_New_File(Path, Started.Header);
        History_Index Index;
        Writer Out(Fs, Path);
        Text_Maker Maker;
        for (size_t I = 0; I < Texts; ++I) {
            const auto Bytes = Append_Copy(Index, *Started.Key, C, End, Maker.Next(I, Mean),
                                           1000 + I, Programs[I % 4]);
            if (Bytes.empty() || !Out.Add(Bytes)) return std::printf("build failed\n"), 1;
            End += Bytes.size();
        }
    }
    Row("Build: texts / file size", "%zu / %.1f MB", Texts, double(End) / 1e6);
    Row("Build: time (seal, name, append)", "%.0f ms", Now_Ms() - T);

    T = Now_Ms();
    const History_Opened Opened = Open_History(Read, C);
    const double Unwrapped = Now_Ms() - T;
    const long long Before = Held;
    Most = Held.load();
    const History_Load Load = Load_History(Read, Opened);
    const double Loaded = Now_Ms() - T;
    if (Load.End != History_End::Whole) return std::printf("load failed\n"), 1;
    Row("Load: unwrap / unwrap + index", "%.1f ms / %.0f ms", Unwrapped, Loaded);
    Row("Load: index held / per text", "%.1f MB / %.1f B", double(Held - Before) / 1e6,
        double(Held - Before) / double(Load.Index.Live()));
    Row("Load: most held while loading", "%.1f MB", double(Most - Before) / 1e6);

    History_Index Index = Load.Index;
    Record_Key& Key = *Opened.Key;
    T = Now_Ms();
    const std::vector<History_Entry> Entries = Index.Newest_First();
    Row("Newest_First of the index", "%.0f ms", Now_Ms() - T);
    Win32_Text_Codec Codec;
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
        const double Whole = Now_Ms() - T;
        if (Hits)
            Row("Search, word in 2 % of texts: first batch", "%.1f ms (%zu hits)", First, Hits);
        else
            Row("Search, word nowhere: whole scan", "%.0f ms (%zu texts)", Whole, Scan.Next);
    }
    T = Now_Ms();
    const size_t Found = Decrypt_And_Find(Read, Key, Opened.Header_Size, "qwxzkvj");
    Row("Decrypt every record + find, same file", "%.0f ms (%zu found)", Now_Ms() - T, Found);

    const auto Forget = Append_Record(
        Index, Key, C, End, {History_Kind::Forget, 0, 0, Entries[Entries.size() / 2].Name, {}});
    Fs.Append_File(Path, {Forget}, true);
    T = Now_Ms();
    bool Rewritten = false;
    {
        Writer Out(Fs, New_Path);
        Rewritten = Rewrite_History(Read, Key, Index, SIZE_MAX, Key, C,
                                    [&](std::span<const uint8_t> B) { return Out.Add(B); }) &&
                    Out.Flush();
    }
    Row("Rewrite after forgetting one text", "%.0f ms%s", Now_Ms() - T, Rewritten ? "" : " FAILED");
    Text_Maker Fresh;
    for (const size_t Size : {size_t(14), size_t(4) << 20}) {
        std::vector<double> Seal, Write;
        size_t Over = 0;
        for (int I = 0; I < 7; ++I) {
            std::string Text = Fresh.Next(Texts + size_t(I), Size);
            Text.resize(Size, 'x');
            T = Now_Ms();
            const auto Bytes = Append_Copy(Index, Key, C, End, Text, 9000000 + I, Programs[0]);
            Seal.push_back(Now_Ms() - T);
            Fs.Append_File(Path, {Bytes}, true);
            Write.push_back(Now_Ms() - T);
            End += Bytes.size(), Over = Bytes.size() - Size;
        }
        char What[80];
        std::snprintf(What, sizeof What, "Copy of %zu B: bytes over the text", Size);
        Row(What, "%zu B", Over);
        std::snprintf(What, sizeof What, "Copy of %zu B: Append_Copy / + flushed append", Size);
        Row(What, "%.3f ms / %.3f ms", Median(Seal), Median(Write));
    }

    // A third argument keeps the history there, for a start-up timed with it.
    if (Argc > 3) Fs.Move_File(Path, Argv[3]);
    Fs.Remove_File(Path);
    Fs.Remove_File(New_Path);
    return 0;
}
