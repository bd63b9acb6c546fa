#include "win32/dialogs/About_Window.h"
#include "win32/dialogs/Edit_Sel_Window.h"
#include "win32/dialogs/Options_Window.h"
#include "win32/tests/Check.h"

#include <cmath>
#include <functional>
#include <limits>

namespace {

// A stand-in for the main window, which must be disabled exactly while a dialog runs.
struct Main_Stand_In {
    Unique_Window Window{CreateWindowExW(0, L"STATIC", L"main", WS_POPUP, 0, 0, 10, 10, nullptr,
                                         nullptr, nullptr, nullptr)};
    bool Enabled() const { return IsWindowEnabled(Window.Get()) != FALSE; }
};

struct Edit_Events : Edit_Sel_Events {
    Edit_Sel_View* View = nullptr;
    int Ok = 0, Cancel = 0, Resize = 0, Tip_Resize = 0;
    bool Main_Enabled_Meanwhile = true;
    const Main_Stand_In* Main = nullptr;
    void OKButton_Click() override {
        ++Ok;
        if (Main) Main_Enabled_Meanwhile = Main->Enabled();
        View->Hide();
    }
    void CancelButton_Click() override {
        ++Cancel;
        View->Hide();
    }
    void Form_Resize() override { ++Resize; }
    void TipBack_Resize() override { ++Tip_Resize; }
};

struct Options_Events_Log : Options_Events {
    Options_View* View = nullptr;
    int Ok = 0, Cancel = 0;
    void OKButton_Click() override {
        ++Ok;
        View->Hide();
    }
    void CancelButton_Click() override {
        ++Cancel;
        View->Hide();
    }
    void cToolTip_Click() override {}
    void FontButton_Click() override {}
    void ToolButton_Click() override {}
};

} // namespace

int Edit_Sel_Window_Tests() {
    Check_Count C;
    Main_Stand_In Main;
    Modal_Owner Owner(Main.Window.Get());
    Edit_Sel_Window View(GetModuleHandleW(nullptr), Owner);
    Edit_Events Events;
    Events.View = &View;
    Events.Main = &Main;
    View.Set_Events(&Events);
    using E = Edit_Sel_Control;

    // The designed places, before any layout; Tip's is relative to TipBack.
    CHECK(C, View.Inner_Width() == 314 && View.Inner_Height() == 213);
    CHECK(C, (View.Bounds(E::OKButton) == Rect{160, 184, 225, 209}));
    CHECK(C, (View.Bounds(E::Tip) == Rect{112, 0, 313, 25}));

    // Texts: Unicode survives; lone LFs are shown broken but an untouched text comes back
    // exactly, while an edited one comes back as edited.
    View.Set_Text(E::Tip, "caf\xC3\xA9 \xF0\x9F\x98\x80");
    CHECK(C, View.Text(E::Tip) == "caf\xC3\xA9 \xF0\x9F\x98\x80");
    View.Set_Text(E::Editing, "one\ntwo\r\nthree");
    CHECK(C, View.Text(E::Editing) == "one\ntwo\r\nthree");
    const HWND Editing = GetDlgItem(View.Window(), 100);
    wchar_t Shown[32] = L"";
    GetWindowTextW(Editing, Shown, 32);
    CHECK(C, std::wstring(Shown) == L"one\r\ntwo\r\nthree");
    SetWindowTextW(Editing, L"edited\r\nby hand");
    CHECK(C, View.Text(E::Editing) == "edited\r\nby hand");
    // Typing is not stopped at the edit control's default 32K characters.
    CHECK(C, SendMessageW(Editing, EM_GETLIMITTEXT, 0, 0) > 0x10000);

    // Only a width change of the panel raises TipBack_Resize.
    View.Set_Bounds(E::TipBack, Rect{0, 100, 200, 125});
    View.Set_Bounds(E::TipBack, Rect{0, 90, 200, 115});
    CHECK(C, Events.Tip_Resize == 1);

    // OK: the main window is disabled meanwhile and enabled after; the first showing lays out.
    PostMessageW(View.Window(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    View.Show_Modal();
    CHECK(C, Events.Ok == 1 && Events.Cancel == 0);
    CHECK(C, !Events.Main_Enabled_Meanwhile && Main.Enabled());
    CHECK(C, Events.Resize >= 1);
    CHECK(C, !IsWindowVisible(View.Window()));

    // The frame's close box and Esc count as Cancel, and the window is only hidden.
    PostMessageW(View.Window(), WM_CLOSE, 0, 0);
    View.Show_Modal();
    PostMessageW(View.Window(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    View.Show_Modal();
    CHECK(C, Events.Ok == 1 && Events.Cancel == 2);
    CHECK(C, IsWindow(View.Window()) && Main.Enabled());

    // A quit while the dialog is open must not leave an earlier OK standing: it cancels, and
    // the quit reaches the program's own loop.
    PostQuitMessage(3);
    View.Show_Modal();
    CHECK(C, Events.Cancel == 3 && Main.Enabled());
    MSG Quit{};
    CHECK(C, PeekMessageW(&Quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && Quit.wParam == 3);
    return C.Failures;
}

int Options_Window_Tests() {
    Check_Count C;
    Main_Stand_In Main;
    Modal_Owner Owner(Main.Window.Get());
    Options_Window View(GetModuleHandleW(nullptr), Owner);
    Options_Events_Log Events;
    Events.View = &View;
    View.Set_Events(&Events);
    using O = Options_Control;

    RECT Client{};
    GetClientRect(View.Window(), &Client);
    CHECK(C, Client.right == 505 && Client.bottom == 265);

    // News(0..2) are one group: switching one on switches the others off.
    View.Set_Value(O::News1, 1);
    View.Set_Value(O::News2, 1);
    CHECK(C, View.Value(O::News0) == 0 && View.Value(O::News1) == 0 && View.Value(O::News2) == 1);

    // A font label reports the size it was given when the font honours it (10, not 9.75),
    // and a size from a damaged file comes back usable.
    View.Set_Label_Font(O::FontLabel, Font_Spec{"Courier New", 10});
    CHECK(C, View.Label_Font(O::FontLabel).Size == 10);
    View.Set_Label_Font(O::ToolLabel, Font_Spec{"Arial", std::numeric_limits<float>::quiet_NaN()});
    const float Size = View.Label_Font(O::ToolLabel).Size;
    CHECK(C, std::isfinite(Size) && Size >= 1 && Size <= 1638);

    // Enter is OK; the close box is Cancel.
    PostMessageW(View.Window(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    View.Show_Modal();
    PostMessageW(View.Window(), WM_CLOSE, 0, 0);
    View.Show_Modal();
    CHECK(C, Events.Ok == 1 && Events.Cancel == 1 && Main.Enabled());
    CHECK(C, SendMessageW(View.Window(), DM_GETDEFID, 0, 0) == MAKELRESULT(IDOK, DC_HASDEFID));
    return C.Failures;
}

int About_Window_Tests() {
    Check_Count C;
    Main_Stand_In Main;
    Modal_Owner Owner(Main.Window.Get());
    // Esc, Enter and the close box all close the box and destroy it.
    const struct {
        UINT Message;
        WPARAM W;
    } Closers[] = {{WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)},
                   {WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)},
                   {WM_CLOSE, 0}};
    for (const auto& Close : Closers) {
        About_Window View(GetModuleHandleW(nullptr), Owner);
        RECT Client{};
        GetClientRect(View.Window(), &Client);
        CHECK(C, Client.right == 382 && Client.bottom == 237); // 5730 x 3555 twips at 96 dpi
        PostMessageW(View.Window(), Close.Message, Close.W, 0);
        View.Show_Modal();
        CHECK(C, View.Window() == nullptr && Main.Enabled());
    }
    return C.Failures;
}
