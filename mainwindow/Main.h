#pragma once
#include "mainwindow/Accessible_List.h"
#include "mainwindow/Capture_Gate.h"
#include "mainwindow/Commands.h"
#include "mainwindow/List_View.h"
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
