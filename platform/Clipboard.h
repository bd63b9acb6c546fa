#pragma once
#include "platform/Limits.h"

#include <cstdint>
#include <string>
#include <string_view>

enum class Clip_Status {
    Text,     // Text holds the clipboard text (UTF-8, up to the first NUL)
    No_Text,  // no text format on the clipboard
    Excluded, // the owner asked monitors not to record this content
    Too_Large,
    Busy, // could not be opened, even after retrying
};

struct Clip_Read {
    Clip_Status Status = Clip_Status::No_Text;
    std::string Text;
    // The file name of the program that put it there ("notepad.exe"), read while the clipboard
    // was open for the text, so both belong to the same change; "" when unknown.
    std::string Program;
};

// The system clipboard, Unicode text only. Opening is retried briefly while another program
// holds it.
struct Clipboard {
    virtual ~Clipboard() = default;
    virtual Clip_Read Read_Text() = 0;
    // Empties the clipboard and puts Utf8 on it; false when that failed.
    virtual bool Write_Text(std::string_view Utf8) = 0;
    // Leaves the clipboard empty; false when that failed.
    virtual bool Empty() = 0;
    // Changes with every change of the clipboard's contents; 0 when the system keeps none.
    virtual uint32_t Sequence() const = 0;
};

// Raises the main window's clipboard-change event on its thread after every change.
struct Clipboard_Watcher {
    virtual ~Clipboard_Watcher() = default;
    virtual void Start() = 0;
    virtual void Stop() = 0;
};
