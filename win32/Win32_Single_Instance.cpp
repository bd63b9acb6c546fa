#include "win32/Win32_Single_Instance.h"

#include "win32/Win32_Main_Window.h"

namespace {

constexpr wchar_t Mutex_Name[] = L"Local\\PimLoft.Single_Instance";
// The first instance may still be starting up.
constexpr int Find_Tries = 40;
constexpr DWORD Find_Wait_Ms = 50;

} // namespace

bool Another_Instance_Running(Unique_Kernel_Handle& Mutex) {
    Mutex.Reset(CreateMutexW(nullptr, FALSE, Mutex_Name));
    // Without a mutex there is no way to tell: run rather than refuse to start.
    return Mutex && GetLastError() == ERROR_ALREADY_EXISTS;
}

void Show_Running_Instance() {
    const UINT Show = RegisterWindowMessageW(Show_Message_Name);
    for (int Try = 0; Try < Find_Tries; ++Try) {
        if (HWND Running = FindWindowW(Main_Class_Name, nullptr)) {
            // Let the running instance take the foreground: it is the one the user asked for.
            DWORD Pid = 0;
            GetWindowThreadProcessId(Running, &Pid);
            AllowSetForegroundWindow(Pid);
            PostMessageW(Running, Show, 0, 0);
            return;
        }
        Sleep(Find_Wait_Ms);
    }
}
