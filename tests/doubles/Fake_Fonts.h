#pragma once
#include "platform/Fonts.h"

#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The font chooser as a scripted answer, and the system's font mapping as a table of face
// substitutions plus an optional size step. Leaves out the font list and character sets.
struct Fake_Font_Chooser : Font_Chooser {
    std::optional<Font_Spec> Choice; // empty: the user cancels
    std::vector<Font_Spec> Offered;  // what each Choose_Font call started from
    std::map<std::string, std::string> Substitute;
    float Size_Step = 0; // non-zero: sizes round to the nearest multiple

    bool Choose_Font(Font_Spec& Font) override {
        Offered.push_back(Font);
        if (!Choice) return false;
        const bool Underline = Font.Underline; // the chooser offers no underline choice
        Font = *Choice;
        Font.Underline = Underline;
        return true;
    }
    Font_Spec Realize(const Font_Spec& Requested) const override {
        Font_Spec F = Requested;
        if (const auto S = Substitute.find(F.Name); S != Substitute.end()) F.Name = S->second;
        if (Size_Step > 0) F.Size = std::round(F.Size / Size_Step) * Size_Step;
        return F;
    }
};
