#pragma once
#include "platform/Clipboard.h"

#include <windows.h>

// CF_UNICODETEXT only; Windows synthesises it from the other text formats.
class Win32_Clipboard final : public Clipboard {
  public:
    explicit Win32_Clipboard(HWND Owner);
    Clip_Read Read_Text() override;
    bool Write_Text(std::string_view Utf8) override;
    bool Empty() override;
    uint32_t Sequence() const override { return GetClipboardSequenceNumber(); }

  private:
    bool Open_With_Retry();
    bool Is_Excluded() const; // the clipboard must be open

    HWND Owner_;
    UINT Exclude_Format_;
    UINT Viewer_Ignore_Format_;
    UINT History_Format_;
};
