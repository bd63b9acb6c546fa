// Writes one data file of each version, built field by field from the format, as the
// fuzzer's first corpus. Usage: pimloft_fuzz_seeds DIRECTORY
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Image {
    std::vector<uint8_t> Bytes;
    void Raw(const std::string& S) { Bytes.insert(Bytes.end(), S.begin(), S.end()); }
    void I16(int V) {
        Bytes.push_back(static_cast<uint8_t>(V & 0xFF));
        Bytes.push_back(static_cast<uint8_t>((V >> 8) & 0xFF));
    }
    void U32(uint32_t V) {
        for (int K = 0; K < 4; ++K)
            Bytes.push_back(static_cast<uint8_t>(V >> (8 * K)));
    }
    void F32(float F) {
        uint32_t Bits;
        std::memcpy(&Bits, &F, 4);
        U32(Bits);
    }
    void Str(const std::string& S) {
        I16(static_cast<int>(S.size()));
        Raw(S);
    }
    // Slots 0..N-1 in order, the rest free with stale records, free stack 70 down to N.
    void List(int N) {
        for (int I = 0; I < 71; ++I) {
            const bool Used = I < N;
            I16(Used && I > 0 ? I - 1 : 9988);
            I16(Used && I + 1 < N ? I + 1 : 9988);
            I16(I % 3 ? 0 : -1);
            Str(I == 1 ? "?mega" : (Used ? "text " : "old ") + std::to_string(I));
            Str(I % 4 ? "" : "tip");
        }
        for (int I = 0; I < 71; ++I)
            I16(70 - I);
    }
};

uint32_t Crc32(const std::string& S) {
    uint32_t C = 0xFFFFFFFFu;
    for (unsigned char B : S) {
        C ^= B;
        for (int K = 0; K < 8; ++K)
            C = (C & 1) ? 0xEDB88320u ^ (C >> 1) : C >> 1;
    }
    return ~C;
}

// Slot 1's text whole in UTF-8, tied to its 8-bit field "?mega".
void Unicode_Block(Image& F) {
    const std::string Text = "\xCE\xA9mega";
    Image Body;
    Body.I16(1);
    Body.Bytes.push_back(0);
    Body.Bytes.push_back(1);
    Body.U32(Crc32("?mega"));
    Body.U32(static_cast<uint32_t>(Text.size()));
    Body.Raw(Text);
    const std::string B(Body.Bytes.begin(), Body.Bytes.end());
    F.Raw("PLFTUTF8");
    F.U32(static_cast<uint32_t>(B.size()));
    F.Raw(B);
    F.U32(Crc32(B));
}

bool Save(const std::string& Path, const Image& F) {
    std::FILE* Out = std::fopen(Path.c_str(), "wb");
    if (!Out) return false;
    const bool Ok = std::fwrite(F.Bytes.data(), 1, F.Bytes.size(), Out) == F.Bytes.size();
    return std::fclose(Out) == 0 && Ok;
}

} // namespace

int main(int Argc, char** Argv) {
    if (Argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", Argv[0]);
        return 2;
    }
    const std::string Dir = std::string(Argv[1]) + "/";
    Image V50, V40, V10, V00;

    V50.Raw("1.00.50");
    for (int V : {-120, 300, 5000, 2000, 1, 2, 0, 2, -1, 0, 0, 4, 4, 65})
        V50.I16(V);
    V50.Str("Courier New");
    V50.F32(10);
    for (int V : {0, 0, 0, -1})
        V50.I16(V);
    V50.Str("Times New Roman");
    V50.F32(14);
    for (int V : {-1, 0, 0})
        V50.I16(V);
    V50.List(5);
    Unicode_Block(V50);

    for (auto [F, Version] : {std::pair{&V40, "1.00.40"}, std::pair{&V10, "1.00.10"}}) {
        F->Raw(Version);
        for (int V : {100, 200, 3000, 4000, 0, 9, 5, 1101, 0, -1, 0, 2, 2, 67})
            F->I16(V);
        F->List(3);
    }

    V00.Raw("1.00.00");
    for (int V : {10, 20, 3000, 4000, 0, 0, 0})
        V00.I16(V);
    for (int I = 0; I < 41; ++I)
        V00.Str(I % 5 ? "slot " + std::to_string(I) : "");
    for (int I = 0; I < 41; ++I)
        V00.I16(I % 2 ? -1 : 0);
    V00.I16(0);
    V00.I16(0);
    for (int I = 0; I < 41; ++I)
        V00.Str(I % 7 ? "" : "d");
    V00.I16(-1);

    const bool Ok = Save(Dir + "v1_00_50.ini", V50) && Save(Dir + "v1_00_40.ini", V40) &&
                    Save(Dir + "v1_00_10.ini", V10) && Save(Dir + "v1_00_00.ini", V00);
    return Ok ? 0 : 1;
}
