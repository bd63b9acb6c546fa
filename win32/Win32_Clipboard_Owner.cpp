#include "win32/Win32_Clipboard_Owner.h"

#include "win32/Unique_Handle.h"
#include "win32/Win32_Text.h"

#include <windows.h>

#include <string_view>

std::string Clipboard_Owner_Program() {
    const HWND Owner = GetClipboardOwner();
    DWORD Pid = 0;
    if (!Owner || !GetWindowThreadProcessId(Owner, &Pid) || Pid == 0) return "";
    // The limited right is granted for most processes of other users and higher integrity too.
    const Unique_Kernel_Handle Process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, Pid));
    if (!Process) return "";
    // Paths may exceed MAX_PATH; 32767 units is the longest Windows has.
    std::wstring Path(MAX_PATH, L'\0');
    for (;;) {
        DWORD Len = static_cast<DWORD>(Path.size());
        if (QueryFullProcessImageNameW(Process.Get(), 0, Path.data(), &Len)) {
            Path.resize(Len);
            break;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || Path.size() >= 32768) return "";
        Path.resize(Path.size() * 2);
    }
    const std::wstring_view Full = Path;
    // npos + 1 is 0: a path without a folder stays whole.
    return To_Utf8(Full.substr(Full.find_last_of(L"\\/") + 1));
}
