#pragma once
#include "platform/Dialogs.h"
#include "win32/Unique_Handle.h"
#include "win32/dialogs/Modal_Window.h"

#include <array>

// The About box: built hidden when created, shown once, destroyed by OK (Enter or Esc).
class About_Window final : public About_View, public Window_Object {
  public:
    About_Window(HINSTANCE Instance, Modal_Owner& Owner);
    ~About_Window() override;
    About_Window(const About_Window&) = delete;
    About_Window& operator=(const About_Window&) = delete;

    void Set_Events(About_Events* Events) override { Events_ = Events; }
    void Set_Text(About_Control Control, std::string_view Utf8) override;
    void Show_Modal() override;

    HWND Window() const { return Handle(); }

  private:
    LRESULT Message(HWND Window, UINT Message, WPARAM W, LPARAM L) override;
    void Close();
    void Paint_Line(HDC Dc) const;
    int Px(int Twips) const;

    Modal_State Modal_;
    About_Events* Events_ = nullptr;
    int Dpi_ = 96;
    Unique_Icon Icon_;
    std::array<HWND, 5> Controls_{};
};
