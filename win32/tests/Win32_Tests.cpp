#include "resources/Pictures.h"
#include "win32/Win32_Clipboard.h"
#include "win32/Win32_File_System.h"
#include "win32/Win32_Main_Window.h"
#include "win32/Win32_Message_Box.h"
#include "win32/Win32_Popup_Menu.h"
#include "win32/Win32_Quick_Paste.h"
#include "win32/Win32_Surface.h"
#include "win32/Win32_Text.h"
#include "win32/Win32_Text_Codec.h"
#include "win32/Window_Messages.h"
#include "win32/dialogs/About_Window.h"
#include "win32/dialogs/Edit_Sel_Window.h"
#include "win32/dialogs/Options_Window.h"

#include <commctrl.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

// GoogleTest is not built for MinGW here. A failed check names its line.
struct Check_Count {
    int Failures = 0;
};
#define CHECK(Count, Cond)                                                                         \
    ((Cond) ? void()                                                                               \
            : (void)(++(Count).Failures, std::printf("%s:%d: %s\n", __FILE__, __LINE__, #Cond)))

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

// The main window as the dialogs see it: disabled while one runs; it counts the close
// requests and F1 presses they pass on.
HWND Stand_In = nullptr;
int Closes = 0, Helps = 0;
LRESULT CALLBACK Main_Proc(HWND H, UINT Msg, WPARAM W, LPARAM L) {
    Closes += Msg == WM_CLOSE;
    Helps += Msg == WM_HELP_KEY;
    return Msg == WM_CLOSE ? 0 : DefWindowProcW(H, Msg, W, L);
}

void Post(HWND W, UINT Msg, WPARAM Wp = 0) {
    PostMessageW(W, Msg, Wp, 0);
}

void Pump() {
    for (MSG M; PeekMessageW(&M, nullptr, 0, 0, PM_REMOVE);)
        DispatchMessageW(&M);
}

constexpr WPARAM Ok = MAKEWPARAM(IDOK, BN_CLICKED), Esc = MAKEWPARAM(IDCANCEL, BN_CLICKED);

struct Log : Edit_Sel_Events, Options_Events {
    std::function<void()> Hide;
    int Oks = 0, Cancels = 0;
    bool Main_Enabled = true;
    void OKButton_Click() override { ++Oks, Main_Enabled = IsWindowEnabled(Stand_In), Hide(); }
    void CancelButton_Click() override { ++Cancels, Hide(); }
    void Form_Resize() override {}
    void TipBack_Resize() override {}
    void cToolTip_Click() override {}
    void FontButton_Click() override {}
    void ToolButton_Click() override {}
    void hkQuickPaste_Change() override {}
};

// Enter is OK; the close box and Esc are Cancel; another program's WM_CLOSE and F1 in a
// control go to the main window and leave the dialog running; a quit cancels and reaches the
// program's own loop. The main window is disabled exactly while the dialog runs.
template <typename View> void Modal_Runs(Check_Count& C, View& V, HWND Control) {
    Log Events;
    Events.Hide = [&] { V.Hide(); };
    V.Set_Events(&Events);
    Closes = Helps = 0;
    Post(V.Handle(), WM_CLOSE);
    Post(Control, WM_KEYDOWN, VK_F1);
    Post(V.Handle(), WM_COMMAND, Ok);
    V.Show_Modal();
    Pump();
    CHECK(C, Events.Oks == 1 && Events.Cancels == 0 && Closes == 1 && Helps == 1);
    CHECK(C, !Events.Main_Enabled && IsWindowEnabled(Stand_In) && !IsWindowVisible(V.Handle()));
    Post(V.Handle(), WM_SYSCOMMAND, SC_CLOSE);
    V.Show_Modal();
    Post(V.Handle(), WM_COMMAND, Esc);
    V.Show_Modal();
    PostQuitMessage(3);
    V.Show_Modal();
    MSG Quit{};
    CHECK(C, Events.Oks == 1 && Events.Cancels == 3 && IsWindowEnabled(Stand_In));
    CHECK(C, PeekMessageW(&Quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && Quit.wParam == 3);
    V.Set_Events(nullptr);
}

BOOL CALLBACK Close_Ours(HWND W, LPARAM Count) {
    wchar_t Class[32] = L"";
    GetClassNameW(W, Class, 32);
    if (wcsncmp(Class, L"PimLoft.", 8) != 0 && wcscmp(Class, TOOLTIPS_CLASSW) != 0) return TRUE;
    ++*reinterpret_cast<int*>(Count);
    return PostMessageW(W, WM_CLOSE, 0, 0);
}

DWORD WINAPI Answer_Box(void* Window) {
    HWND Box = nullptr;
    for (int Try = 0; Try < 250 && !Box; ++Try, Sleep(20))
        Box = FindWindowW(L"#32770", L"PimLoft test");
    const bool Modal = !IsWindowEnabled(static_cast<HWND>(Window));
    PostMessageW(Box, WM_COMMAND, IDOK, 0);
    return Modal;
}

void Dialog_Tests(Check_Count& C) {
    WNDCLASSW Class{0, Main_Proc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, L"Main"};
    RegisterClassW(&Class);
    Unique_Window Window(
        CreateWindowExW(0, L"Main", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr));
    Stand_In = Window.Get();
    Modal_Owner Owner(Stand_In);
    const HINSTANCE Instance = GetModuleHandleW(nullptr);
    using E = Edit_Sel_Control;
    Edit_Sel_Window Edit(Instance, Owner);
    const HWND Editing = GetDlgItem(Edit.Handle(), 100);
    // Tip's designed place is relative to TipBack; an untouched text comes back exactly.
    CHECK(C, Edit.Inner_Width() == 314 && (Edit.Bounds(E::Tip) == Rect{112, 0, 313, 25}));
    Edit.Set_Text(E::Editing, "one\ntwo\r\n");
    CHECK(C, Edit.Text(E::Editing) == "one\ntwo\r\n" && GetWindowTextLengthW(Editing) == 10);
    Modal_Runs(C, Edit, Editing);

    Options_Window Options(Instance, Owner);
    // News(0..2) are one group: switching one on switches the others off.
    Options.Set_Value(Options_Control::News1, 1);
    Options.Set_Value(Options_Control::News2, 1);
    CHECK(C, Options.Value(Options_Control::News1) == 0);
    // The hotkey control speaks HOTKEYF_ bits, RegisterHotKey MOD_ bits: Ctrl+Alt+Q in ours
    // comes back whole, and an extended key's flag is no Windows key.
    const HWND Hotkey = GetDlgItem(Options.Handle(), 100 + int(Options_Control::hkQuickPaste));
    Options.Set_Value(Options_Control::hkQuickPaste, 'Q' | 6 << 8);
    CHECK(C, SendMessageW(Hotkey, HKM_GETHOTKEY, 0, 0) ==
                 MAKEWORD('Q', HOTKEYF_CONTROL | HOTKEYF_ALT));
    CHECK(C, Options.Value(Options_Control::hkQuickPaste) == ('Q' | 6 << 8));
    SendMessageW(Hotkey, HKM_SETHOTKEY, MAKEWORD(VK_RIGHT, HOTKEYF_SHIFT | HOTKEYF_EXT), 0);
    CHECK(C, Options.Value(Options_Control::hkQuickPaste) == (VK_RIGHT | 1 << 8));
    CHECK(C, Hotkey_Mod_Bits(1 | 2 | 8) == (MOD_SHIFT | MOD_CONTROL | MOD_WIN | MOD_NOREPEAT));
    Modal_Runs(C, Options, GetDlgItem(Options.Handle(), IDOK));

    About_Window About(Instance, Owner);
    RECT Client{};
    GetClientRect(About.Handle(), &Client);
    CHECK(C, Client.right == 382 && Client.bottom == 237); // 5730 x 3555 twips at 96 dpi
    // Moved to a 144-dpi monitor, each dialog is laid out again: its buttons, Edit Selection's
    // panel and the font grow by half. The About box once kept the dpi it was made at.
    LOGFONTW Stock{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof Stock, &Stock);
    for (const auto& [Dialog, Ok_Height] :
         {std::pair{Edit.Handle(), 38}, {Options.Handle(), 38}, {About.Handle(), 35}}) {
        RECT Offered{0, 0, 480, 340}, Placed{};
        SendMessageW(Dialog, WM_DPICHANGED, MAKEWPARAM(144, 144),
                     reinterpret_cast<LPARAM>(&Offered));
        LOGFONTW Font{};
        const HWND Button = GetDlgItem(Dialog, IDOK);
        GetWindowRect(Button, &Placed);
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Button, WM_GETFONT, 0, 0)), sizeof Font,
                   &Font);
        CHECK(C, Placed.bottom - Placed.top == Ok_Height &&
                     Font.lfHeight == Stock.lfHeight * 144 / 96);
    }
    CHECK(C, Edit.Bounds(E::TipBack).Height() == 38);
    Post(About.Handle(), WM_SYSCOMMAND, SC_CLOSE);
    About.Show_Modal();
    CHECK(C, About.Handle() == nullptr && IsWindowEnabled(Stand_In));
}

// The popup is a standard edit box above a standard list box, so screen readers know them, and
// no taskbar button: a topmost tool window.
void Quick_Paste_Tests(Check_Count& C) {
    Win32_Paste_Desk Desk(GetModuleHandleW(nullptr), Stand_In);
    Paste_Popup_Window& Popup = Desk.Window();
    wchar_t Edit[16] = {}, List[16] = {};
    GetClassNameW(Popup.Filter_Box(), Edit, 16);
    GetClassNameW(Popup.List_Box(), List, 16);
    CHECK(C, lstrcmpiW(Edit, L"Edit") == 0 && lstrcmpiW(List, L"ListBox") == 0);
    const LONG_PTR Ex = GetWindowLongPtrW(Popup.Handle(), GWL_EXSTYLE);
    CHECK(C, (Ex & WS_EX_TOOLWINDOW) && (Ex & WS_EX_TOPMOST));
    Popup.Set_Lines({{'1', false, "one"}, {'2', true, "two"}});
    wchar_t Spoken[32] = {};
    SendMessageW(Popup.List_Box(), LB_GETTEXT, 1, reinterpret_cast<LPARAM>(Spoken));
    CHECK(C, lstrcmpW(Spoken, L"2 locked two") == 0);
}

void Window_Tests(Check_Count& C) {
    // Another program's close request (taskkill, End task) reaches every top-level window of
    // ours; none may go down on its own, or the program runs on without an icon.
    Win32_Main_Window Window(GetModuleHandleW(nullptr));
    int Before = 0, After = 0;
    EnumThreadWindows(GetCurrentThreadId(), Close_Ours, reinterpret_cast<LPARAM>(&Before));
    Pump();
    EnumThreadWindows(GetCurrentThreadId(), Close_Ours, reinterpret_cast<LPARAM>(&After));
    CHECK(C, Before == 3 && After == Before);
    // A message box keeps the program's windows from input until it is answered.
    Unique_Kernel_Handle Thread(CreateThread(nullptr, 0, Answer_Box, Window.Handle(), 0, nullptr));
    Win32_Message_Box(Window.Handle()).Ok("Text", "PimLoft test");
    DWORD Modal = 0;
    WaitForSingleObject(Thread.Get(), 10000);
    CHECK(C, GetExitCodeThread(Thread.Get(), &Modal) && Modal == 1);
    // Moved to a 144-dpi monitor: it takes the size offered; twips and the list font follow.
    const int Line = Window.Buffer().Text_Line_Height();
    RECT Offered{10, 20, 310, 420};
    SendMessageW(Window.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&Offered));
    CHECK(C, Window.Dpi() == 144 && Window.Twips_Per_Pixel_Y() == 10 && Window.Width() == 3000);
    CHECK(C, Window.Buffer().Text_Line_Height() >= Line * 4 / 3);
}

} // namespace

int wmain() {
    Check_Count C;
    Clipboard_Tests(C);
    File_System_Tests(C);
    Popup_Menu_Tests(C);
    Text_Codec_Tests(C);
    Surface_Tests(C);
    Dialog_Tests(C);
    Quick_Paste_Tests(C);
    Window_Tests(C);
    std::printf("%d failed\n", C.Failures);
    return C.Failures == 0 ? 0 : 1;
}
