#pragma once
#include "slots/LinkList.h"

#include <cstdint>
#include <string>

struct Text_Codec;
struct Trace;

// What filing a text asks of the window afterwards.
enum class Capture_Result { Unchanged, Refresh };

// The rules capture reads from the settings.
struct Capture_Rules {
    int16_t Add_Mode = Mode_Next_Free;
    int16_t Ignore_Case = 1;
    const Text_Codec& Text; // the system's case rules
    Trace* Log = nullptr;   // where a failed capture is told
};

// Files one clipboard text into the list; Current_Slot follows the filed slot. Never throws:
// a failure ends the capture, keeping what was already changed. Str is taken, not copied: it
// may be 4 MiB.
Capture_Result Add_To_Clipboard(LinkList& List, int16_t& Current_Slot, const Capture_Rules& Rules,
                                std::string Str, bool ForceAdd);

// Node index of the slot holding Str, or -1.
int Find_Match(const LinkList& List, int16_t Current_Slot, const Capture_Rules& Rules,
               const std::string& Str);

// The first line (up to CR LF) trimmed of spaces.
std::string First_Line_Description(const std::string& Str);

// Keeps at least one unlocked slot: appends Blank_Slot at the bottom when every slot is locked.
// True when the window must be resized (a slot was added, or the list was full and locked).
bool Verify_Locks(LinkList& List, const Slot_Record& Blank_Slot);

// Case-insensitive equality of two UTF-8 texts by the codec's per-code-point upper case.
bool Equal_Ignore_Case(const std::string& A, const std::string& B, const Text_Codec& Text);
