#include "win32/Win32_Main_Window.h"

#include "mainwindow/Accessible_List.h"
#include "mainwindow/Row_Geometry.h"
#include "win32/Win32_Controls.h"
#include "win32/Win32_Dpi.h"
#include "win32/Win32_Fonts.h"
#include "win32/Win32_Text.h"
#include "win32/Win32_Window_Geometry.h"

#include <commctrl.h>

#include <cmath>

namespace {

constexpr wchar_t Tip_Class_Name[] = L"PimLoft.Tip";
constexpr wchar_t Splitter_Class_Name[] = L"PimLoft.Splitter";
constexpr wchar_t Owner_Class_Name[] = L"PimLoft.Owner";
constexpr DWORD Main_Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
// Descriptions can be the first line of a huge text; a tool tip shows only a readable start.
constexpr size_t Max_Tooltip_Units = 1000;
constexpr int Tooltip_Max_Width = 480;

int To_Pixels(double Twips, int Tpp) {
    return static_cast<int>(std::lround(Twips / Tpp));
}

void Register_Classes(HINSTANCE Instance) {
    Register_Window_Class(Instance, {.Name = Main_Class_Name, .Style = CS_DBLCLKS, .Icon = true});
    Register_Window_Class(Instance, {.Name = Tip_Class_Name, .Style = CS_DBLCLKS});
    // The bar paints itself with its class brush, so it follows colour changes unaided.
    Register_Window_Class(Instance, {.Name = Splitter_Class_Name, .Background = COLOR_BTNSHADOW});
    Register_Window_Class(Instance, {.Name = Owner_Class_Name});
}

// comctl32 would let the tool tip be destroyed by another program's close request; that
// request is the main window's to answer.
LRESULT CALLBACK Tooltip_Subclass(HWND H, UINT Msg, WPARAM W, LPARAM L, UINT_PTR Id,
                                  DWORD_PTR Main) {
    if (Msg == WM_CLOSE) {
        PostMessageW(reinterpret_cast<HWND>(Main), WM_CLOSE, 0, 0);
        return 0;
    }
    if (Msg == WM_NCDESTROY) RemoveWindowSubclass(H, Tooltip_Subclass, Id);
    return DefSubclassProc(H, Msg, W, L);
}

} // namespace

void Tip_Window::Create_In(HWND Parent, HINSTANCE Instance) {
    Create(0, Tip_Class_Name, nullptr, WS_CHILD | WS_VISIBLE, 48, 0, 0, 23, Parent, nullptr,
           Instance);
}

void Splitter_Window::Create_In(HWND Parent, HINSTANCE Instance) {
    Create(0, Splitter_Class_Name, nullptr, WS_CHILD, 0, 0, 0, 5, Parent, nullptr, Instance);
}

LRESULT Splitter_Window::Message(HWND H, UINT Msg, WPARAM W, LPARAM L) {
    if (Msg == WM_NCHITTEST) return HTTRANSPARENT; // a drag's events stay with Tip
    return DefWindowProcW(H, Msg, W, L);
}

void Owner_Window::Create_Hidden(HINSTANCE Instance) {
    Create(0, Owner_Class_Name, L"PimLoft", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, Instance);
}

LRESULT Owner_Window::Message(HWND H, UINT Msg, WPARAM W, LPARAM L) {
    // DefWindowProc would destroy it, and the main window with it: the program would run on
    // without an icon.
    if (Msg == WM_CLOSE) {
        Main_.On_Close_Request();
        return 0;
    }
    return DefWindowProcW(H, Msg, W, L);
}

Win32_Main_Window::Win32_Main_Window(HINSTANCE Instance) : Instance_(Instance) {
    Register_Classes(Instance);
    Taskbar_Created_ = RegisterWindowMessageW(L"TaskbarCreated");
    Show_Message_ = RegisterWindowMessageW(Show_Message_Name);

    Owner_.Create_Hidden(Instance);
    const auto Outer_At = [](int Dpi) {
        return Outer_Size_At(Main_Style, 0, At_Dpi(Design_Client_Width, Dpi),
                             At_Dpi(Design_Client_Height, Dpi), Dpi);
    };
    const int Guess = Screen_Dpi();
    const SIZE Outer = Outer_At(Guess);
    if (!Create(0, Main_Class_Name, L"PimLoft", Main_Style, CW_USEDEFAULT, CW_USEDEFAULT, Outer.cx,
                Outer.cy, Owner_.Handle(), nullptr, Instance))
        return;
    Create_Children();
    Take_Dpi(Window_Dpi(Handle()));
    if (Dpi_ != Guess) { // it opened on a monitor of its own dpi
        const SIZE Sized = Outer_At(Dpi_);
        Move_Outer(0, 0, Sized.cx, Sized.cy, SWP_NOMOVE);
    }
    RECT Client{};
    GetClientRect(Handle(), &Client);
    Back_.Resize_Keeping(Client.right, Client.bottom, Background());
}

Win32_Main_Window::~Win32_Main_Window() {
    Set_Events(nullptr);
    Rows_ = nullptr;
    for (const Timer_Id Each : Timer_Ids)
        Stop_Timer(Each);
    // While the back buffer and the child objects its messages use are still here.
    Tooltip_.Reset();
    Destroy();
    Owner_.Destroy();
}

void Win32_Main_Window::Create_Children() {
    Tip_.Create_In(Handle(), Instance_);
    Splitter_.Create_In(Handle(), Instance_);
    Tooltip_.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                   Instance_, nullptr));
    if (!Tooltip_ || !Tip_.Handle()) return;
    SetWindowSubclass(Tooltip_.Get(), Tooltip_Subclass, 1, reinterpret_cast<DWORD_PTR>(Handle()));
    TTTOOLINFOW Tool{};
    Tool.cbSize = TTTOOLINFOW_V2_SIZE; // understood by every comctl32 version
    Tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    Tool.hwnd = Handle();
    Tool.uId = reinterpret_cast<UINT_PTR>(Tip_.Handle());
    Tool.lpszText = Tooltip_Text_.data();
    SendMessageW(Tooltip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&Tool));
    SendMessageW(Tooltip_.Get(), TTM_ACTIVATE, FALSE, 0);
}

void Win32_Main_Window::Take_Dpi(int Dpi) {
    Dpi_ = Dpi;
    Tppx_ = Tppy_ = Twips_Per_Pixel(Dpi);
    Unique_Gdi Font = Gui_Font_At(Dpi);
    Back_.Use_Font(static_cast<HFONT>(Font.Get())); // before the old font is deleted
    List_Font_ = std::move(Font);
    if (Tooltip_)
        SendMessageW(Tooltip_.Get(), TTM_SETMAXTIPWIDTH, 0, At_Dpi(Tooltip_Max_Width, Dpi));
}

Color Win32_Main_Window::Background() const {
    return GetSysColor(COLOR_BTNFACE);
}

int Win32_Main_Window::Window_State() const {
    if (IsIconic(Handle())) return Window_Minimized;
    if (IsZoomed(Handle())) return Window_Maximized;
    return Window_Normal;
}

int Win32_Main_Window::Client_Width() const {
    RECT R{};
    GetClientRect(Handle(), &R);
    return R.right;
}

int Win32_Main_Window::Client_Height() const {
    RECT R{};
    GetClientRect(Handle(), &R);
    return R.bottom;
}

double Win32_Main_Window::Left() const {
    RECT R{};
    GetWindowRect(Handle(), &R);
    return static_cast<double>(R.left) * Tppx_;
}

double Win32_Main_Window::Top() const {
    RECT R{};
    GetWindowRect(Handle(), &R);
    return static_cast<double>(R.top) * Tppy_;
}

double Win32_Main_Window::Width() const {
    RECT R{};
    GetWindowRect(Handle(), &R);
    return static_cast<double>(R.right - R.left) * Tppx_;
}

double Win32_Main_Window::Height() const {
    RECT R{};
    GetWindowRect(Handle(), &R);
    return static_cast<double>(R.bottom - R.top) * Tppy_;
}

void Win32_Main_Window::Move_Outer(int X, int Y, int Cx, int Cy, UINT Flags) {
    SetWindowPos(Handle(), nullptr, X, Y, Cx, Cy, Flags | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32_Main_Window::Set_Left(double Twips) {
    RECT R{};
    GetWindowRect(Handle(), &R);
    Move_Outer(To_Pixels(Twips, Tppx_), R.top, 0, 0, SWP_NOSIZE);
}

void Win32_Main_Window::Set_Top(double Twips) {
    RECT R{};
    GetWindowRect(Handle(), &R);
    Move_Outer(R.left, To_Pixels(Twips, Tppy_), 0, 0, SWP_NOSIZE);
}

void Win32_Main_Window::Set_Width(double Twips) {
    RECT R{};
    GetWindowRect(Handle(), &R);
    Move_Outer(0, 0, To_Pixels(Twips, Tppx_), R.bottom - R.top, SWP_NOMOVE);
}

void Win32_Main_Window::Set_Height(double Twips) {
    RECT R{};
    GetWindowRect(Handle(), &R);
    Move_Outer(0, 0, R.right - R.left, To_Pixels(Twips, Tppy_), SWP_NOMOVE);
}

double Win32_Main_Window::Screen_Width() const {
    return static_cast<double>(GetSystemMetrics(SM_CXSCREEN)) * Tppx_;
}

double Win32_Main_Window::Screen_Height() const {
    return static_cast<double>(GetSystemMetrics(SM_CYSCREEN)) * Tppy_;
}

void Win32_Main_Window::Show() {
    ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(Handle());
    // From the tray by keyboard, the keys must reach the list at once, at the selected slot.
    SetFocus(Handle());
    if (Rows_) Tell_Reader(Reader_Event::Focus, Rows_->Focus());
}

void Win32_Main_Window::Hide() {
    ShowWindow(Handle(), SW_HIDE);
}

bool Win32_Main_Window::Visible() const {
    return IsWindowVisible(Handle()) != FALSE;
}

void Win32_Main_Window::Set_Caption(std::string_view Utf8) {
    Set_Text_Utf8(Handle(), Utf8);
}

void Win32_Main_Window::Set_Topmost(bool On_Top) {
    SetWindowPos(Handle(), On_Top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void Win32_Main_Window::Set_Foreground() {
    SetForegroundWindow(Handle());
}

void Win32_Main_Window::Post_User_Message() {
    PostMessageW(Handle(), WM_USER, 0, 0);
}

void Win32_Main_Window::End_Program() {
    PostQuitMessage(0);
}

void Win32_Main_Window::Clear_Back_Buffer() {
    Back_.Fill_Rect({0, 0, Back_.Width(), Back_.Height()}, Background());
}

void Win32_Main_Window::Present() {
    if (!IsWindowVisible(Handle())) return; // WM_PAINT copies the buffer when shown
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

std::unique_ptr<Surface> Win32_Main_Window::New_Surface(int Width, int Height) {
    return std::make_unique<Win32_Surface>(Width, Height);
}

void Win32_Main_Window::Set_Tip_Bounds(int Left, int Top, int Width, int Height) {
    // No copied bits: Tip shows the back buffer of its new place, not the old row.
    SetWindowPos(Tip_.Handle(), nullptr, Left, Top, Width > 0 ? Width : 0, Height > 0 ? Height : 0,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

void Win32_Main_Window::Set_Tip_Text(std::string_view Utf8) {
    if (!Tooltip_) return;
    std::wstring Text = To_Wide(Utf8.substr(0, Max_Tooltip_Units * 4));
    if (Text.size() > Max_Tooltip_Units) Text = Text.substr(0, Max_Tooltip_Units) + L"\x2026";
    if (Text == Tooltip_Text_) return;
    Tooltip_Text_ = std::move(Text);
    TTTOOLINFOW Tool{};
    Tool.cbSize = TTTOOLINFOW_V2_SIZE;
    Tool.hwnd = Handle();
    Tool.uId = reinterpret_cast<UINT_PTR>(Tip_.Handle());
    Tool.hinst = nullptr;
    Tool.lpszText = Tooltip_Text_.data();
    SendMessageW(Tooltip_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&Tool));
    // An empty description shows no tool tip at all, not an empty box.
    SendMessageW(Tooltip_.Get(), TTM_ACTIVATE, Tooltip_Text_.empty() ? FALSE : TRUE, 0);
}

void Win32_Main_Window::Set_Splitter(bool Visible, int Left, int Top, int Width, int Height) {
    SetWindowPos(Splitter_.Handle(), HWND_TOP, Left, Top, Width > 0 ? Width : 0,
                 Height > 0 ? Height : 0,
                 SWP_NOACTIVATE | (Visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

// A timer's id is its number plus one: 0 is no id.
UINT_PTR Win32_Main_Window::Timer_Number(Timer_Id Id) {
    return static_cast<UINT_PTR>(Id) + 1;
}

void Win32_Main_Window::Start_Timer(Timer_Id Id, int Milliseconds) {
    SetTimer(Handle(), Timer_Number(Id), static_cast<UINT>(Milliseconds > 0 ? Milliseconds : 1),
             nullptr);
}

void Win32_Main_Window::Stop_Timer(Timer_Id Id) {
    if (Handle()) KillTimer(Handle(), Timer_Number(Id));
}

void Win32_Main_Window::Tell_Reader(Reader_Event What, int Row) {
    // Only the window with the keyboard focus may say where the focus is.
    if (What == Reader_Event::Focus && GetFocus() != Handle()) return;
    static constexpr DWORD Events[] = {EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION,
                                       EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE,
                                       EVENT_OBJECT_REORDER}; // in Reader_Event's order
    NotifyWinEvent(Events[static_cast<size_t>(What)], Handle(), OBJID_CLIENT,
                   Row < 0 ? CHILDID_SELF : Row + 1);
}

LRESULT Win32_Main_Window::On_Get_Object(WPARAM W, LPARAM L) {
    if (static_cast<LONG>(L) != OBJID_CLIENT || !Rows_)
        return DefWindowProcW(Handle(), WM_GETOBJECT, W, L);
    if (!Accessible_) Accessible_.Reset(new List_Accessible(*this));
    return LresultFromObject(Accessible_Iid, W, Accessible_.Get());
}

int Win32_Main_Window::Non_Client_Height() const {
    return Outer_Size_At(static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)),
                         static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)), 0, 0, Dpi_)
        .cy;
}
