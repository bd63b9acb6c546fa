#include "mainwindow/Visible_Text.h"

#include "slots/Utf8.h"

#include <cstdint>

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

bool Is_Break(char C) {
    return C == '\r' || C == '\n';
}

} // namespace

std::string Visible_Text(const Slot_Text& Text, int Width, int Height, int Line_Height) {
    std::string Out;
    if (Width <= 0 || Height <= 0) return Out;
    if (Line_Height < 1) Line_Height = 1;
    const int Lines = (Height + Line_Height - 1) / Line_Height;
    // Counted in half pixels: a printable ASCII character takes at least a pixel, any other
    // character that takes room at least half of one (shaping and ligatures may fuse two). The
    // 16 px beyond the edge cover overhangs; the cap on characters stops a zero-width run.
    const size_t Room = 2 * (static_cast<size_t>(Width) + 16);
    const size_t Max_Chars = 16 * (2 * static_cast<size_t>(Width) + 16);

    const std::string_view S = Text;
    // The text knows where its first lines end; only a rectangle taller than a row needs more.
    const std::span<const Line_Span> Known = Text.First_Lines();
    size_t Start = 0;
    for (size_t Line = 0; Line < static_cast<size_t>(Lines); ++Line) {
        const size_t Stop = Line < Known.size() ? Known[Line].End : S.size();
        size_t I = Start, Used = 0, Chars = 0;
        for (; I < Stop && Used < Room && Chars < Max_Chars; ++Chars) {
            const auto B = static_cast<uint8_t>(S[I]);
            if (B >= 0x20 && B < 0x7F) { // printable ASCII, the common case
                ++I;
                Used += 2;
            } else if (Is_Break(S[I])) {
                break;
            } else if (!May_Be_Zero_Width(Next_Code_Point(S, I))) {
                ++Used;
            }
        }
        Out.append(S.substr(Start, I - Start));
        if (Line + 1 == static_cast<size_t>(Lines)) break;
        const Line_Span Span = Line < Known.size() ? Known[Line] : Find_Line_End(S, I);
        if (Span.End >= S.size()) break;
        Out.append(S.substr(Span.End, Span.Next - Span.End));
        Start = Span.Next;
    }
    return Out;
}
