#pragma once
#include "platform/Process.h"

// ShellExecuteW "open": documents with their associated program, programs as they are.
class Win32_Shell final : public Shell {
  public:
    bool Open_Document(const std::string& Path) override;
    bool Start_Program(const std::string& Path) override;
};
