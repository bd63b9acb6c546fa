#include "mainwindow/Accessible_List.h"

#include "platform/Main_Window.h"
#include "platform/Trace.h"
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
    return View_.Row_Count();
}

Accessible_Row List_Reader::Row(int Row) const {
    const int16_t Slot = View_.Slot_Of_Row(Row);
    Accessible_Row Out;
    if (Slot == Nil_Slot)
        Out.Name = "empty slot";
    else
        Out = Describe_Slot(Store_.Slot(Slot));
    Out.Slot = Slot;
    Out.Selected = Slot != Nil_Slot && Slot == Store_.Current();
    Out.Location = View_.Row_Place(Row);
    return Out;
}

int List_Reader::Focus() const {
    return Store_.Has_Selection() ? View_.Row_Of_Slot(Store_.Current()) : -1;
}

int List_Reader::Hit(int X, int Y) const {
    return View_.Row_Hit(X, Y);
}

// A click's work (a redraw, the clipboard) may fail; the failure must not cross into the
// reader's process.
bool List_Reader::Act(int Row) {
    try {
        return Act_(Row);
    } catch (const std::exception& Failure) {
        Log_.Failure("a screen reader's action", Failure.what());
        return false;
    }
}

// The drawn list heard of the change first: these are the rows on the screen.
Reader_Notifier::Memory Reader_Notifier::Rows_Now() const {
    Memory Now;
    Now.Count = View_.Row_Count();
    for (int R = 0; R < Now.Count; ++R)
        Now.Rows[static_cast<size_t>(R)] = View_.Slot_Of_Row(R);
    Now.Focus_Row = Store_.Has_Selection() ? View_.Row_Of_Slot(Store_.Current()) : -1;
    Now.Focus_Slot = Now.Focus_Row >= 0 ? Store_.Current() : Nil_Slot;
    return Now;
}

void Reader_Notifier::Remember_Rows() {
    Heard_ = Rows_Now();
}

void Reader_Notifier::Changed(const Change& What) {
    if (!Changes_Data(What.Kind)) return;
    Main_Window& W = Window_;
    const Memory Now = Rows_Now();
    if (Heard_.Count >= 0 && (Now.Count != Heard_.Count || Now.Rows != Heard_.Rows))
        W.Tell_Reader(Reader_Event::Reorder, -1);
    const int Row = View_.Row_Of_Slot(What.Slot);
    if (Row >= 0) {
        if (What.Kind == Change_Kind::Filed || What.Kind == Change_Kind::Edited ||
            What.Kind == Change_Kind::Cleared)
            W.Tell_Reader(Reader_Event::Name_Change, Row);
        if (What.Kind == Change_Kind::Locked) W.Tell_Reader(Reader_Event::Description_Change, Row);
    }
    if (Now.Focus_Row >= 0 &&
        (Now.Focus_Row != Heard_.Focus_Row || Now.Focus_Slot != Heard_.Focus_Slot)) {
        W.Tell_Reader(Reader_Event::Focus, Now.Focus_Row);
        W.Tell_Reader(Reader_Event::Selection, Now.Focus_Row);
    }
    Heard_ = Now;
}
