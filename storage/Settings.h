#pragma once
#include "platform/Fonts.h"
#include "platform/Modifiers.h"
#include "slots/LinkList.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The window's outer place and size, in twips, as the data file stores them.
struct Window_Placement {
    int16_t Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const Window_Placement&) const = default;
};

// A global hotkey: a virtual-key code as the system numbers keys, and modifier bits of ours.
struct Hotkey {
    uint8_t Key = 0;
    uint8_t Modifiers = 0;
    bool operator==(const Hotkey&) const = default;
};

// Ctrl with the key left of 1 on a US keyboard (VK_OEM_3, "`").
inline constexpr Hotkey Default_Quick_Paste_Key{0xC0, Ctrl_Mask};

// How many texts the history keeps; 0 turns it off. The most is far beyond what anyone scrolls
// through, and keeps the history file's index in memory small.
inline constexpr uint32_t Default_History_Keep = 10000;
inline constexpr uint32_t Max_History_Keep = 1000000;
// Copies expire after at most ten years; 0 days: never.
inline constexpr uint16_t Max_Expire_Days = 3650;
// A file name has at most 255 characters; longer names or longer lists are damage.
inline constexpr size_t Max_Excluded_Programs = 1000;
inline constexpr size_t Max_Program_Name_Bytes = 1024;

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
    // Kept in the file's extension: older programs neither read nor keep them.
    bool Quick_Paste_On = true;
    Hotkey Quick_Paste_Key = Default_Quick_Paste_Key;
    uint32_t History_Keep = Default_History_Keep;
    // Privacy: while paused nothing copied is filed; copies made by these programs (file
    // names as the user typed them, "KeePass.exe") never are; unlocked slots and history
    // texts older than Expire_Days are forgotten (0: never).
    bool Capture_Paused = false;
    std::vector<std::string> Excluded_Programs;
    uint16_t Expire_Days = 0;
    bool operator==(const Settings&) const = default;
};

// No key is off, kept as off with the default key: builds that take key 0 for a damaged
// record and restore the default read that as off too.
inline void No_Key_Is_Off(Settings& U) {
    if (U.Quick_Paste_Key.Key != 0) return;
    U.Quick_Paste_On = false;
    U.Quick_Paste_Key = Default_Quick_Paste_Key;
}

// Which journal continues a data file: the identity both carry, and the last record the data
// file already holds. Identity 0: none does. A file written with changes no journal holds takes
// a new identity and names the one it replaced with that journal's last record, so that the
// journal, left by a crash before its removal, is known to hold nothing the file lacks.
struct Journal_Mark {
    uint64_t Identity = 0;
    uint64_t Upto = 0;
    uint64_t Replaced = 0;
    uint64_t Replaced_Upto = 0;
    bool operator==(const Journal_Mark&) const = default;
};

// What the data file holds, as plain values.
struct Stored_Data {
    Settings Util; // the settings with Current_Slot
    LinkList List;
    Journal_Mark Mark;
};
