#pragma once
#include "platform/Tray.h"
#include "win32/Window_Messages.h"

#include <string>

class Win32_Tray_Icon final : public Tray_Icon {
  public:
    Win32_Tray_Icon(HWND Window, HINSTANCE Instance);
    ~Win32_Tray_Icon() override { Remove(); }
    Win32_Tray_Icon(const Win32_Tray_Icon&) = delete;
    Win32_Tray_Icon& operator=(const Win32_Tray_Icon&) = delete;

    bool Add(std::string_view Tip, bool Paused) override;
    void Modify(std::string_view Tip, bool Paused) override;
    void Remove() override;
    bool Balloon(std::string_view Title, std::string_view Text) override;

  private:
    HICON Icon(bool Paused) const;

    HWND Window_;
    HICON Icon_, Paused_Icon_; // shared: nothing to free
    bool Added_ = false;
};
