#include "mainwindow/Main.h"

#include "mainwindow/Row_Geometry.h"
#include "platform/Platform_Context.h"

bool Main::Row_Exists(int Row) const {
    return Row >= 0 && Row <= Store_.List().List_Ubound;
}

int16_t Main::Slot_On_Row(int Row) const {
    if (!Row_Exists(Row)) return Nil_Slot;
    const int16_t S = View_.Slot_Of_Row(Row);
    return Is_Chained(Store_.List(), S) ? S : Nil_Slot;
}

void Main::Form_MouseDown(double Y) {
    const int Row = View_.Row_At(Y);
    if (!Row_Exists(Row)) return;
    View_.Move_Tip(Row);
    const int16_t Slot = Slot_On_Row(Row);
    if (Slot != Store_.Current()) Select_Item(Slot);
}

// Real pointer moves only: tray events go to Tray_Dispatch.
void Main::Form_MouseMove(double Y) {
    if (!P.Window.Visible()) return;
    const int Row = View_.Row_At(Y);
    if (!Row_Exists(Row)) return;
    const int16_t Slot = Slot_On_Row(Row);
    Set_Tip_Text(Slot == Nil_Slot ? std::string() : Store_.Slot(Slot).Description);
    if (View_.Tip_Row() != Row) View_.Move_Tip(Row);
}

void Main::Form_MouseUp(int Button, double X, double Y) {
    if (Button == Button_Right) return Row_Context_Menu();
    if (Button != Button_Left) return;
    const int Row = View_.Row_At(Y);
    const int16_t Slot = Slot_On_Row(Row);
    if (Slot == Nil_Slot) return;
    Set_Tip_Text(Store_.Slot(Slot).Description);
    View_.Move_Tip(Row);
    if (!View_.Over_Lock(X)) {
        if (Slot != Store_.Current()) Select_Item(Slot);
        return;
    }
    Toggle_Lock(Slot);
}

// A click on a slot's lock button, or Space on the selected slot.
void Main::Toggle_Lock(int16_t Slot) {
    Store_.Set_Lock(Slot, !Store_.Slot(Slot).Locked);
    Store_.Keep_Unlocked();
    if (Slot != Store_.Current()) Select_Item(Slot);
}

// Ctrl+Up and Ctrl+Down: the selected slot moves one row as a drag would move it; the list's
// ends stay where they are.
void Main::Move_Selected(Key KeyCode) {
    const LinkList& L = Store_.List();
    const int16_t Cur = Store_.Current();
    const Slot_Node& N = L.Nodes[static_cast<size_t>(Cur)];
    int16_t Target = Nil_Slot;
    if (KeyCode == Key::Up && Cur != L.Head && Is_Node_Index(N.Prev))
        Target = N.Prev == L.Head ? Pos_Top : L.Nodes[static_cast<size_t>(N.Prev)].Prev;
    if (KeyCode == Key::Down && Cur != L.Tail) Target = N.Next;
    Store_.Move(Cur, Target);
}

void Main::Form_DblClick() {
    if (Availability(Way::Shortcut, Ui(), Menu_Item::mnuEdit).Offered)
        Run_Menu_Command(Menu_Item::mnuEdit);
}

// Below the selected row's text, so the menu leaves the row in sight; the list's top without one.
Menu_Place Main::Selected_Row_Place() const {
    const List_Metrics& G = View_.Metrics();
    const int Row = Store_.Has_Selection() ? View_.Row_Of_Slot(Store_.Current()) : -1;
    return {Menu_Place::Origin::Client, G.Text_Left, Row < 0 ? 0 : Row * G.Pitch + G.Height};
}

// Besides the shortcuts: Enter opens Edit Selection, Shift+F10 and the menu key the row menu
// at the selected row; Space, Up and Down act on the selected slot.
void Main::Form_KeyDown(Key KeyCode, int Shift) {
    if (Run_Shortcut(KeyCode, Shift)) return;
    // What a double click and a right click do, for those who use no mouse.
    if (KeyCode == Key::Enter && Shift == 0) return Form_DblClick();
    if ((KeyCode == Key::F10 && Shift == Shift_Mask) || (KeyCode == Key::Apps && Shift == 0))
        return Row_Context_Menu(Selected_Row_Place());
    // Without a selected slot there is no "above" or "below", and nothing to lock.
    const int16_t Cur = Store_.Current();
    const LinkList& L = Store_.List();
    if (!Is_Chained(L, Cur)) return;
    if (KeyCode == Key::Space && Shift == 0) return Toggle_Lock(Cur);
    if (KeyCode != Key::Up && KeyCode != Key::Down) return;
    if (Shift == Ctrl_Mask) return Move_Selected(KeyCode);
    const Slot_Node& N = L.Nodes[static_cast<size_t>(Cur)];
    const int16_t Target =
        KeyCode == Key::Up ? (Cur == L.Head ? L.Tail : N.Prev) : (Cur == L.Tail ? L.Head : N.Next);
    Select_Item(Target);
}

void Main::Tip_MouseDown(int Button, int Shift) {
    const int16_t Slot = Slot_On_Row(View_.Tip_Row());
    if (Slot != Store_.Current()) Select_Item(Slot);
    if (Button == Button_Left && (Shift & Shift_Mask) != 0) View_.Begin_Drag(Store_.Current());
}

void Main::Tip_MouseUp(int Button) {
    if (View_.Dragging()) {
        const List_View::Drop D = View_.End_Drag();
        const int16_t Target = D.Row < 0                           ? Pos_Top
                               : D.Row > Store_.List().List_Ubound ? Pos_Bottom
                                                                   : Slot_On_Row(D.Row);
        Store_.Move(D.Slot, Target);
        return;
    }
    if (Button == Button_Left) {
        const int16_t Slot = Slot_On_Row(View_.Tip_Row());
        if (Slot != Store_.Current()) Select_Item(Slot);
    } else if (Button == Button_Right) {
        Row_Context_Menu();
    }
}

// A screen reader's default action: what a click on the row's text does. Refused while a
// menu, box or dialog of ours is open.
bool Main::Row_Default_Action(int Row) {
    if (!Availability(Way::Reader_Action, Ui()).Offered) return false;
    const int16_t Slot = View_.Slot_Of_Row(Row);
    if (Slot == Nil_Slot) return false;
    View_.Move_Tip(Row);
    if (Slot != Store_.Current()) Select_Item(Slot);
    return true;
}
