#include "mainwindow/Visible_Text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// Characters that may take no room of their own: controls, combining marks, joiners,
// variation selectors, conjoining jamo, emoji modifiers and tags.
bool May_Be_Zero_Width(char32_t C) {
    struct Range {
        char32_t First, Last;
    };
    static constexpr Range Ranges[] = {
        {0x00, 0x1F},     {0x7F, 0x9F},     {0x0300, 0x036F},   {0x0483, 0x0489},
        {0x0591, 0x05C7}, {0x0610, 0x061A}, {0x064B, 0x065F},   {0x0670, 0x0670},
        {0x06D6, 0x06ED}, {0x0900, 0x0DFF}, {0x0E31, 0x0E3A},   {0x0E47, 0x0E4E},
        {0x0EB1, 0x0EBC}, {0x0EC8, 0x0ECD}, {0x0F18, 0x0FBC},   {0x1100, 0x11FF},
        {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF}, {0x200B, 0x200F},   {0x202A, 0x202E},
        {0x2060, 0x206F}, {0x20D0, 0x20FF}, {0x3099, 0x309A},   {0xFE00, 0xFE0F},
        {0xFE20, 0xFE2F}, {0xFEFF, 0xFEFF}, {0x1F3FB, 0x1F3FF}, {0xE0000, 0xE01EF},
    };
    for (const Range& R : Ranges)
        if (C >= R.First && C <= R.Last) return true;
    return false;
}

// Decodes one character and moves I past it; a stray byte counts as one character.
char32_t Next_Char(std::string_view S, size_t& I) {
    const auto B0 = static_cast<uint8_t>(S[I++]);
    if (B0 < 0xC0) return B0;
    const int More = B0 >= 0xF0 ? 3 : B0 >= 0xE0 ? 2 : 1;
    char32_t C = B0 & (0x3F >> More);
    for (int K = 0; K < More && I < S.size(); ++K) {
        const auto B = static_cast<uint8_t>(S[I]);
        if ((B & 0xC0) != 0x80) break;
        C = (C << 6) | (B & 0x3F);
        ++I;
    }
    return C;
}

// Position of the first CR or LF at or after From, or the text's size. Cache-sized chunks so
// that both searches read each byte from memory once.
size_t Find_Break(std::string_view S, size_t From) {
    constexpr size_t Chunk = 16 * 1024;
    const char* Base = S.data();
    for (size_t At = From; At < S.size(); At += Chunk) {
        const size_t Len = std::min(Chunk, S.size() - At);
        const void* Lf = std::memchr(Base + At, '\n', Len);
        const size_t Cr_Len =
            Lf ? static_cast<size_t>(static_cast<const char*>(Lf) - (Base + At)) : Len;
        const void* Cr = std::memchr(Base + At, '\r', Cr_Len);
        if (Cr) return static_cast<size_t>(static_cast<const char*>(Cr) - Base);
        if (Lf) return static_cast<size_t>(static_cast<const char*>(Lf) - Base);
    }
    return S.size();
}

bool Is_Break(char C) {
    return C == '\r' || C == '\n';
}

} // namespace

std::string Visible_Text(std::string_view Text, int Width, int Height, int Line_Height) {
    std::string Out;
    if (Width <= 0 || Height <= 0) return Out;
    if (Line_Height < 1) Line_Height = 1;
    const int Lines = (Height + Line_Height - 1) / Line_Height;
    // Every character that takes room takes at least a pixel; twice the width leaves room for
    // ligatures, and the overall cap stops a run of zero-width characters.
    const size_t Max_Spacing = 2 * static_cast<size_t>(Width) + 16;
    const size_t Max_Chars = 16 * Max_Spacing;

    size_t I = 0;
    for (int Line = 0; Line < Lines && I <= Text.size(); ++Line) {
        const size_t Start = I;
        size_t Spacing = 0, Chars = 0;
        while (I < Text.size() && !Is_Break(Text[I]) && Spacing < Max_Spacing &&
               Chars < Max_Chars) {
            const auto B = static_cast<uint8_t>(Text[I]);
            if (B >= 0x20 && B < 0x7F) { // printable ASCII, the common case
                ++I;
                ++Spacing;
            } else if (!May_Be_Zero_Width(Next_Char(Text, I))) {
                ++Spacing;
            }
            ++Chars;
        }
        Out.append(Text.substr(Start, I - Start));
        if (Line + 1 == Lines) break;
        I = Find_Break(Text, I);
        if (I >= Text.size()) break;
        // CR LF and LF CR end one line; two equal breaks end two.
        const size_t Break_Start = I++;
        if (I < Text.size() && Is_Break(Text[I]) && Text[I] != Text[Break_Start]) ++I;
        Out.append(Text.substr(Break_Start, I - Break_Start));
    }
    return Out;
}
