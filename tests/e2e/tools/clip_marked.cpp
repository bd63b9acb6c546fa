// Puts a text on the clipboard together with one of the markers with which password managers
// ask clipboard monitors not to record it, as such a program would.
//
//   clip_marked.exe exclude TEXT   "ExcludeClipboardContentFromMonitorProcessing" (empty)
//   clip_marked.exe history0 TEXT  "CanIncludeInClipboardHistory" holding DWORD 0
//   clip_marked.exe history1 TEXT  "CanIncludeInClipboardHistory" holding DWORD 1 (allowed)
//
// Exit code 0 when the clipboard holds both, 2 on bad arguments, 3 when the clipboard stayed
// busy, 4 when a format could not be set.
#include "win32/Unique_Handle.h"

#include <shellapi.h>

#include <cstring>
#include <cwchar>
#include <string>

namespace {

struct Local_Traits {
    using Handle = LPWSTR*;
    static constexpr LPWSTR* Invalid() { return nullptr; }
    static void Close(LPWSTR* H) { LocalFree(H); }
};

struct Marker {
    const wchar_t* Mode;
    const wchar_t* Format;
    bool Has_Value;
    DWORD Value;
};

constexpr Marker Markers[] = {
    {L"exclude", L"ExcludeClipboardContentFromMonitorProcessing", false, 0},
    {L"history0", L"CanIncludeInClipboardHistory", true, 0},
    {L"history1", L"CanIncludeInClipboardHistory", true, 1},
};

Unique_Global Make_Block(const void* Data, size_t Size) {
    // A zero-size block is still a valid handle, which is what an empty marker needs.
    Unique_Global Block(GlobalAlloc(GMEM_MOVEABLE, Size ? Size : 1));
    if (!Block || Size == 0) return Block;
    void* P = GlobalLock(Block.Get());
    if (!P) return Unique_Global();
    std::memcpy(P, Data, Size);
    GlobalUnlock(Block.Get());
    return Block;
}

bool Put(UINT Format, Unique_Global Block) {
    if (!Block || !SetClipboardData(Format, Block.Get())) return false;
    Block.Release(); // the clipboard owns it now
    return true;
}

int Run(const Marker& M, const std::wstring& Text) {
    const UINT Format = RegisterClipboardFormatW(M.Format);
    if (!Format) return 4;
    // The program under test reads the clipboard on every change; it may hold it a moment.
    bool Opened = false;
    for (int Try = 0; Try < 50 && !Opened; ++Try) {
        Opened = OpenClipboard(nullptr) != FALSE;
        if (!Opened) Sleep(20);
    }
    Clipboard_Guard Guard(Opened);
    if (!Guard) return 3;
    if (!EmptyClipboard()) return 4;
    const bool Marked = Put(Format, Make_Block(&M.Value, M.Has_Value ? sizeof M.Value : 0));
    const bool Texted =
        Put(CF_UNICODETEXT, Make_Block(Text.c_str(), (Text.size() + 1) * sizeof(wchar_t)));
    return Marked && Texted ? 0 : 4;
}

} // namespace

int main() {
    int Argc = 0;
    Unique_Handle<Local_Traits> Argv(CommandLineToArgvW(GetCommandLineW(), &Argc));
    if (!Argv || Argc != 3) return 2;
    for (const Marker& M : Markers)
        if (std::wcscmp(Argv.Get()[1], M.Mode) == 0) return Run(M, Argv.Get()[2]);
    return 2;
}
