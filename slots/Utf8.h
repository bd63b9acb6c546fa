#pragma once
#include <cstddef>
#include <string_view>

// Decodes the character at I and moves I past it. Lenient: a byte that starts no complete,
// valid sequence stands for itself, so any bytes can be compared and measured.
inline char32_t Next_Code_Point(std::string_view S, size_t& I) {
    const auto B0 = static_cast<unsigned char>(S[I]);
    const int Len = B0 < 0x80         ? 1
                    : (B0 >> 5) == 6  ? 2
                    : (B0 >> 4) == 14 ? 3
                    : (B0 >> 3) == 30 ? 4
                                      : 0;
    if (Len <= 1 || I + static_cast<size_t>(Len) > S.size()) {
        ++I;
        return B0;
    }
    char32_t C = B0 & (0x7F >> Len);
    for (int K = 1; K < Len; ++K) {
        const auto B = static_cast<unsigned char>(S[I + static_cast<size_t>(K)]);
        if ((B & 0xC0) != 0x80) {
            ++I;
            return B0;
        }
        C = (C << 6) | (B & 0x3F);
    }
    I += static_cast<size_t>(Len);
    return C;
}

inline bool Is_Continuation_Byte(unsigned char B) {
    return (B & 0xC0) == 0x80;
}

// At most Max characters of S, never part of one.
inline std::string_view Cut_Chars(std::string_view S, size_t Max) {
    size_t At = 0;
    for (size_t N = 0; At < S.size() && N < Max; ++N)
        Next_Code_Point(S, At);
    return S.substr(0, At);
}

// At most Max bytes of S, never part of a character.
inline std::string_view Cut_Bytes(std::string_view S, size_t Max) {
    if (S.size() <= Max) return S;
    while (Max > 0 && Is_Continuation_Byte(static_cast<unsigned char>(S[Max])))
        --Max;
    return S.substr(0, Max);
}
