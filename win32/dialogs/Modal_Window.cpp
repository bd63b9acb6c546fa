#include "win32/dialogs/Modal_Window.h"

#include "win32/Win32_Dpi.h"
#include "win32/Win32_Window_Geometry.h"
#include "win32/Window_Messages.h"

void Modal_Owner::Enter() {
    if (Depth_++ == 0 && Main_) EnableWindow(Main_, FALSE);
}

void Modal_Owner::Leave() {
    if (Depth_ > 0 && --Depth_ == 0 && Main_) EnableWindow(Main_, TRUE);
}

void Modal_Owner::Reactivate() const {
    if (Depth_ == 0 && Main_ && IsWindowVisible(Main_)) SetForegroundWindow(Main_);
}

void Modal_Owner::Close_Request() const {
    // Posted: the main window is disabled meanwhile, and the exit ends this dialog's loop.
    if (Main_) PostMessageW(Main_, WM_CLOSE, 0, 0);
}

void Modal_Owner::Help() const {
    if (Main_) PostMessageW(Main_, WM_HELP_KEY, static_cast<WPARAM>(Modifier_State()), 0);
}

namespace {

// Tab and Shift+Tab: IsDialogMessage asks the window itself to move the focus, and only the
// system's dialog class would do it unasked.
void Next_Control(HWND Dialog, WPARAM W, LPARAM L) {
    HWND Next = LOWORD(L) ? reinterpret_cast<HWND>(W)
                          : GetNextDlgTabItem(Dialog, GetFocus(), W != 0 ? TRUE : FALSE);
    if (!Next) return;
    // Into a group of option buttons the focus goes to the one that is on; focusing another
    // would switch it on.
    if (SendMessageW(Next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        for (HWND Item = GetNextDlgGroupItem(Dialog, Next, FALSE); Item && Item != Next;
             Item = GetNextDlgGroupItem(Dialog, Item, FALSE))
            if (SendMessageW(Item, BM_GETCHECK, 0, 0) == BST_CHECKED) Next = Item;
    SetFocus(Next);
    if (SendMessageW(Next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(Next, EM_SETSEL, 0, -1);
}

} // namespace

void Modal_Window::Open(HINSTANCE Instance, const Frame& Design) {
    // Every dialog of its kind finds the class registered after the first.
    Register_Window_Class(Instance,
                          {.Name = Design.Class, .Background = COLOR_BTNFACE, .Icon = Design.Icon});
    // Made at the 96-dpi size, then sized for the dpi of the monitor it is on.
    const SIZE Made =
        Outer_Size_At(Design.Style, Design.Ex_Style, Design.Width, Design.Height, Base_Dpi);
    const HWND W =
        Create(Design.Ex_Style, Design.Class, Design.Caption, Design.Style, CW_USEDEFAULT,
               CW_USEDEFAULT, Made.cx, Made.cy, nullptr, nullptr, Instance);
    if (!W) return;
    Make_Controls(W, Instance);
    const int Dpi = Window_Dpi(W);
    const SIZE Outer = Outer_Size_At(Design.Style, Design.Ex_Style, At_Dpi(Design.Width, Dpi),
                                     At_Dpi(Design.Height, Dpi), Dpi);
    SetWindowPos(W, nullptr, 0, 0, Outer.cx, Outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Take_Dpi(Dpi);
}

void Modal_Window::Take_Dpi(int Dpi) {
    Dpi_ = Dpi;
    Font_.Apply(Handle(), Dpi);
    Lay_Out(Dpi);
}

void Modal_Window::Close() {
    Leave();
    Destroy();
}

void Modal_Window::Leave() {
    if (!Running_) return;
    Running_ = false;
    Owner_.Leave(); // before the dialog goes, so that the main window may be activated
}

void Modal_Window::Run_Modal() {
    const HWND W = Handle();
    if (!W) {
        Cancel();
        return;
    }
    if (!Running_) {
        Owner_.Enter();
        Running_ = true;
    }
    if (!Shown_Before_) {
        Shown_Before_ = true;
        Centre_On_Screen(W);
        Last_Focus_ = First_Show();
    }
    ShowWindow(W, SW_SHOW);
    SetForegroundWindow(W);
    const HWND Focus = Focus_To_Restore();
    SetFocus(Focus ? Focus : GetDlgItem(W, IDOK));
    // A quit ended the loop with the dialog still up: it is cancelled.
    if (!Run_Loop() && Running_) Cancel();
}

void Modal_Window::End_Modal() {
    Leave();
    if (Handle()) ShowWindow(Handle(), SW_HIDE);
    Owner_.Reactivate();
}

void Modal_Window::Cancel() {
    // The logic's Cancel hides the dialog; a loop must never outlive it, even when the handler
    // fails.
    struct Hide_After {
        Modal_Window& Dialog;
        ~Hide_After() {
            if (Dialog.Running_) Dialog.End_Modal();
        }
    } Scope{*this};
    Cancelled();
}

// Pumps messages, with the dialog keys, while the dialog runs. False when WM_QUIT ended it;
// the quit is posted again for the outer loop.
bool Modal_Window::Run_Loop() {
    const HWND Dialog = Handle();
    MSG Message{};
    while (Running_) {
        const BOOL Got = GetMessageW(&Message, nullptr, 0, 0);
        if (Got == 0) {
            PostQuitMessage(static_cast<int>(Message.wParam));
            return false;
        }
        if (Got == -1) return false;
        // F1 anywhere in the dialog, its controls included.
        if (Message.message == WM_KEYDOWN && Message.wParam == VK_F1 &&
            (Message.hwnd == Dialog || IsChild(Dialog, Message.hwnd))) {
            Owner_.Help();
            continue;
        }
        if (IsWindow(Dialog) && IsDialogMessageW(Dialog, &Message)) continue;
        TranslateMessage(&Message);
        DispatchMessageW(&Message);
    }
    return true;
}

HWND Modal_Window::Focus_To_Restore() const {
    // A control the logic disabled meanwhile would swallow the keys.
    const HWND Focus = Last_Focus_;
    return Focus && IsWindow(Focus) && IsWindowEnabled(Focus) ? Focus : nullptr;
}

LRESULT Modal_Window::Message(HWND W, UINT Msg, WPARAM Wp, LPARAM Lp) {
    switch (Msg) {
    case WM_SYSCOMMAND:
        // The close box, the system menu's Close and Alt+F4.
        if ((Wp & 0xFFF0) != SC_CLOSE) break;
        Cancel();
        return 0;
    case WM_COMMAND:
        if (HIWORD(Wp) != BN_CLICKED) break;
        if (LOWORD(Wp) == IDCANCEL)
            Cancel();
        else
            Clicked(LOWORD(Wp));
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_NEXTDLGCTL:
        Next_Control(W, Wp, Lp);
        return 0;
    case WM_CLOSE: // from another program: the main window answers it
        Owner_.Close_Request();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(Wp) == WA_INACTIVE) {
            const HWND Focus = GetFocus();
            if (Focus && IsChild(W, Focus)) Last_Focus_ = Focus;
        } else if (const HWND Focus = Focus_To_Restore()) {
            SetFocus(Focus);
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        // Laid out last, so that a dialog placing its controls by its size finds the new one.
        const RECT& R = *reinterpret_cast<const RECT*>(Lp);
        SetWindowPos(W, nullptr, R.left, R.top, R.right - R.left, R.bottom - R.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        Take_Dpi(HIWORD(Wp));
        InvalidateRect(W, nullptr, TRUE); // what a dialog paints itself moved as well
        return 0;
    }
    default:
        break;
    }
    return Other_Message(W, Msg, Wp, Lp);
}
