#include "win32/System_Error.h"

#include "win32/Win32_Text.h"

#include <windows.h>

std::string System_Error_Text(unsigned long Code) {
    wchar_t* Buffer = nullptr;
    const DWORD Len = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, Code, 0, reinterpret_cast<wchar_t*>(&Buffer), 0, nullptr);
    std::wstring Text = Len && Buffer ? std::wstring(Buffer, Len) : std::wstring();
    if (Buffer) LocalFree(Buffer);
    while (!Text.empty() && (Text.back() == L'\n' || Text.back() == L'\r' || Text.back() == L' '))
        Text.pop_back();
    if (Text.empty()) return "The system reported error " + std::to_string(Code) + ".";
    return To_Utf8(Text);
}
