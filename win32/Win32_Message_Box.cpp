#include "win32/Win32_Message_Box.h"

#include "win32/Win32_Text.h"

#include <windows.h>

int Win32_Message_Box::Show(std::string_view Text, std::string_view Title, UINT Type) const {
    // A tray program is rarely in front when it asks; without MB_SETFOREGROUND the box could
    // open behind the window the user is working in. An owner, or else MB_TASKMODAL, keeps
    // the list and the dialogs from taking clicks and keys while it is open.
    const HWND Owner = Main_ && IsWindowVisible(Main_) ? Main_ : nullptr;
    return MessageBoxW(Owner, To_Wide(Text).c_str(), To_Wide(Title).c_str(),
                       Type | MB_SETFOREGROUND | (Owner ? 0 : MB_TASKMODAL));
}

bool Win32_Message_Box::Ok_Cancel(std::string_view Text, std::string_view Title) {
    return Show(Text, Title, MB_OKCANCEL) == IDOK;
}

bool Win32_Message_Box::Yes_No(std::string_view Text, std::string_view Title) {
    return Show(Text, Title, MB_YESNO | MB_ICONWARNING) == IDYES;
}

void Win32_Message_Box::Ok(std::string_view Text, std::string_view Title) {
    Show(Text, Title, MB_OK);
}
