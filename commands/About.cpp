#include "commands/About.h"

#include "mainwindow/Capture_Gate.h"
#include "mainwindow/Command_Context.h"
#include "platform/Platform_Context.h"

#include <cstring>
#include <vector>

bool GetKeyValue(Registry& Reg, uint32_t KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal) {
    Registry_Key Key = 0;
    if (Reg.Open_Key(KeyRoot, KeyName, KEY_QUERY_ALL_, Key) != ERROR_SUCCESS_) {
        KeyVal.clear();
        return false;
    }
    std::vector<uint8_t> Buffer(1024, 0);
    uint32_t Type = 0;
    uint32_t Size = static_cast<uint32_t>(Buffer.size());
    // ERROR_MORE_DATA lands here too: a cut path would start the wrong program.
    if (Reg.Query_Value(Key, SubKeyRef, Type, Buffer, Size) != ERROR_SUCCESS_ ||
        Size > Buffer.size()) {
        KeyVal.clear();
        Reg.Close_Key(Key);
        return false;
    }
    std::string Value(Buffer.begin(), Buffer.begin() + Size);
    if (!Value.empty() && Value.back() == '\0') Value.pop_back();
    if (Type == REG_SZ_) {
        KeyVal = Value;
    } else if (Type == REG_DWORD_ && Size >= 4) {
        uint32_t Number = 0;
        std::memcpy(&Number, Buffer.data(), 4);
        KeyVal = std::to_string(Number);
    }
    Reg.Close_Key(Key);
    return true;
}

namespace {

bool Try_Start(Command_Context& Ctx) {
    Registry& Reg = Ctx.P.Reg;
    std::string Path;
    if (GetKeyValue(Reg, HKEY_LOCAL_MACHINE_, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                    Path))
        return !Path.empty() && Ctx.P.Launcher.Start_Program(Ctx.P.Text.From_Code_Page(Path));
    if (!GetKeyValue(Reg, HKEY_LOCAL_MACHINE_, "SOFTWARE\\Microsoft\\Shared Tools Location",
                     "MSINFO", Path))
        return false;
    const std::string Exe = Ctx.P.Text.From_Code_Page(Path + "\\MSINFO32.EXE");
    return Ctx.P.Files.File_Exists(Exe) && Ctx.P.Launcher.Start_Program(Exe);
}

struct About_Box final : About_Events {
    explicit About_Box(Command_Context& Owner) : Ctx(Owner) {}
    Command_Context& Ctx;
    void cmdSysInfo_Click() override { StartSysInfo(Ctx); }
};

} // namespace

void StartSysInfo(Command_Context& Ctx) {
    // Whatever fails on the way, the user learns that nothing was started.
    try {
        if (Try_Start(Ctx)) return;
    } catch (const std::exception& Failure) {
        Ctx.P.Log.Failure("system information", Failure.what());
    }
    Nested_Loop Loop(Ctx.Gate);
    Ctx.P.Box.Ok(SysInfo_Unavailable, Ctx.P.Process.Title());
}

void mnuAbout_Click(Command_Context& Ctx) {
    Nested_Loop Loop(Ctx.Gate);
    const Process_Info& Info = Ctx.P.Process;
    About_Box Events(Ctx);
    std::unique_ptr<About_View> View = Ctx.P.Dialogs.Create_About();
    View->Set_Events(&Events);
    View->Set_Text(About_Control::Caption, "About " + Info.Title());
    View->Set_Text(About_Control::lblTitle, Info.Title() + " - " + Info.File_Description());
    View->Set_Text(About_Control::lblVersion, "Version " + std::to_string(Info.Major()) + "." +
                                                  std::to_string(Info.Minor()) + "." +
                                                  std::to_string(Info.Revision()));
    View->Set_Text(About_Control::lblDescription, "");
    View->Set_Text(About_Control::lblDisclaimer,
                   "Developed by: " + Info.Company_Name() + "\r\nBuild Date: " + Build_Date);
    View->Show_Modal();
    View->Set_Events(nullptr);
}
