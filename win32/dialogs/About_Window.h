#pragma once
#include "platform/Dialogs.h"
#include "win32/dialogs/Modal_Window.h"

// The About box: built hidden when created, shown once, destroyed by OK (Enter or Esc).
class About_Window final : public About_View, public Modal_Window {
  public:
    About_Window(HINSTANCE Instance, Modal_Owner& Owner);
    ~About_Window() override { Close(); }

    void Set_Events(About_Events* Events) override { Events_ = Events; }
    void Set_Text(About_Control Control, std::string_view Utf8) override;
    void Show_Modal() override { Run_Modal(); }

  private:
    void Make_Controls(HWND Window, HINSTANCE Instance) override;
    void Lay_Out(int Dpi) override;
    HWND First_Show() override;
    void Clicked(int Id) override;
    void Cancelled() override;
    LRESULT Other_Message(HWND Window, UINT Message, WPARAM W, LPARAM L) override;
    void Paint_Line(HDC Dc) const;
    int Px(int Twips) const;

    About_Events* Events_ = nullptr;
};
