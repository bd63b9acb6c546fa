#pragma once
#include <windows.h>

// The base of every window class of ours: the object given at creation handles the window's
// messages from WM_NCCREATE to WM_NCDESTROY, through one virtual Message. A failure stops at
// the window procedure: it goes to the debugger output and the message gets DefWindowProc's
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

// "PimLoft: " and What on the debugger output; the one report a window procedure gives.
void Report_Failure(const char* What);
