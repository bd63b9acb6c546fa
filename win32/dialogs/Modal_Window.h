#pragma once
#include <windows.h>

#include "win32/Win32_Controls.h"
#include "win32/Window_Object.h"

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

// A modal dialog window of ours. It holds the modal run: the main window disabled, a nested
// loop with the dialog keys (Tab, Enter for OK, Esc and the close box for Cancel, F1 for the
// main window's help) until the dialog is hidden, and the focus back where it was whenever the
// dialog is activated again. It lays the dialog out at the dpi of its monitor, and again when
// it moves to a monitor of another dpi. A dialog makes its controls and places them; no more.
class Modal_Window : public Window_Object {
  protected:
    // The window around the controls.
    struct Frame {
        const wchar_t* Class;
        const wchar_t* Caption;
        DWORD Style, Ex_Style;
        int Width, Height; // the client area at 96 dpi
        bool Icon;         // the program's icon in the caption
    };

    explicit Modal_Window(Modal_Owner& Owner) : Owner_(Owner) {}
    // Creates the hidden window, has the dialog make its controls and lays it out.
    void Open(HINSTANCE Instance, const Frame& Design);
    // Ends a run still going and destroys the window. A dialog's destructor calls it first,
    // while the members its messages and controls use are alive.
    void Close();

    // Shows the dialog and runs it until it is hidden.
    void Run_Modal();
    // Hides the dialog and ends its run.
    void End_Modal();
    int Dpi() const { return Dpi_; }
    bool Shown_Before() const { return Shown_Before_; }

  private:
    virtual void Make_Controls(HWND Window, HINSTANCE Instance) = 0;
    // Places the controls at Dpi; they have their font at Dpi already.
    virtual void Lay_Out(int Dpi) = 0;
    // At the first showing, centred and not yet shown: the control that gets the focus.
    virtual HWND First_Show() = 0;
    // A button other than Cancel (IDCANCEL) was clicked.
    virtual void Clicked(int Id) = 0;
    // Cancel, Esc and the close box: the logic's Cancel, which hides the dialog.
    virtual void Cancelled() = 0;
    // Those the modal run leaves to the dialog.
    virtual LRESULT Other_Message(HWND Window, UINT Message, WPARAM W, LPARAM L) {
        return DefWindowProcW(Window, Message, W, L);
    }

    LRESULT Message(HWND Window, UINT Message, WPARAM W, LPARAM L) final;
    void Take_Dpi(int Dpi);
    void Cancel();
    bool Run_Loop();
    void Leave();
    // The control that had the focus when the dialog was last left, while it can take it again.
    HWND Focus_To_Restore() const;

    Modal_Owner& Owner_;
    Control_Font Font_;
    int Dpi_ = 96;
    bool Running_ = false; // and the main window disabled for it
    bool Shown_Before_ = false;
    HWND Last_Focus_ = nullptr;
};
