#include "mainwindow/Input.h"

#include "mainwindow/Capture_Events.h"
#include "mainwindow/Drawing.h"
#include "mainwindow/Nested_Loop.h"
#include "mainwindow/Row_Geometry.h"
#include "mainwindow/Startup.h"

namespace {

constexpr int Key_Delete = 46, Key_Up = 38, Key_Down = 40;
constexpr int Key_C = 67, Key_N = 78, Key_P = 80, Key_X = 88;

void Set_Tip_Text(Main& M, const std::string& Text) {
    if (Text == M.Tip_Text) return;
    M.Tip_Text = Text;
    M.P.Window.Set_Tip_Text(Text);
}

void Run(Main& M, void (Command_Handlers::*Command)()) {
    if (M.Commands) (M.Commands->*Command)();
}

} // namespace

void Select_Item(Main& M, int16_t Pos, bool Refresh) {
    // Only a slot of the list can be selected; anything else would leave Current_Slot dangling.
    if (Pos == Nil_Slot || !Is_Node_Index(Pos)) return;
    M.Util.Current_Slot = Pos;
    M.Ignore_Clip = true;
    bool Written = false;
    try {
        Written = M.P.Clip_Board.Write_Text(M.List.Nodes[static_cast<size_t>(Pos)].Data.Text);
    } catch (...) {
    }
    M.Ignore_Clip = false;
    if (!Written) return;
    if (Refresh) Refresh_Pics(M);
}

void Form_MouseDown(Main& M, int, int, double, double Y) {
    const int Row = Row_At(Y);
    if (!Row_Exists(M, Row)) return;
    Move_Tip(M, Row * Row_Pitch);
    const int16_t Slot = Slot_On_Row(M, Row);
    if (Slot != M.Util.Current_Slot) Select_Item(M, Slot, true);
}

void Form_MouseMove(Main& M, int, int, double, double Y) {
    if (!M.P.Window.Visible()) return;
    const int Row = Row_At(Y);
    if (!Row_Exists(M, Row)) return;
    const int16_t Slot = Slot_On_Row(M, Row);
    Set_Tip_Text(M, Slot == Nil_Slot ? std::string()
                                     : M.List.Nodes[static_cast<size_t>(Slot)].Data.Description);
    if (M.Tip_Top != Row * Row_Pitch) Move_Tip(M, Row * Row_Pitch);
}

void Form_MouseUp(Main& M, int Button, int, double X, double Y) {
    if (Button == Button_Right) return Row_Context_Menu(M);
    if (Button != Button_Left) return;
    const int Row = Row_At(Y);
    const int16_t Slot = Slot_On_Row(M, Row);
    if (Slot == Nil_Slot) return;
    Slot_Record& Rec = M.List.Nodes[static_cast<size_t>(Slot)].Data;
    Set_Tip_Text(M, Rec.Description);
    Move_Tip(M, Row * Row_Pitch);
    if (X < Lock_Column || X >= Text_Column) {
        if (Slot != M.Util.Current_Slot) Select_Item(M, Slot, true);
        return;
    }
    Rec.Locked = !Rec.Locked;
    Main_Verify_Locks(M);
    if (Slot != M.Util.Current_Slot) Select_Item(M, Slot, false);
    Refresh_Pics(M);
}

void Form_DblClick(Main& M) {
    Run(M, &Command_Handlers::mnuEdit_Click);
}

void Form_KeyDown(Main& M, int KeyCode, int Shift) {
    const bool Ctrl_Alone = Shift == Ctrl_Mask;
    if (KeyCode == Key_N && Ctrl_Alone) return Run(M, &Command_Handlers::mnuAdd_Click);
    if (KeyCode == Key_P && Ctrl_Alone) return Run(M, &Command_Handlers::mnuPrint_Click);
    if (KeyCode == Key_C && Ctrl_Alone) return Run(M, &Command_Handlers::mnuCopy_Click);
    if (KeyCode == Key_X && Ctrl_Alone) return Run(M, &Command_Handlers::mnuDelete_Click);
    if (KeyCode == Key_Delete) return Run(M, &Command_Handlers::mnuClear_Click);
    if (KeyCode != Key_Up && KeyCode != Key_Down) return;
    // Without a selected slot there is no "above" or "below".
    const int16_t Cur = M.Util.Current_Slot;
    if (!Is_Chained(M.List, Cur)) return;
    const Slot_Node& N = M.List.Nodes[static_cast<size_t>(Cur)];
    const int16_t Target = KeyCode == Key_Up ? (Cur == M.List.Head ? M.List.Tail : N.Prev)
                                             : (Cur == M.List.Tail ? M.List.Head : N.Next);
    Select_Item(M, Target, true);
}

void Row_Context_Menu(Main& M) {
    // The command runs under the same deferral as the menu: a capture cannot move the
    // selection between the user's choice and the command acting on it.
    Nested_Loop Loop(M);
    Fix_Menu(M, M.P.Window.Visible());
    Run_Menu_Command(M, M.P.Menu.Track(Menu_Item::mnuEdit));
}
