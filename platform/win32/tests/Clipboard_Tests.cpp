#include "platform/win32/Unique_Handle.h"
#include "platform/win32/Win32_Clipboard.h"
#include "platform/win32/tests/Check.h"

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
    const char* Texts[] = {
        "plain",
        "Line one\r\nLine two\r\n",
        "A & B && \xE2\x80\x94 caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xF0\x9F\x98\x80",
        "  spaces around  ",
    };
    for (const char* T : Texts) {
        CHECK(C, Clip.Write_Text(T));
        const Clip_Read R = Clip.Read_Text();
        CHECK(C, R.Status == Clip_Status::Text);
        CHECK(C, R.Text == T);
    }
}

void Raw_Contents(Check_Count& C, HWND Owner, Win32_Clipboard& Clip) {
    const UINT Exclude = RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
    const UINT Viewer_Ignore = RegisterClipboardFormatW(L"Clipboard Viewer Ignore");
    const UINT History = RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
    const UINT Private = RegisterClipboardFormatW(L"PimLoft.Test.Private");
    const std::vector<BYTE> Secret = Wide_Bytes(L"secret", true);
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
        {"exclusion format", {{CF_UNICODETEXT, Secret}, {Exclude, {}}}, Clip_Status::Excluded, ""},
        {"viewer ignore",
         {{CF_UNICODETEXT, Secret}, {Viewer_Ignore, {0}}},
         Clip_Status::Excluded,
         ""},
        {"history refused",
         {{CF_UNICODETEXT, Secret}, {History, Dword_Bytes(0)}},
         Clip_Status::Excluded,
         ""},
        {"history allowed",
         {{CF_UNICODETEXT, Secret}, {History, Dword_Bytes(1)}},
         Clip_Status::Text,
         "secret"},
        {"no text format", {{Private, {1, 2, 3}}}, Clip_Status::No_Text, ""},
    };
    for (const Case& K : Cases) {
        std::vector<Format_Data> Formats = K.Formats;
        for (auto& F : Formats)
            if (F.Bytes.empty()) F.Bytes.push_back(0);
        CHECK(C, Put_Raw(Owner, Formats));
        const Clip_Read R = Clip.Read_Text();
        if (R.Status != K.Status || R.Text != K.Text)
            std::printf("  case: %s: got %d \"%s\"\n", K.Name, int(R.Status), R.Text.c_str());
        CHECK(C, R.Status == K.Status);
        CHECK(C, R.Text == K.Text);
    }

    // A block without a NUL is read up to its end and no further (Wine ends it with one).
    CHECK(C, Put_Raw(Owner, {{CF_UNICODETEXT, Wide_Bytes(L"abcd", false)}}));
    const Clip_Read Unended = Clip.Read_Text();
    CHECK(C, Unended.Text == "abcd" || Unended.Text == "abc");
}

void Size_Limit(Check_Count& C, HWND Owner, Win32_Clipboard& Clip) {
    // At the limit a text is taken whole; one byte of UTF-8 beyond it, not at all.
    const std::wstring At_Limit(Max_Clip_Bytes, L'x');
    CHECK(C, Put_Raw(Owner, {{CF_UNICODETEXT, Wide_Bytes(At_Limit, true)}}));
    const Clip_Read Whole = Clip.Read_Text();
    CHECK(C, Whole.Status == Clip_Status::Text);
    CHECK(C, Whole.Text.size() == Max_Clip_Bytes);

    // Fewer UTF-16 units than the limit, but two UTF-8 bytes each.
    const std::wstring Wide_Over(Max_Clip_Bytes / 2 + 1, L'\xE9');
    CHECK(C, Put_Raw(Owner, {{CF_UNICODETEXT, Wide_Bytes(Wide_Over, true)}}));
    const Clip_Read Over = Clip.Read_Text();
    CHECK(C, Over.Status == Clip_Status::Too_Large);
    CHECK(C, Over.Text.empty());
}

void Busy_Clipboard(Check_Count& C, Win32_Clipboard& Clip) {
    struct Case {
        DWORD Hold_Ms;
        bool Expect_Open;
    };
    // A short hold is waited out; a long one gives up within the retry budget.
    const Case Cases[] = {{60, true}, {1500, false}};
    for (const Case& K : Cases) {
        Unique_Kernel_Handle Opened(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        Holder_Args Args{K.Hold_Ms, Opened.Get()};
        Unique_Kernel_Handle Thread(CreateThread(nullptr, 0, Hold_Clipboard, &Args, 0, nullptr));
        WaitForSingleObject(Opened.Get(), 5000);
        const DWORD Start = GetTickCount();
        const bool Wrote = Clip.Write_Text("after the wait");
        const DWORD Took = GetTickCount() - Start;
        CHECK(C, Wrote == K.Expect_Open);
        if (!K.Expect_Open) {
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
    Size_Limit(C, Owner, Clip);
    Busy_Clipboard(C, Clip);
    DestroyWindow(Owner);
    return C.Failures;
}
