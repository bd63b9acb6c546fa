#include "win32/Win32_Fonts.h"
#include "win32/Win32_Main_Window.h"
#include "win32/Win32_Message_Box.h"
#include "win32/Win32_Registry.h"
#include "win32/Window_Messages.h"
#include "win32/dialogs/About_Window.h"
#include "win32/dialogs/Edit_Sel_Window.h"
#include "win32/dialogs/Options_Window.h"
#include "win32/tests/Check.h"

#include <cmath>
#include <commctrl.h>

namespace {

// The main window as the dialogs see it: disabled while one runs, and counting the close
// requests and F1 presses they pass on.
struct Main_Stand_In {
    static inline int Closes = 0, Helps = 0;
    static LRESULT CALLBACK Proc(HWND H, UINT Msg, WPARAM W, LPARAM L) {
        Closes += Msg == WM_CLOSE;
        Helps += Msg == WM_HELP_KEY;
        return Msg == WM_CLOSE ? 0 : DefWindowProcW(H, Msg, W, L);
    }
    Unique_Window Window{[] {
        WNDCLASSW Class{0, Proc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, L"Test.Main"};
        RegisterClassW(&Class);
        return CreateWindowExW(0, L"Test.Main", L"main", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr,
                               nullptr, nullptr);
    }()};
    Modal_Owner Owner{Window.Get()};
    bool Enabled() const { return IsWindowEnabled(Window.Get()) != FALSE; }
};

void Pump() {
    for (MSG M; PeekMessageW(&M, nullptr, 0, 0, PM_REMOVE);)
        DispatchMessageW(&M);
}

void Post(HWND W, UINT Msg, WPARAM Wp = 0) {
    PostMessageW(W, Msg, Wp, 0);
}

constexpr WPARAM Ok_Click = MAKEWPARAM(IDOK, BN_CLICKED), Cancel_Click = MAKEWPARAM(IDCANCEL, BN_CLICKED);

template <typename View, typename Base> struct Counting : Base {
    View* V = nullptr;
    const Main_Stand_In* Main = nullptr;
    int Ok = 0, Cancel = 0, Resize = 0, Tip_Resize = 0;
    bool Main_Enabled_Meanwhile = true;
    void OKButton_Click() override {
        ++Ok;
        Main_Enabled_Meanwhile = Main->Enabled();
        V->Hide();
    }
    void CancelButton_Click() override {
        ++Cancel;
        V->Hide();
    }
};
struct Edit_Events : Counting<Edit_Sel_Window, Edit_Sel_Events> {
    void Form_Resize() override { ++Resize; }
    void TipBack_Resize() override { ++Tip_Resize; }
};
struct Options_Log : Counting<Options_Window, Options_Events> {
    void cToolTip_Click() override {}
    void FontButton_Click() override {}
    void ToolButton_Click() override {}
};

int Edit_Sel_Tests(Main_Stand_In& Main) {
    Check_Count C;
    Edit_Sel_Window View(GetModuleHandleW(nullptr), Main.Owner);
    Edit_Events Events;
    Events.V = &View;
    Events.Main = &Main;
    View.Set_Events(&Events);
    using E = Edit_Sel_Control;
    // The designed places, before any layout; Tip's is relative to TipBack.
    CHECK(C, View.Inner_Width() == 314 && View.Inner_Height() == 213);
    CHECK(C, (View.Bounds(E::OKButton) == Rect{160, 184, 225, 209}));
    CHECK(C, (View.Bounds(E::Tip) == Rect{112, 0, 313, 25}));

    // Lone LFs are shown broken, but an untouched text comes back exactly; an edited one as
    // edited. Typing is not stopped at the edit control's default 32K characters.
    View.Set_Text(E::Editing, "one\ntwo\r\nthree \xF0\x9F\x98\x80");
    CHECK(C, View.Text(E::Editing) == "one\ntwo\r\nthree \xF0\x9F\x98\x80");
    const HWND Editing = GetDlgItem(View.Window(), 100);
    CHECK(C, GetWindowTextLengthW(Editing) == 18);
    SetWindowTextW(Editing, L"edited\r\nby hand");
    CHECK(C, View.Text(E::Editing) == "edited\r\nby hand");
    CHECK(C, SendMessageW(Editing, EM_GETLIMITTEXT, 0, 0) > 0x10000);
    // Only a width change of the panel raises TipBack_Resize.
    View.Set_Bounds(E::TipBack, Rect{0, 100, 200, 125});
    View.Set_Bounds(E::TipBack, Rect{0, 90, 200, 115});
    CHECK(C, Events.Tip_Resize == 1);

    // OK: the main window is disabled meanwhile; the first showing lays out. Another program's
    // WM_CLOSE and F1 go to the main window and leave the dialog running.
    Post(View.Window(), WM_CLOSE);
    Post(Editing, WM_KEYDOWN, VK_F1);
    Post(View.Window(), WM_COMMAND, Ok_Click);
    View.Show_Modal();
    Pump();
    CHECK(C, Events.Ok == 1 && Events.Cancel == 0 && Events.Resize >= 1);
    CHECK(C, Main_Stand_In::Closes == 1 && Main_Stand_In::Helps == 1);
    CHECK(C, !Events.Main_Enabled_Meanwhile && Main.Enabled() && !IsWindowVisible(View.Window()));
    // The close box and Esc count as Cancel, and the window is only hidden.
    Post(View.Window(), WM_SYSCOMMAND, SC_CLOSE);
    View.Show_Modal();
    Post(View.Window(), WM_COMMAND, Cancel_Click);
    View.Show_Modal();
    CHECK(C, Events.Ok == 1 && Events.Cancel == 2 && IsWindow(View.Window()) && Main.Enabled());
    // A quit while it is open cancels it, and the quit reaches the program's own loop.
    PostQuitMessage(3);
    View.Show_Modal();
    MSG Quit{};
    CHECK(C, Events.Cancel == 3 && PeekMessageW(&Quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) &&
                 Quit.wParam == 3);
    return C.Failures;
}

int Options_Tests(Main_Stand_In& Main) {
    Check_Count C;
    Options_Window View(GetModuleHandleW(nullptr), Main.Owner);
    Options_Log Events;
    Events.V = &View;
    Events.Main = &Main;
    View.Set_Events(&Events);
    using O = Options_Control;
    RECT Client{};
    GetClientRect(View.Window(), &Client);
    CHECK(C, Client.right == 505 && Client.bottom == 265);
    // News(0..2) are one group: switching one on switches the others off.
    View.Set_Value(O::News1, 1);
    View.Set_Value(O::News2, 1);
    CHECK(C, View.Value(O::News0) == 0 && View.Value(O::News1) == 0 && View.Value(O::News2) == 1);
    // A label reports the size it was given (10, not 9.75); a damaged size comes back usable.
    View.Set_Label_Font(O::FontLabel, Font_Spec{"Courier New", 10});
    View.Set_Label_Font(O::ToolLabel, Font_Spec{"Arial", NAN});
    const float Size = View.Label_Font(O::ToolLabel).Size;
    CHECK(C, View.Label_Font(O::FontLabel).Size == 10 && std::isfinite(Size) && Size >= 1);
    // Enter is OK; the close box is Cancel.
    Post(View.Window(), WM_COMMAND, Ok_Click);
    View.Show_Modal();
    Post(View.Window(), WM_SYSCOMMAND, SC_CLOSE);
    View.Show_Modal();
    CHECK(C, Events.Ok == 1 && Events.Cancel == 1 && Main.Enabled());
    CHECK(C, SendMessageW(View.Window(), DM_GETDEFID, 0, 0) == MAKELRESULT(IDOK, DC_HASDEFID));
    return C.Failures;
}

} // namespace

int Dialog_Tests() {
    Main_Stand_In Main;
    int Failures = Edit_Sel_Tests(Main) + Options_Tests(Main);
    Check_Count C;
    // Esc, Enter and the close box all close the About box and destroy it.
    for (const auto& [Msg, W] : {std::pair<UINT, WPARAM>{WM_COMMAND, Cancel_Click},
                                 {WM_COMMAND, Ok_Click}, {WM_SYSCOMMAND, SC_CLOSE}}) {
        About_Window View(GetModuleHandleW(nullptr), Main.Owner);
        RECT Client{};
        GetClientRect(View.Window(), &Client);
        CHECK(C, Client.right == 382 && Client.bottom == 237); // 5730 x 3555 twips at 96 dpi
        Post(View.Window(), Msg, W);
        View.Show_Modal();
        CHECK(C, View.Window() == nullptr && Main.Enabled());
    }
    return Failures + C.Failures;
}

namespace {

BOOL CALLBACK Count_Ours(HWND W, LPARAM Count) {
    wchar_t Class[32] = L"";
    GetClassNameW(W, Class, 32);
    if (wcsncmp(Class, L"PimLoft.", 8) == 0 || wcscmp(Class, TOOLTIPS_CLASSW) == 0) {
        ++*reinterpret_cast<int*>(Count);
        PostMessageW(W, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

DWORD WINAPI Answer_Box(void* Main) {
    HWND Box = nullptr;
    for (int Try = 0; Try < 250 && !Box; ++Try) {
        Sleep(20);
        Box = FindWindowW(L"#32770", L"PimLoft test");
    }
    const bool Modal = !IsWindowEnabled(static_cast<HWND>(Main));
    PostMessageW(Box, WM_COMMAND, IDOK, 0);
    return Modal;
}

} // namespace

int Window_Tests() {
    Check_Count C;
    // Another program's close request (taskkill, End task) reaches every top-level window of
    // ours; none of them may go down on its own, or the program runs on without an icon.
    Win32_Main_Window Window(GetModuleHandleW(nullptr));
    int Before = 0, After = 0;
    EnumThreadWindows(GetCurrentThreadId(), Count_Ours, reinterpret_cast<LPARAM>(&Before));
    Pump();
    EnumThreadWindows(GetCurrentThreadId(), Count_Ours, reinterpret_cast<LPARAM>(&After));
    CHECK(C, Before == 3 && After == Before);
    Pump();

    // A message box keeps the program's windows from input until it is answered.
    DWORD Modal = 0;
    Unique_Kernel_Handle Thread(CreateThread(nullptr, 0, Answer_Box, Window.Handle(), 0, nullptr));
    Win32_Message_Box().Ok("Text", "PimLoft test");
    WaitForSingleObject(Thread.Get(), 10000);
    CHECK(C, GetExitCodeThread(Thread.Get(), &Modal) && Modal == 1 && IsWindowEnabled(Window.Handle()));

    // HKEY_LOCAL_MACHINE as a 32-bit value must reach the system sign-extended on x64.
    Win32_Registry Registry;
    Registry_Key Key = 0;
    CHECK(C, Registry.Open_Key(HKEY_LOCAL_MACHINE_, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                               KEY_QUERY_ALL_, Key) == ERROR_SUCCESS_);
    Registry.Close_Key(Key);
    // A face name longer than the system allows is cut, not overrun.
    const LOGFONTW Log = To_Log_Font(Font_Spec{std::string(100, 'x'), 10}, 96);
    CHECK(C, Log.lfFaceName[LF_FACESIZE - 1] == L'\0' && Log.lfHeight == -13);
    return C.Failures;
}
