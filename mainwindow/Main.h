#pragma once
#include "mainwindow/Accessible_List.h"
#include "mainwindow/Capture_Gate.h"
#include "mainwindow/Commands.h"
#include "mainwindow/List_View.h"
#include "mainwindow/Row_Geometry.h"
#include "mainwindow/Save_Schedule.h"
#include "slots/LinkList.h"
#include "storage/Settings.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

struct Platform_Context;

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

    Stored_Data Store; // the slot list and the settings, with Current_Slot
    std::string Data_File;
    List_View View;
    Capture_Gate Gate{*this};
    Save_Schedule Saves{*this};

    Reader_Memory Heard; // what screen readers were last told of the rows
    const Slot_Record Blank_Slot{};
    bool Tray_Busy = false;
    std::string Help_File;
    // Told of every change after the save schedule: an open Quick Paste popup follows the list.
    std::function<void()> On_Change;
    // Set once the exit sequence runs: nothing is filed or saved after it.
    bool Exiting = false;
};

// The selected slot when it is one of the list's slots. A damaged data file can leave
// Current_Slot on a free node; commands then act as if nothing were selected.
bool Has_Selection(const Main& M);
Slot_Record& Selected(Main& M);

// Every change of the slots or the settings goes through here: the save schedule and the
// screen readers hear of it.
void Data_Changed(Main& M, Change What);
