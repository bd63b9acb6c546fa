#pragma once
#include "slots/Slot_Text.h"

#include <cstdint>
#include <string>

// One slot's contents. Text is UTF-8 inside the program.
struct Slot_Record {
    bool Locked = false;
    Slot_Text Text;
    std::string Description;
    // When it last received a text (filed, copied again, edited), in seconds since 1970 UTC;
    // 0 for a slot from a file that kept no times.
    int64_t Filled = 0;
    bool operator==(const Slot_Record&) const = default;
};
