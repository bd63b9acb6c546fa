// A screen reader in another process, for the end-to-end tests: it finds PimLoft's list,
// prints what a reader is told of it and, given a row, runs that row's default action and
// prints the events it hears until the focus arrives there. One line per fact, "|" between
// fields, UTF-8.
#include "win32/Win32_Accessible.h"
#include "win32/Win32_Main_Window.h"
#include "win32/Win32_Text.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

long Focus_Wanted = -1;
bool Focus_Heard = false;

void CALLBACK Hear(HWINEVENTHOOK, DWORD Event, HWND, LONG Object, LONG Child, DWORD, DWORD) {
    if (Object != OBJID_CLIENT) return;
    const bool Focus = Event == EVENT_OBJECT_FOCUS;
    std::printf("heard|%s %ld\n", Focus ? "focus" : "selection", static_cast<long>(Child));
    Focus_Heard = Focus_Heard || (Focus && Child == Focus_Wanted);
}

VARIANT Child(long Id) {
    VARIANT V{};
    V.vt = VT_I4, V.lVal = Id;
    return V;
}

int Probe(long Act_On) {
    HWND Window = nullptr;
    for (int Try = 0; Try < 200 && !Window; ++Try, Sleep(50))
        Window = FindWindowW(Main_Class_Name, nullptr);
    IAccessible* Raw = nullptr;
    const HRESULT Found = AccessibleObjectFromWindow(
        Window, static_cast<DWORD>(OBJID_CLIENT), Accessible_Iid, reinterpret_cast<void**>(&Raw));
    if (FAILED(Found) || !Raw)
        return std::printf("failed|%08lx\n", static_cast<unsigned long>(Found)), 1;
    Com_Ref<IAccessible> Acc(Raw);
    IAccessible& A = *Raw;
    const auto Text = [&](auto Get, long Id) {
        BSTR B = nullptr;
        (A.*Get)(Child(Id), &B);
        const std::string S = B ? To_Utf8(B, SysStringLen(B)) : "";
        SysFreeString(B);
        return S;
    };
    const auto Number = [&](auto Get, long Id) {
        VARIANT V{};
        return SUCCEEDED((A.*Get)(Child(Id), &V)) && V.vt == VT_I4 ? V.lVal : -1;
    };
    const auto Role = [&](long Id) {
        const long R = Number(&IAccessible::get_accRole, Id);
        return R == ROLE_SYSTEM_LIST ? "list" : R == ROLE_SYSTEM_LISTITEM ? "list item" : "?";
    };
    long Count = 0;
    A.get_accChildCount(&Count);
    POINT Origin{0, 0};
    ClientToScreen(Window, &Origin);
    std::printf("list|%s|%s|%ld\nclient|%ld %ld\n",
                Text(&IAccessible::get_accName, CHILDID_SELF).c_str(), Role(CHILDID_SELF), Count,
                static_cast<long>(Origin.x), static_cast<long>(Origin.y));
    for (long Id = 1; Id <= Count; ++Id) {
        const long State = Number(&IAccessible::get_accState, Id);
        long L = 0, T = 0, W = 0, H = 0;
        A.accLocation(&L, &T, &W, &H, Child(Id));
        std::printf("row|%ld|%s|%s|%s%s|%s|%ld %ld %ld %ld\n", Id,
                    Text(&IAccessible::get_accName, Id).c_str(), Role(Id),
                    State & STATE_SYSTEM_SELECTED ? "selected " : "",
                    State & STATE_SYSTEM_FOCUSED ? "focused" : "",
                    Text(&IAccessible::get_accDescription, Id).c_str(), L, T, W, H);
    }
    if (Act_On <= 0) return 0;
    DWORD Process = 0;
    GetWindowThreadProcessId(Window, &Process);
    const HWINEVENTHOOK Hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr,
                                               Hear, Process, 0, WINEVENT_OUTOFCONTEXT);
    Focus_Wanted = Act_On;
    std::printf("action|%08lx\n", static_cast<unsigned long>(A.accDoDefaultAction(Child(Act_On))));
    std::fflush(stdout);
    for (const DWORD End = GetTickCount() + 10000; !Focus_Heard && GetTickCount() < End;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        for (MSG M; PeekMessageW(&M, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageW(&M);
    }
    UnhookWinEvent(Hook);
    return Focus_Heard ? 0 : 2;
}

} // namespace

int wmain(int Argc, wchar_t** Argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const int Result = Probe(Argc > 1 ? std::wcstol(Argv[1], nullptr, 10) : 0);
    CoUninitialize();
    std::fflush(stdout);
    return Result;
}
