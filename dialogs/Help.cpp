#include "dialogs/Slot_Commands.h"

#include <string>

namespace {

std::string Beside_Program(const Main& M, const char* Name) {
    std::string Path = M.P.Process.Folder();
    if (!Path.empty() && Path.back() != '\\' && Path.back() != '/') Path += '\\';
    return Path + Name;
}

} // namespace

// WinHelp is gone from current Windows: the old help file is used only where something can
// still open it, otherwise the HTML manual that ships beside the program.
void mnuHelp_Click(Main& M) {
    const std::string Hlp = Beside_Program(M, "PimLoft.hlp");
    if (M.P.Files.File_Exists(Hlp) && M.P.Shell_.Open_Document(Hlp)) return;
    M.P.Shell_.Open_Document(Beside_Program(M, "PimLoft.html"));
}
