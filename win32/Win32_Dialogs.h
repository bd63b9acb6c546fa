#pragma once
#include "platform/Dialogs.h"
#include "win32/dialogs/Modal_Window.h"

#include <windows.h>

// Makes the Win32 dialog windows. The main window is disabled while any of them runs
// modally and gets the activation back afterwards.
class Win32_Dialog_Factory final : public Dialog_Factory {
  public:
    Win32_Dialog_Factory(HINSTANCE Instance, HWND Main) : Instance_(Instance), Owner_(Main) {}
    // For a factory built before the main window exists.
    void Set_Main_Window(HWND Main) { Owner_.Set_Main(Main); }

    std::unique_ptr<Edit_Sel_View> Create_Edit_Sel() override;
    std::unique_ptr<Options_View> Create_Options() override;
    std::unique_ptr<About_View> Create_About() override;

  private:
    HINSTANCE Instance_;
    Modal_Owner Owner_;
};
