#include "win32/dialogs/About_Window.h"

#include "resources/resource.h"
#include "win32/Win32_Fonts.h"

namespace {

constexpr wchar_t Dialog_Class[] = L"PimLoft_About";
constexpr DWORD Dialog_Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD Dialog_Ex_Style = WS_EX_DLGMODALFRAME;
constexpr int Sys_Info_Id = 200;
constexpr int First_Label_Id = 300;

struct Label_Design {
    About_Control Control;
    const wchar_t* Text;
    int Left, Top, Width, Height; // twips
};

constexpr Label_Design Labels[] = {
    {About_Control::lblTitle, L"Application Title", 1050, 240, 3885, 480},
    {About_Control::lblVersion, L"Version", 1050, 780, 3885, 225},
    {About_Control::lblDescription, L"App Description", 1050, 1125, 3885, 1170},
    {About_Control::lblDisclaimer, L"", 255, 2625, 3870, 825},
};

} // namespace

int About_Window::Px(int Twips) const {
    return MulDiv(Twips, Dpi_, 1440);
}

About_Window::About_Window(HINSTANCE Instance, Modal_Owner& Owner)
    : Modal_{Owner}, Dpi_(Screen_Dpi()),
      Icon_(static_cast<HICON>(LoadImageW(Instance, MAKEINTRESOURCEW(IDI_PIMLOFT), IMAGE_ICON,
                                          GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                          0))) {
    Register_Window_Class(Instance, Dialog_Class, false);
    const SIZE Outer = Outer_Size(Dialog_Style, Dialog_Ex_Style, Px(5730), Px(3555));
    const HWND W = Create(Dialog_Ex_Style, Dialog_Class, L"About", Dialog_Style, CW_USEDEFAULT,
                          CW_USEDEFAULT, Outer.cx, Outer.cy, nullptr, nullptr, Instance);
    if (!W) return;
    // OK first: it is first in the tab order and has the focus when the box opens.
    Make_Control(W, L"BUTTON", L"OK", WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, Px(4245), Px(2625),
                 Px(1260), Px(345), IDOK);
    Make_Control(W, L"BUTTON", L"&System Info...", WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, Px(4260),
                 Px(3075), Px(1245), Px(345), Sys_Info_Id);
    int Id = First_Label_Id;
    for (const Label_Design& L : Labels)
        Controls_[static_cast<size_t>(L.Control)] =
            Make_Control(W, L"STATIC", L.Text, WS_GROUP | SS_LEFT | SS_NOPREFIX, Px(L.Left),
                         Px(L.Top), Px(L.Width), Px(L.Height), Id++);
    const HWND Picture =
        Make_Control(W, L"STATIC", L"", SS_ICON, Px(240), Px(240), Px(540), Px(540), Id);
    if (Picture && Icon_)
        SendMessageW(Picture, STM_SETICON, reinterpret_cast<WPARAM>(Icon_.Get()), 0);
}

About_Window::~About_Window() {
    Leave_Modal(Modal_);
    Destroy(); // the picture lets go of the icon before the icon is destroyed
}

void About_Window::Set_Text(About_Control C, std::string_view Utf8) {
    if (!Handle()) return;
    if (C == About_Control::Caption)
        Set_Text_Utf8(Handle(), Utf8);
    else if (const HWND Target = Controls_[static_cast<size_t>(C)])
        Set_Text_Utf8(Target, Utf8);
}

void About_Window::Show_Modal() {
    const HWND W = Handle();
    if (!W) return;
    Begin_Modal(Modal_, W);
    if (!Show_And_Run(Modal_, W, GetDlgItem(W, IDOK))) Close();
}

void About_Window::Close() {
    End_Modal(Modal_, [this] { Destroy(); });
}

void About_Window::Paint_Line(HDC Dc) const {
    // The etched separator: a grey line over a white one two pixels wide, one pixel lower.
    const int Right = Px(5654) + 1;
    const RECT White{Px(105), Px(2460), Right, Px(2460) + 2};
    const RECT Grey{Px(90), Px(2445), Right, Px(2445) + 1};
    FillRect(Dc, &White, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(Dc, &Grey, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
}

LRESULT About_Window::Message(HWND W, UINT Message, WPARAM Wp, LPARAM Lp) {
    if (Is_Close_Box(Message, Wp)) {
        Close();
        return 0;
    }
    switch (Message) {
    case WM_COMMAND:
        if (HIWORD(Wp) != BN_CLICKED) break;
        if (LOWORD(Wp) == IDOK || LOWORD(Wp) == IDCANCEL) {
            Close();
        } else if (LOWORD(Wp) == Sys_Info_Id && Events_) {
            Events_->cmdSysInfo_Click();
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT Paint{};
        const HDC Dc = BeginPaint(W, &Paint);
        if (Dc) Paint_Line(Dc);
        EndPaint(W, &Paint);
        return 0;
    }
    default:
        if (const auto Answer = Keyboard_Message(Modal_, W, Message, Wp, Lp)) return *Answer;
        break;
    }
    return DefWindowProcW(W, Message, Wp, Lp);
}
