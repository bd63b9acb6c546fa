#include "win32/Window_Object.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <utility>

namespace {

std::atomic<Trace*> The_Program_Trace{nullptr};

} // namespace

void Debug_Output(std::string_view Where, std::string_view What) {
    char Line[400];
    size_t N = 0;
    for (std::string_view Part :
         {std::string_view("PimLoft: "), Where, std::string_view(": "), What}) {
        const size_t Take = std::min(Part.size(), sizeof Line - 1 - N);
        std::copy_n(Part.data(), Take, Line + N);
        N += Take;
    }
    Line[N++] = '\n';
    wchar_t Wide[sizeof Line];
    const int Units = MultiByteToWideChar(CP_UTF8, 0, Line, static_cast<int>(N), Wide,
                                          static_cast<int>(sizeof Line) - 1);
    Wide[Units > 0 ? Units : 0] = L'\0';
    OutputDebugStringW(Wide);
}

void Set_Program_Trace(Trace* Log) {
    The_Program_Trace = Log;
}
Trace* Program_Trace() {
    return The_Program_Trace;
}

void Report_Failure(const char* What) {
    const std::string_view Said = What ? What : "";
    if (Trace* Log = Program_Trace())
        Log->Failure("window message", Said);
    else
        Debug_Output("window message", Said);
}

Window_Object::~Window_Object() {
    if (!Handle_) return;
    SetWindowLongPtrW(Handle_, GWLP_USERDATA, 0);
    DestroyWindow(std::exchange(Handle_, nullptr));
}

HWND Window_Object::Create(DWORD Ex_Style, const wchar_t* Class, const wchar_t* Title, DWORD Style,
                           int X, int Y, int Width, int Height, HWND Parent, HMENU Menu,
                           HINSTANCE Instance) {
    // Window_Proc casts the parameter back to this base, which need not sit at the start of the
    // derived object.
    CreateWindowExW(Ex_Style, Class, Title, Style, X, Y, Width, Height, Parent, Menu, Instance,
                    static_cast<Window_Object*>(this));
    return Handle_;
}

void Window_Object::Destroy() {
    if (Handle_) DestroyWindow(Handle_); // WM_NCDESTROY clears Handle_
}

LRESULT CALLBACK Window_Object::Window_Proc(HWND Window, UINT Msg, WPARAM W, LPARAM L) {
    if (Msg == WM_NCCREATE) {
        auto* Self =
            static_cast<Window_Object*>(reinterpret_cast<CREATESTRUCTW*>(L)->lpCreateParams);
        SetWindowLongPtrW(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(Self));
        if (Self) Self->Handle_ = Window;
    }
    auto* Self = reinterpret_cast<Window_Object*>(GetWindowLongPtrW(Window, GWLP_USERDATA));
    if (Msg == WM_NCDESTROY && Self) {
        SetWindowLongPtrW(Window, GWLP_USERDATA, 0);
        Self->Handle_ = nullptr;
        Self = nullptr;
    }
    if (!Self) return DefWindowProcW(Window, Msg, W, L);
    try {
        return Self->Message(Window, Msg, W, L);
    } catch (const std::exception& Failure) {
        Report_Failure(Failure.what());
    } catch (...) { // reported all the same: nothing may unwind through the system's code
        Report_Failure("unknown failure");
    }
    return DefWindowProcW(Window, Msg, W, L);
}

LARGE_INTEGER Timing_Start() {
    LARGE_INTEGER Stamp{};
    if (_wgetenv(L"PIMLOFT_TIMING")) QueryPerformanceCounter(&Stamp);
    return Stamp;
}

void Timing_End(LARGE_INTEGER& Stamp, const char* Where, const char* Format) {
    if (Stamp.QuadPart == 0) return;
    LARGE_INTEGER Now{}, Rate{};
    QueryPerformanceCounter(&Now);
    QueryPerformanceFrequency(&Rate);
    const double Ms = double(Now.QuadPart - Stamp.QuadPart) * 1000.0 / double(Rate.QuadPart);
    Stamp.QuadPart = 0;
    char What[64];
    std::snprintf(What, sizeof What, Format, Ms);
    if (Trace* Log = Program_Trace()) Log->Note(Where, What);
}
