#include "commands/Forget_Copies.h"

#include "mainwindow/Capture_Gate.h"
#include "mainwindow/Command_Context.h"
#include "platform/Platform_Context.h"

#include <limits>
#include <string>
#include <vector>

namespace {

// Files set aside because they could not be read: the data file's, the journal's and the
// history's all start with the data file's name without its extension.
std::vector<std::string> Kept_Aside(Command_Context& Ctx) {
    const std::string& Data = Ctx.Host.Data_File();
    const size_t Slash = Data.find_last_of("\\/");
    const size_t Dot = Data.rfind('.');
    const std::string Stem = Dot != std::string::npos && (Slash == std::string::npos || Dot > Slash)
                                 ? Data.substr(0, Dot)
                                 : Data;
    std::vector<std::string> Names;
    for (const std::string& Path : Ctx.P.Files.Files_Starting(Stem))
        if (Path.find(".unreadable-") != std::string::npos)
            Names.push_back(Slash == std::string::npos ? Path : Path.substr(Slash + 1));
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
