#pragma once
#include "platform/Main_Window_Events.h"
#include "platform/Menu.h"

#include <span>

struct Command_Context;

// One command of the popup menu: its caption and shortcut text, the key that also runs it and
// what it runs. A menu item, a shortcut key and F1 all reach the command through this table.
struct Command {
    Menu_Item Item;
    const char* Caption;  // nullptr: a separator
    const char* Shortcut; // shown in the menu; nullptr for none
    Key Shortcut_Key;     // Key::Other: none
    bool Ctrl_Alone;      // the key counts only with Ctrl and no other modifier
    void (*Run)(Command_Context&);
};
using Command_Table = std::span<const Command>;

// What the commands keep between uses (their dialogs): defined with the command table, made
// once by whoever makes the main window, and handed to it.
class Command_Set;
