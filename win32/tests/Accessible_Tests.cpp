// The real window and its accessible object in this process, the logic's other services
// simulated: what the end-to-end reader (Reader_Probe) cannot reach from outside. The events
// of keys and captures, hit testing, the tray's keyboard, and a reader outliving the window.
#include "commands/Command_Table.h"
#include "mainwindow/Drawing.h"
#include "mainwindow/Startup.h"
#include "platform/PlatformContext.h"
#include "tests/doubles/Fake_Clipboard.h"
#include "tests/doubles/Fake_Dialogs.h"
#include "tests/doubles/Fake_Services.h"
#include "tests/doubles/Fake_Windows.h"
#include "tests/doubles/List_Notation.h"
#include "tests/doubles/Memory_File_System.h"
#include "win32/Win32_Accessible.h"
#include "win32/Win32_Clipboard.h"
#include "win32/Win32_Main_Window.h"
#include "win32/Win32_Surface.h"
#include "win32/Win32_Text.h"
#include "win32/Win32_Text_Codec.h"
#include "win32/Window_Messages.h"

#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

int Failures = 0;
#define CHECK(Cond)                                                                                \
    ((Cond) ? void() : (void)(++Failures, std::printf("%s:%d: %s\n", __FILE__, __LINE__, #Cond)))

// What an out-of-context hook heard: "focus 2", "selection 2", "name 1", ...
std::vector<std::string> Heard;
void CALLBACK Hear(HWINEVENTHOOK, DWORD Event, HWND, LONG Object, LONG Child, DWORD, DWORD) {
    if (Object != OBJID_CLIENT) return;
    const char* Name = Event == EVENT_OBJECT_FOCUS               ? "focus"
                       : Event == EVENT_OBJECT_SELECTION         ? "selection"
                       : Event == EVENT_OBJECT_NAMECHANGE        ? "name"
                       : Event == EVENT_OBJECT_DESCRIPTIONCHANGE ? "description"
                       : Event == EVENT_OBJECT_REORDER           ? "reorder"
                                                                 : nullptr;
    if (Name) Heard.push_back(std::string(Name) + " " + std::to_string(Child));
}

void Pump() {
    for (MSG M; PeekMessageW(&M, nullptr, 0, 0, PM_REMOVE);)
        DispatchMessageW(&M);
}

// Every event heard since the last call, in order, space between.
std::string Take_Heard() {
    Pump();
    std::string Out;
    for (const auto& H : Heard)
        Out += (Out.empty() ? "" : ", ") + H;
    Heard.clear();
    return Out;
}

VARIANT Child(long Id) {
    VARIANT V{};
    V.vt = VT_I4;
    V.lVal = Id;
    return V;
}

std::string Text_Of(IAccessible& A, HRESULT (STDMETHODCALLTYPE IAccessible::*Get)(VARIANT, BSTR*),
                    long Id, HRESULT* Result = nullptr) {
    BSTR B = nullptr;
    const HRESULT Hr = (A.*Get)(Child(Id), &B);
    if (Result) *Result = Hr;
    const std::string S = B ? To_Utf8(B, SysStringLen(B)) : "";
    SysFreeString(B);
    return S;
}

void Reader_Tests() {
    Fake_Tray_Icon Tray;
    Fake_Popup_Menu Menu;
    bool Enabled = true;
    Fake_Message_Box Box{Enabled};
    // Held apart so that it can go while a reader holds its object.
    auto Owned = std::make_unique<Win32_Main_Window>(GetModuleHandleW(nullptr));
    Win32_Main_Window& Window = *Owned;
    Win32_System_Colors Colors;
    Win32_Clipboard Clipboard_(Window.Handle());
    Fake_Clipboard_Watcher Watcher;
    Win32_Text_Codec Text;
    Memory_File_System Files;
    Fake_Process_Info Process;
    Fake_Shell Shell_;
    Fake_Printer Printer_;
    Fake_Registry Registry_;
    Fake_Font_Chooser Fonts;
    Fake_Dialog_Factory Dialogs{Enabled};
    Fake_Trace Log;
    Platform_Context P{Window, Colors,  Tray,   Menu,     Box,       Clipboard_, Watcher, Text,
                       Files,  Process, Shell_, Printer_, Registry_, Fonts,      Dialogs, Log};
    Command_Set Kept;
    Main M(P, Kept);
    Install_Commands(M);
    Window.Attach(&M);
    Form_Load(M);
    M.Store.List = Build_List("Alpha|*!Beta|", M.Store.Util.Current_Slot);
    Form_Resize(M);
    mnuShow_Click(M);
    Pump();
    CHECK(GetFocus() == Window.Handle());

    const HWINEVENTHOOK Hook =
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr, Hear,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    CHECK(Hook != nullptr);
    IAccessible* Raw = nullptr;
    CHECK(SUCCEEDED(AccessibleObjectFromWindow(Window.Handle(), static_cast<DWORD>(OBJID_CLIENT),
                                               Accessible_Iid, reinterpret_cast<void**>(&Raw))));
    if (!Raw) return;
    Com_Ref<IAccessible> Acc(Raw);
    IAccessible& A = *Acc.Get();

    // A point on a row finds it; the gap below it, the list.
    long L = 0, T = 0, W = 0, H = 0;
    CHECK(SUCCEEDED(A.accLocation(&L, &T, &W, &H, Child(3))));
    VARIANT Hit{}, Gap{};
    CHECK(SUCCEEDED(A.accHitTest(L + 5, T + H / 2, &Hit)) && Hit.vt == VT_I4 && Hit.lVal == 3);
    CHECK(SUCCEEDED(A.accHitTest(L + 5, T - 1, &Gap)) && Gap.vt == VT_I4 &&
          Gap.lVal == CHILDID_SELF);

    // Each action, and what a reader hears of it.
    Take_Heard();
    CHECK(SUCCEEDED(A.accDoDefaultAction(Child(1))));
    const std::string On_Action = Take_Heard();
    SendMessageW(Window.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    const std::string On_Down = Take_Heard();
    SendMessageW(Window.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    const std::string On_Space = Take_Heard();
    M.Gate.Clipboard_Changed(); // nothing new: our own write
    Win32_Clipboard Other(nullptr);
    Other.Write_Text("copied elsewhere");
    M.Gate.Clipboard_Changed();
    const std::string On_Capture = Take_Heard();
    std::printf("default action on row 1: %s\nDown: %s\nSpace: %s\ncapture: %s\n",
                On_Action.c_str(), On_Down.c_str(), On_Space.c_str(), On_Capture.c_str());
    CHECK(On_Action == "focus 1, selection 1");
    CHECK(On_Down == "focus 2, selection 2");
    CHECK(On_Space == "description 2");
    CHECK(On_Capture == "name 3, focus 3, selection 3");
    CHECK(Text_Of(A, &IAccessible::get_accName, 3) == "copied elsewhere");

    // The tray by keyboard shows the window; its mouse is as before, with version 4's extra
    // events heard once.
    Window.Hide();
    SendMessageW(Window.Handle(), WM_TRAY_ICON, 0, MAKELPARAM(WM_LBUTTONUP, 1));
    SendMessageW(Window.Handle(), WM_TRAY_ICON, 0, MAKELPARAM(NIN_SELECT, 1));
    CHECK(!Window.Visible());
    SendMessageW(Window.Handle(), WM_TRAY_ICON, 0, MAKELPARAM(NIN_KEYSELECT, 1));
    CHECK(Window.Visible() && GetFocus() == Window.Handle());
    SendMessageW(Window.Handle(), WM_TRAY_ICON, 0, MAKELPARAM(WM_RBUTTONUP, 1));
    CHECK(Menu.Shown.empty());
    SendMessageW(Window.Handle(), WM_TRAY_ICON, 0, MAKELPARAM(WM_CONTEXTMENU, 1));
    SendMessageW(Window.Handle(), WM_TRAY_ICON, 0, WM_RBUTTONUP); // an older shell
    CHECK(Menu.Shown.size() == 2);

    // A reader may keep the object after the window is gone.
    Window.Attach(nullptr);
    Owned.reset();
    HRESULT Gone = S_OK;
    Text_Of(A, &IAccessible::get_accName, 1, &Gone);
    CHECK(Gone == CO_E_OBJNOTCONNECTED && A.accDoDefaultAction(Child(1)) == CO_E_OBJNOTCONNECTED);
    UnhookWinEvent(Hook);
}

} // namespace

int wmain() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Reader_Tests();
    CoUninitialize();
    std::printf("%d failed\n", Failures);
    return Failures == 0 ? 0 : 1;
}
