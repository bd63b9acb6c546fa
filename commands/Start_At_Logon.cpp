#include "commands/Start_At_Logon.h"

#include "platform/Platform_Context.h"
#include "slots/Capture.h"

#include <string>

namespace {

constexpr char Run_Key[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char Run_Value[] = "PimLoft";

bool Names_This_Exe(Platform_Context& P, User_Key_Scope& Run) {
    std::string Command;
    if (Run.Status != ERROR_SUCCESS_ ||
        P.Reg.Query_String(Run.Key, Run_Value, Command) != ERROR_SUCCESS_)
        return false;
    if (Command.size() >= 2 && Command.front() == '"' && Command.back() == '"')
        Command = Command.substr(1, Command.size() - 2);
    // Windows paths ignore case.
    return Equal_Ignore_Case(Command, P.Process.Exe_Path(), P.Text);
}

} // namespace

bool Starts_At_Logon(Platform_Context& P) {
    User_Key_Scope Run(P.Reg, Run_Key);
    return Names_This_Exe(P, Run);
}

bool Set_Start_At_Logon(Platform_Context& P, bool On) {
    User_Key_Scope Run(P.Reg, Run_Key);
    if (Run.Status != ERROR_SUCCESS_) return false;
    const bool Ours = Names_This_Exe(P, Run);
    if (On == Ours) return true;
    if (!On) return P.Reg.Delete_Value(Run.Key, Run_Value) == ERROR_SUCCESS_;
    // Quoted: a path with blanks would otherwise start another program.
    std::string Command(1, '"');
    Command += P.Process.Exe_Path();
    Command += '"';
    return P.Reg.Set_String(Run.Key, Run_Value, Command) == ERROR_SUCCESS_;
}
