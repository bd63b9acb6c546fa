#include "win32/Win32_Main_Window.h"
#include "win32/Win32_Message_Box.h"
#include "win32/Window_Messages.h"
#include "win32/dialogs/About_Window.h"
#include "win32/dialogs/Edit_Sel_Window.h"
#include "win32/dialogs/Options_Window.h"
#include "win32/tests/Check.h"

#include <commctrl.h>

#include <functional>

namespace {

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
};

// Enter is OK; the close box and Esc are Cancel; another program's WM_CLOSE and F1 in a
// control go to the main window and leave the dialog running; a quit cancels and reaches the
// program's own loop. The main window is disabled exactly while the dialog runs.
template <typename View> void Modal_Runs(Check_Count& C, View& V, HWND Control) {
    Log Events;
    Events.Hide = [&] { V.Hide(); };
    V.Set_Events(&Events);
    Closes = Helps = 0;
    Post(V.Window(), WM_CLOSE);
    Post(Control, WM_KEYDOWN, VK_F1);
    Post(V.Window(), WM_COMMAND, Ok);
    V.Show_Modal();
    Pump();
    CHECK(C, Events.Oks == 1 && Events.Cancels == 0 && Closes == 1 && Helps == 1);
    CHECK(C, !Events.Main_Enabled && IsWindowEnabled(Stand_In) && !IsWindowVisible(V.Window()));
    Post(V.Window(), WM_SYSCOMMAND, SC_CLOSE);
    V.Show_Modal();
    Post(V.Window(), WM_COMMAND, Esc);
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
    const HWND Editing = GetDlgItem(Edit.Window(), 100);
    // Tip's designed place is relative to TipBack; an untouched text comes back exactly.
    CHECK(C, Edit.Inner_Width() == 314 && (Edit.Bounds(E::Tip) == Rect{112, 0, 313, 25}));
    Edit.Set_Text(E::Editing, "one\ntwo\r\n");
    CHECK(C, Edit.Text(E::Editing) == "one\ntwo\r\n" && GetWindowTextLengthW(Editing) == 10);
    Modal_Runs(C, Edit, Editing);
    // Moved to a 144-dpi monitor: the buttons, the panel and the font grow by half.
    RECT Offered{0, 0, 480, 340};
    SendMessageW(Edit.Window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&Offered));
    LOGFONTW Stock{}, Font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof Stock, &Stock);
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Editing, WM_GETFONT, 0, 0)), sizeof Font,
               &Font);
    CHECK(C, Edit.Bounds(E::OKButton).Height() == 38 && Edit.Bounds(E::TipBack).Height() == 38);
    CHECK(C, Font.lfHeight == Stock.lfHeight * 144 / 96);

    Options_Window Options(Instance, Owner);
    // News(0..2) are one group: switching one on switches the others off.
    Options.Set_Value(Options_Control::News1, 1);
    Options.Set_Value(Options_Control::News2, 1);
    CHECK(C, Options.Value(Options_Control::News1) == 0);
    Modal_Runs(C, Options, GetDlgItem(Options.Window(), IDOK));

    About_Window About(Instance, Owner);
    RECT Client{};
    GetClientRect(About.Window(), &Client);
    CHECK(C, Client.right == 382 && Client.bottom == 237); // 5730 x 3555 twips at 96 dpi
    Post(About.Window(), WM_SYSCOMMAND, SC_CLOSE);
    About.Show_Modal();
    CHECK(C, About.Window() == nullptr && IsWindowEnabled(Stand_In));
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

void Service_Tests(Check_Count& C);

int wmain() {
    Check_Count C;
    Service_Tests(C);
    Dialog_Tests(C);
    Window_Tests(C);
    std::printf("%d failed\n", C.Failures);
    return C.Failures == 0 ? 0 : 1;
}
