#include "commands/Slot_Commands.h"

#include "mainwindow/Capture_Gate.h"
#include "mainwindow/Drawing.h"
#include "mainwindow/Input.h"
#include "mainwindow/Main.h"
#include "mainwindow/Rows.h"
#include "platform/Platform_Context.h"

void mnuAdd_Click(Main& M) {
    int16_t New_Idx = No_Free_Slot;
    if (List_Insert(M.Store.List, M.Blank_Slot, Pos_Bottom, New_Idx))
        Data_Changed(M, {Change_Kind::Added, New_Idx});
    Form_Resize(M);
}

void mnuCopy_Click(Main& M) {
    if (!Has_Selection(M)) return;
    const Slot_Record Copy = Selected(M);
    int16_t New_Idx = No_Free_Slot;
    if (List_Insert(M.Store.List, Copy, Pos_Bottom, New_Idx))
        Data_Changed(M, {Change_Kind::Added, New_Idx});
    Form_Resize(M);
}

namespace {

// The confirmation for a locked slot; true when the command may go on. The box is modal and
// the caller holds a Nested_Loop, so Slot is still the selection when it closes.
bool Confirm_Locked(Main& M, int16_t Slot, const char* Text, const char* Title) {
    if (!M.Store.Util.Del_Warn || !Node(M.Store.List, Slot).Data.Locked) return true;
    return M.P.Box.Ok_Cancel(Text, Title);
}

void Clear_Slot(Main& M, int16_t Slot) {
    Node(M.Store.List, Slot).Data = M.Blank_Slot;
    Set_Tip_Text(M, "");
    Data_Changed(M, {Change_Kind::Cleared, Slot});
    Select_Item(M, Slot, true);
}

} // namespace

void mnuClear_Click(Main& M) {
    Nested_Loop Loop(M);
    if (!Has_Selection(M)) return;
    const int16_t Slot = M.Store.Util.Current_Slot;
    if (Confirm_Locked(M, Slot, Clear_Warning, Clear_Title)) Clear_Slot(M, Slot);
}

void mnuDelete_Click(Main& M) {
    Nested_Loop Loop(M);
    if (Has_Selection(M)) {
        const int16_t Slot = M.Store.Util.Current_Slot;
        if (Confirm_Locked(M, Slot, Delete_Warning, Delete_Title)) {
            const Slot_Node& N = Node(M.Store.List, Slot);
            const int16_t Next_Pick = N.Next != Nil_Slot ? N.Next : N.Prev;
            if (Next_Pick == Nil_Slot) {
                mnuClear_Click(M); // the only slot is never removed
            } else {
                List_Delete(M.Store.List, Slot);
                Data_Changed(M, {Change_Kind::Deleted, Slot});
                Select_Item(M, Next_Pick, false);
                Form_Resize(M);
            }
        }
    }
    Main_Verify_Locks(M);
}

void mnuTop_Click(Main& M) {
    M.Store.Util.On_Top = !M.Store.Util.On_Top;
    M.P.Window.Set_Topmost(M.Store.Util.On_Top);
    Data_Changed(M, {Change_Kind::Settings, Nil_Slot});
}
