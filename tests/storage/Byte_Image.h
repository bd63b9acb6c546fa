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
        for (int V : Values) {
            Bytes.push_back(static_cast<uint8_t>(V & 0xFF));
            Bytes.push_back(static_cast<uint8_t>((V >> 8) & 0xFF));
        }
        return *this;
    }
    Image& Str(const std::string& S) { return I16({static_cast<int>(S.size())}).Raw(S); }
    Image& F32(float F) {
        uint32_t Bits;
        std::memcpy(&Bits, &F, 4);
        for (int K = 0; K < 4; ++K)
            Bytes.push_back(static_cast<uint8_t>(Bits >> (8 * K)));
        return *this;
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

    void Load() {
        U = Utilities{};
        Load_Data(U, List, Win, Store);
    }
    void Load(const std::vector<uint8_t>& File) {
        Files.Files[Data_Path] = File;
        Load();
    }
    std::string Save() { return Save_Data(U, List, Win, Store); }
    const std::vector<uint8_t>& File() { return Files.Files[Data_Path]; }
};
