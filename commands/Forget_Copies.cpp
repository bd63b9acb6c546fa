#include "commands/Forget_Copies.h"

#include "mainwindow/Capture_Gate.h"
#include "mainwindow/Command_Context.h"
#include "platform/Platform_Context.h"
#include "storage/Data_Store.h"

#include <limits>
#include <string>
#include <vector>

namespace {

// Files set aside because they could not be read: the data file's, the journal's and the
// history's names all start with the program's title, in its folder.
std::vector<std::string> Kept_Aside(Command_Context& Ctx) {
    const std::string Folder = Path_In_Folder(Ctx.P.Process.Folder(), "");
    std::vector<std::string> Names;
    for (const std::string& Path : Ctx.P.Files.Files_Starting(Folder + Ctx.P.Process.Title()))
        if (Path.find(Aside_Mark) != std::string::npos) Names.push_back(Path.substr(Folder.size()));
    return Names;
}

std::string Question(const std::vector<std::string>& Aside) {
    std::string Q = "Forget every copy that is not locked? The texts of all unlocked slots are "
                    "cleared and the whole history is removed, from every file PimLoft keeps. "
                    "Locked slots stay as they are.";
    if (Aside.empty()) return Q;
    Q += "\r\n\r\nThese files were set aside earlier because PimLoft could not read them; they "
         "are yours and stay as they are:";
    for (const std::string& Name : Aside)
        Q += "\r\n" + Name;
    return Q;
}

} // namespace

void mnuForget_Click(Command_Context& Ctx) {
    // A copy made while the box is open is newer than the request: it waits, and is filed
    // after the forgetting.
    Nested_Loop Loop(Ctx.Gate);
    if (!Ctx.P.Box.Yes_No(Question(Kept_Aside(Ctx)), Forget_Title)) return;
    Ctx.Store.Expire(std::numeric_limits<int64_t>::max());
    Ctx.Host.Set_Tip_Text("");
    Ctx.Gate.Empty_If_Ours();
    Ctx.History.Clear();
    Ctx.Host.Rewrite_Data_File();
}
