#include "win32/dialogs/About_Window.h"

#include "win32/Win32_Window_Geometry.h"

namespace {

constexpr int Sys_Info_Id = 200;
constexpr int Picture_Id = 304;
// The labels' ids follow About_Control: lblTitle is 300.
constexpr int Label_Id(About_Control C) {
    return 299 + static_cast<int>(C);
}

struct Design {
    int Id;
    const wchar_t* Class;
    const wchar_t* Text;
    DWORD Style;
    int Left, Top, Width, Height; // twips
};

constexpr DWORD Label = WS_GROUP | SS_LEFT | SS_NOPREFIX;

// In tab order, which is creation order: OK has the focus when the box opens.
constexpr Design Designs[] = {
    {IDOK, L"BUTTON", L"OK", WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 4245, 2625, 1260, 345},
    {Sys_Info_Id, L"BUTTON", L"&System Info...", WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 4260, 3075,
     1245, 345},
    {Label_Id(About_Control::lblTitle), L"STATIC", L"Application Title", Label, 1050, 240, 3885,
     480},
    {Label_Id(About_Control::lblVersion), L"STATIC", L"Version", Label, 1050, 780, 3885, 225},
    {Label_Id(About_Control::lblDescription), L"STATIC", L"App Description", Label, 1050, 1125,
     3885, 1170},
    {Label_Id(About_Control::lblDisclaimer), L"STATIC", L"", Label, 255, 2625, 3870, 825},
    // The picture takes the icon's size: a larger one would stretch the icon.
    {Picture_Id, L"STATIC", L"", SS_ICON, 240, 240, 0, 0},
};

} // namespace

About_Window::About_Window(HINSTANCE Instance, Modal_Owner& Owner) : Modal_Window(Owner) {
    // 5730 x 3555 twips
    Open(Instance, {L"PimLoft_About", L"About", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                    WS_EX_DLGMODALFRAME, 382, 237, false});
}

void About_Window::Make_Controls(HWND W, HINSTANCE Instance) {
    for (const Design& D : Designs)
        Make_Control(W, D.Class, D.Text, D.Style, D.Id);
    SendMessageW(GetDlgItem(W, Picture_Id), STM_SETICON,
                 reinterpret_cast<WPARAM>(Program_Icon(Instance, Icon_Size::Large)), 0);
}

int About_Window::Px(int Twips) const {
    return Twips_At_Dpi(Twips, Dpi());
}

void About_Window::Lay_Out(int) {
    for (const Design& D : Designs)
        SetWindowPos(GetDlgItem(Handle(), D.Id), nullptr, Px(D.Left), Px(D.Top), Px(D.Width),
                     Px(D.Height), SWP_NOZORDER | SWP_NOACTIVATE | (D.Width ? 0 : SWP_NOSIZE));
}

void About_Window::Set_Text(About_Control C, std::string_view Utf8) {
    if (!Handle()) return;
    if (C == About_Control::Caption)
        Set_Text_Utf8(Handle(), Utf8);
    else if (const HWND Target = GetDlgItem(Handle(), Label_Id(C)))
        Set_Text_Utf8(Target, Utf8);
}

HWND About_Window::First_Show() {
    return GetDlgItem(Handle(), IDOK);
}

void About_Window::Clicked(int Id) {
    if (Id == IDOK)
        Cancelled(); // all the box's Cancel does
    else if (Id == Sys_Info_Id && Events_)
        Events_->cmdSysInfo_Click();
}

void About_Window::Cancelled() {
    // OK, Esc and the close box alike: the box goes for good.
    End_Modal();
    Destroy();
}

void About_Window::Paint_Line(HDC Dc) const {
    // The etched separator: a grey line over a white one two pixels wide, one pixel lower.
    const int Right = Px(5654) + 1;
    const RECT White{Px(105), Px(2460), Right, Px(2460) + 2};
    const RECT Grey{Px(90), Px(2445), Right, Px(2445) + 1};
    FillRect(Dc, &White, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(Dc, &Grey, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
}

LRESULT About_Window::Other_Message(HWND W, UINT Message, WPARAM Wp, LPARAM Lp) {
    if (Message != WM_PAINT) return DefWindowProcW(W, Message, Wp, Lp);
    PAINTSTRUCT Paint{};
    const HDC Dc = BeginPaint(W, &Paint);
    if (Dc) Paint_Line(Dc);
    EndPaint(W, &Paint);
    return 0;
}
