#pragma once
#include "platform/Text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Windows-1252 as the data file's code page, and a simple upper-case mapping.
// Leaves out: best-fit mappings (a character outside the code page becomes '?'), other code
// pages, and case pairs beyond ASCII, Latin-1, Latin Extended-A, unaccented Greek and basic
// Cyrillic.
class Cp1252_Codec : public Text_Codec {
  public:
    Code_Page_Text To_Code_Page(std::string_view Utf8, size_t Max_Bytes) const override {
        Code_Page_Text Out;
        size_t I = 0;
        while (I < Utf8.size()) {
            // A run of ASCII goes across whole, as fast as the system's conversion takes it.
            const size_t Stop =
                I + std::min(Utf8.size() - I, Max_Bytes - std::min(Max_Bytes, Out.Bytes.size()));
            size_t End = I;
            while (End < Stop && static_cast<uint8_t>(Utf8[End]) < 0x80)
                ++End;
            Out.Bytes.append(Utf8.substr(I, End - I));
            if ((I = End) == Utf8.size()) break;
            if (Out.Bytes.size() >= Max_Bytes) {
                Out.Exact = false;
                break;
            }
            char32_t C = 0;
            if (!Decode(Utf8, I, C)) {
                Out.Bytes.push_back('?');
                Out.Exact = false;
                continue;
            }
            int B = Byte_Of(C);
            if (B < 0) {
                Out.Exact = false;
                B = '?';
            }
            Out.Bytes.push_back(static_cast<char>(B));
        }
        return Out;
    }

    std::string From_Code_Page(std::string_view Bytes) const override {
        std::string Out;
        Out.reserve(Bytes.size());
        for (char Ch : Bytes)
            Encode(Char_Of(static_cast<uint8_t>(Ch)), Out);
        return Out;
    }

    char32_t Upper_Case(char32_t C) const override {
        if (C >= U'a' && C <= U'z') return C - 0x20;
        if (C < 0x80) return C;
        if (C == 0xB5) return 0x39C;
        if (C == 0xFF) return 0x178;
        if (C >= 0xE0 && C <= 0xFE && C != 0xF7) return C - 0x20;
        if (C >= 0x100 && C <= 0x17F) return Upper_Latin_A(C);
        if (C >= 0x3B1 && C <= 0x3CB) return C == 0x3C2 ? 0x3A3 : C - 0x20;
        if (C >= 0x430 && C <= 0x44F) return C - 0x20;
        if (C >= 0x450 && C <= 0x45F) return C - 0x50;
        return C;
    }

    // The characters of bytes 0x80..0x9F; the five unassigned bytes keep their C1 control
    // so that every byte round-trips, as the system's conversion does.
    static constexpr std::array<char32_t, 32> High = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

    static char32_t Char_Of(uint8_t B) {
        return B >= 0x80 && B <= 0x9F ? High[B - 0x80] : static_cast<char32_t>(B);
    }

    static int Byte_Of(char32_t C) {
        if (C < 0x80 || (C >= 0xA0 && C <= 0xFF)) return static_cast<int>(C);
        if (C > 0x2122) return -1; // beyond the highest of them
        for (size_t K = 0; K < High.size(); ++K)
            if (High[K] == C) return static_cast<int>(0x80 + K);
        return -1;
    }

  private:
    static char32_t Upper_Latin_A(char32_t C) {
        if (C == 0x131) return U'I';
        if (C == 0x17F) return U'S';
        if (C == 0x130 || C == 0x138 || C == 0x149 || C == 0x178) return C;
        const bool Odd_Upper = (C >= 0x139 && C <= 0x148) || (C >= 0x179 && C <= 0x17E);
        if (Odd_Upper) return (C % 2 == 0) ? C - 1 : C;
        return (C % 2 == 1) ? C - 1 : C;
    }

    // Strict UTF-8: rejects overlongs, surrogates and values past U+10FFFF; a bad sequence
    // consumes one byte.
    static bool Decode(std::string_view S, size_t& I, char32_t& C) {
        const auto B0 = static_cast<uint8_t>(S[I]);
        size_t Len = B0 < 0x80         ? 1
                     : (B0 >> 5) == 6  ? 2
                     : (B0 >> 4) == 14 ? 3
                     : (B0 >> 3) == 30 ? 4
                                       : 0;
        if (Len == 0 || I + Len > S.size()) {
            ++I;
            return false;
        }
        char32_t V = Len == 1 ? B0 : Len == 2 ? (B0 & 0x1F) : Len == 3 ? (B0 & 0x0F) : (B0 & 0x07);
        for (size_t K = 1; K < Len; ++K) {
            const auto B = static_cast<uint8_t>(S[I + K]);
            if ((B & 0xC0) != 0x80) {
                ++I;
                return false;
            }
            V = (V << 6) | (B & 0x3F);
        }
        static constexpr char32_t Min[] = {0, 0, 0x80, 0x800, 0x10000};
        if (V < Min[Len] || V > 0x10FFFF || (V >= 0xD800 && V <= 0xDFFF)) {
            ++I;
            return false;
        }
        I += Len;
        C = V;
        return true;
    }

    static void Encode(char32_t C, std::string& Out) {
        if (C < 0x80) {
            Out.push_back(static_cast<char>(C));
        } else if (C < 0x800) {
            Out.push_back(static_cast<char>(0xC0 | (C >> 6)));
            Out.push_back(static_cast<char>(0x80 | (C & 0x3F)));
        } else {
            Out.push_back(static_cast<char>(0xE0 | (C >> 12)));
            Out.push_back(static_cast<char>(0x80 | ((C >> 6) & 0x3F)));
            Out.push_back(static_cast<char>(0x80 | (C & 0x3F)));
        }
    }
};
