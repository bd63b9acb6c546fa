#pragma once
#include "platform/Trace.h"

#include <windows.h>

#include <string_view>

// The base of every window class of ours: the object given at creation handles the window's
// messages from WM_NCCREATE to WM_NCDESTROY, through one virtual Message. A failure stops at
// the window procedure: it goes to the trace and the message gets DefWindowProc's
// answer.
class Window_Object {
  public:
    Window_Object() = default;
    Window_Object(const Window_Object&) = delete;
    Window_Object& operator=(const Window_Object&) = delete;

    HWND Handle() const { return Handle_; }
    void Destroy();
    // The procedure of every window class of ours (Register_Window_Class).
    static LRESULT CALLBACK Window_Proc(HWND Window, UINT Msg, WPARAM W, LPARAM L);

  protected:
    // Destroys a window still standing without its object: a derived destructor destroys it
    // first, while the members its messages use are alive.
    virtual ~Window_Object();
    HWND Create(DWORD Ex_Style, const wchar_t* Class, const wchar_t* Title, DWORD Style, int X,
                int Y, int Width, int Height, HWND Parent, HMENU Menu, HINSTANCE Instance);
    virtual LRESULT Message(HWND Window, UINT Msg, WPARAM W, LPARAM L) = 0;

  private:
    HWND Handle_ = nullptr;
};

// A window procedure's failure: to the program's trace, else to the debugger output.
void Report_Failure(const char* What);
// "PimLoft: where: what" on the debugger output, without allocating: it may report that memory
// ran out.
void Debug_Output(std::string_view Where, std::string_view What);
// The trace for code no context reaches (window procedures, timings), or null. Set before any
// thread starts, cleared after the last one ends.
void Set_Program_Trace(Trace* Log);
Trace* Program_Trace();
// With PIMLOFT_TIMING set, what some steps cost goes to the program's trace in ms, for the
// tests that measure them. Timing_Start: a stamp of now while it is set, otherwise none (0).
// Timing_End: Format with the ms since Stamp, told once (the stamp is cleared), for Where.
LARGE_INTEGER Timing_Start();
void Timing_End(LARGE_INTEGER& Stamp, const char* Where, const char* Format);
