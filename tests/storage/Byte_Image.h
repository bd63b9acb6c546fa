#pragma once
#include "storage/Utilities.h"
#include "tests/doubles/Cp1252_Codec.h"
#include "tests/doubles/Memory_File_System.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

// Builds data file images by hand, field by field, independently of the writer.
struct Image {
    std::vector<uint8_t> Bytes;
    Image& Raw(const std::string& S) {
        Bytes.insert(Bytes.end(), S.begin(), S.end());
        return *this;
    }
    Image& I16(std::initializer_list<int> Values) {
        for (int V : Values)
            Bytes.insert(Bytes.end(), {static_cast<uint8_t>(V), static_cast<uint8_t>(V >> 8)});
        return *this;
    }
    Image& U32(uint32_t V) {
        return I16({static_cast<int>(V & 0xFFFF), static_cast<int>(V >> 16)});
    }
    Image& Str(const std::string& S) { return I16({static_cast<int>(S.size())}).Raw(S); }
    Image& F32(float F) {
        uint32_t Bits;
        std::memcpy(&Bits, &F, 4);
        return U32(Bits);
    }
    // The node array and free stack of a list 0..N-1 in order; every other node free and
    // holding the stale record "old i"; the free stack 70 down to N, then what List_Init
    // left in the unused entries.
    Image& Ordered_List(int N) {
        for (int I = 0; I < 71; ++I) {
            const bool Used = I < N;
            I16({Used && I > 0 ? I - 1 : 9988, Used && I + 1 < N ? I + 1 : 9988, I % 3 ? 0 : -1});
            Str((Used ? "text " : "old ") + std::to_string(I)).Str("tip " + std::to_string(I));
        }
        for (int I = 0; I < 71; ++I)
            I16({70 - I});
        return *this;
    }
};

inline uint32_t Crc_Of(const std::string& S) {
    uint32_t C = 0xFFFFFFFFu;
    for (unsigned char B : S) {
        C ^= B;
        for (int K = 0; K < 8; ++K)
            C = (C & 1) ? 0xEDB88320u ^ (C >> 1) : C >> 1;
    }
    return ~C;
}

// One file of each version ("1.00.50", "1.00.40", "1.00.10", "1.00.00"). The newest holds
// slots 0..4 and a Unicode block giving slot 1 the text "Ωmega"; the two middle ones slots
// 0..3 with settings {100, 200, 3000, 4000, 0, 9, 5, Pos_Top, 0, 0}; the oldest 41 slots, every
// fifth empty, the odd ones locked, those after an empty one described.
inline std::vector<std::vector<uint8_t>> Version_Files() {
    Image V50, V40, V10, V00;
    V50.Raw("1.00.50").I16({-120, 300, 5000, 2000, 1, 2, 0, 2, -1, 0, 0, 4, 4, 65});
    V50.Str("Courier New").F32(10).I16({0, 0, 0, -1}).Str("Times New Roman").F32(14);
    V50.I16({-1, 0, 0}).Ordered_List(5);
    const std::string Wide = "\xCE\xA9mega";
    Image Body;
    Body.I16({1, 1 << 8}).U32(Crc_Of("text 1")).U32(static_cast<uint32_t>(Wide.size())).Raw(Wide);
    const std::string B(Body.Bytes.begin(), Body.Bytes.end());
    V50.Raw("PLFTUTF8").U32(static_cast<uint32_t>(B.size())).Raw(B).U32(Crc_Of(B));

    V40.Raw("1.00.40").I16({100, 200, 3000, 4000, 0, 9, 5, 1101, 0, 0, 0, 3, 3, 66});
    V10.Raw("1.00.10").I16({100, 200, 3000, 4000, 0, 9, 5, 1101, 0, 0, 0, 3, 3, 66});
    V40.Ordered_List(4), V10.Ordered_List(4);

    V00.Raw("1.00.00").I16({10, 20, 3000, 4000, 1, 2, 42});
    for (int I = 0; I < 41; ++I)
        V00.Str(I % 5 ? "slot " + std::to_string(I) : "");
    for (int I = 0; I < 41; ++I)
        V00.I16({I % 2 ? -1 : 0});
    V00.I16({0, 0});
    for (int I = 0; I < 41; ++I)
        V00.Str(I % 5 == 1 ? "d" : "");
    V00.I16({-1});
    return {V50.Bytes, V40.Bytes, V10.Bytes, V00.Bytes};
}

struct Test_Window : Data_Window {
    int State = 0;
    double L = 0, T = 0, W = 4800, H = 3600;
    bool On_Top = false;
    int WindowState() const override { return State; }
    double Left() const override { return L; }
    double Top() const override { return T; }
    double Width() const override { return W; }
    double Height() const override { return H; }
    void Set_Left(double V) override { L = V; }
    void Set_Top(double V) override { T = V; }
    void Set_Width(double V) override { W = V; }
    void Set_Height(double V) override { H = V; }
    double Screen_Width() const override { return 15360; }
    double Screen_Height() const override { return 11520; }
    bool Top_Checked() const override { return On_Top; }
    void Set_Top_Checked(bool V) override { On_Top = V; }
};

// Node indices from Head to Tail, bounded so that a broken chain cannot hang a test.
inline std::vector<int16_t> Chain(const LinkList& L) {
    std::vector<int16_t> Out;
    for (int Idx = L.Head; Idx != Nil_Slot && Out.size() <= Max_Slots; Idx = Node(L, Idx).Next)
        Out.push_back(static_cast<int16_t>(Idx));
    return Out;
}

inline const std::string Data_Path = "C:\\PimLoft\\PimLoft.ini";

// One program run's outside world: the folder, its code page, the window.
struct World {
    Memory_File_System Files;
    Cp1252_Codec Codec;
    Test_Window Win;
    Data_Store Store{Files, Codec, "C:\\PimLoft", "PimLoft"};
    Utilities U;
    LinkList List;

    void Load() { Load_Data(U, List, Win, Store); }
    void Load(const std::vector<uint8_t>& File) {
        Files.Files[Data_Path] = File;
        Load();
    }
    std::string Save() { return Save_Data(U, List, Win, Store); }
    const std::vector<uint8_t>& File() { return Files.Files[Data_Path]; }
};
