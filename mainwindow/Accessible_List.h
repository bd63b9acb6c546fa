#pragma once
#include "mainwindow/Row_Geometry.h"
#include "mainwindow/Save_Schedule.h"
#include "platform/Geometry.h"
#include "slots/LinkList.h"

#include <array>
#include <optional>
#include <string>

struct Main;

// What a screen reader is told of the list, as a plain function of the slots and the layout:
// one child per row, named, valued and placed. The window's accessible object only translates.

inline constexpr size_t Max_Name_Chars = 256;
// A reader speaks the value on request; a slot may hold megabytes.
inline constexpr size_t Max_Value_Chars = 4096;

struct Accessible_Row {
    int16_t Slot = Nil_Slot;
    std::string Name;
    std::string Value;
    std::string Description; // "locked", then the tool tip where it says more than the name
    bool Selected = false;   // selected and focused
    Rect Location;           // client pixels
};

// The list as the model reads it; the list must outlive it.
struct Accessible_List {
    const LinkList& List;
    int16_t Current;
    List_Metrics Metrics;
    int Client_Width;
};
Accessible_List Accessible_List_Of(const Main& M);

int Row_Count(const Accessible_List& A);
// The row a reader's child id names, -1 for the list itself (id 0); none for an id that names
// no row shown.
std::optional<int> Row_Of_Child_Id(const Accessible_List& A, int32_t Id);
// The row a slot is shown on; -1 for none.
int Row_Of_Slot(const Accessible_List& A, int16_t Slot);
// Nil_Slot for a row that is not shown.
int16_t Slot_Of_Row(const Accessible_List& A, int Row);
// Row must be shown.
Accessible_Row Describe_Row(const Accessible_List& A, int Row);
// The row whose rectangle holds the client point; -1 for none (the gaps between rows, beside
// or below them).
int Row_Hit(const Accessible_List& A, int X, int Y);
// The selected slot's row, -1 for none.
int Focus_Row(const Accessible_List& A);

// The reader's default action on a row: what a click on its text does. False when it cannot
// run now (a menu, box or dialog of ours is open) or the row is not shown.
bool Row_Default_Action(Main& M, int Row);

// What the readers were last told of the rows; Count -1 until the first change.
struct Reader_Memory {
    std::array<int16_t, Max_Slots> Rows{};
    int Count = -1;
    int16_t Focus_Slot = Nil_Slot;
    int Focus_Row = -1;
};

// Tells the readers what a change of the data did to the rows: a new order, a new name, a
// new lock, the selection on another slot or row.
void Tell_Readers(Main& M, Change What);
// The window shows: readers ask for what it holds, and later changes are told from here.
void Remember_Rows(Main& M);
