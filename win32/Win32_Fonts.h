#pragma once
#include "platform/Fonts.h"

#include <windows.h>

// ChooseFontW with screen and printer fonts; Realize asks the screen what it really gives.
class Win32_Font_Chooser final : public Font_Chooser {
  public:
    bool Choose_Font(Font_Spec& Font) override;
    Font_Spec Realize(const Font_Spec& Requested) const override;
};

// Shared with the printer and the dialogs' font labels.
int Screen_Dpi();
// Sizes that are not a usable number of points (a damaged data file) are clamped.
LOGFONTW To_Log_Font(const Font_Spec& Font, int Dpi);
// The face, size and style the screen really gives Font, which was made from Requested.
Font_Spec Font_In_Use(HFONT Font, const Font_Spec& Requested, int Dpi);
