#pragma once
#include <string>

// One slot's contents. Text is UTF-8 inside the program.
struct Slot_Record {
    bool Locked = false;
    std::string Text;
    std::string Description;
    bool operator==(const Slot_Record&) const = default;
};
