#include "mainwindow/Input.h"

#include "mainwindow/Capture_Gate.h"
#include "mainwindow/Menu_Commands.h"
#include "mainwindow/Row_Geometry.h"
#include "mainwindow/Rows.h"
#include "mainwindow/Startup.h"
#include "platform/Platform_Context.h"

bool Select_Item(Main& M, int16_t Pos) {
    // Only a slot of the list can be selected; anything else would leave Current_Slot dangling.
    if (Pos == Nil_Slot || !Is_Node_Index(Pos)) return false;
    M.Store.Select(Pos);
    // A failed write leaves the clipboard as it was; the selection and the picture still change.
    return M.Gate.Write_Own(M.Store.Slot(Pos).Text);
}

void Main_Verify_Locks(Main& M) {
    M.Store.Keep_Unlocked();
}

void Form_MouseDown(Main& M, int, int, double, double Y) {
    const int Row = M.View.Row_At(Y);
    if (!Row_Exists(M, Row)) return;
    M.View.Move_Tip(Row);
    const int16_t Slot = Slot_On_Row(M, Row);
    if (Slot != M.Store.Current()) Select_Item(M, Slot);
}

void Form_MouseMove(Main& M, int, int, double, double Y) {
    if (!M.P.Window.Visible()) return;
    const int Row = M.View.Row_At(Y);
    if (!Row_Exists(M, Row)) return;
    const int16_t Slot = Slot_On_Row(M, Row);
    Set_Tip_Text(M, Slot == Nil_Slot ? std::string() : M.Store.Slot(Slot).Description);
    if (M.View.Tip_Row() != Row) M.View.Move_Tip(Row);
}

void Form_MouseUp(Main& M, int Button, int, double X, double Y) {
    if (Button == Button_Right) return Row_Context_Menu(M);
    if (Button != Button_Left) return;
    const int Row = M.View.Row_At(Y);
    const int16_t Slot = Slot_On_Row(M, Row);
    if (Slot == Nil_Slot) return;
    Set_Tip_Text(M, M.Store.Slot(Slot).Description);
    M.View.Move_Tip(Row);
    if (!M.View.Over_Lock(X)) {
        if (Slot != M.Store.Current()) Select_Item(M, Slot);
        return;
    }
    Toggle_Lock(M, Slot);
}

void Toggle_Lock(Main& M, int16_t Slot) {
    M.Store.Set_Lock(Slot, !M.Store.Slot(Slot).Locked);
    Main_Verify_Locks(M);
    if (Slot != M.Store.Current()) Select_Item(M, Slot);
}

namespace {

// Ctrl+Up and Ctrl+Down: the selected slot moves one row as a drag would move it; the list's
// ends stay where they are.
void Move_Selected(Main& M, Key KeyCode) {
    const LinkList& L = M.Store.List();
    const int16_t Cur = M.Store.Current();
    const Slot_Node& N = L.Nodes[static_cast<size_t>(Cur)];
    int16_t Target = Nil_Slot;
    if (KeyCode == Key::Up && Cur != L.Head && Is_Node_Index(N.Prev))
        Target = N.Prev == L.Head ? Pos_Top : L.Nodes[static_cast<size_t>(N.Prev)].Prev;
    if (KeyCode == Key::Down && Cur != L.Tail) Target = N.Next;
    M.Store.Move(Cur, Target);
}

} // namespace

void Form_DblClick(Main& M) {
    if (Availability(Way::Shortcut, Ui_State_Of(M), Menu_Item::mnuEdit).Offered)
        Run_Menu_Command(M, Menu_Item::mnuEdit);
}

namespace {

// Below the selected row's text, so the menu leaves the row in sight; the list's top without one.
Menu_Place Selected_Row_Place(const Main& M) {
    const List_Metrics& G = M.View.Metrics();
    const int Row = M.Store.Has_Selection() ? M.View.Row_Of_Slot(M.Store.Current()) : -1;
    return {Menu_Place::Origin::Client, G.Text_Left, Row < 0 ? 0 : Row * G.Pitch + G.Height};
}

} // namespace

void Form_KeyDown(Main& M, Key KeyCode, int Shift) {
    if (Run_Shortcut(M, KeyCode, Shift)) return;
    // What a double click and a right click do, for those who use no mouse.
    if (KeyCode == Key::Enter && Shift == 0) return Form_DblClick(M);
    if ((KeyCode == Key::F10 && Shift == Shift_Mask) || (KeyCode == Key::Apps && Shift == 0))
        return Row_Context_Menu(M, Selected_Row_Place(M));
    // Without a selected slot there is no "above" or "below", and nothing to lock.
    const int16_t Cur = M.Store.Current();
    const LinkList& L = M.Store.List();
    if (!Is_Chained(L, Cur)) return;
    if (KeyCode == Key::Space && Shift == 0) return Toggle_Lock(M, Cur);
    if (KeyCode != Key::Up && KeyCode != Key::Down) return;
    if (Shift == Ctrl_Mask) return Move_Selected(M, KeyCode);
    const Slot_Node& N = L.Nodes[static_cast<size_t>(Cur)];
    const int16_t Target =
        KeyCode == Key::Up ? (Cur == L.Head ? L.Tail : N.Prev) : (Cur == L.Tail ? L.Head : N.Next);
    Select_Item(M, Target);
}

void Row_Context_Menu(Main& M, Menu_Place Place) {
    if (!Availability(Way::List_Menu, Ui_State_Of(M)).Offered) return;
    // The command runs under the same loop as the menu: a capture cannot move the selection
    // between the user's choice and the command acting on it.
    Nested_Loop Loop(M);
    Run_Menu_Command(M, Track_Menu(M, Way::List_Menu_Line, Menu_Item::mnuEdit, Place));
}
