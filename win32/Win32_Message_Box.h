#pragma once
#include "platform/MessageBox.h"

// MessageBoxW without an owner; the caller keeps the main window out of reach meanwhile.
class Win32_Message_Box final : public Message_Box {
  public:
    bool Ok_Cancel(std::string_view Text, std::string_view Title) override;
    bool Yes_No(std::string_view Text, std::string_view Title) override;
    void Ok(std::string_view Text, std::string_view Title) override;
};
