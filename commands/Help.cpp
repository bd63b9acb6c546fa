#include "commands/Slot_Commands.h"

#include "mainwindow/Main.h"
#include "platform/Platform_Context.h"

#include <string>

// WinHelp is gone from current Windows: the old help file set at start-up is used only where
// something can still open it, otherwise the HTML manual that ships beside it.
void mnuHelp_Click(Main& M) {
    const std::string& Hlp = M.Help_File;
    if (M.P.Files.File_Exists(Hlp) && M.P.Launcher.Open_Document(Hlp)) return;
    M.P.Launcher.Open_Document(Html_Manual(M));
}

std::string Html_Manual(const Main& M) {
    const std::string& Hlp = M.Help_File;
    return Hlp.substr(0, Hlp.size() - std::string(".hlp").size()) + ".html";
}
