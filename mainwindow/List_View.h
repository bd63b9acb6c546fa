#pragma once
#include "mainwindow/Row_Geometry.h"
#include "platform/Geometry.h"
#include "slots/LinkList.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

struct Main_Window;
struct Surface;
struct System_Colors;

// The drawn list: the button pictures and text panels, which slot each row shows, the row hit
// area Tip and the drag of a row. Rows, hits and places all come from the one row map that the
// last lay-out left.
class List_View {
  public:
    List_View(Main_Window& Window, const System_Colors& Colors);
    ~List_View();
    List_View(const List_View&) = delete;
    List_View& operator=(const List_View&) = delete;

    // The list's geometry at the window's dpi.
    const List_Metrics& Metrics() const { return Metrics_; }

    // Makes the pictures at the window's dpi and width, and places Tip on the text column.
    void Make_Pictures();
    // Draws the pictures in the system's colours of now.
    void Draw_Pictures();
    // The window's outer height less its client height, in twips.
    void Measure_Border();
    // The window's height to the rows (unless minimized or maximized), the panels to its width;
    // then paints.
    void Fit(const LinkList& L, int16_t Current);
    // The window took a new dpi and size: everything again at the new scale, Tip on its row.
    void Change_Dpi(const LinkList& L, int16_t Current);

    // Maps the rows to the slots of the chain from its head; the map stays until the next call.
    void Lay_Out(const LinkList& L);
    // Lays out and draws every row into the back buffer, then presents it.
    void Paint(const LinkList& L, int16_t Current);

    int Row_Count() const { return Rows_; }
    // Nil_Slot for a row the lay-out left without one.
    int16_t Slot_Of_Row(int Row) const;
    // -1 for a slot on no row.
    int Row_Of_Slot(int16_t Slot) const;
    // The row under a client y, whether or not it exists; -1 for no number at all.
    int Row_At(double Y) const;
    // The row whose rectangle holds the client point; -1 in a gap, beside or below the rows.
    int Row_Hit(int X, int Y) const;
    // A row's rectangle across the client width, in client pixels.
    Rect Row_Place(int Row) const;
    // A client x on the lock buttons' column.
    bool Over_Lock(double X) const;

    int Tip_Row() const { return Tip_Row_; }
    void Move_Tip(int Row);
    void Set_Tip_Text(const std::string& Text);

    // A drag from Tip's row: the bar marks the row boundary the slot would go to.
    void Begin_Drag(int16_t Slot);
    // Y: the pointer relative to Tip, in twips. The boundary just below the dragged row would
    // mean "after itself": never offered.
    void Continue_Drag(double Y);
    bool Dragging() const { return Dragging_; }
    // Row: the row just above the bar, -1 above the first.
    struct Drop {
        int16_t Slot;
        int Row;
    };
    Drop End_Drag();

  private:
    int Panel_Width() const;
    void Fit_Panels();
    void Draw_Panels();
    void Place_Bar(int Top);

    Main_Window& Window_;
    const System_Colors& Colors_;
    List_Metrics Metrics_;
    int Border_Height_ = 0; // twips
    bool Fitting_ = false;
    std::unique_ptr<Surface> Arrow_Up_, Arrow_Down_, Lock_Up_, Lock_Down_, Text_Norm_, Text_High_;
    std::array<int16_t, Max_Slots> Row_Slot_{};
    int Rows_ = 0;
    int Tip_Row_ = 0;
    int Tip_Width_ = 0;
    std::string Tip_Text_;
    bool Dragging_ = false;
    int16_t Drag_From_ = Nil_Slot;
    int Bar_Top_ = 0;
    bool Bar_Shown_ = false;
};
