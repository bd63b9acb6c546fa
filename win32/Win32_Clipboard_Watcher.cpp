#include "win32/Win32_Clipboard_Watcher.h"

void Win32_Clipboard_Watcher::Start() {
    if (!Running_) Running_ = AddClipboardFormatListener(Window_) != FALSE;
}

void Win32_Clipboard_Watcher::Stop() {
    if (Running_) RemoveClipboardFormatListener(Window_);
    Running_ = false;
}
