#include "win32/Win32_Text.h"

#include <windows.h>

#include <climits>

std::wstring To_Wide(std::string_view Utf8) {
    std::wstring Out;
    if (Utf8.empty() || Utf8.size() > INT_MAX) return Out;
    const int Len = static_cast<int>(Utf8.size());
    const int Need = MultiByteToWideChar(CP_UTF8, 0, Utf8.data(), Len, nullptr, 0);
    if (Need <= 0) return Out;
    Out.resize(static_cast<size_t>(Need));
    MultiByteToWideChar(CP_UTF8, 0, Utf8.data(), Len, Out.data(), Need);
    return Out;
}

std::string To_Utf8(const wchar_t* Wide, size_t Length) {
    std::string Out;
    if (Length == 0 || Length > INT_MAX / 3) return Out;
    const int Len = static_cast<int>(Length);
    const int Need = WideCharToMultiByte(CP_UTF8, 0, Wide, Len, nullptr, 0, nullptr, nullptr);
    if (Need <= 0) return Out;
    Out.resize(static_cast<size_t>(Need));
    WideCharToMultiByte(CP_UTF8, 0, Wide, Len, Out.data(), Need, nullptr, nullptr);
    return Out;
}

std::string To_Utf8(std::wstring_view Wide) {
    return To_Utf8(Wide.data(), Wide.size());
}
