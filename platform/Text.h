#pragma once
#include <cstddef>
#include <string>
#include <string_view>

struct Code_Page_Text {
    std::string Bytes; // in the 8-bit code page
    bool Exact = true; // false when a character had no exact equivalent or the text was cut
};

// The 8-bit code page of the data file's text fields (the ANSI code page on Windows) and the
// system's case rules.
struct Text_Codec {
    virtual ~Text_Codec() = default;
    // The longest prefix of whole characters whose bytes fit in Max_Bytes.
    virtual Code_Page_Text To_Code_Page(std::string_view Utf8, size_t Max_Bytes) const = 0;
    virtual std::string From_Code_Page(std::string_view Bytes) const = 0;
    // Simple upper-case mapping of one code point, as the system's ordinal ignore-case
    // comparison uses it.
    virtual char32_t Upper_Case(char32_t C) const = 0;
};
