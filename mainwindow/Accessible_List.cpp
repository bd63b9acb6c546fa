#include "mainwindow/Accessible_List.h"

#include "mainwindow/Availability.h"
#include "mainwindow/Input.h"
#include "mainwindow/Main.h"
#include "mainwindow/Rows.h"
#include "platform/Platform_Context.h"
#include "slots/Utf8.h"

#include <algorithm>
#include <string_view>

namespace {

bool Is_Blank(char C) {
    return static_cast<unsigned char>(C) <= 0x20 || C == 0x7F;
}

// One line for the reader: control characters (a typed description's line breaks, a NUL in
// a text) become spaces, the ends are trimmed and the rest cut.
std::string Spoken(std::string_view S, size_t Max) {
    while (!S.empty() && Is_Blank(S.front()))
        S.remove_prefix(1);
    std::string Out(Cut_Chars(S, Max));
    for (char& C : Out)
        if (Is_Blank(C)) C = ' ';
    while (!Out.empty() && Out.back() == ' ')
        Out.pop_back();
    return Out;
}

// The description, else the text's first line that holds more than spaces.
std::string Name_Of(const Slot_Record& R) {
    std::string Name = Spoken(R.Description, Max_Name_Chars);
    const std::string_view Text = R.Text;
    size_t From = 0;
    for (const Line_Span& Line : R.Text.First_Lines()) {
        if (!Name.empty()) break;
        Name = Spoken(Text.substr(From, Line.End - From), Max_Name_Chars);
        From = Line.Next;
    }
    return Name.empty() ? "empty slot" : Name;
}

} // namespace

Accessible_List Accessible_List_Of(const Main& M) {
    return {M.Store.List(), M.Store.Current(), M.View.Metrics, M.P.Window.Client_Width()};
}

int Row_Count(const Accessible_List& A) {
    return std::clamp<int>(A.List.List_Ubound + 1, 0, Max_Slots);
}

std::optional<int> Row_Of_Child_Id(const Accessible_List& A, int32_t Id) {
    // Compared before the subtraction: a reader may send any id, the lowest included.
    if (Id < 0 || Id > Row_Count(A)) return std::nullopt;
    return Id - 1;
}

int16_t Slot_Of_Row(const Accessible_List& A, int Row) {
    if (Row < 0 || Row >= Row_Count(A)) return Nil_Slot;
    int16_t Cur = A.List.Head;
    // As the drawing walks: a link outside the nodes ends the chain.
    for (int R = 0; R < Row && Is_Node_Index(Cur); ++R)
        Cur = A.List.Nodes[static_cast<size_t>(Cur)].Next;
    return Is_Node_Index(Cur) ? Cur : Nil_Slot;
}

int Row_Of_Slot(const Accessible_List& A, int16_t Slot) {
    if (!Is_Node_Index(Slot)) return -1;
    int16_t Cur = A.List.Head;
    for (int R = 0; R < Row_Count(A) && Is_Node_Index(Cur); ++R) {
        if (Cur == Slot) return R;
        Cur = A.List.Nodes[static_cast<size_t>(Cur)].Next;
    }
    return -1;
}

Accessible_Row Describe_Row(const Accessible_List& A, int Row) {
    Accessible_Row Out;
    const List_Metrics& G = A.Metrics;
    Out.Location = {0, Row * G.Pitch, A.Client_Width, Row * G.Pitch + G.Height};
    Out.Slot = Slot_Of_Row(A, Row);
    if (Out.Slot == Nil_Slot) {
        Out.Name = "empty slot";
        return Out;
    }
    const Slot_Record& R = A.List.Nodes[static_cast<size_t>(Out.Slot)].Data;
    Out.Name = Name_Of(R);
    Out.Value = Cut_Chars(R.Text, Max_Value_Chars);
    Out.Selected = Out.Slot == A.Current;
    // The tool tip shows the description: a reader hears it only where the name was cut or
    // flattened from it.
    const std::string Tip = Spoken(R.Description, Max_Value_Chars);
    if (R.Locked) Out.Description = "locked";
    if (!Tip.empty() && Tip != Out.Name)
        Out.Description += (Out.Description.empty() ? "" : ", ") + Tip;
    return Out;
}

int Row_Hit(const Accessible_List& A, int X, int Y) {
    const List_Metrics& G = A.Metrics;
    if (X < 0 || X >= A.Client_Width || Y < 0) return -1;
    const int Row = Y / G.Pitch;
    if (Row >= Row_Count(A) || Y - Row * G.Pitch >= G.Height) return -1;
    return Row;
}

int Focus_Row(const Accessible_List& A) {
    return Is_Chained(A.List, A.Current) ? Row_Of_Slot(A, A.Current) : -1;
}

bool Row_Default_Action(Main& M, int Row) {
    if (!Availability(Way::Reader_Action, Ui_State_Of(M)).Offered) return false;
    const int16_t Slot = Slot_Of_Row(Accessible_List_Of(M), Row);
    if (Slot == Nil_Slot) return false;
    Move_Tip(M, Row * M.View.Metrics.Pitch);
    if (Slot != M.Store.Current()) Select_Item(M, Slot);
    return true;
}

namespace {

Reader_Memory Rows_Now(const Accessible_List& A) {
    Reader_Memory Now;
    Now.Count = Row_Count(A);
    for (int R = 0; R < Now.Count; ++R)
        Now.Rows[static_cast<size_t>(R)] = Slot_Of_Row(A, R);
    Now.Focus_Row = Focus_Row(A);
    Now.Focus_Slot = Now.Focus_Row >= 0 ? A.Current : Nil_Slot;
    return Now;
}

} // namespace

void Remember_Rows(Main& M) {
    M.Heard = Rows_Now(Accessible_List_Of(M));
}

void Tell_Readers(Main& M, Change What) {
    Main_Window& W = M.P.Window;
    const Accessible_List A = Accessible_List_Of(M);
    Reader_Memory& Heard = M.Heard;
    const Reader_Memory Now = Rows_Now(A);
    if (Heard.Count >= 0 && (Now.Count != Heard.Count || Now.Rows != Heard.Rows))
        W.Tell_Reader(Reader_Event::Reorder, -1);

    const int Row = Row_Of_Slot(A, What.Slot);
    if (Row >= 0) {
        if (What.Kind == Change_Kind::Filed || What.Kind == Change_Kind::Edited ||
            What.Kind == Change_Kind::Cleared)
            W.Tell_Reader(Reader_Event::Name_Change, Row);
        if (What.Kind == Change_Kind::Locked) W.Tell_Reader(Reader_Event::Description_Change, Row);
    }
    if (Now.Focus_Row >= 0 &&
        (Now.Focus_Row != Heard.Focus_Row || Now.Focus_Slot != Heard.Focus_Slot)) {
        W.Tell_Reader(Reader_Event::Focus, Now.Focus_Row);
        W.Tell_Reader(Reader_Event::Selection, Now.Focus_Row);
    }
    Heard = Now;
}
