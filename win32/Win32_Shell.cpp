#include "win32/Win32_Shell.h"

#include "win32/Win32_Text.h"

#include <windows.h>

#include <shellapi.h>

namespace {

bool Open(const std::string& Path) {
    if (Path.empty()) return false;
    const HINSTANCE Result =
        ShellExecuteW(nullptr, L"open", To_Wide(Path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // Values up to 32 are error codes, not instance handles.
    return reinterpret_cast<INT_PTR>(Result) > 32;
}

} // namespace

bool Win32_Shell::Open_Document(const std::string& Path) {
    return Open(Path);
}

// Through the shell rather than CreateProcess: the stored path may hold blanks and no quotes.
bool Win32_Shell::Start_Program(const std::string& Path) {
    return Open(Path);
}
