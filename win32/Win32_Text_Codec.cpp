#include "win32/Win32_Text_Codec.h"

#include "win32/Win32_Text.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

namespace {

struct Ansi_Result {
    int Bytes = 0;
    bool Used_Default = false;
};

// WC_NO_BEST_FIT_CHARS keeps "exact" honest: without it 'ē' quietly becomes 'e'. A UTF-8
// code page accepts neither the flag nor the used-default pointer.
Ansi_Result To_Ansi(const wchar_t* W, int Len, char* Out, int Room) {
    Ansi_Result R;
    if (Len == 0) return R;
    const UINT Cp = GetACP();
    if (Cp == CP_UTF8) {
        R.Bytes = WideCharToMultiByte(Cp, 0, W, Len, Out, Room, nullptr, nullptr);
        return R;
    }
    BOOL Used = FALSE;
    R.Bytes = WideCharToMultiByte(Cp, WC_NO_BEST_FIT_CHARS, W, Len, Out, Room, nullptr, &Used);
    R.Used_Default = Used != FALSE;
    return R;
}

bool Is_High_Surrogate(wchar_t C) {
    return C >= 0xD800 && C <= 0xDBFF;
}

} // namespace

Code_Page_Text Win32_Text_Codec::To_Code_Page(std::string_view Utf8, size_t Max_Bytes) const {
    Code_Page_Text Out;
    const std::wstring W = To_Wide(Utf8);
    if (W.size() > INT_MAX) return {"", false};
    int Keep = static_cast<int>(W.size());
    Ansi_Result All = To_Ansi(W.data(), Keep, nullptr, 0);
    if (static_cast<size_t>(All.Bytes) > Max_Bytes) {
        // The byte count grows with the prefix, so the longest prefix that fits is found by
        // halving; a surrogate pair is never split.
        int Lo = 0, Hi = Keep; // prefix Lo fits, prefix Hi does not
        while (Hi - Lo > 1) {
            const int Mid = Lo + (Hi - Lo) / 2;
            if (static_cast<size_t>(To_Ansi(W.data(), Mid, nullptr, 0).Bytes) <= Max_Bytes)
                Lo = Mid;
            else
                Hi = Mid;
        }
        if (Lo > 0 && Is_High_Surrogate(W[static_cast<size_t>(Lo - 1)])) --Lo;
        Keep = Lo;
        Out.Exact = false;
    }
    Ansi_Result Size = To_Ansi(W.data(), Keep, nullptr, 0);
    Out.Bytes.resize(static_cast<size_t>(Size.Bytes));
    Ansi_Result Done = To_Ansi(W.data(), Keep, Out.Bytes.data(), Size.Bytes);
    Out.Bytes.resize(static_cast<size_t>(Done.Bytes));
    if (Done.Used_Default || Done.Bytes != Size.Bytes) Out.Exact = false;
    return Out;
}

std::string Win32_Text_Codec::From_Code_Page(std::string_view Bytes) const {
    if (Bytes.empty() || Bytes.size() > INT_MAX) return {};
    const int Len = static_cast<int>(Bytes.size());
    const int Need = MultiByteToWideChar(CP_ACP, 0, Bytes.data(), Len, nullptr, 0);
    if (Need <= 0) return {};
    std::wstring W(static_cast<size_t>(Need), L'\0');
    MultiByteToWideChar(CP_ACP, 0, Bytes.data(), Len, W.data(), Need);
    return To_Utf8(W);
}

char32_t Win32_Text_Codec::Upper_Case(char32_t C) const {
    // Ordinal ignore-case compares UTF-16 units one by one, so characters beyond the BMP keep
    // their case.
    if (C > 0xFFFF) return C;
    if (!Upper_) {
        auto T = std::make_unique<Upper_Table>();
        for (size_t I = 0; I < T->size(); ++I)
            (*T)[I] = static_cast<wchar_t>(I);
        // Two runs around the surrogates; a run is taken only when it maps unit for unit.
        std::vector<wchar_t> Mapped(T->size());
        for (auto [First, Count] : {std::pair{0, 0xD800}, std::pair{0xE000, 0x2000}}) {
            const int Got = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, T->data() + First,
                                          Count, Mapped.data() + First, Count, nullptr, nullptr, 0);
            if (Got == Count) std::copy_n(Mapped.begin() + First, Count, T->begin() + First);
        }
        Upper_ = std::move(T);
    }
    return static_cast<char32_t>(static_cast<uint16_t>((*Upper_)[C]));
}
