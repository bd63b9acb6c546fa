// Save and load of a full list against a plain write and read of as many bytes through the
// same file, so the table shows what the format costs beyond the I/O. Writes are not flushed
// to the disk, which would hide that cost.
#include "platform/FileSystem.h"
#include "storage/Utilities.h"
#include "tests/doubles/Cp1252_Codec.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

struct Posix_File_System : File_System {
    File_Read Read_File(const std::string& Path, size_t) const override {
        std::FILE* F = std::fopen(Path.c_str(), "rb");
        if (!F) return {Read_Status::Missing, {}, Path};
        File_Read R{Read_Status::Ok, std::vector<uint8_t>(std::filesystem::file_size(Path)), ""};
        if (std::fread(R.Bytes.data(), 1, R.Bytes.size(), F) != R.Bytes.size()) std::abort();
        std::fclose(F);
        return R;
    }
    using File_System::Write_New_File;
    std::string Write_New_File(const std::string& Path, const Byte_Pieces& Pieces) override {
        std::FILE* F = std::fopen(Path.c_str(), "wb");
        for (const auto& P : Pieces)
            if (std::fwrite(P.data(), 1, P.size(), F) != P.size()) std::abort();
        return std::fclose(F) == 0 ? "" : Path;
    }
    Replace_Result Replace_File(const std::string& Source, const std::string& Target) override {
        return {Move_File(Source, Target), true};
    }
    std::string Move_File(const std::string& S, const std::string& T) override {
        return std::rename(S.c_str(), T.c_str()) == 0 ? "" : T;
    }
    void Remove_File(const std::string& Path) override { std::remove(Path.c_str()); }
    bool File_Exists(const std::string& Path) const override {
        return std::filesystem::exists(Path);
    }
    void Pause(int) override {}
    Local_Time Now() const override { return {}; }
};

// 71 slots of Size bytes each, lines of ASCII or of mixed scripts.
struct Setup {
    Posix_File_System Files;
    Cp1252_Codec Codec;
    Data_Location Where{Files, Codec,
                        (std::filesystem::temp_directory_path() / "pimloft-bench.ini").string()};
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
        Plain.assign(Files.Read_File(Where.Data_File, 0).Bytes.size(), 'x');
    }
    ~Setup() { Files.Remove_File(Where.Data_File); }
};

void Run(benchmark::State& State, bool Ascii, int What) {
    Setup S(static_cast<size_t>(State.range(0)), Ascii);
    for (auto _ : State) {
        if (What == 0) benchmark::DoNotOptimize(Save_Data(S.Data.Util, S.Data.List, S.Where));
        if (What == 1) benchmark::DoNotOptimize(Load_Data(S.Where));
        if (What == 2) benchmark::DoNotOptimize(S.Files.Write_New_File(S.Where.Data_File, S.Plain));
        if (What == 3) benchmark::DoNotOptimize(S.Files.Read_File(S.Where.Data_File, 0));
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
