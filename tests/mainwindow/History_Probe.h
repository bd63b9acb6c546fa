#pragma once
// What the history tests look at: the popup's older lines, the history file's texts, and
// every file beside the exe.
#include "commands/Quick_Paste.h"
#include "storage/History_File.h"
#include "tests/doubles/Test_Platform.h"

#include <algorithm>

inline const std::string History = "C:\\PimLoft\\PimLoft.history";

// The older lines the popup lists, in order, "text note" each; "" before the first.
inline std::string Older_Lines(Rig& R) {
    std::string Out;
    for (const Popup_Line& L : R.T.Paste_Desk.View.Lines)
        if (!L.Note.empty()) Out += (Out.empty() ? "" : "|") + L.Label + " " + L.Note;
    return Out;
}

// Every lane's jobs and what they lead to, done.
inline void Settle(Rig& R) {
    for (int I = 0; I < 8; ++I)
        R.T.Worker.Finish_All();
}

// Opened anew: its older lines.
inline std::string Open_Popup(Rig& R, const std::string& Filter = "") {
    if (R.Kept.Paste->Open()) R.Events.Hotkey(); // the hotkey closes an open popup
    R.Events.Hotkey();
    Settle(R);
    if (!Filter.empty()) R.T.Paste_Desk.View.Filter(Filter), Settle(R);
    return Older_Lines(R);
}

// The texts of every record in the history file, forgotten or not.
inline std::string Sealed_Texts(Rig& R) {
    const std::vector<uint8_t>& F = R.T.Files.Files.at(History);
    const History_Source Read = [&](uint64_t At, std::span<uint8_t> Out) {
        const size_t N = At < F.size() ? std::min(Out.size(), size_t(F.size() - At)) : 0;
        std::copy_n(F.begin() + static_cast<ptrdiff_t>(At), N, Out.begin());
        return N;
    };
    const History_Opened O = Open_History(Read, R.T.Crypto);
    std::string Out;
    uint64_t At = O.Header_Size;
    Walk_Records(Read, *O.Key, At, [&](const History_Record& Rec, uint64_t, uint32_t) {
        if (Rec.Kind == History_Kind::Text) Out += Rec.Text + "|";
    });
    return Out;
}

inline bool Held_In_Any_File(const Rig& R, const std::string& Text) {
    for (const auto& [Name, Bytes] : R.T.Files.Files)
        if (std::search(Bytes.begin(), Bytes.end(), Text.begin(), Text.end()) != Bytes.end())
            return true;
    return false;
}
