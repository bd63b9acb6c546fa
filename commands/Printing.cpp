#include "commands/Printing.h"

#include "mainwindow/Capture_Gate.h"
#include "mainwindow/Command_Context.h"
#include "platform/Platform_Context.h"

namespace {

void Set_Font(Printer& P, const Font_Spec& F) {
    P.Set_Font_Name(F.Name);
    P.Set_Font_Size(F.Size);
    P.Set_Font_Bold(F.Bold);
    P.Set_Font_Italic(F.Italic);
    P.Set_Font_Underline(F.Underline);
}

} // namespace

void mnuPrint_Click(Command_Context& Ctx) {
    if (!Ctx.Store.Has_Selection()) return;
    const Slot_Record Slot = Ctx.Store.Selected();
    const Settings& U = Ctx.Store.Util();
    Printer& P = Ctx.P.Print_Device;
    if (U.Print_Tip) {
        Set_Font(P, U.Tip_Font);
        P.Print_Line(Slot.Description);
        P.Print_Line("");
    }
    Set_Font(P, U.Text_Font);
    P.Print_Line(Slot.Text);
    const std::string Error = P.End_Doc();
    if (Error.empty()) return;
    Nested_Loop Loop(Ctx.Gate);
    Ctx.P.Box.Ok("The slot could not be printed.\r\n\r\n" + Error, Ctx.P.Process.Title());
}
