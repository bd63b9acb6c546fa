#include "commands/Slot_Commands.h"

#include "commands/Late_Capture.h"
#include "commands/Selection.h"
#include "mainwindow/Capture_Events.h"
#include "mainwindow/Drawing.h"
#include "mainwindow/Input.h"
#include "mainwindow/Nested_Loop.h"

void mnuAdd_Click(Main& M) {
    int16_t New_Idx = No_Free_Slot;
    List_Insert(M.List, M.Blank_Slot, Pos_Bottom, New_Idx);
    Form_Resize(M);
}

void mnuCopy_Click(Main& M) {
    if (!Has_Selection(M)) return;
    const Slot_Record Copy = Selected(M);
    int16_t New_Idx = No_Free_Slot;
    List_Insert(M.List, Copy, Pos_Bottom, New_Idx);
    Form_Resize(M);
}

namespace {

// The confirmation for a locked slot; true when the command may go on.
bool Confirm_Locked(Main& M, const char* Text, const char* Title) {
    if (!M.Util.Del_Warn || !Selected(M).Locked) return true;
    return M.P.Box.Ok_Cancel(Text, Title);
}

} // namespace

void mnuClear_Click(Main& M) {
    // Held to the end so that a capture during the box cannot move the selection before we act.
    Late_Capture Late(M);
    Nested_Loop Loop(M);
    if (!Has_Selection(M)) return;
    if (!Confirm_Locked(M, Clear_Warning, Clear_Title)) return;
    Late.Take();
    if (!Has_Selection(M)) return;
    Selected(M) = M.Blank_Slot;
    M.Tip_Text.clear();
    M.P.Window.Set_Tip_Text("");
    Select_Item(M, M.Util.Current_Slot, true);
}

void mnuDelete_Click(Main& M) {
    Late_Capture Late(M);
    Nested_Loop Loop(M);
    const bool Go_On = !Has_Selection(M) || Confirm_Locked(M, Delete_Warning, Delete_Title);
    Late.Take();
    if (Go_On && Has_Selection(M)) {
        const int16_t Cur = M.Util.Current_Slot;
        const Slot_Node& N = Node(M.List, Cur);
        const int16_t Next_Pick = N.Next != Nil_Slot ? N.Next : N.Prev;
        if (Next_Pick == Nil_Slot) {
            mnuClear_Click(M); // the only slot is never removed
        } else {
            List_Delete(M.List, Cur);
            Select_Item(M, Next_Pick, false);
            Form_Resize(M);
        }
    }
    Main_Verify_Locks(M);
}

void mnuTop_Click(Main& M) {
    M.P.Menu.Set_Checked(Menu_Item::mnuTop, !M.P.Menu.Is_Checked(Menu_Item::mnuTop));
    M.P.Window.Set_Topmost(M.P.Menu.Is_Checked(Menu_Item::mnuTop));
    Note_Change(M); // the check mark is saved with the data file
}
