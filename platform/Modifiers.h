#pragma once

// The modifier keys as one bit set: the window's key and pointer events, the quick paste
// popup's keys and the hotkey setting all carry it. The hotkey's byte in the data file and
// the journal holds these values, so they never change.
inline constexpr int Shift_Mask = 1;
inline constexpr int Ctrl_Mask = 2;
inline constexpr int Alt_Mask = 4;
inline constexpr int Win_Mask = 8;
