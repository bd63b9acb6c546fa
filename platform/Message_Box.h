#pragma once
#include <string_view>

// Modal message boxes; each runs a nested loop.
struct Message_Box {
    virtual ~Message_Box() = default;
    virtual bool Ok_Cancel(std::string_view Text, std::string_view Title) = 0; // true = OK
    virtual bool Yes_No(std::string_view Text, std::string_view Title) = 0;    // true = Yes
    virtual void Ok(std::string_view Text, std::string_view Title) = 0;
};
