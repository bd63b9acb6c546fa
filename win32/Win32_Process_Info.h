#pragma once
#include "platform/Process.h"

// The exe's folder and its own version resource, read once.
class Win32_Process_Info final : public Process_Info {
  public:
    Win32_Process_Info();
    std::string Folder() const override { return Folder_; }
    std::string Exe_Path() const override { return Exe_Path_; }
    std::string Title() const override { return "PimLoft"; }
    int Major() const override { return Major_; }
    int Minor() const override { return Minor_; }
    int Revision() const override { return Revision_; }
    std::string Company_Name() const override { return Company_; }
    std::string File_Description() const override { return Description_; }

  private:
    std::string Folder_, Exe_Path_;
    int Major_ = 0, Minor_ = 0, Revision_ = 0;
    std::string Company_;
    std::string Description_;
};
