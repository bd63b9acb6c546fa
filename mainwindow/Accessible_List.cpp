#include "mainwindow/Accessible_List.h"

#include "mainwindow/Availability.h"
#include "mainwindow/Input.h"
#include "mainwindow/Main.h"
#include "platform/Platform_Context.h"
#include "slots/Utf8.h"

#include <exception>
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

Accessible_Row Describe_Slot(const Slot_Record& R) {
    Accessible_Row Out;
    Out.Name = Name_Of(R);
    Out.Value = Cut_Chars(R.Text, Max_Value_Chars);
    // The tool tip shows the description: a reader hears it only where the name was cut or
    // flattened from it.
    const std::string Tip = Spoken(R.Description, Max_Value_Chars);
    if (R.Locked) Out.Description = "locked";
    if (!Tip.empty() && Tip != Out.Name)
        Out.Description += (Out.Description.empty() ? "" : ", ") + Tip;
    return Out;
}

std::optional<int> Row_Of_Child_Id(const Reader_Rows& Rows, int32_t Id) {
    // Compared before the subtraction: a reader may send any id, the lowest included.
    if (Id < 0 || Id > Rows.Count()) return std::nullopt;
    return Id - 1;
}

int List_Reader::Count() const {
    return M_.View.Row_Count();
}

Accessible_Row List_Reader::Row(int Row) const {
    const int16_t Slot = M_.View.Slot_Of_Row(Row);
    Accessible_Row Out;
    if (Slot == Nil_Slot)
        Out.Name = "empty slot";
    else
        Out = Describe_Slot(M_.Store.Slot(Slot));
    Out.Slot = Slot;
    Out.Selected = Slot != Nil_Slot && Slot == M_.Store.Current();
    Out.Location = M_.View.Row_Place(Row);
    return Out;
}

int List_Reader::Focus() const {
    return M_.Store.Has_Selection() ? M_.View.Row_Of_Slot(M_.Store.Current()) : -1;
}

int List_Reader::Hit(int X, int Y) const {
    return M_.View.Row_Hit(X, Y);
}

// A click's work (a redraw, the clipboard) may fail; the failure must not cross into the
// reader's process.
bool List_Reader::Act(int Row) {
    try {
        return Row_Default_Action(M_, Row);
    } catch (const std::exception& Failure) {
        M_.P.Log.Failure("a screen reader's action", Failure.what());
        return false;
    }
}

bool Row_Default_Action(Main& M, int Row) {
    if (!Availability(Way::Reader_Action, Ui_State_Of(M)).Offered) return false;
    const int16_t Slot = M.View.Slot_Of_Row(Row);
    if (Slot == Nil_Slot) return false;
    M.View.Move_Tip(Row);
    if (Slot != M.Store.Current()) Select_Item(M, Slot);
    return true;
}

namespace {

// The drawn list heard of the change first: these are the rows on the screen.
Reader_Memory Rows_Now(Main& M) {
    const List_Reader Rows(M);
    Reader_Memory Now;
    Now.Count = Rows.Count();
    for (int R = 0; R < Now.Count; ++R)
        Now.Rows[static_cast<size_t>(R)] = M.View.Slot_Of_Row(R);
    Now.Focus_Row = Rows.Focus();
    Now.Focus_Slot = Now.Focus_Row >= 0 ? M.Store.Current() : Nil_Slot;
    return Now;
}

} // namespace

void Remember_Rows(Main& M) {
    M.Heard = Rows_Now(M);
}

void Tell_Readers(Main& M, Change What) {
    Main_Window& W = M.P.Window;
    Reader_Memory& Heard = M.Heard;
    const Reader_Memory Now = Rows_Now(M);
    if (Heard.Count >= 0 && (Now.Count != Heard.Count || Now.Rows != Heard.Rows))
        W.Tell_Reader(Reader_Event::Reorder, -1);

    const int Row = M.View.Row_Of_Slot(What.Slot);
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
