#include "commands/Paste_Lines.h"

#include "slots/Text_Search.h"
#include "slots/Utf8.h"

#include <algorithm>
#include <cctype>

namespace {

// No line shows more characters than this, however wide the screen.
constexpr size_t Max_Label_Bytes = 600;

} // namespace

std::vector<int16_t> Paste_Slots(const LinkList& List, std::string_view Filter,
                                 const Case_Table& Cases) {
    const std::vector<Caseless_Word> Words = Filter_Words(Filter, Cases);
    std::vector<int16_t> Slots;
    int16_t I = List.Head;
    for (int Seen = 0; I != Nil_Slot && Seen <= List.List_Ubound && Is_Node_Index(I); ++Seen) {
        const Slot_Record& R = List.Nodes[static_cast<size_t>(I)].Data;
        const bool Kept = !R.Text.empty() && std::ranges::all_of(Words, [&](const auto& W) {
            return W.Found_In(R.Description) || W.Found_In(R.Text.str());
        });
        if (Kept) Slots.push_back(I);
        I = List.Nodes[static_cast<size_t>(I)].Next;
    }
    return Slots;
}

namespace {

std::string Flattened(std::string_view From) {
    std::string Label;
    bool Gap = false;
    for (const char C : From) {
        if (Is_Blank_Char(C)) {
            Gap = !Label.empty();
            continue;
        }
        // Cut only where a character starts.
        if (!Is_Continuation_Byte(static_cast<unsigned char>(C)) && Label.size() >= Max_Label_Bytes)
            break;
        if (Gap) Label += ' ';
        Gap = false;
        Label += C;
    }
    return Label;
}

} // namespace

std::string Line_Label(const Slot_Record& Rec) {
    return Flattened(Rec.Description.empty() ? Rec.Text.str() : Rec.Description);
}

std::string Age_Of(uint64_t Then, uint64_t Now) {
    const uint64_t S = Now > Then ? Now - Then : 0;
    if (S < 60) return "now";
    if (S < 3600) return std::to_string(S / 60) + " min";
    if (S < 86400) return std::to_string(S / 3600) + " h";
    return std::to_string(S / 86400) + " d";
}

Popup_Line Older_Line(const Older_Text& T, uint64_t Now) {
    std::string Note = Age_Of(T.Time, Now);
    if (!T.Program.empty()) Note += " \xC2\xB7 " + T.Program;
    return {' ', false, Flattened(T.Text), std::move(Note)};
}

std::vector<Popup_Line> Paste_Lines(const LinkList& List, const std::vector<int16_t>& Slots) {
    std::vector<Popup_Line> Lines;
    for (size_t I = 0; I < Slots.size(); ++I) {
        const Slot_Record& R = List.Nodes[static_cast<size_t>(Slots[I])].Data;
        Lines.push_back({I < 10 ? "1234567890"[I] : ' ', R.Locked, Line_Label(R), {}});
    }
    return Lines;
}

Rect Place_Popup(const Paste_Target& T, const Monitor_Area& M) {
    const Rect& Work = M.Work;
    const int W = std::min(Popup_Width * M.Dpi / 96, Work.Width());
    const int H = std::min(Popup_Height * M.Dpi / 96, Work.Height());
    // The pointer's own picture covers about 20 pixels below its point.
    const Rect Anchor = T.Has_Caret ? T.Caret
                                    : Rect{T.Pointer_X, T.Pointer_Y, T.Pointer_X + 1,
                                           T.Pointer_Y + 20 * M.Dpi / 96};
    int Top = Anchor.Bottom;
    // Below the anchor when it fits there, else above it, so the line typed stays in view.
    if (Top + H > Work.Bottom && Anchor.Top - H >= Work.Top) Top = Anchor.Top - H;
    const int Left = std::clamp(Anchor.Left, Work.Left, Work.Right - W);
    Top = std::clamp(Top, Work.Top, Work.Bottom - H);
    return {Left, Top, Left + W, Top + H};
}

std::string File_Url(std::string_view Path, std::string_view Anchor) {
    std::string Url = "file:///";
    for (const char C : Path) {
        const auto B = static_cast<unsigned char>(C);
        if (C == '\\') {
            Url += '/';
        } else if (B < 0x80 && (std::isalnum(B) ||
                                std::string_view("/:.-_~").find(C) != std::string_view::npos)) {
            Url += C;
        } else {
            constexpr char Hex[] = "0123456789ABCDEF";
            Url += {'%', Hex[B >> 4], Hex[B & 15]};
        }
    }
    return Url + "#" + std::string(Anchor);
}

std::string Hotkey_Name(const Hotkey& Key, std::string_view Key_Name) {
    std::string Name;
    if (Key.Modifiers & Ctrl_Mask) Name += "Ctrl+";
    if (Key.Modifiers & Alt_Mask) Name += "Alt+";
    if (Key.Modifiers & Shift_Mask) Name += "Shift+";
    if (Key.Modifiers & Win_Mask) Name += "Win+";
    return Name + std::string(Key_Name);
}
