#pragma once
#include "platform/Clipboard.h"

#include <windows.h>

// The system's clipboard listener on the main window: WM_CLIPBOARDUPDATE arrives there, on the
// window's thread, after every change.
class Win32_Clip_Watcher final : public Clip_Watcher {
  public:
    explicit Win32_Clip_Watcher(HWND Window) : Window_(Window) {}
    ~Win32_Clip_Watcher() override { Stop(); }
    Win32_Clip_Watcher(const Win32_Clip_Watcher&) = delete;
    Win32_Clip_Watcher& operator=(const Win32_Clip_Watcher&) = delete;

    void Start() override;
    void Stop() override;
    bool Running() const { return Running_; }

  private:
    HWND Window_;
    bool Running_ = false;
};
