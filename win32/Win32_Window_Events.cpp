// The messages of the main window and of Tip: each goes to one typed handler, and the handlers
// translate it into the window's events. Win32 numbers stop here.
#include "win32/Win32_Main_Window.h"

#include "mainwindow/Row_Geometry.h"
#include "platform/Scoped_Flag.h"
#include "win32/Win32_Quick_Paste.h"
#include "win32/Win32_Tray_Icon.h"
#include "win32/Win32_Window_Geometry.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace {

// What each clipboard change costs the window's thread, when timed.
void Clipboard_Changed(Main_Window_Events& Events) {
    LARGE_INTEGER Stamp = Timing_Start();
    Events.Clipboard_Changed();
    Timing_End(Stamp, "capture", "%.3f ms on the window's thread");
}

// The keys the logic has commands for; every other key is Key::Other.
Key Key_Of(WPARAM Virtual_Key) {
    static constexpr std::pair<WPARAM, Key> Keys[] = {
        {'N', Key::N},
        {'P', Key::P},
        {'C', Key::C},
        {'X', Key::X},
        {VK_DELETE, Key::Delete},
        {VK_UP, Key::Up},
        {VK_DOWN, Key::Down},
        {VK_F1, Key::F1},
        {VK_SPACE, Key::Space},
        {VK_RETURN, Key::Enter},
        {VK_F10, Key::F10},
        {VK_APPS, Key::Apps},
    };
    const auto Found = std::ranges::find(Keys, Virtual_Key, &std::pair<WPARAM, Key>::first);
    return Found != std::end(Keys) ? Found->second : Key::Other;
}

// With NOTIFYICON_VERSION_4 the icon's id rides in the high word, and the shell adds
// WM_CONTEXTMENU after a right-button release and NIN_SELECT after a left one: those two are
// the mouse's events already seen, not new ones. NIN_SELECT on its own is Enter on the icon.
Tray_Event Tray_Event_Of(UINT Message, bool Version_4, UINT Previous) {
    switch (Message) {
    case WM_LBUTTONDBLCLK:
        return Tray_Event::Double_Click;
    case WM_RBUTTONUP:
        return Version_4 ? Tray_Event::Other : Tray_Event::Right_Up;
    case WM_CONTEXTMENU:
        return Tray_Event::Right_Up;
    case NIN_KEYSELECT:
        return Tray_Event::Key_Select;
    case NIN_SELECT:
        return Previous == WM_LBUTTONUP ? Tray_Event::Other : Tray_Event::Key_Select;
    default:
        return Tray_Event::Other;
    }
}

double Tip_Twips(int Pixels) {
    return Pixels * Tip_Twips_Per_Pixel;
}

bool Buttons_Held(WPARAM Keys) {
    return (Keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0;
}

// Our own release at the end of a press is not a lost capture.
bool Releasing_Capture = false;

void Release_Capture_Of(HWND H, WPARAM Keys) {
    if (Buttons_Held(Keys) || GetCapture() != H) return;
    Releasing_Capture = true;
    ReleaseCapture();
    Releasing_Capture = false;
}

// Alt+Tab, the Windows key or a screen lock took the pointer away in the middle of a press.
bool Capture_Lost(HWND H, UINT Msg, LPARAM L) {
    if (Msg == WM_CANCELMODE) return true;
    return Msg == WM_CAPTURECHANGED && !Releasing_Capture && reinterpret_cast<HWND>(L) != H;
}

struct No_Events final : Main_Window_Events {
    void Pointer(const Pointer_Event&) override {}
    void Capture_Lost() override {}
    void Key_Down(Key, int) override {}
    void Tray(Tray_Event, Menu_Place) override {}
    void Timer(Timer_Id) override {}
    void Clipboard_Changed() override {}
    void Worker_Done(Work_Lane) override {}
    void Hotkey() override {}
    void Close(Unload_Mode) override {}
    void Resized() override {}
    void Dpi_Changed() override {}
    void Colors_Changed() override {}
    void Taskbar_Created() override {}
    void Show_Asked() override {}
};

} // namespace

Main_Window_Events& Win32_Main_Window::Nowhere() {
    static No_Events None;
    return None;
}

void Win32_Main_Window::Set_Events(Main_Window_Events* Events) {
    Events_ = Events ? Events : &Nowhere();
}

LRESULT Win32_Main_Window::Message(HWND H, UINT Msg, WPARAM W, LPARAM L) {
    if (const Pointer_Message P = Pointer_Message_Of(Msg); P.Kind != Pointer_Kind::None) {
        Dispatch_Pointer(*this, P, W, L);
        return 0;
    }
    if (Capture_Lost(H, Msg, L)) Events_->Capture_Lost();
    switch (Msg) {
    case WM_PAINT:
        On_Paint(H);
        return 0;
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers every pixel
    case WM_SIZE:
        On_Size();
        return 0;
    case WM_SIZING:
        On_Sizing(W, *reinterpret_cast<RECT*>(L));
        return TRUE;
    case WM_GETMINMAXINFO:
        On_Min_Max_Info(*reinterpret_cast<MINMAXINFO*>(L));
        return 0;
    case WM_DPICHANGED:
        On_Dpi_Changed(HIWORD(W), *reinterpret_cast<const RECT*>(L));
        return 0;
    case WM_KEYDOWN:
        On_Key_Down(W);
        return 0;
    case WM_SYSKEYDOWN: {
        // Shift+F10 opened the row menu; the system's F10 would enter the window menu after it.
        const bool Row_Menu = W == VK_F10 && Modifier_State() == Shift_Mask;
        On_Key_Down(W);
        if (Row_Menu) return 0;
        break; // Alt+F4 and Alt+Space still work
    }
    case WM_HELP_KEY:
        Events_->Key_Down(Key::F1, static_cast<int>(W));
        return 0;
    case WM_SYSCOMMAND:
        // The close box, the system menu's Close and Alt+F4; a bare WM_CLOSE comes from
        // another program.
        if ((W & 0xFFF0) != SC_CLOSE) break;
        On_Close_Box();
        return 0;
    case WM_CLOSE:
        On_Close_Request();
        return 0;
    case WM_QUERYENDSESSION:
        if (L & ENDSESSION_CLOSEAPP) On_End_Session(); // Restart Manager
        return TRUE;
    case WM_ENDSESSION:
        if (W) On_End_Session();
        return 0;
    case WM_SYSCOLORCHANGE:
        Events_->Colors_Changed();
        return 0;
    case WM_CLIPBOARDUPDATE:
        Clipboard_Changed(*Events_);
        return 0;
    case WM_TIMER:
        On_Timer(W);
        return 0;
    case WM_WORKER_DONE:
        // Any program may post our message number: only a lane we have is heard.
        if (W < WPARAM(Work_Lanes)) Events_->Worker_Done(static_cast<Work_Lane>(W));
        return 0;
    case WM_HOTKEY:
        Paste_Timing_Start();
        Events_->Hotkey();
        return 0;
    case WM_TRAY_ICON:
        On_Tray(W, L);
        return 0;
    case WM_GETOBJECT:
        return On_Get_Object(W, L);
    case WM_DESTROY:
        Accessible_.Reset(); // a reader holding the object now gets "not connected"
        break;
    default:
        if (Msg == Taskbar_Created_ && Taskbar_Created_ != 0) {
            Events_->Taskbar_Created();
            return 0;
        }
        if (Msg == Show_Message_ && Show_Message_ != 0) {
            Events_->Show_Asked();
            return 0;
        }
        break;
    }
    return DefWindowProcW(H, Msg, W, L);
}

LRESULT Tip_Window::Message(HWND H, UINT Msg, WPARAM W, LPARAM L) {
    if (const Pointer_Message P = Pointer_Message_Of(Msg); P.Kind != Pointer_Kind::None) {
        Dispatch_Pointer(*this, P, W, L);
        return 0;
    }
    if (Capture_Lost(H, Msg, L)) Main_.Events().Capture_Lost();
    switch (Msg) {
    case WM_PAINT:
        On_Paint(H);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_GETOBJECT: // a reader's pointer over a row lands here: it is the list's row
        if (static_cast<LONG>(L) == OBJID_CLIENT) return SendMessageW(GetParent(H), Msg, W, L);
        break;
    default:
        break;
    }
    return DefWindowProcW(H, Msg, W, L);
}

void Win32_Main_Window::On_Paint(HWND H) {
    PAINTSTRUCT Ps{};
    HDC Dc = BeginPaint(H, &Ps);
    if (!Dc) return;
    const RECT& R = Ps.rcPaint;
    BitBlt(Dc, R.left, R.top, R.right - R.left, R.bottom - R.top, Back_.Dc(), R.left, R.top,
           SRCCOPY);
    // Beyond the buffer (a moment before WM_SIZE has grown it): the background.
    SetDCBrushColor(Dc, Background());
    const auto Brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    if (R.right > Back_.Width()) {
        RECT Right{std::max<LONG>(R.left, Back_.Width()), R.top, R.right, R.bottom};
        FillRect(Dc, &Right, Brush);
    }
    if (R.bottom > Back_.Height()) {
        RECT Below{R.left, std::max<LONG>(R.top, Back_.Height()), R.right, R.bottom};
        FillRect(Dc, &Below, Brush);
    }
    EndPaint(H, &Ps);
}

void Win32_Main_Window::On_Size() {
    RECT Client{};
    GetClientRect(Handle(), &Client);
    // Minimized, the client area is empty; the buffer keeps its rows for the restore.
    if (Client.right > 0 && Client.bottom > 0)
        Back_.Resize_Keeping(Client.right, Client.bottom, Background());
    if (!Changing_Dpi_) Events_->Resized();
}

void Win32_Main_Window::On_Dpi_Changed(int Dpi, const RECT& Suggested) {
    Take_Dpi(Dpi);
    {
        // The rows are laid out once, at the new scale, after the move.
        Scoped_Flag Scope(Changing_Dpi_);
        Move_Outer(Suggested.left, Suggested.top, Suggested.right - Suggested.left,
                   Suggested.bottom - Suggested.top, 0);
    }
    Events_->Dpi_Changed();
}

void Win32_Main_Window::On_Sizing(WPARAM Edge, RECT& Proposed) {
    if (Window_State() != Window_Normal) return;
    RECT Now{};
    GetWindowRect(Handle(), &Now);
    Keep_Height(Proposed, Edge, Now.bottom - Now.top);
}

void Win32_Main_Window::On_Min_Max_Info(MINMAXINFO& Info) {
    // The system caps a window at about the screen; a full list is taller than many screens.
    const List_Metrics G = Metrics_At(Dpi());
    const int Full = Max_Slots * G.Pitch - (G.Pitch - G.Height) + Non_Client_Height();
    Info.ptMaxTrackSize.y = std::max<LONG>(Info.ptMaxTrackSize.y, Full);
}

void Win32_Main_Window::On_Button_Down(int Button, LPARAM L) {
    SetCapture(Handle()); // the release comes back here even outside the window
    Events_->Pointer({Pointer_Area::Surface, Pointer_Action::Down, Button, Modifier_State(),
                      double(GET_X_LPARAM(L)), double(GET_Y_LPARAM(L))});
}

void Win32_Main_Window::On_Button_Up(int Button, WPARAM W, LPARAM L) {
    Release_Capture_Of(Handle(), W);
    Events_->Pointer({Pointer_Area::Surface, Pointer_Action::Up, Button, Modifier_State(),
                      double(GET_X_LPARAM(L)), double(GET_Y_LPARAM(L))});
}

void Win32_Main_Window::On_Mouse_Move(WPARAM W, LPARAM L) {
    Events_->Pointer({Pointer_Area::Surface, Pointer_Action::Move, Held_Buttons(W),
                      Modifier_State(), double(GET_X_LPARAM(L)), double(GET_Y_LPARAM(L))});
}

void Win32_Main_Window::On_Double_Click() {
    SetCapture(Handle());
    Events_->Pointer({Pointer_Area::Surface, Pointer_Action::Double_Click});
}

void Win32_Main_Window::On_Key_Down(WPARAM Key) {
    Events_->Key_Down(Key_Of(Key), Modifier_State());
}

void Win32_Main_Window::On_Close_Box() {
    Events_->Close(Unload_Mode::Close_Box);
}

void Win32_Main_Window::On_Close_Request() {
    // Every window of ours gets the same request, and the exit-anyway question runs a loop in
    // which the others arrive: the first one is answered, the rest are dropped.
    if (In_Close_Request_) return;
    Scoped_Flag Scope(In_Close_Request_);
    Events_->Close(Unload_Mode::Close_Request);
}

void Win32_Main_Window::On_End_Session() {
    // The process may be ended as soon as this returns: save now, ask nothing.
    Events_->Close(Unload_Mode::Session_End);
}

void Win32_Main_Window::On_Tray(WPARAM Where, LPARAM Event) {
    const UINT Message = LOWORD(Event);
    const bool Version_4 = HIWORD(Event) != 0;
    const UINT Previous = std::exchange(Last_Tray_Message_, Message);
    // Version 4 tells where: the pointer for a click, the icon for Shift+F10 or the menu key.
    const Menu_Place Place =
        Version_4 ? Menu_Place{Menu_Place::Origin::Screen, GET_X_LPARAM(Where), GET_Y_LPARAM(Where)}
                  : Menu_Place{};
    Events_->Tray(Tray_Event_Of(Message, Version_4, Previous), Place);
}

void Win32_Main_Window::On_Timer(UINT_PTR Id) {
    KillTimer(Handle(), Id); // one shot; the logic starts it again when it needs it
    for (const Timer_Id Each : Timer_Ids)
        if (Id == Timer_Number(Each)) Events_->Timer(Each);
}

void Tip_Window::On_Paint(HWND H) {
    PAINTSTRUCT Ps{};
    HDC Dc = BeginPaint(H, &Ps);
    if (!Dc) return;
    // Tip has no look of its own: it shows the rows beneath it.
    POINT Origin{0, 0};
    MapWindowPoints(H, Main_.Handle(), &Origin, 1);
    const RECT& R = Ps.rcPaint;
    BitBlt(Dc, R.left, R.top, R.right - R.left, R.bottom - R.top, Main_.Buffer().Dc(),
           Origin.x + R.left, Origin.y + R.top, SRCCOPY);
    EndPaint(H, &Ps);
}

void Tip_Window::On_Button_Down(int Button, LPARAM L) {
    SetCapture(Handle()); // a drag keeps reporting to Tip wherever the pointer goes
    Main_.Events().Pointer({Pointer_Area::Tip, Pointer_Action::Down, Button, Modifier_State(),
                            Tip_Twips(GET_X_LPARAM(L)), Tip_Twips(GET_Y_LPARAM(L))});
}

void Tip_Window::On_Button_Up(int Button, WPARAM W, LPARAM L) {
    Release_Capture_Of(Handle(), W);
    Main_.Events().Pointer({Pointer_Area::Tip, Pointer_Action::Up, Button, Modifier_State(),
                            Tip_Twips(GET_X_LPARAM(L)), Tip_Twips(GET_Y_LPARAM(L))});
}

void Tip_Window::On_Mouse_Move(WPARAM W, LPARAM L) {
    Main_.Events().Pointer({Pointer_Area::Tip, Pointer_Action::Move, Held_Buttons(W),
                            Modifier_State(), Tip_Twips(GET_X_LPARAM(L)),
                            Tip_Twips(GET_Y_LPARAM(L))});
}

void Tip_Window::On_Double_Click() {
    SetCapture(Handle());
    Main_.Events().Pointer({Pointer_Area::Tip, Pointer_Action::Double_Click});
}
