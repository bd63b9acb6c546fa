#pragma once
#include <string>
#include <string_view>

// UTF-8 inside the program, UTF-16 at every Win32 call. Invalid sequences become U+FFFD.
std::wstring To_Wide(std::string_view Utf8);
std::string To_Utf8(std::wstring_view Wide);
std::string To_Utf8(const wchar_t* Wide, size_t Length);
