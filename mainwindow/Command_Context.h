#pragma once
#include "mainwindow/Availability.h"
#include "mainwindow/Capture_Gate.h"
#include "mainwindow/Commands.h"
#include "mainwindow/History_Keeper.h"
#include "mainwindow/Slot_Store.h"

#include <cstdint>
#include <string>

struct Platform_Context;

// What the main window does for a command.
class Command_Host {
  public:
    // The one way a user action selects a slot: it also puts the slot's text on the clipboard.
    // False when that write failed.
    virtual bool Select_Item(int16_t Slot) = 0;
    virtual void Set_Tip_Text(const std::string& Text) = 0;
    // A failure that needs no answer.
    virtual void Tell_User(const std::string& Text) = 0;
    virtual Ui_State Ui() const = 0;
    virtual void Show() = 0;
    // Ask_On_Failure: a failed save asks whether to exit anyway (not at the session's end).
    virtual void Exit(bool Ask_On_Failure = true) = 0;
    // The Quick Paste popup hears every change of the data after the window's own parts.
    virtual void Follow(Store_Observer* Popup) = 0;
    // Forgets every text of the history at once, under a new key; the caller has asked the user.
    virtual void Clear_History() = 0;
    // Writes the data file whole on the worker, which ends the journal: nothing forgotten stays
    // in a journal record. A failure is told.
    virtual void Rewrite_Data_File() = 0;
    // The old help file's path; the HTML manual sits beside it.
    virtual const std::string& Help_File() const = 0;

  protected:
    ~Command_Host() = default;
};

// All a command reaches: the outside, the slots, the capture gate (for its nested loops and
// our own clipboard writes), the history, the windows commands keep, and the main window.
struct Command_Context {
    Platform_Context& P;
    Slot_Store& Store;
    Capture_Gate& Gate;
    History_Keeper& History;
    Command_Set& Kept;
    Command_Host& Host;
};

// What the commands above this layer give the main window.
struct Command_Hooks {
    Command_Table Commands;
    void (*Install)(Command_Context&) = nullptr; // once, when the window's logic is made
    void (*Started)(Command_Context&) = nullptr; // after start-up loaded the data
    void (*Hotkey)(Command_Context&) = nullptr;  // the global hotkey
};
