#include "win32/Win32_Controls.h"

#include "win32/Win32_Fonts.h"
#include "win32/Win32_Text.h"
#include "win32/Window_Object.h"

#include <winspool.h>

void Register_Window_Class(HINSTANCE Instance, const Window_Class& Class) {
    WNDCLASSEXW W{};
    W.cbSize = sizeof W;
    W.style = Class.Style;
    W.lpfnWndProc = Window_Object::Window_Proc;
    W.hInstance = Instance;
    W.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    if (Class.Background >= 0)
        W.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(Class.Background + 1));
    W.lpszClassName = Class.Name;
    if (Class.Icon) {
        W.hIcon = Program_Icon(Instance, Icon_Size::Large);
        W.hIconSm = Program_Icon(Instance, Icon_Size::Small);
    }
    RegisterClassExW(&W);
}

HICON Program_Icon(HINSTANCE Instance, Icon_Size Size, int Id) {
    const bool Small = Size == Icon_Size::Small;
    return static_cast<HICON>(LoadImageW(Instance, MAKEINTRESOURCEW(Id), IMAGE_ICON,
                                         GetSystemMetrics(Small ? SM_CXSMICON : SM_CXICON),
                                         GetSystemMetrics(Small ? SM_CYSMICON : SM_CYICON),
                                         LR_SHARED));
}

HWND Make_Control(HWND Parent, const wchar_t* Class, const wchar_t* Text, DWORD Style, int Id,
                  DWORD Ex_Style) {
    return CreateWindowExW(Ex_Style, Class, Text, Style | WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, Parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(Id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(Parent, GWLP_HINSTANCE)),
                           nullptr);
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

Unique_Gdi Gui_Font_At(int Dpi) {
    LOGFONTW Log{};
    if (!GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof Log, &Log)) return {};
    // Scaled from its 96-dpi height and rounded toward the smaller font: the system's own
    // rounding at the screen's dpi may make text outgrow controls that grow by the dpi alone.
    Log.lfHeight = MulDiv(Log.lfHeight, 96, Screen_Dpi()) * Dpi / 96;
    return Unique_Gdi(CreateFontIndirectW(&Log));
}

namespace {

BOOL CALLBACK Set_Font(HWND Control, LPARAM Font) {
    SendMessageW(Control, WM_SETFONT, static_cast<WPARAM>(Font), TRUE);
    return TRUE;
}

} // namespace

void Control_Font::Apply(HWND Window, int Dpi) {
    Unique_Gdi Font = Gui_Font_At(Dpi);
    if (!Font) return;
    EnumChildWindows(Window, Set_Font, reinterpret_cast<LPARAM>(Font.Get()));
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

std::wstring Default_Printer(DWORD* Why) {
    DWORD Chars = 0;
    GetDefaultPrinterW(nullptr, &Chars);
    std::wstring Name(Chars, L'\0');
    if (Chars == 0 || !GetDefaultPrinterW(Name.data(), &Chars)) {
        if (Why) *Why = GetLastError();
        return {};
    }
    Name.resize(wcslen(Name.c_str()));
    return Name;
}
