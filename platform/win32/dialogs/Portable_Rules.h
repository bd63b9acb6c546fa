#pragma once
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// The few rules of the Win32 views that need no Win32, apart so that they run in the native
// tests too.

// An edit control shows a lone LF as nothing; it needs CR LF to break the line.
inline std::wstring With_Crlf(std::wstring_view Text) {
    std::wstring Out;
    Out.reserve(Text.size());
    for (size_t I = 0; I < Text.size(); ++I) {
        if (Text[I] == L'\n' && (I == 0 || Text[I - 1] != L'\r')) Out += L'\r';
        Out += Text[I];
    }
    return Out;
}

// The printed lines of one string: CR LF and a lone LF end a line, and whatever follows the
// last break is a line of its own, so "" and "a\r\n" print one and two lines.
inline std::vector<std::wstring_view> Print_Lines(std::wstring_view Text) {
    std::vector<std::wstring_view> Lines;
    size_t Start = 0;
    for (;;) {
        const size_t End = Text.find(L'\n', Start);
        size_t Stop = End == std::wstring_view::npos ? Text.size() : End;
        if (End != std::wstring_view::npos && Stop > Start && Text[Stop - 1] == L'\r') --Stop;
        Lines.push_back(Text.substr(Start, Stop - Start));
        if (End == std::wstring_view::npos) return Lines;
        Start = End + 1;
    }
}

// A damaged data file may hold any float as a font size; the system takes 1 to 1638 points.
inline float Usable_Points(float Points) {
    if (!std::isfinite(Points)) return 10;
    return std::clamp(Points, 1.0f, 1638.0f);
}

inline int Points_To_Pixels(float Points, int Dpi) {
    return static_cast<int>(std::lround(static_cast<double>(Usable_Points(Points)) * Dpi / 72.0));
}

// The size a font really has, from its em height in pixels. TrueType metrics are rounded one
// by one, so a miss of one pixel still means the size asked for; a larger gap means the font
// has no such size, and its own size is given in tenths, as the font chooser counts.
inline float Reported_Points(float Requested, int Em_Pixels, int Dpi) {
    const float Asked = Usable_Points(Requested);
    if (Em_Pixels <= 0 || Dpi <= 0 || std::abs(Em_Pixels - Points_To_Pixels(Asked, Dpi)) <= 1)
        return Asked;
    return static_cast<float>(std::round(Em_Pixels * 720.0 / Dpi) / 10.0);
}
