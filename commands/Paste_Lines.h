#pragma once
#include "mainwindow/History_Keeper.h"
#include "platform/Quick_Paste.h"
#include "slots/LinkList.h"
#include "storage/Settings.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class Case_Table;

// The popup's size at 96 dpi, in pixels.
inline constexpr int Popup_Width = 420, Popup_Height = 320;

// The slots the popup lists, in list order: those with a text to paste, whose description or
// text holds every word of Filter (words split at blanks; case ignored by whole characters).
std::vector<int16_t> Paste_Slots(const LinkList& List, std::string_view Filter,
                                 const Case_Table& Cases);

// The popup's lines for those slots: the first ten numbered 1..9, 0.
std::vector<Popup_Line> Paste_Lines(const LinkList& List, const std::vector<int16_t>& Slots);

// What a line shows of a slot: its description, else its text with line breaks and runs of
// white space as single spaces; only as much as a line can show.
std::string Line_Label(const Slot_Record& Rec);

// How long ago, as an older text's line says it: "now", "5 min", "2 h", "3 d".
std::string Age_Of(uint64_t Then, uint64_t Now);
// An older text's line: no number, its text flattened as a slot's, and the note
// "2 h · notepad.exe" (the program left out when not known).
Popup_Line Older_Line(const Older_Text& T, uint64_t Now);

// The popup's place: beside the caret, else the pointer; wholly inside the work area.
Rect Place_Popup(const Paste_Target& Target, const Monitor_Area& Monitor);

// The help page's section as a file:// URL: a plain path with "#" does not open.
std::string File_Url(std::string_view Windows_Path, std::string_view Anchor);

// "Ctrl+Alt+`": the modifiers, then the key's name.
std::string Hotkey_Name(const Hotkey& Key, std::string_view Key_Name);
