#include "win32/Win32_Process_Info.h"

#include "win32/Win32_Text.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

std::wstring Module_Path() {
    std::wstring Path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD Len = GetModuleFileNameW(nullptr, Path.data(), static_cast<DWORD>(Path.size()));
        if (Len == 0) return L"";
        if (Len < Path.size()) {
            Path.resize(Len);
            return Path;
        }
        Path.resize(Path.size() * 2);
    }
}

std::string Version_String(std::vector<BYTE>& Block, WORD Lang, WORD Cp, const wchar_t* Name) {
    wchar_t Query[80];
    swprintf(Query, 80, L"\\StringFileInfo\\%04x%04x\\%ls", Lang, Cp, Name);
    void* Value = nullptr;
    UINT Len = 0;
    if (!VerQueryValueW(Block.data(), Query, &Value, &Len) || !Value || Len == 0) return "";
    const auto* W = static_cast<const wchar_t*>(Value);
    std::wstring_view Text(W, Len);
    if (const auto Nul = Text.find(L'\0'); Nul != std::wstring_view::npos)
        Text = Text.substr(0, Nul);
    return To_Utf8(Text);
}

} // namespace

Win32_Process_Info::Win32_Process_Info() {
    const std::wstring Path = Module_Path();
    const auto Slash = Path.find_last_of(L"\\/");
    Exe_Path_ = To_Utf8(Path);
    Folder_ = To_Utf8(Slash == std::wstring::npos ? std::wstring() : Path.substr(0, Slash));

    // Without a version resource the build's own numbers stand in.
    Major_ = PIMLOFT_VERSION_MAJOR;
    Minor_ = PIMLOFT_VERSION_MINOR;
    Revision_ = PIMLOFT_VERSION_REVISION;

    DWORD Unused = 0;
    const DWORD Size = GetFileVersionInfoSizeW(Path.c_str(), &Unused);
    if (Size == 0) return;
    std::vector<BYTE> Block(Size);
    if (!GetFileVersionInfoW(Path.c_str(), 0, Size, Block.data())) return;

    void* Fixed = nullptr;
    UINT Len = 0;
    if (VerQueryValueW(Block.data(), L"\\", &Fixed, &Len) && Len >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* Info = static_cast<const VS_FIXEDFILEINFO*>(Fixed);
        // The file version is major.minor.0.revision.
        Major_ = HIWORD(Info->dwFileVersionMS);
        Minor_ = LOWORD(Info->dwFileVersionMS);
        Revision_ = LOWORD(Info->dwFileVersionLS);
    }

    WORD Lang = 0x0409, Cp = 1200;
    void* Trans = nullptr;
    if (VerQueryValueW(Block.data(), L"\\VarFileInfo\\Translation", &Trans, &Len) &&
        Len >= 2 * sizeof(WORD)) {
        Lang = static_cast<const WORD*>(Trans)[0];
        Cp = static_cast<const WORD*>(Trans)[1];
    }
    Company_ = Version_String(Block, Lang, Cp, L"CompanyName");
    Description_ = Version_String(Block, Lang, Cp, L"FileDescription");
}
