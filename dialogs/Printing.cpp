#include "dialogs/Printing.h"

#include "dialogs/Selection.h"
#include "mainwindow/Nested_Loop.h"

namespace {

void Set_Font(Printer& P, const std::string& Name, float Size, bool Bold, bool Italic,
              bool Underline) {
    P.Set_Font_Name(Name);
    P.Set_Font_Size(Size);
    P.Set_Font_Bold(Bold);
    P.Set_Font_Italic(Italic);
    P.Set_Font_Underline(Underline);
}

} // namespace

void mnuPrint_Click(Main& M) {
    if (!Has_Selection(M)) return;
    const Slot_Record Slot = Selected(M);
    const Utilities& U = M.Util;
    Printer& P = M.P.Printer_;
    if (U.Print_Tip) {
        Set_Font(P, U.Tip_Font_Name, U.Tip_Font_Size, U.Tip_Font_Bold, U.Tip_Font_Italic,
                 U.Tip_Font_Underline);
        P.Print_Line(Slot.Description);
        P.Print_Line("");
    }
    Set_Font(P, U.Text_Font_Name, U.Text_Font_Size, U.Text_Font_Bold, U.Text_Font_Italic,
             U.Text_Font_Underline);
    P.Print_Line(Slot.Text);
    const std::string Error = P.End_Doc();
    if (Error.empty()) return;
    Nested_Loop Loop(M);
    M.P.Box.Ok("The slot could not be printed.\r\n\r\n" + Error, M.P.Process.Title());
}
