// Writes one data file of each version, built field by field from the format, as the
// fuzzer's first corpus. Usage: pimloft_fuzz_seeds DIRECTORY
#include "storage/Xxh32.h"
#include "tests/storage/Byte_Image.h"

#include <cstdio>

int main(int Argc, char** Argv) {
    if (Argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", Argv[0]);
        return 2;
    }
    Image V50, V40, V00;
    V50.Raw("1.00.50").I16({-120, 300, 5000, 2000, 1, 2, 0, 2, -1, 0, 0, 4, 4, 65});
    V50.Str("Courier New").F32(10).I16({0, 0, 0, -1}).Str("Times New Roman").F32(14);
    V50.I16({-1, 0, 0}).Ordered_List(5).Raw("PLFTWIDE").I16({1, 1 << 8}).U32(Xxh32("text 1"));
    V50.U32(0).U32(6).U32(Xxh32("\xCE\xA9mega"));
    V50.U32(Xxh32(V50.Bytes.data() + V50.Bytes.size() - 18, 18)).Raw("\xCE\xA9mega");
    V40.Raw("1.00.40").I16({100, 200, 3000, 4000, 0, 9, 5, 1101, 0, 0, 0, 3, 3, 66});
    V40.Ordered_List(4);
    V00.Raw("1.00.00").I16({10, 20, 3000, 4000, 1, 2, 42});
    for (int I = 0; I < 41; ++I)
        V00.Str(I % 5 ? "slot" : "");
    for (int I = 0; I < 41 + 2; ++I)
        V00.I16({I % 2 ? -1 : 0});
    for (int I = 0; I < 41; ++I)
        V00.Str(I % 5 == 1 ? "d" : "");
    V00.I16({-1});
    const Image* Files[] = {&V50, &V40, &V00};
    const char* Names[] = {"v1_00_50.ini", "v1_00_40.ini", "v1_00_00.ini"};
    for (size_t K = 0; K < 3; ++K) {
        std::FILE* Out = std::fopen((std::string(Argv[1]) + "/" + Names[K]).c_str(), "wb");
        if (!Out) return 1;
        const auto& B = Files[K]->Bytes;
        const bool Ok = std::fwrite(B.data(), 1, B.size(), Out) == B.size();
        if (std::fclose(Out) != 0 || !Ok) return 1;
    }
    return 0;
}
