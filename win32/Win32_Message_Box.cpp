#include "win32/Win32_Message_Box.h"

#include "win32/Win32_Text.h"

#include <windows.h>

int Win32_Message_Box::Show(std::string_view Text, std::string_view Title, UINT Type) const {
    // Owned by the window it is asked from (the About box for its System Info, else the main
    // window even while hidden), so that nothing of ours takes clicks and keys until it is
    // answered and the activation goes back where it was. MB_SETFOREGROUND: a tray program is
    // rarely in front when it asks.
    HWND Owner = GetActiveWindow();
    if (!Owner) Owner = Main_;
    return MessageBoxW(Owner, To_Wide(Text).c_str(), To_Wide(Title).c_str(),
                       Type | MB_SETFOREGROUND);
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
