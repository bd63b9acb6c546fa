#pragma once
#include <windows.h>

#include "win32/Unique_Handle.h"
#include "win32/Window_Object.h"

#include <optional>
#include <string>
#include <string_view>

// What the three dialog windows share: the disabled main window, the nested message loop and
// control helpers.

// The main window takes no input while any dialog runs modally, nested ones included.
class Modal_Owner {
  public:
    explicit Modal_Owner(HWND Main) : Main_(Main) {}
    void Set_Main(HWND Main) { Main_ = Main; }
    void Enter();
    void Leave();
    // After the last dialog has gone, give the activation back to a shown main window.
    void Reactivate() const;
    // The main window answers for the program: another program's close request and F1.
    void Close_Request() const;
    void Help() const;

  private:
    HWND Main_;
    int Depth_ = 0;
};

// One dialog's part in the modal runs: each dialog window holds one.
struct Modal_State {
    Modal_Owner& Owner;
    bool Running = false;
    bool Entered = false;
    bool Shown_Before = false;
    HWND Last_Focus = nullptr;
};

// Disables the main window for the run. True on the dialog's first showing, which the
// caller then sets up.
bool Begin_Modal(Modal_State& State, HWND Dialog);
// Shows the dialog, gives Focus the focus and runs it until it is hidden. False when the
// loop ended with the dialog still up (a quit): the caller cancels it.
bool Show_And_Run(Modal_State& State, HWND Dialog, HWND Focus);
void Leave_Modal(Modal_State& State);
// Takes the dialog away (Remove hides or destroys it) and ends its run.
template <typename F> void End_Modal(Modal_State& State, F&& Remove) {
    Leave_Modal(State);
    Remove();
    State.Owner.Reactivate();
}
// The logic's Cancel hides the dialog; this makes sure a loop never outlives it, even when
// the handler fails.
template <typename View, typename Events>
void Cancel_Modal(View& Dialog, Events* Handlers, const Modal_State& State) {
    struct Hide_After {
        View& Dialog;
        const Modal_State& State;
        ~Hide_After() {
            if (State.Running) Dialog.Hide();
        }
    } Scope{Dialog, State};
    if (Handlers) Handlers->CancelButton_Click();
}
// The control that had the focus when the dialog was last left, while it can take it again.
HWND Focus_To_Restore(const Modal_State& State);

// The answers every dialog gives alike: OK is the default button, Tab moves the focus and
// another program's WM_CLOSE goes to the main window. The close box, the system menu and
// Alt+F4 send SC_CLOSE; the dialog answers that itself.
std::optional<LRESULT> Keyboard_Message(const Modal_State& State, HWND Dialog, UINT Message,
                                        WPARAM W, LPARAM L);
bool Is_Close_Box(UINT Message, WPARAM W);
// Those, and the focus goes back where it was when the dialog is activated again.
std::optional<LRESULT> Modal_Message(Modal_State& State, HWND Dialog, UINT Message, WPARAM W,
                                     LPARAM L);

void Register_Window_Class(HINSTANCE Instance, const wchar_t* Name, bool With_Icon);
HWND Make_Control(HWND Parent, const wchar_t* Class, const wchar_t* Text, DWORD Style, int Left,
                  int Top, int Width, int Height, int Id, DWORD Ex_Style = 0);
// Outer size of a window whose client area is Inner_Width x Inner_Height.
SIZE Outer_Size(DWORD Style, DWORD Ex_Style, int Inner_Width, int Inner_Height);
// Gives a dialog made at any size the client area Width x Height of the 96-dpi design at the
// dpi of the monitor it is on; returns that dpi.
int Size_For_Dpi(HWND Dialog, int Width, int Height);
// The controls' font at the dialog's dpi, kept while they use it.
class Control_Font {
  public:
    // To every control of Dialog, nested ones included.
    void Apply(HWND Dialog, int Dpi);
    HFONT Get() const { return static_cast<HFONT>(Font_.Get()); }

  private:
    Unique_Gdi Font_;
};
// Centres the window on the work area of the monitor under the pointer.
void Centre_On_Screen(HWND Window);

// Tab and Shift+Tab: IsDialogMessage asks the window itself to move the focus, and only the
// system's dialog class would do it unasked.
void Next_Control(HWND Dialog, WPARAM W, LPARAM L);

void Set_Text_Utf8(HWND Window, std::string_view Utf8);
std::wstring Window_Text(HWND Window);
