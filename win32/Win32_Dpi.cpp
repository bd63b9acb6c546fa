#include "win32/Win32_Dpi.h"

#include "win32/Win32_Fonts.h"

namespace {

// Looked up at run time: Windows 7 lacks them, and a static import would stop it loading us.
template <typename Function>
Function System_Function(const wchar_t* Library, const char* Name) {
    HMODULE Module = GetModuleHandleW(Library);
    if (!Module) Module = LoadLibraryW(Library);
    const FARPROC Found = Module ? GetProcAddress(Module, Name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(Found));
}

template <typename Function> Function User32(const char* Name) {
    return System_Function<Function>(L"user32.dll", Name);
}

} // namespace

int Window_Dpi(HWND Window) {
    using Get_Dpi = UINT(WINAPI*)(HWND);
    static const auto Get = User32<Get_Dpi>("GetDpiForWindow");
    const int Dpi = Get && Window ? static_cast<int>(Get(Window)) : 0;
    return Dpi > 0 ? Dpi : Screen_Dpi();
}

SIZE Outer_Size_At(DWORD Style, DWORD Ex_Style, int Width, int Height, int Dpi) {
    using Adjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto Adjust_For_Dpi = User32<Adjust>("AdjustWindowRectExForDpi");
    RECT R{0, 0, Width, Height};
    if (!Adjust_For_Dpi || !Adjust_For_Dpi(&R, Style, FALSE, Ex_Style, static_cast<UINT>(Dpi)))
        AdjustWindowRectEx(&R, Style, FALSE, Ex_Style);
    return SIZE{R.right - R.left, R.bottom - R.top};
}

int Monitor_Dpi(HMONITOR Monitor) {
    using Get_Dpi = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto Get = System_Function<Get_Dpi>(L"shcore.dll", "GetDpiForMonitor");
    UINT X = 0, Y = 0;
    if (Get && SUCCEEDED(Get(Monitor, 0 /* MDT_EFFECTIVE_DPI */, &X, &Y)) && X > 0)
        return static_cast<int>(X);
    return Screen_Dpi();
}
