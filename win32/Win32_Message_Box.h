#pragma once
#include "platform/MessageBox.h"

// MessageBoxW, modal to every window of the program.
class Win32_Message_Box final : public Message_Box {
  public:
    bool Ok_Cancel(std::string_view Text, std::string_view Title) override;
    bool Yes_No(std::string_view Text, std::string_view Title) override;
    void Ok(std::string_view Text, std::string_view Title) override;
};
