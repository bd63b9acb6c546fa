#include "win32/Win32_Fonts.h"

#include "platform/Font_Size.h"
#include "win32/Unique_Handle.h"
#include "win32/Win32_Controls.h"
#include "win32/Win32_Text.h"

#include <commdlg.h>

#include <algorithm>
#include <string>

namespace {

// Printer fonts are only offered with a printer context; without a printer the chooser still
// opens with screen fonts.
Unique_Dc Default_Printer_Ic() {
    const std::wstring Name = Default_Printer();
    if (Name.empty()) return {};
    return Unique_Dc(CreateICW(L"WINSPOOL", Name.c_str(), nullptr, nullptr));
}

// The screen's DC belongs to no window, so releasing it needs no window handle.
struct Screen_Dc_Traits {
    using Handle = HDC;
    static constexpr HDC Invalid() { return nullptr; }
    static void Close(HDC H) { ReleaseDC(nullptr, H); }
};
using Unique_Screen_Dc = Unique_Handle<Screen_Dc_Traits>;

} // namespace

int Screen_Dpi() {
    const Unique_Screen_Dc Screen(GetDC(nullptr));
    const int Dpi = Screen ? GetDeviceCaps(Screen.Get(), LOGPIXELSY) : 0;
    return Dpi > 0 ? Dpi : 96;
}

LOGFONTW To_Log_Font(const Font_Spec& Font, int Dpi) {
    LOGFONTW Log{};
    Log.lfHeight = -Points_To_Pixels(Font.Size, Dpi);
    Log.lfWeight = Font.Bold ? FW_BOLD : FW_NORMAL;
    Log.lfItalic = static_cast<BYTE>(Font.Italic ? TRUE : FALSE);
    Log.lfUnderline = static_cast<BYTE>(Font.Underline ? TRUE : FALSE);
    Log.lfCharSet = DEFAULT_CHARSET;
    Log.lfOutPrecision = OUT_DEFAULT_PRECIS;
    Log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    Log.lfQuality = DEFAULT_QUALITY;
    Log.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::wstring Face = To_Wide(Font.Name);
    size_t Len = std::min<size_t>(Face.size(), LF_FACESIZE - 1);
    if (Len > 0 && Len < Face.size() && Face[Len - 1] >= 0xD800 && Face[Len - 1] <= 0xDBFF) --Len;
    std::copy_n(Face.data(), Len, Log.lfFaceName);
    Log.lfFaceName[Len] = L'\0';
    return Log;
}

Font_Spec Font_In_Use(HFONT Font, const Font_Spec& Requested, int Dpi) {
    Font_Spec Real = Requested;
    Real.Size = Usable_Points(Requested.Size);
    const Unique_Screen_Dc Screen(GetDC(nullptr));
    const HDC Dc = Screen.Get();
    if (!Dc || !Font) return Real;
    const Gdi_Selection Selected(Dc, Font);
    wchar_t Face[LF_FACESIZE] = {};
    const int Face_Len = GetTextFaceW(Dc, LF_FACESIZE, Face);
    TEXTMETRICW Metrics{};
    const bool Have_Metrics = GetTextMetricsW(Dc, &Metrics) != FALSE;
    if (Face_Len > 0) Real.Name = To_Utf8(Face, wcslen(Face));
    if (!Have_Metrics) return Real;
    Real.Size = Reported_Points(Requested.Size, Metrics.tmHeight - Metrics.tmInternalLeading, Dpi);
    Real.Bold = Metrics.tmWeight >= FW_SEMIBOLD;
    Real.Italic = Metrics.tmItalic != 0;
    Real.Underline = Metrics.tmUnderlined != 0;
    return Real;
}

bool Win32_Font_Chooser::Choose_Font(Font_Spec& Font) {
    const int Dpi = Screen_Dpi();
    LOGFONTW Log = To_Log_Font(Font, Dpi);
    const Unique_Dc Printer = Default_Printer_Ic();
    CHOOSEFONTW Choose{};
    Choose.lStructSize = sizeof Choose;
    // The active window is the dialog that asked; owning the chooser keeps that dialog
    // disabled until the chooser closes.
    Choose.hwndOwner = GetActiveWindow();
    Choose.hDC = Printer.Get();
    Choose.lpLogFont = &Log;
    Choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | (Printer ? CF_PRINTERFONTS : 0);
    if (!ChooseFontW(&Choose)) return false;
    Font.Name = To_Utf8(Log.lfFaceName, wcslen(Log.lfFaceName));
    if (Choose.iPointSize > 0) Font.Size = static_cast<float>(Choose.iPointSize) / 10.0f;
    Font.Bold = Log.lfWeight >= FW_SEMIBOLD;
    Font.Italic = Log.lfItalic != 0;
    // No effects are offered, so underline passes through as it came.
    return true;
}

Font_Spec Win32_Font_Chooser::Realize(const Font_Spec& Requested) const {
    const int Dpi = Screen_Dpi();
    const LOGFONTW Log = To_Log_Font(Requested, Dpi);
    const Unique_Gdi Font(CreateFontIndirectW(&Log));
    return Font_In_Use(static_cast<HFONT>(Font.Get()), Requested, Dpi);
}
