#pragma once
#include "mainwindow/List_View.h"
#include "mainwindow/Slot_Store.h"
#include "platform/Geometry.h"
#include "slots/LinkList.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

struct Main_Window;
struct Trace;

// What a screen reader is told of the list, as a plain function of the slots and the drawn
// rows: one child per row, named, valued and placed. The window's accessible object only
// translates.

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

// A slot's name, value and description as a reader hears them.
Accessible_Row Describe_Slot(const Slot_Record& R);

// What the window's accessible object reads and does: the rows as drawn, each named, placed
// and selected, and a row's default action.
class Reader_Rows {
  public:
    virtual int Count() const = 0;
    // Row must be shown.
    virtual Accessible_Row Row(int Row) const = 0;
    // The selected slot's row, -1 for none.
    virtual int Focus() const = 0;
    // The row whose rectangle holds the client point; -1 for none.
    virtual int Hit(int X, int Y) const = 0;
    // What a click on the row's text does; false when it did not run (see Row_Default_Action)
    // or failed.
    virtual bool Act(int Row) = 0;

  protected:
    ~Reader_Rows() = default;
};

// The row a reader's child id names, -1 for the list itself (id 0); none for an id that names
// no row shown.
std::optional<int> Row_Of_Child_Id(const Reader_Rows& Rows, int32_t Id);

// The main window's list, read from the drawn list's rows and the slots they show. Act: the
// reader's default action on a row (what a click on its text does); false when it cannot run
// now or the row is not shown.
class List_Reader final : public Reader_Rows {
  public:
    List_Reader(const Slot_Store& Store, const List_View& View, std::function<bool(int)> Act,
                Trace& Log)
        : Store_(Store), View_(View), Act_(std::move(Act)), Log_(Log) {}
    int Count() const override;
    Accessible_Row Row(int Row) const override;
    int Focus() const override;
    int Hit(int X, int Y) const override;
    bool Act(int Row) override;

  private:
    const Slot_Store& Store_;
    const List_View& View_;
    std::function<bool(int)> Act_;
    Trace& Log_;
};

// Tells the readers what a change of the data did to the rows: a new order, a new name, a
// new lock, the selection on another slot or row. It hears after the drawn list, whose rows it
// reads.
class Reader_Notifier final : public Store_Observer {
  public:
    Reader_Notifier(Main_Window& Window, const Slot_Store& Store, const List_View& View)
        : Window_(Window), Store_(Store), View_(View) {}
    void Changed(const Change& What) override;
    // The window shows: readers ask for what it holds, and later changes are told from here.
    void Remember_Rows();

  private:
    // What the readers were last told of the rows; Count -1 until the first change.
    struct Memory {
        std::array<int16_t, Max_Slots> Rows{};
        int Count = -1;
        int16_t Focus_Slot = Nil_Slot;
        int Focus_Row = -1;
    };
    Memory Rows_Now() const;

    Main_Window& Window_;
    const Slot_Store& Store_;
    const List_View& View_;
    Memory Heard_;
};
