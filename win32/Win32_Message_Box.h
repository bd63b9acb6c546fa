#pragma once
#include "platform/Message_Box.h"

#include <windows.h>

// MessageBoxW, modal to the window it is asked from.
class Win32_Message_Box final : public Message_Box {
  public:
    explicit Win32_Message_Box(HWND Main) : Main_(Main) {}
    bool Ok_Cancel(std::string_view Text, std::string_view Title) override;
    bool Yes_No(std::string_view Text, std::string_view Title) override;
    void Ok(std::string_view Text, std::string_view Title) override;

  private:
    int Show(std::string_view Text, std::string_view Title, UINT Type) const;
    HWND Main_;
};
