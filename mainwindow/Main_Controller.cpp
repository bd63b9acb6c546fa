#include "mainwindow/Main_Controller.h"

#include "mainwindow/Drawing.h"
#include "mainwindow/Input.h"
#include "mainwindow/Startup.h"
#include "platform/Platform_Context.h"

void Main_Controller::Pointer(const Pointer_Event& E) {
    const bool Tip = E.Where == Pointer_Area::Tip;
    switch (E.What) {
    case Pointer_Action::Down:
        return Tip ? Tip_MouseDown(M_, E.Button, E.Modifiers, E.X, E.Y)
                   : Form_MouseDown(M_, E.Button, E.Modifiers, E.X, E.Y);
    case Pointer_Action::Up:
        return Tip ? Tip_MouseUp(M_, E.Button, E.Modifiers, E.X, E.Y)
                   : Form_MouseUp(M_, E.Button, E.Modifiers, E.X, E.Y);
    case Pointer_Action::Move:
        return Tip ? Tip_MouseMove(M_, E.Button, E.Modifiers, E.X, E.Y)
                   : Form_MouseMove(M_, E.Button, E.Modifiers, E.X, E.Y);
    case Pointer_Action::Double_Click:
        return Tip ? Tip_DblClick(M_) : Form_DblClick(M_);
    }
}

void Main_Controller::Capture_Lost() {
    Tip_CaptureLost(M_);
}

void Main_Controller::Key_Down(Key K, int Modifiers) {
    Form_KeyDown(M_, K, Modifiers);
}

void Main_Controller::Tray(Tray_Event What, Menu_Place Place) {
    Tray_Dispatch(M_, What, Place);
}

void Main_Controller::Timer(Timer_Id Id) {
    switch (Id) {
    case Timer_Id::Save:
        return M_.Saves.Timer_Due();
    case Timer_Id::Clip_Retry:
        return M_.Gate.Retry_Due();
    }
}

void Main_Controller::Clipboard_Changed() {
    M_.Gate.Clipboard_Changed();
}

void Main_Controller::Worker_Done(Work_Lane Lane) {
    M_.P.Worker.Deliver(Lane);
}

void Main_Controller::Hotkey() {
    if (Hotkey_) Hotkey_(M_);
}

void Main_Controller::Close(Unload_Mode Why) {
    bool Cancel = false;
    Form_QueryUnload(M_, Cancel, Why);
}

void Main_Controller::Resized() {
    Form_Resize(M_);
}

void Main_Controller::Dpi_Changed() {
    ::Dpi_Changed(M_);
}

void Main_Controller::Colors_Changed() {
    Sys_SysColorsChanged(M_);
}

void Main_Controller::Taskbar_Created() {
    ::Taskbar_Created(M_);
}

void Main_Controller::Show_Asked() {
    mnuShow_Click(M_);
}
