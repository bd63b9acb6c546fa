#include "win32/Win32_Quick_Paste.h"

#include "storage/Settings.h"
#include "win32/Win32_Controls.h"
#include "win32/Win32_Dpi.h"
#include "win32/Win32_Fonts.h"
#include "win32/Win32_Text.h"
#include "win32/Win32_Window_Geometry.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

constexpr int Hotkey_Id = 1;
constexpr int Probe_Id = 2;
constexpr UINT_PTR Paste_Timer = 1;
constexpr int Edit_Id = 10, List_Id = 11;
constexpr int Line_Height = 20, Margin = 4, Edit_Height = 22; // at 96 dpi

LRESULT CALLBACK Control_Subclass(HWND H, UINT Msg, WPARAM W, LPARAM L, UINT_PTR Id,
                                  DWORD_PTR Popup) {
    auto& Self = *reinterpret_cast<Paste_Popup_Window*>(Popup);
    switch (Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (Self.Key(H, W)) return 0;
        break;
    case WM_CHAR: // Enter and Esc were taken as keys: no beep for them
        if (W == L'\r' || W == 0x1B || W == L'\n') return 0;
        break;
    case WM_LBUTTONUP:
        if (H == Self.List_Box()) {
            const LRESULT Hit = SendMessageW(H, LB_ITEMFROMPOINT, 0, L);
            const LRESULT Result = DefSubclassProc(H, Msg, W, L);
            if (HIWORD(Hit) == 0) Self.Clicked(LOWORD(Hit));
            return Result;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(H, Control_Subclass, Id);
        break;
    default:
        break;
    }
    return DefSubclassProc(H, Msg, W, L);
}

LARGE_INTEGER Hotkey_Stamp{}, Keystroke_Stamp{};

void Paste_Timing_End() {
    Timing_End(Hotkey_Stamp, "quick paste", "shown %.3f ms after the hotkey");
}

// Integrity level of a process's token; -1 when it cannot be read.
long Integrity_Of(HANDLE Process) {
    HANDLE Raw = nullptr;
    if (!OpenProcessToken(Process, TOKEN_QUERY, &Raw)) return -1;
    Unique_Kernel_Handle Token(Raw);
    alignas(TOKEN_MANDATORY_LABEL) BYTE Buffer[64];
    DWORD Size = 0;
    if (!GetTokenInformation(Token.Get(), TokenIntegrityLevel, Buffer, sizeof Buffer, &Size))
        return -1;
    const PSID Sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(Buffer)->Label.Sid;
    const UCHAR Count = *GetSidSubAuthorityCount(Sid);
    return Count ? static_cast<long>(*GetSidSubAuthority(Sid, Count - 1u)) : -1;
}

// Windows drops our keystrokes to a process of a higher integrity level.
bool Runs_Higher(HWND Window) {
    DWORD Id = 0;
    GetWindowThreadProcessId(Window, &Id);
    Unique_Kernel_Handle Process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, Id));
    if (!Process) return GetLastError() == ERROR_ACCESS_DENIED;
    const long Theirs = Integrity_Of(Process.Get()), Ours = Integrity_Of(GetCurrentProcess());
    return Theirs >= 0 && Ours >= 0 && Theirs > Ours;
}

struct Own_Search {
    HWND Main, Popup, Found;
};

// The dialog or box of ours that is shown and takes input (the main window is disabled then).
BOOL CALLBACK Find_Own_Window(HWND H, LPARAM L) {
    auto& S = *reinterpret_cast<Own_Search*>(L);
    if (H == S.Main || H == S.Popup || !IsWindowVisible(H) || !IsWindowEnabled(H) ||
        !(GetWindowLongPtrW(H, GWL_STYLE) & WS_CAPTION))
        return TRUE;
    S.Found = H;
    return FALSE;
}

} // namespace

UINT Hotkey_Mod_Bits(int Modifiers) {
    UINT Mod = MOD_NOREPEAT;
    if (Modifiers & Shift_Mask) Mod |= MOD_SHIFT;
    if (Modifiers & Ctrl_Mask) Mod |= MOD_CONTROL;
    if (Modifiers & Alt_Mask) Mod |= MOD_ALT;
    if (Modifiers & Win_Mask) Mod |= MOD_WIN;
    return Mod;
}

// HOTKEYF_EXT marks an extended key, not the Windows key.
int Modifiers_From_Hotkeyf(int Hotkeyf) {
    return (Hotkeyf & HOTKEYF_SHIFT ? Shift_Mask : 0) |
           (Hotkeyf & HOTKEYF_CONTROL ? Ctrl_Mask : 0) | (Hotkeyf & HOTKEYF_ALT ? Alt_Mask : 0);
}

int Hotkeyf_From_Modifiers(int Modifiers) {
    return (Modifiers & Shift_Mask ? HOTKEYF_SHIFT : 0) |
           (Modifiers & Ctrl_Mask ? HOTKEYF_CONTROL : 0) | (Modifiers & Alt_Mask ? HOTKEYF_ALT : 0);
}

void Paste_Timing_Start() {
    Hotkey_Stamp = Timing_Start();
}

Paste_Popup_Window::Paste_Popup_Window(HINSTANCE Instance) {
    Register_Window_Class(Instance, {.Name = Paste_Popup_Class_Name, .Background = COLOR_BTNFACE});
    if (!Create(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, Paste_Popup_Class_Name, L"PimLoft Quick Paste",
                WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr, nullptr, Instance))
        return;
    Edit_ = Make_Control(Handle(), L"EDIT", L"", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, Edit_Id);
    List_ = Make_Control(Handle(), L"LISTBOX", L"",
                         WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                             LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                         List_Id);
    for (HWND Control : {Edit_, List_})
        SetWindowSubclass(Control, Control_Subclass, 1, reinterpret_cast<DWORD_PTR>(this));
}

Paste_Popup_Window::~Paste_Popup_Window() {
    Events_ = nullptr;
    Destroy();
}

void Paste_Popup_Window::Use_Dpi(int Dpi) {
    Dpi_ = Dpi;
    Font_.Apply(Handle(), Dpi);
    SendMessageW(List_, LB_SETITEMHEIGHT, 0, At_Dpi(Line_Height, Dpi));
}

void Paste_Popup_Window::Show(const Rect& B, int Dpi) {
    Use_Dpi(Dpi);
    {
        // An empty box is no new filter: the choice stays on the selected slot.
        Paste_Popup_Events* Events = std::exchange(Events_, nullptr);
        SetWindowTextW(Edit_, L"");
        Events_ = Events;
    }
    Painted_ = false;
    SetWindowPos(Handle(), HWND_TOPMOST, B.Left, B.Top, B.Width(), B.Height(), SWP_SHOWWINDOW);
    Lay_Out();
    SetForegroundWindow(Handle());
    SetFocus(Edit_);
}

void Paste_Popup_Window::Lay_Out() {
    RECT C{};
    GetClientRect(Handle(), &C);
    const int M = At_Dpi(Margin, Dpi_), E = At_Dpi(Edit_Height, Dpi_);
    SetWindowPos(Edit_, nullptr, M, M, C.right - 2 * M, E, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(List_, nullptr, M, 2 * M + E, C.right - 2 * M, C.bottom - 3 * M - E,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Paste_Popup_Window::Hide() {
    ShowWindow(Handle(), SW_HIDE);
}

bool Paste_Popup_Window::Visible() const {
    return IsWindowVisible(Handle()) != FALSE;
}

void Paste_Popup_Window::Set_Lines(const std::vector<Popup_Line>& Lines) {
    Lines_ = Lines;
    if (std::ranges::any_of(Lines_, [](const Popup_Line& L) { return !L.Note.empty(); }))
        Timing_End(Keystroke_Stamp, "quick paste", "older texts %.3f ms after a keystroke");
    SendMessageW(List_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(List_, LB_RESETCONTENT, 0, 0);
    for (const Popup_Line& Line : Lines_) {
        // What a screen reader reads: the number, the lock, the line and its note.
        std::string Spoken = Line.Number == ' ' ? "" : std::string(1, Line.Number) + " ";
        if (Line.Locked) Spoken += "locked ";
        Spoken += Line.Label;
        if (!Line.Note.empty()) Spoken += ", " + Line.Note;
        SendMessageW(List_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(To_Wide(Spoken).c_str()));
    }
    SendMessageW(List_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(List_, nullptr, TRUE);
}

void Paste_Popup_Window::Set_Choice(int Line) {
    SendMessageW(List_, LB_SETCURSEL, static_cast<WPARAM>(Line), 0);
}

int Paste_Popup_Window::Page_Lines() const {
    RECT C{};
    GetClientRect(List_, &C);
    return C.bottom / At_Dpi(Line_Height, Dpi_);
}

bool Paste_Popup_Window::Key(HWND From, WPARAM Key) {
    if (!Events_) return false;
    const int Modifiers = Modifier_State();
    const bool Ctrl = (Modifiers & Ctrl_Mask) != 0;
    const auto Send = [&](Popup_Key K, int Digit = 0) {
        Events_->Key_Down(K, Modifiers, Digit);
        return true;
    };
    using P = Popup_Key;
    static constexpr std::pair<WPARAM, Popup_Key> Keys[] = {
        {VK_UP, P::Up},          {VK_DOWN, P::Down},     {VK_PRIOR, P::Page_Up},
        {VK_NEXT, P::Page_Down}, {VK_HOME, P::Home},     {VK_END, P::End},
        {VK_RETURN, P::Enter},   {VK_ESCAPE, P::Escape}, {VK_F1, P::F1}};
    if (Key == VK_DELETE && Modifiers == Shift_Mask) return Send(P::Forget);
    for (const auto& [Vk, K] : Keys)
        if (Key == Vk) {
            // In the filter box Home and End move its caret unless Ctrl is down.
            if ((K == P::Home || K == P::End) && From == Edit_ && !Ctrl) return false;
            return Send(K);
        }
    if (!Ctrl) return false;
    if (Key >= '0' && Key <= '9') return Send(P::Digit, static_cast<int>(Key - '0'));
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9)
        return Send(P::Digit, static_cast<int>(Key - VK_NUMPAD0));
    return false;
}

void Paste_Popup_Window::Clicked(int Line) {
    if (Events_) Events_->Line_Clicked(Line);
}

void Paste_Popup_Window::Draw_Line(const DRAWITEMSTRUCT& D) {
    if (D.itemID == static_cast<UINT>(-1) || D.itemID >= Lines_.size()) return;
    const Popup_Line& Line = Lines_[D.itemID];
    const bool Chosen = (D.itemState & ODS_SELECTED) != 0;
    HDC Dc = D.hDC;
    RECT R = D.rcItem;
    FillRect(Dc, &R, GetSysColorBrush(Chosen ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(Dc, TRANSPARENT);
    const COLORREF Ink = GetSysColor(Chosen ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    SetTextColor(Dc, Ink);
    const int Pad = At_Dpi(4, Dpi_), Column = At_Dpi(18, Dpi_);
    RECT Number{R.left + Pad, R.top, R.left + Pad + Column, R.bottom};
    const wchar_t Digit[2] = {static_cast<wchar_t>(Line.Number), 0};
    DrawTextW(Dc, Digit, 1, &Number, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (Line.Locked) { // a small padlock: body and shackle
        const int S = At_Dpi(4, Dpi_), X = Number.right, Y = (R.top + R.bottom) / 2;
        SetDCBrushColor(Dc, Ink);
        const RECT Body{X, Y - S / 2, X + 2 * S, Y + S + S / 2};
        FillRect(Dc, &Body, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        const RECT Shackle{X + S / 2, Y - S - S / 2, X + 2 * S - S / 2, Y - S / 2};
        FrameRect(Dc, &Shackle, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    RECT Text{Number.right + Column, R.top, R.right - Pad, R.bottom};
    if (!Line.Note.empty()) {
        const std::wstring Note = To_Wide(Line.Note);
        RECT Size{};
        DrawTextW(Dc, Note.c_str(), static_cast<int>(Note.size()), &Size,
                  DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
        RECT At{std::max(Text.left, Text.right - (Size.right - Size.left)), R.top, Text.right,
                R.bottom};
        DrawTextW(Dc, Note.c_str(), static_cast<int>(Note.size()), &At,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_RIGHT | DT_END_ELLIPSIS);
        Text.right = At.left - 2 * Pad;
    }
    const std::wstring Label = To_Wide(Line.Label);
    DrawTextW(Dc, Label.c_str(), static_cast<int>(Label.size()), &Text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (D.itemState & ODS_FOCUS) DrawFocusRect(Dc, &R);
}

LRESULT Paste_Popup_Window::Message(HWND H, UINT Msg, WPARAM W, LPARAM L) {
    switch (Msg) {
    case WM_ACTIVATE:
        if (LOWORD(W) == WA_INACTIVE && Events_) Events_->Deactivated();
        break;
    case WM_COMMAND:
        if (LOWORD(W) == Edit_Id && HIWORD(W) == EN_CHANGE && Events_) {
            Keystroke_Stamp = Timing_Start();
            Events_->Filter_Changed(To_Utf8(Window_Text(Edit_)));
        }
        return 0;
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(L)->itemHeight =
            static_cast<UINT>(At_Dpi(Line_Height, Dpi_));
        return TRUE;
    case WM_DRAWITEM:
        Draw_Line(*reinterpret_cast<const DRAWITEMSTRUCT*>(L));
        return TRUE;
    case WM_PAINT:
        if (!Painted_) {
            Painted_ = true;
            Paste_Timing_End();
        }
        break;
    case WM_TIMER:
        if (W == Paste_Timer && Events_) Events_->Paste_Tick();
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_ACTIVATE;
    case WM_DPICHANGED: { // the monitor's scale changed while the popup is open
        Use_Dpi(LOWORD(W));
        const RECT& R = *reinterpret_cast<const RECT*>(L);
        SetWindowPos(H, nullptr, R.left, R.top, R.right - R.left, R.bottom - R.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        Lay_Out();
        InvalidateRect(List_, nullptr, TRUE);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(H, Msg, W, L);
}

Win32_Paste_Desk::Win32_Paste_Desk(HINSTANCE Instance, HWND Main) : Main_(Main), Popup_(Instance) {}

Win32_Paste_Desk::~Win32_Paste_Desk() {
    Unregister_Hotkey();
}

bool Win32_Paste_Desk::Register_Hotkey(int Key, int Modifiers) {
    Unregister_Hotkey();
    Registered_ = RegisterHotKey(Main_, Hotkey_Id, Hotkey_Mod_Bits(Modifiers),
                                 static_cast<UINT>(Key)) != FALSE;
    if (Registered_) Key_ = Key, Modifiers_ = Modifiers;
    return Registered_;
}

void Win32_Paste_Desk::Unregister_Hotkey() {
    if (Registered_) UnregisterHotKey(Main_, Hotkey_Id);
    Registered_ = false;
}

bool Win32_Paste_Desk::Hotkey_Taken(int Key, int Modifiers) {
    if (Registered_ && Key == Key_ && Modifiers == Modifiers_) return false;
    // Only registering tells: the probe is undone at once.
    if (!RegisterHotKey(Popup_.Handle(), Probe_Id, Hotkey_Mod_Bits(Modifiers),
                        static_cast<UINT>(Key)))
        return true;
    UnregisterHotKey(Popup_.Handle(), Probe_Id);
    return false;
}

std::string Win32_Paste_Desk::Key_Name(int Key) const {
    const UINT Char = MapVirtualKeyW(static_cast<UINT>(Key), MAPVK_VK_TO_CHAR) & 0x7FFFFFFF;
    if (Char > L' ') return To_Utf8(std::wstring(1, static_cast<wchar_t>(Char)));
    const UINT Scan = MapVirtualKeyW(static_cast<UINT>(Key), MAPVK_VK_TO_VSC);
    wchar_t Name[64] = {};
    const int Got = GetKeyNameTextW(static_cast<LONG>(Scan << 16), Name, 64);
    return Got > 0 ? To_Utf8(Name, static_cast<size_t>(Got)) : "key " + std::to_string(Key);
}

Paste_Target Win32_Paste_Desk::Focus_Target() {
    Paste_Target T;
    const HWND Front = GetForegroundWindow();
    T.Window = reinterpret_cast<Window_Id>(Front);
    POINT Pointer{};
    GetCursorPos(&Pointer);
    T.Pointer_X = Pointer.x, T.Pointer_Y = Pointer.y;
    GUITHREADINFO Info{};
    Info.cbSize = sizeof Info;
    if (Front && GetGUIThreadInfo(GetWindowThreadProcessId(Front, nullptr), &Info) &&
        Info.hwndCaret) {
        RECT Caret = Info.rcCaret;
        MapWindowPoints(Info.hwndCaret, nullptr, reinterpret_cast<POINT*>(&Caret), 2);
        T.Has_Caret = true;
        T.Caret = {Caret.left, Caret.top, Caret.right, Caret.bottom};
    }
    T.Elevated = Front && Runs_Higher(Front);
    return T;
}

Monitor_Area Win32_Paste_Desk::Monitor_At(int X, int Y) const {
    const HMONITOR Monitor = MonitorFromPoint(POINT{X, Y}, MONITOR_DEFAULTTONEAREST);
    MONITORINFO Info{};
    Info.cbSize = sizeof Info;
    GetMonitorInfoW(Monitor, &Info);
    const RECT& W = Info.rcWork;
    return {{W.left, W.top, W.right, W.bottom}, Monitor_Dpi(Monitor)};
}

void Win32_Paste_Desk::Focus_To(Window_Id Window) {
    if (Window) SetForegroundWindow(reinterpret_cast<HWND>(Window));
}

void Win32_Paste_Desk::Wait_To_Paste(bool On) {
    if (On)
        SetTimer(Popup_.Handle(), Paste_Timer, Paste_Tick_Ms, nullptr);
    else
        KillTimer(Popup_.Handle(), Paste_Timer);
}

bool Win32_Paste_Desk::Keys_Held() {
    for (const int Key : {VK_CONTROL, VK_SHIFT, VK_MENU, VK_LWIN, VK_RWIN})
        if (GetAsyncKeyState(Key) & 0x8000) return true;
    return false;
}

bool Win32_Paste_Desk::Is_Window(Window_Id Window) {
    return Window && IsWindow(reinterpret_cast<HWND>(Window));
}

Window_Id Win32_Paste_Desk::Front_Window() {
    return reinterpret_cast<Window_Id>(GetForegroundWindow());
}

void Win32_Paste_Desk::Send_Paste() {
    INPUT In[4]{};
    const WORD Keys[4] = {VK_CONTROL, 'V', 'V', VK_CONTROL};
    for (int I = 0; I < 4; ++I) {
        In[I].type = INPUT_KEYBOARD;
        In[I].ki.wVk = Keys[I];
        // Remote-desktop and virtual-machine windows pass on scan codes, not virtual keys.
        In[I].ki.wScan = static_cast<WORD>(MapVirtualKeyW(Keys[I], MAPVK_VK_TO_VSC));
        In[I].ki.dwFlags = I >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, In, sizeof(INPUT));
}

void Win32_Paste_Desk::Raise_Own_Window() {
    Own_Search S{Main_, Popup_.Handle(), nullptr};
    EnumThreadWindows(GetCurrentThreadId(), Find_Own_Window, reinterpret_cast<LPARAM>(&S));
    if (S.Found) SetForegroundWindow(S.Found);
}
