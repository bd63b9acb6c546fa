#include "resources/Pictures.h"
#include "win32/Win32_Clipboard.h"
#include "win32/Win32_File_System.h"
#include "win32/Win32_Popup_Menu.h"
#include "win32/Win32_Surface.h"
#include "win32/Win32_Text.h"
#include "win32/Win32_Text_Codec.h"
#include "win32/tests/Check.h"

#include <array>
#include <cstring>
#include <functional>

namespace {

using Formats = std::vector<std::pair<UINT, std::vector<BYTE>>>;

std::vector<BYTE> Wide(const std::wstring& W) {
    const auto* P = reinterpret_cast<const BYTE*>(W.c_str());
    return {P, P + (W.size() + 1) * sizeof(wchar_t)};
}

// Puts exactly these formats on the clipboard, as another program would.
bool Put_Raw(HWND Owner, const Formats& Put) {
    Clipboard_Guard Guard(OpenClipboard(Owner) != FALSE);
    bool Done = Guard && EmptyClipboard();
    for (const auto& [Format, Data] : Put) {
        const HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE, Data.size());
        std::memcpy(GlobalLock(Block), Data.data(), Data.size());
        GlobalUnlock(Block);
        Done = Done && SetClipboardData(Format, Block);
    }
    return Done;
}

void Clipboard_Tests(Check_Count& C) {
    const HWND Owner = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       nullptr, nullptr);
    Win32_Clipboard Clip(Owner);
    // The sequence moves with our own write and with another program's: the logic tells its
    // own writes apart by it.
    const char* Text = "  Line one\r\nA && \xE2\x80\x94 caf\xC3\xA9 \xF0\x9F\x98\x80";
    const uint32_t Before = Clip.Sequence();
    CHECK(C, Clip.Write_Text(Text) && Clip.Read_Text().Text == Text);
    const uint32_t Ours = Clip.Sequence();
    CHECK(C, Put_Raw(Owner, {{CF_UNICODETEXT, Wide(L"theirs")}}));
    CHECK(C, Ours != Before && Clip.Sequence() != Ours);

    const UINT Exclude = RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
    const UINT Ignore = RegisterClipboardFormatW(L"Clipboard Viewer Ignore");
    const UINT History = RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
    const auto Secret = Wide(L"secret");
    const std::wstring Limit(Max_Clip_Bytes, L'x'), Over(Max_Clip_Bytes / 2 + 1, L'\xE9');
    const struct {
        Formats Put;
        Clip_Status Status;
        std::string Text;
    } Cases[] = {
        {{{CF_UNICODETEXT, Wide(std::wstring(L"abc\0def", 7))}}, Clip_Status::Text, "abc"},
        {{{CF_UNICODETEXT, Secret}, {Exclude, {0}}}, Clip_Status::Excluded, ""},
        {{{CF_UNICODETEXT, Secret}, {Ignore, {0}}}, Clip_Status::Excluded, ""},
        {{{CF_UNICODETEXT, Secret}, {History, {0, 0, 0, 0}}}, Clip_Status::Excluded, ""},
        {{{History, {1, 0, 0, 0}}}, Clip_Status::No_Text, ""},
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
}

void File_System_Tests(Check_Count& C) {
    Win32_File_System Fs;
    wchar_t Base[MAX_PATH];
    GetTempPathW(MAX_PATH, Base);
    const std::string Dir = To_Utf8(Base), Target = Dir + "PimLoft \xC3\xA9\xE6\x97\xA5.ini";
    const std::string Temp = Target + ".new";
    Fs.Remove_File(Target);
    // The save's two steps: first with no old file, then over one.
    const std::vector<uint8_t> Saves[] = {{1, 2, 3, 0, 255}, std::vector<uint8_t>(3 << 20, 7)};
    for (const auto& Bytes : Saves) {
        CHECK(C, Fs.Write_New_File(Temp, Bytes).empty() &&
                     Fs.Replace_File(Temp, Target).Error.empty());
        CHECK(C, !Fs.File_Exists(Temp) && Fs.Read_File(Target, 8 << 20).Bytes == Bytes);
    }
    // A failure names the file and gives the system's reason; the old file stays whole.
    const std::string Nowhere = Dir + "no such folder\\PimLoft.ini";
    const std::string Error = Fs.Write_New_File(Nowhere, std::vector<uint8_t>{1});
    CHECK(C, Error.find(Nowhere) == 0 && Error.size() > Nowhere.size() + 2);
    const Replace_Result Failed = Fs.Replace_File(Dir + "absent.new", Target);
    CHECK(C, !Failed.Error.empty() && Failed.Target_Kept);
    CHECK(C, Fs.Read_File(Target, 8 << 20).Bytes == Saves[1]);
    // A file another program holds is busy, worth another try; one over the limit is refused.
    CHECK(C, Fs.Read_File(Target, 1 << 20).Status == Read_Status::Failed);
    {
        Unique_File Held(CreateFileW(To_Wide(Target).c_str(), GENERIC_READ, 0, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
        CHECK(C, Fs.Read_File(Target, 8 << 20).Status == Read_Status::Busy);
    }
    Fs.Remove_File(Target);
}

void Popup_Menu_Tests(Check_Count& C) {
    using I = Menu_Item;
    const std::vector<Menu_Line> Lines = {{I::mnuEdit, "&Edit Selection"},
                                          {I::mnuHyphen1, ""},
                                          {I::mnuAdd, "&Add Slot\tCtrl+N"},
                                          {I::mnuTop, "Always on &Top", true}};
    // Each item's text ("-" for a separator), "*" before the default and "+" before a check.
    const Unique_Menu Menu = Win32_Popup_Menu::Build(Lines, I::mnuEdit);
    std::wstring Shown;
    for (UINT N = 0; N < Lines.size(); ++N) {
        wchar_t Text[40] = L"";
        GetMenuStringW(Menu.Get(), N, Text, 40, MF_BYPOSITION);
        const UINT State = GetMenuState(Menu.Get(), N, MF_BYPOSITION);
        Shown += std::wstring(State & MF_DEFAULT ? L"*" : L"") + (State & MF_CHECKED ? L"+" : L"") +
                 (State & MF_SEPARATOR ? L"-" : Text) + L"|";
    }
    CHECK(C, Shown == L"*&Edit Selection|-|&Add Slot\tCtrl+N|+Always on &Top|");
    // A default that is not shown leaves the menu without one rather than failing.
    const Unique_Menu Other = Win32_Popup_Menu::Build(Lines, I::mnuShow);
    CHECK(C, GetMenuDefaultItem(Other.Get(), FALSE, 0) == UINT(-1));
}

void Text_Codec_Tests(Check_Count& C) {
    Win32_Text_Codec Codec;
    if (GetACP() != 1252) return; // the cases are Western
    const auto Is = [&](const char* Utf8, size_t Max, const char* Bytes, bool Exact) {
        const Code_Page_Text T = Codec.To_Code_Page(Utf8, Max);
        return T.Bytes == Bytes && T.Exact == Exact;
    };
    CHECK(C, Is("caf\xC3\xA9 \xE2\x82\xAC", 10, "caf\xE9 \x80", true) && Is("abc", 2, "ab", false));
    // No best-fit 'e' for e-macron; an emoji is not split.
    CHECK(C, Is("\xC4\x93", 10, "?", false) && Is("a\xF0\x9F\x98\x80", 1, "a", false));
    CHECK(C, Codec.From_Code_Page("caf\xE9 \x80") == "caf\xC3\xA9 \xE2\x82\xAC");
}

constexpr Color Paper = Rgb(10, 20, 30), Ink = Rgb(200, 100, 50);

// Pixels not of the paper colour, outside the rectangle L T R B.
int Ink_Outside(const Win32_Surface& S, int L, int T, int R, int B) {
    int N = 0;
    for (int Y = 0; Y < S.Height(); ++Y)
        for (int X = 0; X < S.Width(); ++X)
            N += S.Pixel(X, Y) != Paper && !(X >= L && X < R && Y >= T && Y < B);
    return N;
}

void Surface_Tests(Check_Count& C) {
    // Lines include both end points: the pressed face's diagonals rely on it.
    for (const auto& [X1, Y1, X2, Y2, Length] :
         {std::array{2, 5, 9, 5, 8}, {4, 1, 4, 12, 12}, {2, 2, 20, 20, 19}, {20, 2, 2, 20, 19}}) {
        Win32_Surface S(23, 23);
        S.Fill_Rect({0, 0, 23, 23}, Paper);
        S.Line(X1, Y1, X2, Y2, Ink);
        CHECK(C, S.Pixel(X1, Y1) == Ink && S.Pixel(X2, Y2) == Ink);
        CHECK(C, Ink_Outside(S, 0, 0, 0, 0) == Length);
    }
    // A picture's transparent pixels leave the paper showing.
    Win32_Surface Src(23, 23), Dst(100, 60), Empty(-5, 23);
    Src.Fill_Rect({0, 0, 23, 23}, Paper);
    Src.Draw_Picture(Picture_Id::Lock_Down, 4, 3, 16);
    CHECK(C, Ink_Outside(Src, 4, 3, 20, 19) == 0 && Src.Pixel(4, 3) == Paper);
    CHECK(C, Src.Pixel(10, 4) == Picture_Pixel('K') && Src.Pixel(8, 10) == Picture_Pixel('Y'));
    Src.Fill_Rect({0, 0, 23, 23}, Ink);
    Dst.Fill_Rect({0, 0, 100, 60}, Paper);
    Dst.Blit(Src, 24, 30, 23, 23);
    CHECK(C, Ink_Outside(Dst, 24, 30, 47, 53) == 0 && Ink_Outside(Dst, 0, 0, 0, 0) == 23 * 23);
    // Growing the back buffer keeps what was drawn and fills the new part; a surface of no
    // size (a panel narrower than the text column) draws and copies nothing.
    Dst.Resize_Keeping(120, 80, Ink);
    Empty.Draw_Text("text", {0, 0, 10, 10}, Ink);
    Dst.Blit(Empty, 0, 0, 10, 10);
    CHECK(C, Dst.Pixel(24, 30) == Ink && Dst.Pixel(110, 70) == Ink && Dst.Pixel(0, 0) == Paper);
}

} // namespace

void Service_Tests(Check_Count& C) {
    Clipboard_Tests(C);
    File_System_Tests(C);
    Popup_Menu_Tests(C);
    Text_Codec_Tests(C);
    Surface_Tests(C);
}
