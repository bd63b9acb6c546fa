#pragma once
#include <string>

struct Font_Spec {
    std::string Name;
    float Size = 10;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool operator==(const Font_Spec&) const = default;
};

// The slot text's font until the user picks another, and the printer's after each document.
inline const Font_Spec Default_Text_Font{"Courier New", 10};

// The system font chooser (screen and printer fonts) and the font the system really gives for
// a request (it may substitute a missing face or round a size).
struct Font_Chooser {
    virtual ~Font_Chooser() = default;
    // False when the user cancelled; Font is then unchanged.
    virtual bool Choose_Font(Font_Spec& Font) = 0;
    virtual Font_Spec Realize(const Font_Spec& Requested) const = 0;
};
