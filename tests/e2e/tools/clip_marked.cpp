// Puts a text on the clipboard together with one of the markers with which password managers
// ask clipboard monitors not to record it, as such a program would:
//   clip_marked.exe exclude|history0|history1 TEXT
// "exclude" is an empty ExcludeClipboardContentFromMonitorProcessing; "historyN" is
// CanIncludeInClipboardHistory holding the DWORD N (1 allows recording).
// Exit code 0 when the clipboard holds both, 2 on bad arguments, 3 when the clipboard stayed
// busy, 4 when a format could not be set.
#include <windows.h>

#include <cstring>
#include <cwchar>

static bool Put(UINT Format, const void* Data, size_t Size) {
    // A zero-size block is still a valid handle, which is what an empty marker needs.
    HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE, Size ? Size : 1);
    void* P = Block ? GlobalLock(Block) : nullptr;
    if (!P) return false;
    std::memcpy(P, Data, Size);
    GlobalUnlock(Block);
    if (SetClipboardData(Format, Block)) return true; // the clipboard owns it now
    GlobalFree(Block);
    return false;
}

int wmain(int Argc, wchar_t** Argv) {
    if (Argc != 3) return 2;
    const bool Exclude = std::wcscmp(Argv[1], L"exclude") == 0;
    const DWORD Value = std::wcscmp(Argv[1], L"history1") == 0;
    if (!Exclude && !Value && std::wcscmp(Argv[1], L"history0") != 0) return 2;
    // The program under test reads the clipboard on every change; it may hold it a moment.
    bool Opened = false;
    for (int Try = 0; Try < 50 && !(Opened = OpenClipboard(nullptr)); ++Try) Sleep(20);
    if (!Opened) return 3;
    const bool Done =
        EmptyClipboard() &&
        Put(RegisterClipboardFormatW(Exclude ? L"ExcludeClipboardContentFromMonitorProcessing"
                                             : L"CanIncludeInClipboardHistory"),
            &Value, Exclude ? 0 : sizeof Value) &&
        Put(CF_UNICODETEXT, Argv[2], (std::wcslen(Argv[2]) + 1) * sizeof(wchar_t));
    CloseClipboard();
    return Done ? 0 : 4;
}
