#include "storage/Journal.h"

#include "platform/Limits.h"
#include "storage/Byte_Stream.h"
#include "storage/Extensions.h"
#include "storage/Xxh32.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::string_view Magic = "PLFTJRN2", Earlier_Magic = "PLFTJRNL";
// No record is larger than the largest data file: a size above it is damage.
constexpr uint32_t Max_Record_Bytes = static_cast<uint32_t>(Max_Data_File_Bytes);
constexpr uint16_t History_Entry = 1, Privacy_Entry = 2, Times_Entry = 3;

void Write_Text(Byte_Writer& W, std::string_view S) {
    W.Write_U32(static_cast<uint32_t>(S.size()));
    W.Write_Raw(S.data(), S.size());
}

bool Read_Text(Byte_Reader& R, std::string& S) {
    uint32_t Size = 0;
    const uint8_t* At = nullptr;
    if (!R.Read_U32(Size) || !R.Read_Span(Size, At)) return false;
    S.assign(reinterpret_cast<const char*>(At), Size);
    return true;
}

void Write_U8(Byte_Writer& W, bool V) {
    W.Write_U8(V ? 1 : 0);
}

bool Read_Flag(Byte_Reader& R, bool& V) {
    uint8_t B = 0;
    if (!R.Read_U8(B)) return false;
    V = B != 0;
    return true;
}

void Write_Font(Byte_Writer& W, const Font_Spec& F) {
    Write_Text(W, F.Name);
    W.Write_F32(F.Size);
    Write_U8(W, F.Bold), Write_U8(W, F.Italic), Write_U8(W, F.Underline);
}

bool Read_Font(Byte_Reader& R, Font_Spec& F) {
    return Read_Text(R, F.Name) && R.Read_F32(F.Size) && Read_Flag(R, F.Bold) &&
           Read_Flag(R, F.Italic) && Read_Flag(R, F.Underline);
}

void Write_Settings(Byte_Writer& W, const Settings& U) {
    for (int16_t V : {U.Current_Slot, U.Add_Mode, U.Ignore_Case, U.Reserved})
        W.Write_I16(V);
    Write_U8(W, U.Del_Warn), Write_U8(W, U.Print_Tip), Write_U8(W, U.On_Top);
    Write_U8(W, U.Placement.has_value());
    if (U.Placement)
        for (int16_t V :
             {U.Placement->Left, U.Placement->Top, U.Placement->Width, U.Placement->Height})
            W.Write_I16(V);
    Write_Font(W, U.Text_Font);
    Write_Font(W, U.Tip_Font);
    Write_U8(W, U.Quick_Paste_On);
    W.Write_U8(U.Quick_Paste_Key.Key);
    W.Write_U8(U.Quick_Paste_Key.Modifiers);
}

bool Read_Settings(Byte_Reader& R, Settings& U) {
    bool Placed = false;
    for (int16_t* V : {&U.Current_Slot, &U.Add_Mode, &U.Ignore_Case, &U.Reserved})
        R.Read_I16(*V);
    Read_Flag(R, U.Del_Warn), Read_Flag(R, U.Print_Tip), Read_Flag(R, U.On_Top);
    Read_Flag(R, Placed);
    U.Placement.reset();
    if (Placed) {
        Window_Placement P;
        for (int16_t* V : {&P.Left, &P.Top, &P.Width, &P.Height})
            R.Read_I16(*V);
        U.Placement = P;
    }
    Read_Font(R, U.Text_Font);
    Read_Font(R, U.Tip_Font);
    Read_Flag(R, U.Quick_Paste_On);
    R.Read_U8(U.Quick_Paste_Key.Key);
    R.Read_U8(U.Quick_Paste_Key.Modifiers);
    No_Key_Is_Off(U); // earlier builds recorded a cleared hotkey as key 0
    return R.Ok();
}

bool Changed(const Slot_Record& Now, const Slot_Record& Before) {
    return !Now.Text.Same_As(Before.Text) || Now.Description != Before.Description;
}

// One record's body onto Data; false (Data then half changed) when it does not parse.
bool Apply(Byte_Reader& R, Stored_Data& Data) {
    LinkList& L = Data.List;
    for (int16_t* V : {&L.Head, &L.Tail, &L.List_Ubound, &L.Free_Top})
        R.Read_I16(*V);
    for (int16_t& V : L.Free_Stack)
        R.Read_I16(V);
    for (Slot_Node& N : L.Nodes) {
        R.Read_I16(N.Prev), R.Read_I16(N.Next);
        Read_Flag(R, N.Data.Locked);
    }
    if (!Read_Settings(R, Data.Util)) return false;
    uint8_t Count = 0;
    R.Read_U8(Count);
    for (uint8_t K = 0; K < Count && R.Ok(); ++K) {
        uint8_t Index = 0;
        std::string Text;
        R.Read_U8(Index);
        if (Index >= Max_Slots) return false;
        Slot_Record& Rec = L.Nodes[Index].Data;
        if (!Read_Text(R, Text) || !Read_Text(R, Rec.Description)) return false;
        Rec.Text = std::move(Text);
    }
    // Every record holds all the settings: without their entries they are the defaults.
    Read_History({}, Data.Util);
    Read_Privacy({}, Data.Util);
    while (R.Remaining() > 0) {
        uint16_t Tag = 0;
        uint32_t Size = 0;
        const uint8_t* At = nullptr;
        if (!R.Read_U16(Tag) || !R.Read_U32(Size) || !R.Read_Span(Size, At)) return false;
        const std::span<const uint8_t> Bytes(At, Size);
        if (Tag == History_Entry) Read_History(Bytes, Data.Util);
        if (Tag == Privacy_Entry) Read_Privacy(Bytes, Data.Util);
        if (Tag == Times_Entry) Read_Slot_Times(Bytes, L);
    }
    return R.Ok();
}

struct Framed {
    std::vector<uint8_t> Bytes; // the frame, then at least the body when it is all there
    uint32_t Size = 0, Check = 0;
    bool Torn = false; // the frame or the body runs past the file's end
};

// The record at At; no bytes at the file's end. Most records are small: one read brings the
// frame and the whole body. A larger one is read only once its last byte is known to be in
// the file, so a garbage size never asks for more than the file holds.
Framed Read_Framed(const Journal_Reader& Read, uint64_t At) {
    constexpr size_t Ahead = 4096;
    Framed R{Read(At, 8 + Ahead)};
    if (R.Bytes.empty()) return R;
    Byte_Reader F(R.Bytes);
    F.Read_U32(R.Size), F.Read_U32(R.Check);
    const size_t Got = R.Bytes.size();
    if (!F.Ok() || Got - 8 >= R.Size) {
        R.Torn = !F.Ok();
        return R;
    }
    R.Torn = Got < 8 + Ahead || Read(At + 8 + R.Size - 1, 1).empty();
    if (!R.Torn && R.Size <= Max_Record_Bytes) {
        const std::vector<uint8_t> Rest = Read(At + Got, R.Size - (Got - 8));
        R.Bytes.insert(R.Bytes.end(), Rest.begin(), Rest.end());
    }
    return R;
}

// A crash can leave the end of an append unwritten: the file then ends in zeros.
bool Only_Zeros_From(const Journal_Reader& Read, uint64_t Offset) {
    constexpr size_t Chunk = 64 * 1024;
    for (;;) {
        const std::vector<uint8_t> Part = Read(Offset, Chunk);
        if (Part.empty()) return true;
        if (std::ranges::any_of(Part, [](uint8_t B) { return B != 0; })) return false;
        Offset += Part.size();
    }
}

} // namespace

std::vector<uint8_t> Journal_Header(uint64_t Identity) {
    Byte_Writer W;
    W.Write_Raw(Magic.data(), Magic.size());
    W.Write_U64(Identity);
    return std::move(W.Bytes);
}

Journal_Header_Read Read_Journal_Header(std::span<const uint8_t> Bytes) {
    if (Bytes.size() < Journal_Header_Size) return {};
    const std::string_view Start(reinterpret_cast<const char*>(Bytes.data()), Magic.size());
    if (Start != Magic && Start != Earlier_Magic) return {};
    Byte_Reader R(Bytes.data() + Magic.size(), 8);
    Journal_Header_Read Out{0, Start == Earlier_Magic};
    R.Read_U64(Out.Identity);
    return Out;
}

std::vector<uint8_t> Journal_Record(uint64_t Number, const Settings& Util, const LinkList& Now,
                                    const LinkList& Before) {
    Byte_Writer W;
    W.Write_U32(0); // the body's size and check, once it is written
    W.Write_U32(0);
    W.Write_U64(Number);
    for (int16_t V : {Now.Head, Now.Tail, Now.List_Ubound, Now.Free_Top})
        W.Write_I16(V);
    for (int16_t V : Now.Free_Stack)
        W.Write_I16(V);
    for (const Slot_Node& N : Now.Nodes) {
        W.Write_I16(N.Prev), W.Write_I16(N.Next);
        Write_U8(W, N.Data.Locked);
    }
    Write_Settings(W, Util);
    uint8_t Count = 0;
    for (size_t I = 0; I < Max_Slots; ++I)
        Count += Changed(Now.Nodes[I].Data, Before.Nodes[I].Data);
    W.Write_U8(Count);
    for (size_t I = 0; I < Max_Slots; ++I) {
        if (!Changed(Now.Nodes[I].Data, Before.Nodes[I].Data)) continue;
        W.Write_U8(static_cast<uint8_t>(I));
        Write_Text(W, Now.Nodes[I].Data.Text.str());
        Write_Text(W, Now.Nodes[I].Data.Description);
    }
    Write_Tagged(W, History_Entry, History_Bytes(Util));
    Write_Tagged(W, Privacy_Entry, Privacy_Bytes(Util));
    // A copy made again changes only a slot's time: that travels here, not with the texts.
    Write_Tagged(W, Times_Entry, Slot_Times_Bytes(Now, &Before));
    const auto Body = static_cast<uint32_t>(W.Bytes.size() - 8);
    const uint32_t Check = Xxh32(W.Bytes.data() + 8, Body);
    for (int K = 0; K < 4; ++K) {
        W.Bytes[static_cast<size_t>(K)] = static_cast<uint8_t>(Body >> (8 * K));
        W.Bytes[static_cast<size_t>(4 + K)] = static_cast<uint8_t>(Check >> (8 * K));
    }
    return std::move(W.Bytes);
}

Journal_Replay Replay_Journal(const Journal_Reader& Read, uint64_t Upto, Stored_Data& Data) {
    Journal_Replay Out{0, Journal_Header_Size, Journal_End::Whole};
    for (;;) {
        const uint64_t At = Out.Good_Size;
        const Framed Record = Read_Framed(Read, At);
        if (Record.Bytes.empty()) return Out;
        if (Record.Torn) {
            Out.End = Journal_End::Torn;
            return Out;
        }
        const uint32_t Size = Record.Size;
        if (Record.Bytes.size() - 8 < Size ||
            Xxh32(Record.Bytes.data() + 8, Size) != Record.Check) {
            Out.End =
                Only_Zeros_From(Read, At + 8 + Size) ? Journal_End::Torn : Journal_End::Damaged;
            return Out;
        }
        Byte_Reader B(Record.Bytes.data() + 8, Size);
        uint64_t Number = 0;
        if (!B.Read_U64(Number)) {
            Out.End = Journal_End::Newer;
            return Out;
        }
        // Each record follows the one before it, and the first new one the data file's mark:
        // anything else continues another state of the data file.
        if (Out.Final != 0 ? Number != Out.Final + 1 : Number > Upto + 1) {
            Out.End = Journal_End::Elsewhere;
            return Out;
        }
        if (Number > Upto) {
            Stored_Data Next = Data; // a record that does not parse changes nothing
            if (!Apply(B, Next)) {
                Out.End = Journal_End::Newer;
                return Out;
            }
            Data = std::move(Next);
        }
        Out.Final = Number;
        Out.Good_Size += 8 + Size;
    }
}
