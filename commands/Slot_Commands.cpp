#include "commands/Slot_Commands.h"

#include "mainwindow/Capture_Gate.h"
#include "mainwindow/Command_Context.h"
#include "platform/Platform_Context.h"

void mnuAdd_Click(Command_Context& Ctx) {
    Ctx.Store.Add(Slot_Record{}, Pos_Bottom);
}

void mnuCopy_Click(Command_Context& Ctx) {
    if (Ctx.Store.Has_Selection()) Ctx.Store.Duplicate(Ctx.Store.Current());
}

namespace {

// The confirmation for a locked slot; true when the command may go on. The box is modal and
// the caller holds a Nested_Loop, so Slot is still the selection when it closes.
bool Confirm_Locked(Command_Context& Ctx, int16_t Slot, const char* Text, const char* Title) {
    if (!Ctx.Store.Util().Del_Warn || !Ctx.Store.Slot(Slot).Locked) return true;
    return Ctx.P.Box.Ok_Cancel(Text, Title);
}

void Clear_Slot(Command_Context& Ctx, int16_t Slot) {
    Ctx.Store.Clear(Slot);
    Ctx.Host.Set_Tip_Text("");
    Ctx.Host.Select_Item(Slot);
}

} // namespace

void mnuClear_Click(Command_Context& Ctx) {
    Nested_Loop Loop(Ctx.Gate);
    if (!Ctx.Store.Has_Selection()) return;
    const int16_t Slot = Ctx.Store.Current();
    if (Confirm_Locked(Ctx, Slot, Clear_Warning, Clear_Title)) Clear_Slot(Ctx, Slot);
}

void mnuDelete_Click(Command_Context& Ctx) {
    Nested_Loop Loop(Ctx.Gate);
    if (Ctx.Store.Has_Selection()) {
        const int16_t Slot = Ctx.Store.Current();
        if (Confirm_Locked(Ctx, Slot, Delete_Warning, Delete_Title)) {
            const Slot_Node& N = Node(Ctx.Store.List(), Slot);
            const int16_t Next_Pick = N.Next != Nil_Slot ? N.Next : N.Prev;
            if (Next_Pick == Nil_Slot) {
                mnuClear_Click(Ctx); // the only slot is never removed
            } else {
                Ctx.Store.Delete(Slot);
                Ctx.Host.Select_Item(Next_Pick);
            }
        }
    }
    Ctx.Store.Keep_Unlocked();
}

void mnuTop_Click(Command_Context& Ctx) {
    Settings U = Ctx.Store.Util();
    U.On_Top = !U.On_Top;
    Ctx.Store.Change_Settings(U);
    Ctx.P.Window.Set_Topmost(U.On_Top);
}

void mnuPause_Click(Command_Context& Ctx) {
    Settings U = Ctx.Store.Util();
    U.Capture_Paused = !U.Capture_Paused;
    Ctx.Store.Change_Settings(U);
}
