#include "win32/dialogs/Edit_Sel_Window.h"

#include "platform/Text_Lines.h"
#include "win32/Win32_Dpi.h"
#include "win32/Win32_Text.h"

namespace {

constexpr wchar_t Panel_Class[] = L"PimLoft_Panel";
constexpr int Editing_Id = 100, Panel_Id = 101, Label_Id = 102, Tip_Id = 103;

struct Design {
    Edit_Sel_Control Control;
    int Left, Top, Width, Height; // at 96 dpi, within the window or the panel
};

constexpr Design Designs[] = {
    {Edit_Sel_Control::Editing, 0, 0, 313, 105},
    {Edit_Sel_Control::OKButton, 160, 184, 65, 25},
    {Edit_Sel_Control::CancelButton, 240, 184, 65, 25},
    {Edit_Sel_Control::TipBack, 0, 136, 313, 25},
    {Edit_Sel_Control::Label1, 4, 4, 105, 17},
    {Edit_Sel_Control::Tip, 112, 0, 201, 25},
};

} // namespace

HWND Tip_Panel::Create_In(HWND Parent, HINSTANCE Instance, int Id) {
    Register_Window_Class(Instance, {.Name = Panel_Class, .Background = COLOR_BTNFACE});
    return Create(WS_EX_CONTROLPARENT, Panel_Class, L"", WS_CHILD | WS_VISIBLE | WS_GROUP, 0, 0, 0,
                  0, Parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(Id)), Instance);
}

LRESULT Tip_Panel::Message(HWND W, UINT Message, WPARAM Wp, LPARAM Lp) {
    if (Message == WM_SIZE) {
        const int Width = LOWORD(Lp);
        if (Width != Width_) {
            Width_ = Width;
            if (Events_) Events_->TipBack_Resize();
        }
        return 0;
    }
    if (Message == WM_COMMAND || Message == WM_CTLCOLORSTATIC || Message == WM_CTLCOLOREDIT)
        return SendMessageW(GetParent(W), Message, Wp, Lp);
    return DefWindowProcW(W, Message, Wp, Lp);
}

Edit_Sel_Window::Edit_Sel_Window(HINSTANCE Instance, Modal_Owner& Owner) : Modal_Window(Owner) {
    Open(Instance, {L"PimLoft_Edit_Selection", L"Edit Selection",
                    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX |
                        WS_CLIPCHILDREN,
                    0, 314, 213, true});
}

void Edit_Sel_Window::Make_Controls(HWND W, HINSTANCE Instance) {
    // Creation order is the tab order.
    auto& C = Controls_;
    using E = Edit_Sel_Control;
    C[size_t(E::Editing)] =
        Make_Control(W, L"EDIT", L"",
                     WS_TABSTOP | WS_GROUP | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE |
                         ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL,
                     Editing_Id, WS_EX_CLIENTEDGE);
    C[size_t(E::OKButton)] =
        Make_Control(W, L"BUTTON", L"&Ok", WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, IDOK);
    C[size_t(E::CancelButton)] =
        Make_Control(W, L"BUTTON", L"&Cancel", WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, IDCANCEL);
    C[size_t(E::TipBack)] = Panel_.Create_In(W, Instance, Panel_Id);
    if (const HWND Panel = C[size_t(E::TipBack)]) {
        C[size_t(E::Label1)] =
            Make_Control(Panel, L"STATIC", L"Tool Tip Description:", SS_LEFTNOWORDWRAP, Label_Id);
        C[size_t(E::Tip)] = Make_Control(Panel, L"EDIT", L"Text1",
                                         WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL | ES_NOHIDESEL,
                                         Tip_Id, WS_EX_CLIENTEDGE);
    }
    // Typing stops at 32K characters otherwise, and a slot may hold far more.
    for (const HWND Edit : {C[size_t(E::Editing)], C[size_t(E::Tip)]})
        if (Edit) SendMessageW(Edit, EM_SETLIMITTEXT, 0, 0);
}

void Edit_Sel_Window::Lay_Out(int Dpi) {
    for (const Design& D : Designs)
        SetWindowPos(Control(D.Control), nullptr, At_Dpi(D.Left, Dpi), At_Dpi(D.Top, Dpi),
                     At_Dpi(D.Width, Dpi), At_Dpi(D.Height, Dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    // The logic places them by the window's size.
    if (Events_) {
        Events_->Form_Resize();
        Events_->TipBack_Resize();
    }
}

void Edit_Sel_Window::Set_Text(Edit_Sel_Control C, std::string_view Utf8) {
    const HWND Target = Control(C);
    if (!Target) return;
    if (C != Edit_Sel_Control::Editing) {
        Set_Text_Utf8(Target, Utf8);
        return;
    }
    Editing_Given_ = std::string(Utf8);
    Editing_Shown_ = With_Crlf(To_Wide(Utf8));
    SetWindowTextW(Target, Editing_Shown_.c_str());
}

std::string Edit_Sel_Window::Text(Edit_Sel_Control C) const {
    const HWND Target = Control(C);
    if (!Target) return C == Edit_Sel_Control::Editing ? Editing_Given_ : std::string();
    const std::wstring Shown = Window_Text(Target);
    if (C == Edit_Sel_Control::Editing && Shown == Editing_Shown_) return Editing_Given_;
    return To_Utf8(Shown);
}

Rect Edit_Sel_Window::Bounds(Edit_Sel_Control C) const {
    const HWND Target = Control(C);
    if (!Target) return {};
    RECT R{};
    GetWindowRect(Target, &R);
    MapWindowPoints(nullptr, GetParent(Target), reinterpret_cast<POINT*>(&R), 2);
    return Rect{R.left, R.top, R.right, R.bottom};
}

void Edit_Sel_Window::Set_Bounds(Edit_Sel_Control C, const Rect& R) {
    const HWND Target = Control(C);
    if (!Target) return;
    const int Width = R.Width() > 0 ? R.Width() : 0;
    const int Height = R.Height() > 0 ? R.Height() : 0;
    // The panel's WM_SIZE raises TipBack_Resize when its width changes.
    SetWindowPos(Target, nullptr, R.Left, R.Top, Width, Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int Edit_Sel_Window::Inner_Width() const {
    RECT R{};
    if (Handle()) GetClientRect(Handle(), &R);
    return R.right;
}

int Edit_Sel_Window::Inner_Height() const {
    RECT R{};
    if (Handle()) GetClientRect(Handle(), &R);
    return R.bottom;
}

HWND Edit_Sel_Window::First_Show() {
    if (Events_) Events_->Form_Resize();
    return Control(Edit_Sel_Control::Editing);
}

void Edit_Sel_Window::Clicked(int Id) {
    if (Id == IDOK && Events_) Events_->OKButton_Click();
}

void Edit_Sel_Window::Cancelled() {
    if (Events_) Events_->CancelButton_Click();
}

LRESULT Edit_Sel_Window::Other_Message(HWND W, UINT Message, WPARAM Wp, LPARAM Lp) {
    if (Message != WM_SIZE) return DefWindowProcW(W, Message, Wp, Lp);
    if (Wp != SIZE_MINIMIZED && Shown_Before() && Events_) {
        Events_->Form_Resize();
        // Moved controls do not always repaint where they land.
        RedrawWindow(W, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    return 0;
}
