#pragma once
#include "platform/Fonts.h"
#include "slots/LinkList.h"

#include <cstdint>
#include <optional>

// The window's outer place and size, in twips, as the data file stores them.
struct Window_Placement {
    int16_t Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const Window_Placement&) const = default;
};

// The settings with their defaults, the selection and the window placement: everything the
// data file keeps beside the slot list.
struct Settings {
    int16_t Current_Slot = 0;
    int16_t Add_Mode = Mode_Next_Free;
    bool Del_Warn = true;
    int16_t Ignore_Case = 1;
    bool Print_Tip = true;
    Font_Spec Text_Font = Default_Text_Font;
    Font_Spec Tip_Font{"Times New Roman", 14, true, false, false};
    bool On_Top = false;
    // None until a file gave one: the window is then centred.
    std::optional<Window_Placement> Placement;
    // Never used; written back as it was read.
    int16_t Reserved = 0;
    bool operator==(const Settings&) const = default;
};

// What the data file holds, as plain values.
struct Stored_Data {
    Settings Util;
    LinkList List;
};
