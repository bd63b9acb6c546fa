#pragma once
#include "platform/Text.h"
#include "slots/Utf8.h"

#include <string>
#include <string_view>

// Windows-1252 as the data file's code page. Leaves out best-fit mappings (a character outside
// the code page becomes '?') and case pairs beyond Latin-1, dotless i and long s.
class Cp1252_Codec : public Text_Codec {
  public:
    // Bytes 0x80..0x9F; the five unassigned ones keep their C1 control, as Windows does.
    static constexpr char16_t High[33] = u"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021"
                                         u"\u02C6\u2030\u0160\u2039\u0152\u008D\u017D\u008F"
                                         u"\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014"
                                         u"\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178";
    Code_Page_Text To_Code_Page(std::string_view Utf8, size_t Max_Bytes) const override {
        Code_Page_Text Out;
        for (size_t I = 0, End = 0; I < Utf8.size();) {
            // Runs of ASCII go across whole, as fast as the system's conversion takes them.
            while (End < Utf8.size() && End - I < Max_Bytes - Out.Bytes.size() &&
                   !(Utf8[End] & 0x80))
                ++End;
            Out.Bytes.append(Utf8.substr(I, End - I));
            if ((I = End) == Utf8.size()) break;
            if (Out.Bytes.size() == Max_Bytes) {
                Out.Exact = false;
                break;
            }
            const size_t At = I;
            const char32_t C = Next_Code_Point(Utf8, I);
            int B = C < 0x80 || (C >= 0xA0 && C <= 0xFF) ? int(C) : -1;
            for (int K = 0; K < 32 && B < 0; ++K)
                B = High[K] == C ? 0x80 + K : -1;
            // A stray byte or an overlong sequence has no character.
            const size_t Len = C < 0x80 ? 1 : C < 0x800 ? 2 : C < 0x10000 ? 3 : 4;
            if (B < 0 || I - At != Len) Out.Exact = false, B = '?';
            Out.Bytes.push_back(char(B));
            End = I;
        }
        return Out;
    }
    std::string From_Code_Page(std::string_view Bytes) const override {
        std::string Out;
        for (const char Ch : Bytes) {
            const auto B = static_cast<unsigned char>(Ch);
            const char32_t C = B >= 0x80 && B < 0xA0 ? High[B - 0x80] : B;
            if (C < 0x80) {
                Out += char(C);
            } else if (C < 0x800) {
                Out += {char(0xC0 | C >> 6), char(0x80 | (C & 0x3F))};
            } else {
                Out +=
                    {char(0xE0 | C >> 12), char(0x80 | ((C >> 6) & 0x3F)), char(0x80 | (C & 0x3F))};
            }
        }
        return Out;
    }
    mutable size_t Upper_Calls = 0;
    char32_t Upper_Case(char32_t C) const override {
        ++Upper_Calls;
        if ((C >= U'a' && C <= U'z') || (C >= 0xE0 && C <= 0xFE && C != 0xF7)) return C - 0x20;
        return C == 0xFF ? 0x178 : C == 0x131 ? U'I' : C == 0x17F ? U'S' : C;
    }
};
