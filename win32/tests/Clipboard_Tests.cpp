#include "win32/Unique_Handle.h"
#include "win32/Win32_Clipboard.h"
#include "win32/Win32_Text.h"
#include "win32/tests/Check.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Format_Data {
    UINT Format;
    std::vector<BYTE> Bytes;
};

std::vector<BYTE> Wide_Bytes(const std::wstring& W, bool With_Nul) {
    std::vector<BYTE> B((W.size() + (With_Nul ? 1 : 0)) * sizeof(wchar_t));
    std::memcpy(B.data(), W.c_str(), B.size());
    return B;
}

std::vector<BYTE> Dword_Bytes(DWORD V) {
    std::vector<BYTE> B(sizeof V);
    std::memcpy(B.data(), &V, sizeof V);
    return B;
}

// Puts exactly these formats on the clipboard, as another program would.
bool Put_Raw(HWND Owner, const std::vector<Format_Data>& Formats) {
    Clipboard_Guard Guard(OpenClipboard(Owner) != FALSE);
    if (!Guard || !EmptyClipboard()) return false;
    for (const Format_Data& F : Formats) {
        Unique_Global Block(GlobalAlloc(GMEM_MOVEABLE, F.Bytes.size()));
        if (!Block) return false;
        std::memcpy(GlobalLock(Block.Get()), F.Bytes.data(), F.Bytes.size());
        GlobalUnlock(Block.Get());
        if (!SetClipboardData(F.Format, Block.Get())) return false;
        Block.Release();
    }
    return true;
}

struct Holder_Args {
    DWORD Hold_Ms;
    HANDLE Opened;
};

// Another program holding the clipboard open for a while.
DWORD WINAPI Hold_Clipboard(void* P) {
    auto* Args = static_cast<Holder_Args*>(P);
    HWND W = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                             nullptr);
    OpenClipboard(W);
    SetEvent(Args->Opened);
    Sleep(Args->Hold_Ms);
    CloseClipboard();
    DestroyWindow(W);
    return 0;
}

void Round_Trips(Check_Count& C, Win32_Clipboard& Clip) {
    for (const char* T :
         {"  Line one\r\nLine two\r\n",
          "A && \xE2\x80\x94 caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80"}) {
        CHECK(C, Clip.Write_Text(T));
        const Clip_Read R = Clip.Read_Text();
        CHECK(C, R.Status == Clip_Status::Text && R.Text == T);
    }
}

void Raw_Contents(Check_Count& C, HWND Owner, Win32_Clipboard& Clip) {
    const UINT Exclude = RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
    const UINT Viewer_Ignore = RegisterClipboardFormatW(L"Clipboard Viewer Ignore");
    const UINT History = RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
    const UINT Private = RegisterClipboardFormatW(L"PimLoft.Test.Private");
    const std::vector<BYTE> Secret = Wide_Bytes(L"secret", true);
    const std::wstring Limit(Max_Clip_Bytes, L'x'), Over(Max_Clip_Bytes / 2 + 1, L'\xE9');
    struct Case {
        const char* Name;
        std::vector<Format_Data> Formats;
        Clip_Status Status;
        std::string Text;
    };
    const Case Cases[] = {
        {"cut at the first NUL",
         {{CF_UNICODETEXT, Wide_Bytes(std::wstring(L"abc\0def", 7), true)}},
         Clip_Status::Text,
         "abc"},
        // clang-format off
        {"exclusion format", {{CF_UNICODETEXT, Secret}, {Exclude, {0}}}, Clip_Status::Excluded, ""},
        {"viewer ignore", {{CF_UNICODETEXT, Secret}, {Viewer_Ignore, {0}}}, Clip_Status::Excluded, ""},
        {"history refused", {{CF_UNICODETEXT, Secret}, {History, Dword_Bytes(0)}}, Clip_Status::Excluded, ""},
        {"history allowed", {{CF_UNICODETEXT, Secret}, {History, Dword_Bytes(1)}}, Clip_Status::Text, "secret"},
        // clang-format on
        {"no text format", {{Private, {1, 2, 3}}}, Clip_Status::No_Text, ""},
        {"at the size limit",
         {{CF_UNICODETEXT, Wide_Bytes(Limit, true)}},
         Clip_Status::Text,
         To_Utf8(Limit)},
        // fewer UTF-16 units than the limit, but two UTF-8 bytes each
        {"over the limit in UTF-8",
         {{CF_UNICODETEXT, Wide_Bytes(Over, true)}},
         Clip_Status::Too_Large,
         ""},
    };
    for (const Case& K : Cases) {
        CHECK(C, Put_Raw(Owner, K.Formats));
        const Clip_Read R = Clip.Read_Text();
        if (R.Status != K.Status || R.Text != K.Text)
            std::printf("  case: %s: got %d\n", K.Name, int(R.Status));
        CHECK(C, R.Status == K.Status && R.Text == K.Text);
    }

    // A block without a NUL is read up to its end and no further (Wine ends it with one).
    CHECK(C, Put_Raw(Owner, {{CF_UNICODETEXT, Wide_Bytes(L"abcd", false)}}));
    const Clip_Read Unended = Clip.Read_Text();
    CHECK(C, Unended.Text == "abcd" || Unended.Text == "abc");
}

void Busy_Clipboard(Check_Count& C, Win32_Clipboard& Clip) {
    // A short hold is waited out; a long one gives up within the retry budget.
    for (const DWORD Hold_Ms : {DWORD(60), DWORD(1500)}) {
        const bool Expect_Open = Hold_Ms < 100;
        Unique_Kernel_Handle Opened(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        Holder_Args Args{Hold_Ms, Opened.Get()};
        Unique_Kernel_Handle Thread(CreateThread(nullptr, 0, Hold_Clipboard, &Args, 0, nullptr));
        WaitForSingleObject(Opened.Get(), 5000);
        const DWORD Start = GetTickCount();
        const bool Wrote = Clip.Write_Text("after the wait");
        const DWORD Took = GetTickCount() - Start;
        CHECK(C, Wrote == Expect_Open);
        if (!Expect_Open) {
            CHECK(C, Took >= 150 && Took < 600);
            CHECK(C, Clip.Read_Text().Status == Clip_Status::Busy);
        }
        WaitForSingleObject(Thread.Get(), 5000);
    }
}

} // namespace

int Clipboard_Tests() {
    Check_Count C;
    HWND Owner = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 nullptr, nullptr);
    Win32_Clipboard Clip(Owner);
    Round_Trips(C, Clip);
    Raw_Contents(C, Owner, Clip);
    Busy_Clipboard(C, Clip);
    DestroyWindow(Owner);
    return C.Failures;
}
