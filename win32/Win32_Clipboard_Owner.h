#pragma once
#include <string>

// The file name of the program whose window owns the clipboard ("notepad.exe", UTF-8); "" when
// no window owns it or its process cannot be asked. Sends the owner no message, so a hung
// owner cannot stall the caller.
std::string Clipboard_Owner_Program();
