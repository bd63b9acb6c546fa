#pragma once
#include "storage/Data_Store.h"
#include "tests/doubles/Cp1252_Codec.h"
#include "tests/doubles/Fake_Services.h"
#include "tests/doubles/Memory_File_System.h"

#include <bit>
#include <cstdint>
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
    Image& U32(uint32_t V) { return I16({int(V & 0xFFFF), int(V >> 16)}); }
    Image& Str(const std::string& S) { return I16({static_cast<int>(S.size())}).Raw(S); }
    Image& F32(float F) { return U32(std::bit_cast<uint32_t>(F)); }
    // Slots 0..N-1 in order, text "text i"; every other node free with the stale record
    // "old i"; every third locked; the free stack 70 down to N, then the stale rest.
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

inline const std::string Data_Path = "C:\\PimLoft\\PimLoft.ini";

// One program run's outside world: the folder and its code page.
struct World {
    Memory_File_System Files;
    Cp1252_Codec Codec;
    Fake_Trace Log;
    Data_Location Where{Files, Codec, Data_Path, Log};
    Loaded_Data Load(const std::vector<uint8_t>& File) {
        Files.Files[Data_Path] = File;
        return Load_Data(Where);
    }
    std::string Save(const Stored_Data& D) { return Save_Data(D.Util, D.List, Where); }
    std::vector<uint8_t>& File() { return Files.Files[Data_Path]; }
};
