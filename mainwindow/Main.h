#pragma once
#include "mainwindow/Accessible_List.h"
#include "mainwindow/Capture_Gate.h"
#include "mainwindow/Commands.h"
#include "mainwindow/Row_Geometry.h"
#include "mainwindow/Save_Schedule.h"
#include "mainwindow/Slot_Store.h"
#include "slots/LinkList.h"
#include "storage/Settings.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

struct Platform_Context;
struct Surface;

// The drawn list: its sprites, the row map, the row hit area Tip and the drag.
struct List_View {
    List_Metrics Metrics; // at the window's dpi
    std::array<int16_t, Max_Slots> Row_Slot{};
    bool Resizing = false;
    int Border_Height = 0; // twips
    std::unique_ptr<Surface> pArrowUp, pArrowDown, pLockUp, pLockDown, TextNorm, TextHigh;
    // Tip: the row hit area over the text of the row under the pointer.
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

struct Main;

// Tells the store's changes to one part of the main window's logic.
struct Hears final : Store_Observer {
    Main& M;
    void (*Hear)(Main&, const Change&);
    Hears(Main& To, void (*Function)(Main&, const Change&)) : M(To), Hear(Function) {}
    void Changed(const Change& What) override { Hear(M, What); }
};

// The main window's logic: the slot store it shows and the parts it owns. One lives for the
// whole run.
struct Main {
    Main(Platform_Context& Platform, Command_Set& Command_State);
    ~Main();
    Main(const Main&) = delete;
    Main& operator=(const Main&) = delete;

    Platform_Context& P;
    Command_Table Commands;
    Command_Set& Kept; // the command windows kept between uses

    std::string Data_File;
    List_View View;
    Capture_Gate Gate{*this};
    Save_Schedule Saves{*this};
    Hears Drawn_List;
    Hears Readers;
    Hears Popup_Follows;
    // The Quick Paste popup, once the commands made it.
    Store_Observer* Popup = nullptr;
    // The slots and settings. The drawn list hears before the readers: they are told of the
    // rows it shows.
    Slot_Store Store{{&Saves, &Drawn_List, &Readers, &Popup_Follows}};

    Reader_Memory Heard; // what screen readers were last told of the rows
    bool Tray_Busy = false;
    std::string Help_File;
    // Set once the exit sequence runs: nothing is filed or saved after it.
    bool Exiting = false;
};
