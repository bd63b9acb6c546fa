#pragma once
#include "slots/Slot_Text.h"

#include <string>

// One slot's contents. Text is UTF-8 inside the program.
struct Slot_Record {
    bool Locked = false;
    Slot_Text Text;
    std::string Description;
    bool operator==(const Slot_Record&) const = default;
};
