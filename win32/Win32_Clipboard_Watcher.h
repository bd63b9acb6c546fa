#pragma once
#include "platform/Clipboard.h"

#include <windows.h>

// The system's clipboard listener on the main window: WM_CLIPBOARDUPDATE arrives there, on the
// window's thread, after every change.
class Win32_Clipboard_Watcher final : public Clipboard_Watcher {
  public:
    explicit Win32_Clipboard_Watcher(HWND Window) : Window_(Window) {}
    ~Win32_Clipboard_Watcher() override { Stop(); }
    Win32_Clipboard_Watcher(const Win32_Clipboard_Watcher&) = delete;
    Win32_Clipboard_Watcher& operator=(const Win32_Clipboard_Watcher&) = delete;

    void Start() override;
    void Stop() override;
    bool Running() const { return Running_; }

  private:
    HWND Window_;
    bool Running_ = false;
};
