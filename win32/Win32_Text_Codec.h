#pragma once
#include "platform/Text.h"

#include <array>
#include <memory>

// The ANSI code page and the system's ordinal case rules.
class Win32_Text_Codec final : public Text_Codec {
  public:
    Code_Page_Text To_Code_Page(std::string_view Utf8, size_t Max_Bytes) const override;
    std::string From_Code_Page(std::string_view Bytes) const override;
    char32_t Upper_Case(char32_t C) const override;

  private:
    using Upper_Table = std::array<wchar_t, 0x10000>;
    mutable std::unique_ptr<Upper_Table> Upper_;
};
