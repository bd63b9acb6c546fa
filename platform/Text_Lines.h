#pragma once
#include <string>
#include <string_view>
#include <vector>

// How the window system's text services break lines; the Win32 views and their tests share it.

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
