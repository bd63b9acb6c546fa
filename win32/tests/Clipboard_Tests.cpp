#include "win32/Unique_Handle.h"
#include "win32/Win32_Clipboard.h"
#include "win32/Win32_Text.h"
#include "win32/tests/Check.h"

#include <cstring>
#include <vector>

namespace {

using Formats = std::vector<std::pair<UINT, std::vector<BYTE>>>;

std::vector<BYTE> Bytes(const void* P, size_t N) {
    return {static_cast<const BYTE*>(P), static_cast<const BYTE*>(P) + N};
}

std::vector<BYTE> Wide(const std::wstring& W) {
    return Bytes(W.c_str(), (W.size() + 1) * sizeof(wchar_t));
}

// Puts exactly these formats on the clipboard, as another program would.
bool Put_Raw(HWND Owner, const Formats& Put) {
    Clipboard_Guard Guard(OpenClipboard(Owner) != FALSE);
    if (!Guard || !EmptyClipboard()) return false;
    for (const auto& [Format, Data] : Put) {
        Unique_Global Block(GlobalAlloc(GMEM_MOVEABLE, Data.size()));
        std::memcpy(GlobalLock(Block.Get()), Data.data(), Data.size());
        GlobalUnlock(Block.Get());
        if (!SetClipboardData(Format, Block.Release())) return false;
    }
    return true;
}

} // namespace

int Clipboard_Tests() {
    Check_Count C;
    const HWND Owner = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE,
                                       nullptr, nullptr, nullptr);
    Win32_Clipboard Clip(Owner);
    // The sequence moves with our own write and with another program's: the logic tells its
    // own writes apart by it.
    const char* Text = "  Line one\r\nA && \xE2\x80\x94 caf\xC3\xA9 \xF0\x9F\x98\x80";
    const uint32_t Before = Clip.Sequence();
    CHECK(C, Clip.Write_Text(Text));
    const uint32_t Ours = Clip.Sequence();
    const Clip_Read Back = Clip.Read_Text();
    CHECK(C, Back.Status == Clip_Status::Text && Back.Text == Text);
    CHECK(C, Put_Raw(Owner, {{CF_UNICODETEXT, Wide(L"theirs")}}));
    CHECK(C, Ours != Before && Clip.Sequence() != Ours);

    const DWORD No = 0, Yes = 1;
    const auto Secret = Wide(L"secret");
    const std::wstring Limit(Max_Clip_Bytes, L'x'), Over(Max_Clip_Bytes / 2 + 1, L'\xE9');
    const struct {
        Formats Put;
        Clip_Status Status;
        std::string Text;
    } Cases[] = {
        {{{CF_UNICODETEXT, Wide(std::wstring(L"abc\0def", 7))}}, Clip_Status::Text, "abc"},
        {{{CF_UNICODETEXT, Secret},
          {RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"), {0}}},
         Clip_Status::Excluded, ""},
        {{{CF_UNICODETEXT, Secret}, {RegisterClipboardFormatW(L"Clipboard Viewer Ignore"), {0}}},
         Clip_Status::Excluded, ""},
        {{{CF_UNICODETEXT, Secret},
          {RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"), Bytes(&No, 4)}},
         Clip_Status::Excluded, ""},
        {{{CF_UNICODETEXT, Secret},
          {RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"), Bytes(&Yes, 4)}},
         Clip_Status::Text, "secret"},
        {{{RegisterClipboardFormatW(L"PimLoft.Test.Private"), {1, 2, 3}}}, Clip_Status::No_Text, ""},
        {{{CF_UNICODETEXT, Wide(Limit)}}, Clip_Status::Text, To_Utf8(Limit)},
        // fewer UTF-16 units than the limit, but two UTF-8 bytes each
        {{{CF_UNICODETEXT, Wide(Over)}}, Clip_Status::Too_Large, ""},
    };
    for (const auto& K : Cases) {
        CHECK(C, Put_Raw(Owner, K.Put));
        const Clip_Read R = Clip.Read_Text();
        CHECK(C, R.Status == K.Status && R.Text == K.Text);
    }
    DestroyWindow(Owner);
    return C.Failures;
}
