#pragma once
#include "mainwindow/Row_Geometry.h"
#include "platform/Menu.h"
#include "slots/LinkList.h"
#include "storage/Settings.h"

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>

struct Platform_Context;
struct Surface;
struct Main;

// Keys as the window reports them; every other key is Other.
enum class Key { Other, N, P, C, X, Delete, Up, Down, F1 };

// Modifier bits and buttons, as the handlers take them.
inline constexpr int Shift_Mask = 1;
inline constexpr int Ctrl_Mask = 2;
inline constexpr int Alt_Mask = 4;
inline constexpr int Button_Left = 1;
inline constexpr int Button_Right = 2;

// One command of the popup menu: its caption and shortcut text, the key that also runs it and
// what it runs. A menu item, a shortcut key and F1 all reach the command through this table.
struct Command {
    Menu_Item Item;
    const char* Caption;  // nullptr: a separator
    const char* Shortcut; // shown in the menu; nullptr for none
    Key Shortcut_Key;     // Key::Other: none
    bool Ctrl_Alone;      // the key counts only with Ctrl and no other modifier
    void (*Run)(Main&);
};
using Command_Table = std::span<const Command>;

// The dialogs kept between uses; the commands own them.
struct Kept_Dialogs;

// The drawn list: its sprites, the row map, the row hit area Tip and the drag.
struct List_View {
    List_Metrics Metrics; // at the window's dpi
    std::array<int16_t, Max_Slots> Row_Slot{};
    bool Resizing = false;
    int Border_Height = 0; // twips
    std::unique_ptr<Surface> pArrowUp, pArrowDown, pLockUp, pLockDown, TextNorm, TextHigh;
    int Tip_Top = 0;
    int Tip_Width = 0;
    std::string Tip_Text;
    bool Dragging = false;
    int16_t Drag_From = Nil_Slot;
    int Splitter_Top = 0;
    bool Splitter_Visible = false;

    List_View();
    ~List_View();
};

// Clipboard changes while our own menu, box or dialog is open are read as they arrive and
// filed in order once the last of them has closed, so no command acts on a slot the user did
// not choose and no copy is lost.
struct Capture_Gate {
    int Open_Loops = 0;
    std::deque<std::string> Pending;
    uint32_t Own_Write = 0; // the clipboard's sequence number after our last write
    uint32_t Last_Seen = 0; // the sequence number of the last change read
    bool Wrote_While_Open = false;
    int Busy_Retries = 0; // tries left at a change the clipboard's holder kept from us
};

// Every change of the data is counted; the save timer writes the file a fixed delay after the
// first change not yet saved, however many follow it.
struct Save_Schedule {
    uint64_t Changes = 0;
    uint64_t Saved = 0;
    bool Timer_Set = false;
    std::string Last_Error;
    // Why saving is off for this run: a data file that could not be read stays untouched.
    std::string Off;
};

// The main window's logic: the slot store it shows and the parts it owns. One lives for the
// whole run.
struct Main {
    explicit Main(Platform_Context& Platform);
    ~Main();
    Main(const Main&) = delete;
    Main& operator=(const Main&) = delete;

    Platform_Context& P;
    Command_Table Commands;
    std::unique_ptr<Kept_Dialogs, void (*)(Kept_Dialogs*)> Dialogs{nullptr, nullptr};

    Stored_Data Store; // the slot list and the settings, with Current_Slot
    std::string Data_File;
    List_View View;
    Capture_Gate Gate;
    Save_Schedule Saves;

    const Slot_Record Blank_Slot{};
    std::array<bool, Menu_Item_Count> Menu_Visible; // set by Fix_Menu
    bool Tray_Busy = false;
    std::string Help_File;
    // Set once the exit sequence runs: nothing is filed or saved after it.
    bool Exiting = false;
};

// The selected slot when it is one of the list's slots. A damaged data file can leave
// Current_Slot on a free node; commands then act as if nothing were selected.
bool Has_Selection(const Main& M);
Slot_Record& Selected(Main& M);

// Every change of the slots or settings: the file is saved a little later.
void Mark_Changed(Main& M);
