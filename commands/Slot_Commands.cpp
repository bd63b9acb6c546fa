#include "commands/Slot_Commands.h"

#include "mainwindow/Capture_Gate.h"
#include "mainwindow/Input.h"
#include "mainwindow/Main.h"
#include "mainwindow/Rows.h"
#include "platform/Platform_Context.h"

void mnuAdd_Click(Main& M) {
    M.Store.Add(Slot_Record{}, Pos_Bottom);
}

void mnuCopy_Click(Main& M) {
    if (M.Store.Has_Selection()) M.Store.Duplicate(M.Store.Current());
}

namespace {

// The confirmation for a locked slot; true when the command may go on. The box is modal and
// the caller holds a Nested_Loop, so Slot is still the selection when it closes.
bool Confirm_Locked(Main& M, int16_t Slot, const char* Text, const char* Title) {
    if (!M.Store.Util().Del_Warn || !M.Store.Slot(Slot).Locked) return true;
    return M.P.Box.Ok_Cancel(Text, Title);
}

void Clear_Slot(Main& M, int16_t Slot) {
    M.Store.Clear(Slot);
    Set_Tip_Text(M, "");
    Select_Item(M, Slot);
}

} // namespace

void mnuClear_Click(Main& M) {
    Nested_Loop Loop(M);
    if (!M.Store.Has_Selection()) return;
    const int16_t Slot = M.Store.Current();
    if (Confirm_Locked(M, Slot, Clear_Warning, Clear_Title)) Clear_Slot(M, Slot);
}

void mnuDelete_Click(Main& M) {
    Nested_Loop Loop(M);
    if (M.Store.Has_Selection()) {
        const int16_t Slot = M.Store.Current();
        if (Confirm_Locked(M, Slot, Delete_Warning, Delete_Title)) {
            const Slot_Node& N = Node(M.Store.List(), Slot);
            const int16_t Next_Pick = N.Next != Nil_Slot ? N.Next : N.Prev;
            if (Next_Pick == Nil_Slot) {
                mnuClear_Click(M); // the only slot is never removed
            } else {
                M.Store.Delete(Slot);
                Select_Item(M, Next_Pick);
            }
        }
    }
    Main_Verify_Locks(M);
}

void mnuTop_Click(Main& M) {
    Settings U = M.Store.Util();
    U.On_Top = !U.On_Top;
    M.Store.Change_Settings(U);
    M.P.Window.Set_Topmost(U.On_Top);
}
