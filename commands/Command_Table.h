#pragma once
#include "mainwindow/Command_Context.h"

#include <memory>

struct EditSel;
struct Options_Dialog;
class Quick_Paste;

// The windows the commands keep between uses (Edit Selection, Options, the Quick Paste
// popup), so that each opens as it was left.
class Command_Set {
  public:
    Command_Set();
    ~Command_Set();
    Command_Set(const Command_Set&) = delete;
    Command_Set& operator=(const Command_Set&) = delete;

    std::unique_ptr<EditSel> Edit;
    std::unique_ptr<Options_Dialog> Options;
    std::unique_ptr<Quick_Paste> Paste;
};

// The main window's commands, the Quick Paste popup they make and its hotkey.
Command_Hooks Program_Commands();
