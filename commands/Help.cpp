#include "commands/Slot_Commands.h"

#include "mainwindow/Command_Context.h"
#include "platform/Platform_Context.h"

#include <string>

// WinHelp is gone from current Windows: the old help file set at start-up is used only where
// something can still open it, otherwise the HTML manual that ships beside it.
void mnuHelp_Click(Command_Context& Ctx) {
    const std::string& Hlp = Ctx.Host.Help_File();
    if (Ctx.P.Files.File_Exists(Hlp) && Ctx.P.Launcher.Open_Document(Hlp)) return;
    Ctx.P.Launcher.Open_Document(Html_Manual(Ctx));
}

std::string Html_Manual(const Command_Context& Ctx) {
    const std::string& Hlp = Ctx.Host.Help_File();
    return Hlp.substr(0, Hlp.size() - std::string(".hlp").size()) + ".html";
}
