// The real window in this process, the logic's other services simulated: what the end-to-end
// reader (Reader_Probe) cannot reach from outside. The tray's keyboard, and a reader that
// outlives the window.
#include "commands/Command_Table.h"
#include "mainwindow/Drawing.h"
#include "mainwindow/Startup.h"
#include "platform/PlatformContext.h"
#include "tests/doubles/Fake_Clipboard.h"
#include "tests/doubles/Fake_Dialogs.h"
#include "tests/doubles/Fake_Quick_Paste.h"
#include "tests/doubles/Fake_Services.h"
#include "tests/doubles/Fake_Windows.h"
#include "tests/doubles/List_Notation.h"
#include "tests/doubles/Memory_File_System.h"
#include "win32/Win32_Accessible.h"
#include "win32/Win32_Clipboard.h"
#include "win32/Win32_Main_Window.h"
#include "win32/Win32_Surface.h"
#include "win32/Win32_Text_Codec.h"
#include "win32/Window_Messages.h"

#include <shellapi.h>

#include <cstdio>
#include <memory>

namespace {

int Failures = 0;
#define CHECK(Cond)                                                                                \
    ((Cond) ? void() : (void)(++Failures, std::printf("%s:%d: %s\n", __FILE__, __LINE__, #Cond)))

VARIANT Child(long Id) {
    VARIANT V{};
    V.vt = VT_I4;
    V.lVal = Id;
    return V;
}

void Tray_And_Reader_Tests() {
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
    Fake_Worker Worker;
    Fake_Paste_Desk Paste_Desk;
    Platform_Context P{Window,    Colors, Tray,    Menu,    Box,    Clipboard_,
                       Watcher,   Text,   Files,   Process, Shell_, Printer_,
                       Registry_, Fonts,  Dialogs, Log,     Worker, Paste_Desk};
    Command_Set Kept;
    Main M(P, Kept);
    Install_Commands(M);
    Window.Attach(&M);
    Form_Load(M);
    M.Store.List = Build_List("Alpha|*!Beta|", M.Store.Util.Current_Slot);
    Form_Resize(M);

    IAccessible* Raw = nullptr;
    CHECK(SUCCEEDED(AccessibleObjectFromWindow(Window.Handle(), static_cast<DWORD>(OBJID_CLIENT),
                                               Accessible_Iid, reinterpret_cast<void**>(&Raw))));
    if (!Raw) return;
    Com_Ref<IAccessible> Acc(Raw);
    IAccessible& A = *Acc.Get();

    // The tray by keyboard shows the window, with the focus; its mouse is as before, with
    // version 4's extra events heard once.
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
    BSTR Name = nullptr;
    CHECK(A.get_accName(Child(1), &Name) == CO_E_OBJNOTCONNECTED && !Name);
    CHECK(A.accDoDefaultAction(Child(1)) == CO_E_OBJNOTCONNECTED);
}

} // namespace

int wmain() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Tray_And_Reader_Tests();
    CoUninitialize();
    std::printf("%d failed\n", Failures);
    return Failures == 0 ? 0 : 1;
}
