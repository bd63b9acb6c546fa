#include "win32/dialogs/Modal_Window.h"

#include "resources/resource.h"
#include "win32/Win32_Dpi.h"
#include "win32/Win32_Text.h"
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
    if (Main_) PostMessageW(Main_, WM_HELP_KEY, static_cast<WPARAM>(Shift_State()), 0);
}

namespace {

// Pumps messages, with the dialog keys (Tab, arrows, Enter, Esc), while the dialog runs.
// False when WM_QUIT ended it; the quit is posted again for the outer loop.
bool Run_Modal_Loop(const Modal_State& State, HWND Dialog) {
    MSG Message{};
    while (State.Running) {
        const BOOL Got = GetMessageW(&Message, nullptr, 0, 0);
        if (Got == 0) {
            PostQuitMessage(static_cast<int>(Message.wParam));
            return false;
        }
        if (Got == -1) return false;
        // F1 anywhere in the dialog, its controls included.
        if (Message.message == WM_KEYDOWN && Message.wParam == VK_F1 &&
            (Message.hwnd == Dialog || IsChild(Dialog, Message.hwnd))) {
            State.Owner.Help();
            continue;
        }
        if (IsWindow(Dialog) && IsDialogMessageW(Dialog, &Message)) continue;
        TranslateMessage(&Message);
        DispatchMessageW(&Message);
    }
    return true;
}

} // namespace

void Register_Window_Class(HINSTANCE Instance, const wchar_t* Name, bool With_Icon) {
    WNDCLASSEXW Class{};
    Class.hInstance = Instance;
    Class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    Class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    Class.lpszClassName = Name;
    if (With_Icon) {
        // Shared icons from LoadImage with LR_SHARED belong to the system: nothing to free.
        Class.hIcon = static_cast<HICON>(LoadImageW(Instance, MAKEINTRESOURCEW(IDI_PIMLOFT),
                                                    IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
        Class.hIconSm = static_cast<HICON>(LoadImageW(Instance, MAKEINTRESOURCEW(IDI_PIMLOFT),
                                                      IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    }
    Window_Object::Register(Class); // a second view of the same kind finds it registered already
}

HWND Make_Control(HWND Parent, const wchar_t* Class, const wchar_t* Text, DWORD Style, int Left,
                  int Top, int Width, int Height, int Id, DWORD Ex_Style) {
    const HWND Control = CreateWindowExW(
        Ex_Style, Class, Text, Style | WS_CHILD | WS_VISIBLE, Left, Top, Width, Height, Parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(Id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(Parent, GWLP_HINSTANCE)), nullptr);
    if (Control)
        SendMessageW(Control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return Control;
}

SIZE Outer_Size(DWORD Style, DWORD Ex_Style, int Inner_Width, int Inner_Height) {
    RECT R{0, 0, Inner_Width, Inner_Height};
    AdjustWindowRectEx(&R, Style, FALSE, Ex_Style);
    return SIZE{R.right - R.left, R.bottom - R.top};
}

int Size_For_Dpi(HWND Dialog, int Width, int Height) {
    const int Dpi = Window_Dpi(Dialog);
    const SIZE Outer = Outer_Size_At(static_cast<DWORD>(GetWindowLongPtrW(Dialog, GWL_STYLE)),
                                     static_cast<DWORD>(GetWindowLongPtrW(Dialog, GWL_EXSTYLE)),
                                     At_Dpi(Width, Dpi), At_Dpi(Height, Dpi), Dpi);
    SetWindowPos(Dialog, nullptr, 0, 0, Outer.cx, Outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return Dpi;
}

namespace {

BOOL CALLBACK Set_Font(HWND Control, LPARAM Font) {
    SendMessageW(Control, WM_SETFONT, static_cast<WPARAM>(Font), TRUE);
    return TRUE;
}

} // namespace

void Control_Font::Apply(HWND Dialog, int Dpi) {
    Unique_Gdi Font = Gui_Font_At(Dpi);
    if (!Font) return;
    EnumChildWindows(Dialog, Set_Font, reinterpret_cast<LPARAM>(Font.Get()));
    Font_ = std::move(Font); // no control uses the old one any more
}

void Centre_On_Screen(HWND Window) {
    POINT Pointer{};
    GetCursorPos(&Pointer);
    MONITORINFO Monitor{};
    Monitor.cbSize = sizeof Monitor;
    if (!GetMonitorInfoW(MonitorFromPoint(Pointer, MONITOR_DEFAULTTONEAREST), &Monitor)) return;
    RECT Outer{};
    GetWindowRect(Window, &Outer);
    const RECT& Work = Monitor.rcWork;
    const int Width = Outer.right - Outer.left, Height = Outer.bottom - Outer.top;
    int Left = Work.left + (Work.right - Work.left - Width) / 2;
    int Top = Work.top + (Work.bottom - Work.top - Height) / 2;
    // A window larger than the screen keeps its caption reachable.
    if (Left < Work.left) Left = Work.left;
    if (Top < Work.top) Top = Work.top;
    SetWindowPos(Window, nullptr, Left, Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

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

void Set_Text_Utf8(HWND Window, std::string_view Utf8) {
    SetWindowTextW(Window, To_Wide(Utf8).c_str());
}

std::wstring Window_Text(HWND Window) {
    const int Length = GetWindowTextLengthW(Window);
    if (Length <= 0) return {};
    std::wstring Text(static_cast<size_t>(Length) + 1, L'\0');
    const int Got = GetWindowTextW(Window, Text.data(), Length + 1);
    Text.resize(Got > 0 ? static_cast<size_t>(Got) : 0);
    return Text;
}

bool Begin_Modal(Modal_State& State, HWND Dialog) {
    if (!State.Running) {
        State.Owner.Enter();
        State.Entered = State.Running = true;
    }
    if (State.Shown_Before) return false;
    State.Shown_Before = true;
    Centre_On_Screen(Dialog);
    return true;
}

bool Show_And_Run(Modal_State& State, HWND Dialog, HWND Focus) {
    ShowWindow(Dialog, SW_SHOW);
    SetForegroundWindow(Dialog);
    if (Focus) SetFocus(Focus);
    return Run_Modal_Loop(State, Dialog) || !State.Running;
}

void Leave_Modal(Modal_State& State) {
    State.Running = false;
    if (State.Entered) {
        State.Entered = false;
        State.Owner.Leave(); // before the dialog goes, so that the main window may be activated
    }
}

HWND Focus_To_Restore(const Modal_State& State) {
    const HWND Focus = State.Last_Focus;
    // A control the logic disabled meanwhile would swallow the keys.
    return Focus && IsWindow(Focus) && IsWindowEnabled(Focus) ? Focus : nullptr;
}

bool Is_Close_Box(UINT Message, WPARAM W) {
    return Message == WM_SYSCOMMAND && (W & 0xFFF0) == SC_CLOSE;
}

std::optional<LRESULT> Keyboard_Message(const Modal_State& State, HWND Dialog, UINT Message,
                                        WPARAM W, LPARAM L) {
    if (Message == DM_GETDEFID) return MAKELRESULT(IDOK, DC_HASDEFID);
    if (Message == WM_CLOSE) {
        State.Owner.Close_Request();
        return 0;
    }
    if (Message == WM_NEXTDLGCTL) {
        Next_Control(Dialog, W, L);
        return 0;
    }
    return std::nullopt;
}

std::optional<LRESULT> Modal_Message(Modal_State& State, HWND Dialog, UINT Message, WPARAM W,
                                     LPARAM L) {
    if (Message != WM_ACTIVATE) return Keyboard_Message(State, Dialog, Message, W, L);
    if (LOWORD(W) == WA_INACTIVE) {
        const HWND Focus = GetFocus();
        if (Focus && IsChild(Dialog, Focus)) State.Last_Focus = Focus;
    } else if (const HWND Focus = Focus_To_Restore(State)) {
        SetFocus(Focus);
        return 0;
    }
    return std::nullopt;
}
