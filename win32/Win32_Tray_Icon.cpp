#include "win32/Win32_Tray_Icon.h"

#include "win32/Win32_Controls.h"
#include "win32/Win32_Text.h"

#include <shellapi.h>

#include <algorithm>

namespace {

constexpr UINT Icon_Id = 1;

NOTIFYICONDATAW Base_Data(HWND Window) {
    NOTIFYICONDATAW D{};
    D.cbSize = sizeof D;
    D.hWnd = Window;
    D.uID = Icon_Id;
    return D;
}

// Cuts to the field, never in the middle of a surrogate pair, and keeps the NUL.
template <size_t N> void Copy_Field(wchar_t (&Field)[N], std::string_view Utf8) {
    std::wstring W = To_Wide(Utf8);
    size_t Len = std::min(W.size(), N - 1);
    if (Len > 0 && Len < W.size() && W[Len - 1] >= 0xD800 && W[Len - 1] <= 0xDBFF) --Len;
    std::copy_n(W.data(), Len, Field);
    Field[Len] = L'\0';
}

} // namespace

Win32_Tray_Icon::Win32_Tray_Icon(HWND Window, HINSTANCE Instance)
    : Window_(Window), Icon_(Program_Icon(Instance, Icon_Size::Small)),
      Paused_Icon_(Program_Icon(Instance, Icon_Size::Small, IDI_PAUSED)) {}

HICON Win32_Tray_Icon::Icon(bool Paused) const {
    if (Paused && Paused_Icon_) return Paused_Icon_;
    return Icon_ ? Icon_ : LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
}

bool Win32_Tray_Icon::Add(std::string_view Tip, bool Paused) {
    NOTIFYICONDATAW D = Base_Data(Window_);
    D.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    D.uCallbackMessage = WM_TRAY_ICON;
    D.hIcon = Icon(Paused);
    Copy_Field(D.szTip, Tip);
    // After an Explorer restart the old entry is gone; a stale one is replaced.
    if (Added_) Shell_NotifyIconW(NIM_DELETE, &D);
    Added_ = Shell_NotifyIconW(NIM_ADD, &D) != FALSE;
    // The icon then answers the keyboard: Enter, Space, Shift+F10 and the menu key.
    D.uVersion = NOTIFYICON_VERSION_4;
    if (Added_) Shell_NotifyIconW(NIM_SETVERSION, &D);
    return Added_;
}

void Win32_Tray_Icon::Modify(std::string_view Tip, bool Paused) {
    if (!Added_) return;
    NOTIFYICONDATAW D = Base_Data(Window_);
    D.uFlags = NIF_ICON | NIF_TIP;
    D.hIcon = Icon(Paused);
    Copy_Field(D.szTip, Tip);
    Shell_NotifyIconW(NIM_MODIFY, &D);
}

void Win32_Tray_Icon::Remove() {
    if (!Added_) return;
    NOTIFYICONDATAW D = Base_Data(Window_);
    Shell_NotifyIconW(NIM_DELETE, &D);
    Added_ = false;
}

bool Win32_Tray_Icon::Balloon(std::string_view Title, std::string_view Text) {
    NOTIFYICONDATAW D = Base_Data(Window_);
    if (!Added_ || To_Wide(Text).size() >= std::size(D.szInfo)) return false;
    D.uFlags = NIF_INFO;
    D.dwInfoFlags = NIIF_WARNING;
    Copy_Field(D.szInfoTitle, Title);
    Copy_Field(D.szInfo, Text);
    return Shell_NotifyIconW(NIM_MODIFY, &D) != FALSE;
}
